// The audio path of the plug-in core allocates nothing: blocks processed, silence-bypassed and
// engine-bypassed, and the event lists before them, with operator new counted.
#include <gtest/gtest.h>

#include <vector>

#include "engine/engine_base.h"
#include "plugin_test_host.h"
#include "support/allocation_counter.h"

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

    startCountingAllocations();
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
    EXPECT_EQ(stopCountingAllocations(), 0);
    InProcessHost::timeInfo() = nullptr;
}
