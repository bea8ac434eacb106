// The audio path of the plug-in core allocates nothing: blocks processed, silence-bypassed and
// engine-bypassed, and the event lists before them, with operator new counted.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "engine/engine_base.h"
#include "plugin_test_host.h"

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

void* operator new(std::size_t size)
{
    return allocate(size);
}
void* operator new[](std::size_t size)
{
    return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return std::malloc(size ? size : 1);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

TEST(PluginRealTime, AudioPathAllocatesNothing)
{
    VstTimeInfo info{};
    info.tempo = 128.0;
    info.flags = kVstTransportPlaying;
    InProcessHost::timeInfo() = &info;
    ProductPlugin plugin(&InProcessHost::callback);
    plugin.setParameter(29, 1.0f);
    plugin.setParameter(30, 1.0f);
    plugin.setParameter(31, 1.0f);
    plugin.resume();
    InProcessHost::requests().reserve(100000);

    std::vector<float> loud(512, 0.25f), quiet(512, 0.0f), outL(512), outR(512);
    float* loudIns[2] = {loud.data(), loud.data()};
    float* quietIns[2] = {quiet.data(), quiet.data()};
    float* outs[2] = {outL.data(), outR.data()};
    VstMidiEvent cc{};
    cc.type = kVstMidiType;
    cc.byteSize = sizeof(cc);
    cc.midiData[0] = static_cast<char>(0xB0);
    cc.midiData[1] = 7;
    cc.midiData[2] = 100;
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<VstEvent*>(&cc);

    counting.store(true);
    for (int block = 0; block < 200; ++block) {
        info.ppqPos += 0.1;
        plugin.processEvents(&events);
        plugin.processReplacing(block % 3 ? loudIns : quietIns, outs, 512);
        plugin.process(loudIns, outs, 512);
    }
    for (int block = 0; block < 60; ++block)
        plugin.processReplacing(quietIns, outs, 512); // into the silence bypass
    plugin.getEngine()->setBypass(true);
    plugin.processReplacing(loudIns, outs, 512);
    plugin.process(loudIns, outs, 512);
    counting.store(false);
    EXPECT_EQ(allocations.load(), 0);
    InProcessHost::timeInfo() = nullptr;
}
