// process allocates nothing: operator new is counted around many blocks with every unit switched on,
// both LFOs modulating, and filter types, unit modes, tempo and learned controllers changing on the way.
#include "support/allocation_counter.h"
#include "support/engine_fixture.h"

#include <gtest/gtest.h>

namespace {

TEST(RealTime, ProcessAllocatesNothing)
{
    EngineFixture f("alloc");
    ProductEngine& e = *f.engine;
    switchOn(e, kEveryStage);
    setRecords(e, {{kLfo2Sync, 1.0f}, {kLfo2Target, 0.22f}});
    e.setMidiLearnIndex(kMasterMix);

    std::vector<float> in(4096), outL(4096), outR(4096);
    for (size_t i = 0; i < in.size(); ++i)
        in[i] = 0.3f * static_cast<float>((i * 37) % 100) / 100.0f;
    const unsigned char cc[3] = {0xb0, 11, 90};

    startCountingAllocations();
    for (int block = 0; block < 2000; ++block) {
        if (block % 50 == 0) {
            e.setParameter(kMmFilterType, static_cast<float>(block / 50 % kFilterTypeCount) * 0.01f);
            e.setParameter(kCompressMode, static_cast<float>(block / 100 % 2));
            e.setParameter(kMagicEQMode, static_cast<float>(block / 150 % 2));
            e.setTempoAndPosition(100.0f + static_cast<float>(block / 50), static_cast<float>(block) * 0.1f);
        }
        e.queueMidiEvent(cc, block % 64);
        e.process(in.data(), in.data(), outL.data(), outR.data(), 1 + (block * 97) % 4096, true);
    }
    EXPECT_EQ(stopCountingAllocations(), 0);
    EXPECT_NE(e.parameter(kMmFilterCutoff)->modulator, nullptr);
    EXPECT_NE(e.parameter(kMasterVolume)->modulator, nullptr);
}

} // namespace
