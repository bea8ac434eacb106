// The signal chain's frame: master mix and volume ramps, limit, sub-blocks, meters, input hygiene.
#include "support/engine_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <xmmintrin.h>

namespace {

// The record's ramp value after `done` samples of a 440-sample ramp, as the record computes it.
float rampValue(float from, float to, int done)
{
    float t = done >= 440 ? 1.0f : static_cast<float>(done) / 440.0f;
    return (1.0f - t) * from + t * to;
}

TEST(EngineFrame, MixOneVolumeOnePassesTheInputLimitedToFourNines)
{
    EngineFixture f("frame-pass");
    std::vector<float> inL = {1.0f, -1.0f, 0.5f, -0.25f, 1.5f, 0.9999f, 0.0f, -3.0f};
    std::vector<float> inR = {0.1f, 0.2f, -0.3f, 0.4f, -0.5f, 0.6f, -0.7f, 0.8f};
    std::vector<float> outL(8), outR(8);
    for (int block = 0; block < 3; ++block) {
        f.run(inL, inR, outL, outR);
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(outL[i], std::fmax(-0.9999f, std::fmin(0.9999f, inL[i])));
            EXPECT_EQ(outR[i], inR[i]);
        }
    }
}

TEST(EngineFrame, VolumeChangeFollowsTheRecordRampOverSevenSubBlocks)
{
    EngineFixture f("frame-volume");
    f.engine->setParameter(kMasterVolume, 0.5f);
    const float expected[] = {0.813f, 0.650f, 0.510f, 0.390f, 0.290f, 0.208f, 0.150f};
    std::vector<float> in(64, 1.0f);
    std::vector<float> outL(64), outR(64);
    for (int k = 0; k < 7; ++k) {
        f.run(in, in, outL, outR);
        // The gain state lands on the target at the sub-block's end: the next block starts there.
        float gainEnd = std::pow(rampValue(1.0f, 0.5f, 64 * (k + 1)), 2.737f);
        EXPECT_NEAR(gainEnd, expected[k], 0.0015f);
        if (k > 0) {
            EXPECT_FLOAT_EQ(outL[0], std::pow(rampValue(1.0f, 0.5f, 64 * k), 2.737f));
        }
    }
    f.run(in, in, outL, outR);
    EXPECT_FLOAT_EQ(outL[63], std::pow(0.5f, 2.737f));
    EXPECT_NEAR(outL[63], 0.150f, 0.0005f);
}

TEST(EngineFrame, DryWetMixBlendsTheSanitisedInput)
{
    EngineFixture f("frame-mix", {{kMasterMix, 0.25f}});
    std::vector<float> inL(128, 0.5f), inR(128, -0.5f);
    inL[70] = std::numeric_limits<float>::quiet_NaN();
    inR[71] = std::numeric_limits<float>::infinity();
    inL[72] = -std::numeric_limits<float>::infinity();
    std::vector<float> outL(128), outR(128);
    for (int k = 0; k < 3; ++k)
        f.run(inL, inR, outL, outR);
    for (int i = 0; i < 128; ++i) {
        ASSERT_TRUE(std::isfinite(outL[i]) && std::isfinite(outR[i])) << i;
    }
    EXPECT_FLOAT_EQ(outL[10], 0.5f);
    EXPECT_EQ(outL[70], 0.0f);
    EXPECT_EQ(outR[71], 0.0f);
    EXPECT_EQ(outL[72], 0.0f);
    EXPECT_FLOAT_EQ(outR[73], -0.5f);
}

TEST(EngineFrame, AccumulateAddsWithoutLimitingTheSumAndInPlaceBuffersWork)
{
    EngineFixture f("frame-add");
    std::vector<float> in(100, 0.75f), outL(100, 0.5f), outR(100, -0.25f);
    f.engine->process(in.data(), in.data(), outL.data(), outR.data(), 100, false);
    EXPECT_FLOAT_EQ(outL[50], 1.25f);
    EXPECT_FLOAT_EQ(outR[99], 0.5f);

    f.engine->setParameter(kMasterMix, 0.5f);
    f.engine->resume();
    for (int k = 0; k < 2; ++k) {
        std::vector<float> buffer(300, 0.4f);
        f.engine->process(buffer.data(), buffer.data(), buffer.data(), buffer.data(), 300, true);
        for (float v : buffer)
            ASSERT_FLOAT_EQ(v, 0.4f);
    }
}

TEST(EngineFrame, MetersFallTwicePerSecondAndRiseToEveryEighthSample)
{
    EngineFixture f("frame-meters");
    std::vector<float> inL(64, 0.0f), inR(64, 0.0f);
    inL[8] = 0.8f;
    inL[9] = 0.95f; // not an eighth sample: unseen
    inR[16] = -0.6f;
    std::vector<float> outL(64), outR(64);
    f.run(inL, inR, outL, outR);
    EXPECT_FLOAT_EQ(f.engine->getPeakLeft(), 0.8f);
    EXPECT_FLOAT_EQ(f.engine->getPeakRight(), 0.6f);
    std::vector<float> silence(64, 0.0f);
    f.run(silence, silence, outL, outR);
    EXPECT_FLOAT_EQ(f.engine->getPeakLeft(), 0.8f - 128.0f / 44100.0f);
    for (int i = 0; i < 300; ++i)
        f.run(silence, silence, outL, outR);
    EXPECT_EQ(f.engine->getPeakLeft(), 0.0f);
    f.engine->clearPeakLevels();
    EXPECT_EQ(f.engine->getPeakRight(), 0.0f);
}

TEST(EngineFrame, DenormalsAreFlushedInsideAndTheCallersModeIsRestored)
{
    EngineFixture f("frame-denormal");
    const unsigned before = _mm_getcsr();
    _mm_setcsr(before & ~0x8040u);
    const unsigned callerMode = _mm_getcsr();
    std::vector<float> in(64, 1e-40f);
    std::vector<float> outL(64), outR(64);
    f.run(in, in, outL, outR);
    EXPECT_EQ(_mm_getcsr(), callerMode);
    EXPECT_EQ(outL[5], 0.0f);
    _mm_setcsr(before);
}

TEST(EngineFrame, AnyBlockSizeAndSampleRateGivesTheSameSteadyOutput)
{
    std::mt19937 rng(7);
    for (float rate : {8000.0f, 44100.0f, 96000.0f, 384000.0f}) {
        EngineFixture f("frame-sizes", rate);
        setRecords(*f.engine, {{kMasterMix, 0.3f}, {kMasterVolume, 0.9f}});
        std::vector<float> in(16384), outL(16384), outR(16384);
        for (size_t i = 0; i < in.size(); ++i)
            in[i] = 0.5f * std::sin(0.01f * static_cast<float>(i));
        // Settle, then blocks of random sizes 1..16384.
        f.engine->process(in.data(), in.data(), outL.data(), outR.data(), 16384, true);
        const float gain = std::pow(0.9f, 2.737f);
        for (int k = 0; k < 20; ++k) {
            int n = std::uniform_int_distribution<int>(1, 16384)(rng);
            f.engine->process(in.data(), in.data(), outL.data(), outR.data(), n, true);
            ASSERT_NEAR(outL[n - 1], in[n - 1] * gain, 1e-6f) << rate << " " << n;
        }
        EXPECT_TRUE(f.engine->getPeakLeft() > 0.0f);
    }
}

TEST(EngineFrame, BadRatesTemposAndPositionsAreIgnored)
{
    // (How far the position runs in a block is checked with the plug-in core's tempo forwarding.)
    EngineFixture f("frame-position");
    for (float rate : {0.0f, -48000.0f, NAN})
        f.engine->setSampleRate(rate);
    EXPECT_EQ(f.engine->getSampleRate(), 44100.0f);
    EXPECT_EQ(f.engine->parameter(kMasterMix)->rampLength, 440);
    f.engine->setTempoAndPosition(-10.0f, 4.0f);
    EXPECT_EQ(f.engine->getTempo(), 120.0f);
    EXPECT_EQ(f.engine->getSongPosition(), 4.0);
    f.engine->setTempoAndPosition(std::numeric_limits<float>::infinity(), NAN);
    EXPECT_EQ(f.engine->getTempo(), 120.0f);
    EXPECT_EQ(f.engine->getSongPosition(), 4.0);
}

TEST(EngineFrame, RecordsDriveBypassTypesAndModesAndResumeSnapsThem)
{
    EngineFixture f("frame-records");
    ProductEngine& e = *f.engine;
    // (The master switch's bypass is checked through the module's audio path.)
    e.setParameter(kMmFilterType, 0.03f);
    EXPECT_EQ(e.filterType(), 3);
    e.setParameter(kMmFilterType, 0.5f); // limited to the ten types
    EXPECT_EQ(e.filterType(), 9);
    e.setParameter(kCompressMode, 0.2f);
    EXPECT_EQ(e.compressorMode(), 0.01f);
    e.setParameter(kMagicEQMode, 0.7f);
    EXPECT_TRUE(e.magicEqClipMode());
    setRecords(e, {{kMasterVolume, 0.2f}, {kCompressRelease, 0.5f}});
    e.resume();
    EXPECT_EQ(e.parameter(kMasterVolume)->value, 0.2f);
    EXPECT_FLOAT_EQ(e.parameter(kCompressRelease)->value, 1050.0f);
}

TEST(EngineFrame, DataFolderPrefixAndTextsWithinTheirBuffers)
{
    EngineFixture f("frame-identity");
    EXPECT_EQ(std::string(f.engine->getDataFolderPrefix()), f.folder.path.string() + "/RavenSootData/");
    EXPECT_TRUE(f.engine->parameter(66) == nullptr && f.engine->parameter(-1) == nullptr);
    char text[32];
    f.engine->getParameterName(kMasterVolume, text, 7);
    EXPECT_STREQ(text, "Master");
    f.engine->getParameterDisplay(70, text, sizeof text);
    EXPECT_STREQ(text, "");
}

TEST(EngineFrame, SetParameterMarksChangedAndIgnoresBadInput)
{
    EngineFixture f("frame-changed");
    ProductEngine& e = *f.engine;
    for (int i = 0; i < 66; ++i)
        e.takeChanged(i);
    e.setParameter(kDistTube, 0.3f);
    EXPECT_TRUE(e.isChanged(kDistTube));
    EXPECT_TRUE(e.takeChanged(kDistTube));
    EXPECT_FALSE(e.takeChanged(kDistTube));
    e.setParameter(kDistTube, NAN);
    e.setParameter(99, 0.5f);
    EXPECT_FALSE(e.isChanged(kDistTube));
    EXPECT_FLOAT_EQ(e.getParameter(kDistTube), 0.3f);
    EXPECT_EQ(e.getParameter(99), 0.0f);
    e.setParameter(kMasterOn, NAN);
    EXPECT_FALSE(e.isBypassed());
    // A volume below the range gives silence, not NaN.
    e.setParameter(kMasterVolume, -0.5f);
    e.resume();
    std::vector<float> in(64, 0.5f), outL(64), outR(64);
    f.run(in, in, outL, outR);
    f.run(in, in, outL, outR);
    EXPECT_EQ(outL[10], 0.0f);
}

} // namespace
