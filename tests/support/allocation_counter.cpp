// The program's operator new and delete on malloc and free, counting allocations while asked to.
#include "support/allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void* allocate(std::size_t size) noexcept
{
    if (counting.load())
        allocations.fetch_add(1);
    return std::malloc(size ? size : 1);
}

void* allocateOrThrow(std::size_t size)
{
    void* p = allocate(size);
    if (p == nullptr)
        throw std::bad_alloc();
    return p;
}

} // namespace

void startCountingAllocations()
{
    allocations = 0;
    counting = true;
}

long stopCountingAllocations()
{
    counting = false;
    return allocations.load();
}

void* operator new(std::size_t size) { return allocateOrThrow(size); }
void* operator new[](std::size_t size) { return allocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
