// Audio through the module's entry points: the silence bypass, the engine's bypass, accumulate and
// replace, in-place buffers, and controllers that act while audio passes through.
#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <vector>

#include "built_module.h"
#include "module_copy.h"
#include "vst_host/test_host.h"

namespace {

constexpr int kMasterOn = 29;
constexpr int kMasterMix = 30;
constexpr int kMasterVolume = 31;
constexpr int kBlock = 512;

struct Block {
    std::vector<float> inL, inR, outL, outR;
    explicit Block(int frames = kBlock)
        : inL(frames, 0.0f), inR(frames, 0.0f), outL(frames, 0.0f), outR(frames, 0.0f)
    { }
};

// Silent at both ends, a full-scale sample in the middle that the engine would limit to 0.9999.
Block silentEndsWithAPeak()
{
    Block b;
    b.inL[kBlock / 2] = 1.0f;
    b.inR[kBlock / 2] = -1.0f;
    b.inL[1] = 2e-5f;
    return b;
}

class PluginAudio : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.open());
        host.setParameter(kMasterOn, 1.0f);
        host.setParameter(kMasterMix, 1.0f);
        host.setParameter(kMasterVolume, 1.0f);
        host.dispatch(effMainsChanged, 0, 1);
        host.clearRequests();
    }

    // True when the engine ran: each processed block asks the host for the time.
    bool processedReplacing(Block& b)
    {
        std::size_t before = host.count(audioMasterGetTime);
        host.processReplacing(b.inL.data(), b.inR.data(), b.outL.data(), b.outR.data(), kBlock);
        return host.count(audioMasterGetTime) == before + 1;
    }
    // How many silent blocks (with a peak the engine limits) are processed before the silence bypass passes
    // one through untouched.
    int silentBlocksProcessed()
    {
        for (int block = 1; block <= 100; ++block) {
            Block b = silentEndsWithAPeak();
            if (!processedReplacing(b)) {
                EXPECT_EQ(b.outL, b.inL);
                EXPECT_EQ(b.outR, b.inR);
                return block - 1;
            }
            EXPECT_EQ(b.outL[kBlock / 2], 0.9999f) << block;
        }
        return 100;
    }

    TestHost host{bareModule()};
};

} // namespace

TEST_F(PluginAudio, SilenceBypassStartsAfterHalfASecondOfSilentBlocks)
{
    // 43 blocks of 512 are 21,504 frames, within the 22,050-frame tail; the 44th goes beyond it.
    EXPECT_EQ(silentBlocksProcessed(), 43);
    Block next = silentEndsWithAPeak();
    EXPECT_FALSE(processedReplacing(next));
    // Accumulating, the input is added exactly.
    Block b = silentEndsWithAPeak();
    b.outL.assign(kBlock, 0.25f);
    b.outR.assign(kBlock, -0.25f);
    host.process(b.inL.data(), b.inR.data(), b.outL.data(), b.outR.data(), kBlock);
    EXPECT_EQ(b.outL[kBlock / 2], 1.25f);
    EXPECT_EQ(b.outR[kBlock / 2], -1.25f);
    EXPECT_EQ(b.outL[1], 0.25f + 2e-5f);
    // Sound at the last frame: processed again at once.
    Block loud = silentEndsWithAPeak();
    loud.inR[kBlock - 1] = 3e-5f;
    EXPECT_TRUE(processedReplacing(loud));
}

TEST_F(PluginAudio, TheSilenceTailFollowsTheStoredSampleRateAndUnusableRatesAreIgnored)
{
    for (float rate : {0.0f, -48000.0f, std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity()})
        host.dispatch(effSetSampleRate, 0, 0, nullptr, rate);
    host.dispatch(effSetBlockSizeAndSampleRate, 0, 512, nullptr, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(silentBlocksProcessed(), 43) << "still 44.1 kHz";
    // 48 kHz: 24,000 frames of tail.
    EXPECT_EQ(host.dispatch(effSetBlockSizeAndSampleRate, 0, 512, nullptr, 48000.0f), 1);
    Block loud;
    loud.inL.assign(kBlock, 0.5f);
    processedReplacing(loud);
    EXPECT_EQ(silentBlocksProcessed(), 46);
}

TEST_F(PluginAudio, EngineBypassCopiesOrAddsTheInputExactly)
{
    host.setParameter(kMasterOn, 0.4f);
    Block b;
    for (int i = 0; i < kBlock; ++i) {
        b.inL[i] = 1.5f - static_cast<float>(i) / 256.0f;
        b.inR[i] = -b.inL[i];
    }
    EXPECT_FALSE(processedReplacing(b));
    EXPECT_EQ(b.outL, b.inL);
    EXPECT_EQ(b.outR, b.inR);

    b.outL.assign(kBlock, 1.0f);
    host.process(b.inL.data(), b.inR.data(), b.outL.data(), b.outR.data(), kBlock);
    for (int i = 0; i < kBlock; ++i)
        ASSERT_EQ(b.outL[i], 1.0f + b.inL[i]) << i;

    host.setParameter(kMasterOn, 0.5f);
    EXPECT_TRUE(processedReplacing(b));
}

TEST_F(PluginAudio, InPlaceBuffersAndEmptyBlocks)
{
    std::vector<float> left(kBlock, 0.5f), right(kBlock, -0.5f);
    host.processReplacing(left.data(), right.data(), left.data(), right.data(), kBlock);
    EXPECT_FLOAT_EQ(left[kBlock - 1], 0.5f);
    EXPECT_FLOAT_EQ(right[kBlock - 1], -0.5f);

    host.setParameter(kMasterOn, 0.0f);
    std::vector<float> bypassed(kBlock, 0.125f);
    host.processReplacing(bypassed.data(), bypassed.data(), bypassed.data(), bypassed.data(), kBlock);
    EXPECT_EQ(bypassed, std::vector<float>(kBlock, 0.125f));

    std::vector<float> untouched(4, 7.0f);
    host.processReplacing(untouched.data(), untouched.data(), untouched.data() + 2, untouched.data() + 2, 0);
    host.process(untouched.data(), untouched.data(), untouched.data() + 2, untouched.data() + 2, 0);
    EXPECT_EQ(untouched, std::vector<float>(4, 7.0f));
}

TEST_F(PluginAudio, EventListsAnswerOneAndSkipOtherTypes)
{
    EXPECT_EQ(host.sendMidi({}), 1);
    VstEvents empty{};
    EXPECT_EQ(host.dispatch(effProcessEvents, 0, 0, &empty), 1);
    EXPECT_EQ(host.dispatch(effProcessEvents, 0, 0, nullptr), 1);
    VstMidiEvent sysex = TestHost::midi(0xB0, 7, 0);
    sysex.type = kVstSysExType;
    EXPECT_EQ(host.sendMidi({sysex}), 1);
}

TEST(PluginAudioControllers, LearnedControllerActsWhileTheEffectIsBypassedAndInEmptyBlocks)
{
    ModuleCopy copy("audio-controllers", true);
    {
        // Lines bind by position: the 30th line is parameter 29, "MasterOn".
        std::ofstream config(copy.dataFile("MidiConfig.txt"));
        for (int i = 0; i < kMasterOn; ++i)
            config << "Param" << i << " -1\n";
        config << "MasterOn 20\n";
    }
    VstModule module(copy.path);
    ASSERT_TRUE(module.loaded()) << module.error();
    TestHost host(module);
    ASSERT_TRUE(host.open());
    host.dispatch(effMainsChanged, 0, 1);
    ASSERT_EQ(host.getParameter(kMasterOn), 0.0f); // an "Init" program: the effect is off

    Block b;
    b.inL.assign(kBlock, 0.5f);
    b.inR.assign(kBlock, 0.5f);
    host.sendMidi({TestHost::midi(0xB3, 20, 127)});
    host.processReplacing(b.inL.data(), b.inR.data(), b.outL.data(), b.outR.data(), kBlock);
    EXPECT_EQ(b.outL, b.inL); // passed through, and the controller was applied on the way
    EXPECT_EQ(host.getParameter(kMasterOn), 1.0f);
    // It reached the program it was made in, not the next one selected.
    host.dispatch(effSetProgram, 0, 1);
    EXPECT_EQ(host.getParameter(kMasterOn), 0.0f);
    host.dispatch(effSetProgram, 0, 0);
    EXPECT_EQ(host.getParameter(kMasterOn), 1.0f);

    host.clearRequests();
    host.processReplacing(b.inL.data(), b.inR.data(), b.outL.data(), b.outR.data(), kBlock);
    EXPECT_EQ(host.count(audioMasterGetTime), 1u);

    // A block of no frames touches no sample, but what was queued before it lands there.
    host.sendMidi({TestHost::midi(0xB0, 20, 0)});
    host.processReplacing(b.inL.data(), b.inR.data(), b.outL.data(), b.outR.data(), 0);
    EXPECT_EQ(host.getParameter(kMasterOn), 0.0f);
}
