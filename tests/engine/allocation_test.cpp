// process allocates nothing: operator new is counted around many blocks with every unit switched on,
// both LFOs modulating, and filter types and unit modes changing on the way.
#include "support/engine_fixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void* allocate(std::size_t size)
{
    if (counting.load())
        allocations.fetch_add(1);
    void* p = std::malloc(size ? size : 1);
    if (p == nullptr)
        throw std::bad_alloc();
    return p;
}

} // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

TEST(RealTime, ProcessAllocatesNothing)
{
    EngineFixture f("alloc");
    ProductEngine& e = *f.engine;
    for (int s : {kBpFilterOn, kDistOn, kMmFilterOn, kFlangerOn, kMagicEQOn, kCompressOn})
        e.setParameter(s, 1.0f);
    for (int a : {kDistBitCrusher, kDistMech, kDistTube, kDistXcita, kBpFilterBRMix})
        e.setParameter(a, 0.5f);
    e.setParameter(kMasterMix, 0.7f);
    e.setParameter(kLfo1Shape, 0.05f);
    e.setParameter(kLfo1Depth, 1.0f);
    e.setParameter(kLfo1Rate, 0.9f);
    e.setParameter(kLfo1Target, 0.13f);
    e.setParameter(kLfo1On, 1.0f);
    e.setParameter(kLfo2Shape, 0.06f);
    e.setParameter(kLfo2Depth, 0.5f);
    e.setParameter(kLfo2Sync, 1.0f);
    e.setParameter(kLfo2Target, 0.22f);
    e.setParameter(kLfo2On, 1.0f);
    e.setMidiLearnIndex(kMasterMix);

    std::vector<float> in(4096), outL(4096), outR(4096);
    for (size_t i = 0; i < in.size(); ++i)
        in[i] = 0.3f * static_cast<float>((i * 37) % 100) / 100.0f;
    const unsigned char cc[3] = {0xb0, 11, 90};

    allocations = 0;
    counting = true;
    for (int block = 0; block < 2000; ++block) {
        if (block % 50 == 0) {
            e.setParameter(kMmFilterType, static_cast<float>(block / 50 % kFilterTypeCount) * 0.01f);
            e.setParameter(kCompressMode, static_cast<float>(block / 100 % 2));
            e.setParameter(kMagicEQMode, static_cast<float>(block / 150 % 2));
        }
        e.queueMidiEvent(cc, block % 64);
        e.process(in.data(), in.data(), outL.data(), outR.data(), 1 + (block * 97) % 4096, true);
    }
    e.setTempoAndPosition(140.0f, 3.0f);
    counting = false;
    EXPECT_EQ(allocations.load(), 0);
    EXPECT_NE(e.parameter(kMmFilterCutoff)->modulator, nullptr);
    EXPECT_NE(e.parameter(kMasterVolume)->modulator, nullptr);
}

} // namespace
