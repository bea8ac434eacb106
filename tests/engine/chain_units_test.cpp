// Each unit acts at its place in the chain when switched on through its records, with the arguments
// the chain hands it; LFOs sweep unit settings over their real ranges.
#include "support/engine_fixture.h"
#include "support/sine_probe.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// The engine's gain for a sine on both channels, in host-sized blocks.
double engineGainDb(ProductEngine& e, double hz, double amplitude = 0.25, int settle = 8192)
{
    return sineGainDb([&](float* l, float* r, int n) { e.process(l, r, l, r, n, true); }, hz, e.getSampleRate(),
                      amplitude, settle, 512);
}

// A square LFO of full depth at about 2 Hz: its target swings between the ends of its range.
const float kTwoHertz = (2.0f - 0.02f) / 7.98f;

TEST(ChainBandPass, CutsOutsideTheBandPassesInsideAsDesignedAndTheRejectMixBringsItBack)
{
    // The upper edge first: the lower one may not pass it.
    EngineFixture f("chain-bandpass", {{kBpFilterOn, 1.0f}, {kBpFilterHigh, 219.5f / 284.0f},
                                       {kBpFilterLow, 106.5f / 284.0f}, {kBpFilterQLow, 0.4f}, {kBpFilterQHigh, 0.6f}});
    ProductEngine& e = *f.engine;
    ASSERT_EQ(frequencyScaleHz(e.getParameter(kBpFilterLow)), 250.0f);
    ASSERT_EQ(frequencyScaleHz(e.getParameter(kBpFilterHigh)), 4090.0f);

    // Two high-pass sections of 1.2 octaves at 250 Hz, two low-pass sections of Q 1.15 at 4090 Hz.
    const Cookbook high = Cookbook::highPassBandwidth(250.0, 1.2, 44100.0);
    const Cookbook low = Cookbook::lowPassQ(4090.0, 1.15, 44100.0);
    auto analytic = [&](double hz) { return 2.0 * high.gainDb(hz, 44100.0) + 2.0 * low.gainDb(hz, 44100.0); };
    const double at60 = engineGainDb(e, 60.0), at1k = engineGainDb(e, 1000.0), at15k = engineGainDb(e, 15000.0);
    EXPECT_LT(std::max(at60, at15k), -20.0);
    EXPECT_NEAR(at60, analytic(60.0), 0.1);
    EXPECT_NEAR(at15k, analytic(15000.0), 0.1);
    EXPECT_NEAR(at1k, analytic(1000.0), 0.01);

    e.setParameter(kBpFilterBRMix, 1.0f);
    for (double hz : {60.0, 1000.0, 15000.0})
        EXPECT_NEAR(engineGainDb(e, hz), 0.0, 0.001) << hz;
}

TEST(ChainDistortion, CrusherMechAndTubeReadTheirOwnAmountsInChainOrder)
{
    EngineFixture f("chain-dist", {{kDistOn, 1.0f}, {kDistBitCrusher, 0.8f}});
    ProductEngine& e = *f.engine;
    // Three bits: every output a multiple of 1/8, and only a few levels between -0.625 and 0.625.
    auto in = sineWave(4096, 440.0, 0.6);
    std::vector<float> outL(4096), outR(4096);
    f.run(in, in, outL, outR);
    std::set<float> levels(outL.begin(), outL.end());
    for (float v : levels)
        ASSERT_EQ(v * 8.0f, std::nearbyint(v * 8.0f)) << v;
    EXPECT_EQ(levels.size(), 11u);

    // One bit, then "Mech" at drive 2: 0.3 becomes 0.5 and then 0.8 (the other order would give 0.5).
    setRecords(e, {{kDistBitCrusher, 1.0f}, {kDistMech, 0.1f}});
    e.resume();
    std::vector<float> dc(64, 0.3f), l(64), r(64);
    f.run(dc, dc, l, r);
    EXPECT_EQ(l[10], 0.8f);

    // The tube alone, full drive: 0.5 driven to 2.5 on the parabola above 0.6.
    setRecords(e, {{kDistBitCrusher, 0.0f}, {kDistMech, 0.0f}, {kDistTube, 1.0f}});
    e.resume();
    std::vector<float> half(64, 0.5f);
    f.run(half, half, l, r);
    const float t = (1.0f - (2.5f - 0.6f) / (5.0f - 0.6f)) * 0.707107f;
    EXPECT_EQ(l[10], (0.5f - t * t) * 0.79999995f + 0.6f);
}

TEST(ChainExciter, RaisesTheTrebleAndLeavesTheBassAlone)
{
    EngineFixture f("chain-exciter", {{kDistOn, 1.0f}, {kDistXcita, 1.0f}});
    EXPECT_GT(engineGainDb(*f.engine, 9000.0, 0.05), 6.0);
    EXPECT_NEAR(engineGainDb(*f.engine, 200.0, 0.05), 0.0, 0.05);
}

TEST(ChainMultimodeFilter, RingModSoundsAtOnceAfterTheTypeChange)
{
    EngineFixture f("chain-ring", {{kMmFilterOn, 1.0f}, {kMmFilterMix, 1.0f}, {kMmFilterCutoff, 0.0f}});
    std::vector<float> dc(256, 0.5f), l(256), r(256);
    f.run(dc, dc, l, r);
    f.engine->setParameter(kMmFilterType, 0.09f);
    ASSERT_EQ(f.engine->filterType(), 9);
    f.run(dc, dc, l, r);
    // An 80 Hz carrier from phase 0, 0.3628 steps of the 200-step table a sample.
    for (int i = 0; i < 256; ++i)
        ASSERT_NEAR(l[i], 0.5 * std::sin(2.0 * M_PI * 80.0 * (i + 1) / 44100.0), 1e-4) << i;
}

TEST(ChainMultimodeFilter, AnLfoOnTheCutoffSweepsItsWholeRange)
{
    EngineFixture f("chain-lfo-cutoff", {{kMmFilterOn, 1.0f}, {kMmFilterMix, 1.0f}, {kMmFilterCutoff, 0.5f},
                                         {kLfo1Shape, 0.04f}, {kLfo1Depth, 1.0f}, {kLfo1Rate, kTwoHertz},
                                         {kLfo1Target, 0.13f}});
    auto cutoff = [&](const std::vector<float>&) { return f.engine->multimodeFilterUnit().cutoffHz(); };
    const std::vector<float> in(64, 0.25f);
    EXPECT_NEAR(f.range(in, 1, cutoff).first, 1278.0f, 1.0f);
    f.engine->setParameter(kLfo1On, 1.0f);
    EXPECT_EQ(f.range(in, 700, cutoff), std::make_pair(80.0f, 16000.0f));
}

TEST(ChainFlanger, AnImpulseComesBackOnceBetweenOneAndThreeMilliseconds)
{
    EngineFixture f("chain-flanger", {{kFlangerOn, 1.0f}, {kFlangerAmount, 1.0f}, {kFlangerRate, 0.0f}});
    std::vector<float> in(256, 0.0f), l(256), r(256);
    in[0] = 1.0f;
    f.run(in, in, l, r);
    EXPECT_EQ(l[0], 0.5f);
    double echo = 0.0;
    for (int i = 1; i < 256; ++i) {
        ASSERT_TRUE(l[i] == r[i] && (l[i] == 0.0f || (i >= 43 && i <= 132))) << i;
        echo += l[i];
    }
    EXPECT_NEAR(echo, 0.5, 1e-3);
}

TEST(ChainMagicEq, BoostsTheTunedBassAndCutsTheSubAsItsTwoSectionsGive)
{
    EngineFixture f("chain-magic", {{kMagicEQOn, 1.0f}, {kMagicEQAmount, 1.0f}, {kMagicEQTune, 0.5f},
                                    {kMagicEQMode, 1.0f}});
    // The bell's +10 dB and the resonant high-pass's rise at 41 Hz add up to about 11.7 dB at 90 Hz; the
    // high-pass cuts 20 Hz by only about 9 dB.
    EXPECT_NEAR(magicEqWetDb(90.0, 90.0), 11.7, 0.1);
    EXPECT_NEAR(magicEqWetDb(90.0, 20.0), -9.0, 1.0);
    for (double hz : {90.0, 20.0})
        EXPECT_NEAR(engineGainDb(*f.engine, hz, 0.05, 16384), magicEqWetDb(90.0, hz), 0.02) << hz;
    EXPECT_EQ(f.engine->magicEqUnit().tune, 90.0f);
    EXPECT_EQ(f.engine->magicEqUnit().limiter.gain, 1.0f); // far below full scale the limiter never acts
}

TEST(ChainCompressor, ReducesADrivenSineToTheCeiling)
{
    EngineFixture f("chain-compressor", {{kCompressOn, 1.0f}, {kCompressAmount, 0.9f / 0.99f},
                                         {kCompressMode, 1.0f}, {kMasterVolume, 0.5f}});
    ASSERT_EQ(f.engine->compressorMode(), 0.0f);
    auto in = sineWave(8192, 1000.0, 0.5);
    std::vector<float> l(8192), r(8192);
    f.run(in, in, l, r);
    // Driven tenfold the peaks would reach 5; the curve brings a driven 5 down to about 0.816.
    const double gain = std::pow(0.5, 2.737);
    const double t = (1.0 - (5.0 - 0.31) / (10.0 - 0.31)) * 0.707107;
    const double ceiling = (0.5 - t * t) * 1.38 + 0.31;
    double peak = 0.0;
    for (size_t i = 4096; i < l.size(); ++i)
        peak = std::max(peak, double(std::fabs(l[i])));
    EXPECT_NEAR(peak, gain * ceiling, 1e-3 * gain);
}

TEST(ChainCompressor, AmountNeverExceedsPointNineNineEvenUnderAnLfo)
{
    EngineFixture f("chain-compressor-amount", {{kCompressOn, 1.0f}, {kCompressAmount, 1.0f}});
    auto amount = [&](const std::vector<float>&) { return f.engine->compressorUnit().amount; };
    const std::vector<float> in(64, 0.001f);
    // Drive 1 / (1 - 0.99): a quiet input stays under the threshold and is only driven.
    EXPECT_EQ(f.range(in, 2, [](const std::vector<float>& out) { return out[63]; }).second,
              0.001f * (1.0f / (1.0f - 0.99f)));
    EXPECT_EQ(amount(in), 0.99f);
    setRecords(*f.engine, {{kLfo1Shape, 0.04f}, {kLfo1Depth, 1.0f}, {kLfo1Rate, 1.0f}, {kLfo1Target, 0.19f},
                           {kLfo1On, 1.0f}});
    EXPECT_EQ(f.range(in, 200, amount).second, 0.99f);
}

TEST(ChainModulation, LfosSweepTheTuneAndTheReleaseOverTheirRealRanges)
{
    EngineFixture f("chain-host-units",
                    {{kMagicEQOn, 1.0f}, {kMagicEQAmount, 0.5f}, {kMagicEQTune, 0.5f}, {kCompressOn, 1.0f},
                     {kCompressRelease, 0.5f}, {kLfo1Shape, 0.04f}, {kLfo1Depth, 1.0f}, {kLfo1Rate, kTwoHertz},
                     {kLfo2Shape, 0.04f}, {kLfo2Depth, 1.0f}, {kLfo2Rate, kTwoHertz}, {kLfo1Target, 0.18f},
                     {kLfo2Target, 0.20f}, {kLfo1On, 1.0f}, {kLfo2On, 1.0f}});
    const auto in = sineWave(64, 100.0, 0.3);
    float releaseLow = 1e9f, releaseHigh = 0.0f;
    const auto tune = f.range(in, 700, [&](const std::vector<float>&) {
        releaseLow = std::min(releaseLow, f.engine->compressorUnit().releaseTime);
        releaseHigh = std::max(releaseHigh, f.engine->compressorUnit().releaseTime);
        return f.engine->magicEqUnit().tune;
    });
    EXPECT_EQ(tune, std::make_pair(60.0f, 120.0f));
    EXPECT_FLOAT_EQ(releaseLow, 0.1f);
    EXPECT_FLOAT_EQ(releaseHigh, 2.0f);
    // Switched off, an LFO lets go: the record is back at its own value at once.
    f.engine->setParameter(kLfo1On, 0.0f);
    EXPECT_FLOAT_EQ(f.engine->parameter(kMagicEQTune)->targetValue(), 90.0f);
}

} // namespace
