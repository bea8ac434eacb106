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

TEST(ChainBandPass, CutsOutsideTheBandPassesInsideAsDesignedAndTheRejectMixBringsItBack)
{
    EngineFixture f("chain-bandpass");
    ProductEngine& e = *f.engine;
    e.setParameter(kBpFilterOn, 1.0f);
    // The upper edge first: the lower one may not pass it.
    e.setParameter(kBpFilterHigh, 219.5f / 284.0f);
    e.setParameter(kBpFilterLow, 106.5f / 284.0f);
    e.setParameter(kBpFilterQLow, 0.4f);
    e.setParameter(kBpFilterQHigh, 0.6f);
    e.resume();
    ASSERT_EQ(frequencyScaleHz(e.getParameter(kBpFilterLow)), 250.0f);
    ASSERT_EQ(frequencyScaleHz(e.getParameter(kBpFilterHigh)), 4090.0f);

    // Two high-pass sections of 1.2 octaves at 250 Hz, two low-pass sections of Q 1.15 at 4090 Hz.
    const double rate = 44100.0;
    const Cookbook high = Cookbook::highPassBandwidth(250.0, 1.2, rate);
    const Cookbook low = Cookbook::lowPassQ(4090.0, 1.15, rate);
    auto analytic = [&](double hz) { return 2.0 * high.gainDb(hz, rate) + 2.0 * low.gainDb(hz, rate); };

    const double at60 = engineGainDb(e, 60.0), at1k = engineGainDb(e, 1000.0), at15k = engineGainDb(e, 15000.0);
    EXPECT_LT(at60, -20.0);
    EXPECT_LT(at15k, -20.0);
    EXPECT_NEAR(at60, analytic(60.0), 0.1);
    EXPECT_NEAR(at15k, analytic(15000.0), 0.1);
    EXPECT_NEAR(at1k, analytic(1000.0), 0.01);

    e.setParameter(kBpFilterBRMix, 1.0f);
    for (double hz : {60.0, 1000.0, 15000.0})
        EXPECT_NEAR(engineGainDb(e, hz), 0.0, 0.001) << hz;
}

TEST(ChainDistortion, CrusherMechAndTubeReadTheirOwnAmountsInChainOrder)
{
    EngineFixture f("chain-dist");
    ProductEngine& e = *f.engine;
    e.setParameter(kDistOn, 1.0f);
    e.setParameter(kDistBitCrusher, 0.8f);
    e.resume();
    // Three bits: every output a multiple of 1/8, and only a few levels between -0.625 and 0.625.
    auto in = sineWave(4096, 440.0, 0.6);
    std::vector<float> outL(4096), outR(4096);
    f.run(in, in, outL, outR);
    std::set<float> levels(outL.begin(), outL.end());
    for (float v : levels)
        ASSERT_EQ(v * 8.0f, std::nearbyint(v * 8.0f)) << v;
    EXPECT_EQ(levels.size(), 11u);

    // One bit, then "Mech" at drive 2: 0.3 becomes 0.5 and then 0.8 (the other order would give 0.5).
    e.setParameter(kDistBitCrusher, 1.0f);
    e.setParameter(kDistMech, 0.1f);
    e.resume();
    std::vector<float> dc(64, 0.3f);
    std::vector<float> l(64), r(64);
    f.run(dc, dc, l, r);
    EXPECT_EQ(l[10], 0.8f);

    // The tube alone, full drive: 0.5 driven to 2.5 on the parabola above 0.6.
    e.setParameter(kDistBitCrusher, 0.0f);
    e.setParameter(kDistMech, 0.0f);
    e.setParameter(kDistTube, 1.0f);
    e.resume();
    std::vector<float> half(64, 0.5f);
    f.run(half, half, l, r);
    const float t = (1.0f - (2.5f - 0.6f) / (5.0f - 0.6f)) * 0.707107f;
    EXPECT_EQ(l[10], (0.5f - t * t) * 0.79999995f + 0.6f);
}

TEST(ChainExciter, RaisesTheTrebleAndLeavesTheBassAlone)
{
    EngineFixture f("chain-exciter");
    ProductEngine& e = *f.engine;
    e.setParameter(kDistOn, 1.0f);
    e.setParameter(kDistXcita, 1.0f);
    e.resume();
    EXPECT_GT(engineGainDb(e, 9000.0, 0.05), 6.0);
    EXPECT_NEAR(engineGainDb(e, 200.0, 0.05), 0.0, 0.05);
}

TEST(ChainMultimodeFilter, RingModSoundsAtOnceAfterTheTypeChange)
{
    EngineFixture f("chain-ring");
    ProductEngine& e = *f.engine;
    e.setParameter(kMmFilterOn, 1.0f);
    e.setParameter(kMmFilterMix, 1.0f);
    e.setParameter(kMmFilterCutoff, 0.0f);
    e.resume();
    std::vector<float> dc(256, 0.5f);
    std::vector<float> l(256), r(256);
    f.run(dc, dc, l, r);

    e.setParameter(kMmFilterType, 0.09f);
    ASSERT_EQ(e.filterType(), 9);
    f.run(dc, dc, l, r);
    // An 80 Hz carrier from phase 0, read from the 200-step table.
    for (int i = 0; i < 256; ++i)
        ASSERT_NEAR(l[i], 0.5 * std::sin(2.0 * M_PI * 80.0 * (i + 1) / 44100.0), 1e-4) << i;
}

TEST(ChainMultimodeFilter, AnLfoOnTheCutoffMovesTheFilter)
{
    EngineFixture f("chain-lfo-cutoff");
    ProductEngine& e = *f.engine;
    e.setParameter(kMmFilterOn, 1.0f);
    e.setParameter(kMmFilterMix, 1.0f);
    e.setParameter(kMmFilterCutoff, 0.5f);
    e.setParameter(kLfo1Shape, 0.04f);
    e.setParameter(kLfo1Depth, 1.0f);
    e.setParameter(kLfo1Rate, (2.0f - 0.02f) / 7.98f);
    e.setParameter(kLfo1Target, 0.13f);
    e.resume();
    std::vector<float> in(64, 0.25f), l(64), r(64);
    f.run(in, in, l, r);
    EXPECT_NEAR(e.multimodeFilterUnit().cutoffHz(), 1278.0f, 1.0f);

    // A square of depth 1 throws the cutoff between its ends: 80 Hz and 16 kHz.
    e.setParameter(kLfo1On, 1.0f);
    float lowestHz = 1e9f, highestHz = 0.0f;
    for (int k = 0; k < 700; ++k) {
        f.run(in, in, l, r);
        lowestHz = std::min(lowestHz, e.multimodeFilterUnit().cutoffHz());
        highestHz = std::max(highestHz, e.multimodeFilterUnit().cutoffHz());
    }
    EXPECT_EQ(lowestHz, 80.0f);
    EXPECT_EQ(highestHz, 16000.0f);
}

TEST(ChainFlanger, AnImpulseComesBackOnceBetweenOneAndThreeMilliseconds)
{
    EngineFixture f("chain-flanger");
    ProductEngine& e = *f.engine;
    e.setParameter(kFlangerOn, 1.0f);
    e.setParameter(kFlangerAmount, 1.0f);
    e.setParameter(kFlangerRate, 0.0f);
    e.resume();
    std::vector<float> in(256, 0.0f), l(256), r(256);
    in[0] = 1.0f;
    f.run(in, in, l, r);
    EXPECT_EQ(l[0], 0.5f);
    double echo = 0.0;
    for (int i = 1; i < 256; ++i) {
        if (i < 43 || i > 132) {
            ASSERT_EQ(l[i], 0.0f) << i;
        }
        echo += l[i];
        ASSERT_EQ(l[i], r[i]) << i;
    }
    EXPECT_NEAR(echo, 0.5, 1e-3);
}

TEST(ChainMagicEq, BoostsTheTunedBassAndCutsTheSubAsItsTwoSectionsGive)
{
    EngineFixture f("chain-magic");
    ProductEngine& e = *f.engine;
    e.setParameter(kMagicEQOn, 1.0f);
    e.setParameter(kMagicEQAmount, 1.0f);
    e.setParameter(kMagicEQTune, 0.5f);
    e.setParameter(kMagicEQMode, 1.0f);
    e.resume();
    // The bell's +10 dB and the resonant high-pass's rise at 41 Hz add up to about 11.7 dB at 90 Hz; the
    // high-pass cuts 20 Hz by only about 9 dB.
    EXPECT_NEAR(magicEqWetDb(90.0, 90.0), 11.7, 0.1);
    EXPECT_NEAR(magicEqWetDb(90.0, 20.0), -9.0, 1.0);
    for (double hz : {90.0, 20.0})
        EXPECT_NEAR(engineGainDb(e, hz, 0.05, 16384), magicEqWetDb(90.0, hz), 0.02) << hz;
    EXPECT_EQ(e.magicEqUnit().tune, 90.0f);
    EXPECT_EQ(e.magicEqUnit().limiter.gain, 1.0f); // far below full scale the limiter never acts
}

TEST(ChainCompressor, ReducesADrivenSineToTheCeiling)
{
    EngineFixture f("chain-compressor");
    ProductEngine& e = *f.engine;
    e.setParameter(kCompressOn, 1.0f);
    e.setParameter(kCompressAmount, 0.9f / 0.99f);
    e.setParameter(kCompressMode, 1.0f);
    e.setParameter(kMasterVolume, 0.5f);
    e.resume();
    ASSERT_EQ(e.compressorMode(), 0.0f);
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
    EngineFixture f("chain-compressor-amount");
    ProductEngine& e = *f.engine;
    e.setParameter(kCompressOn, 1.0f);
    e.setParameter(kCompressAmount, 1.0f);
    e.resume();
    std::vector<float> in(64, 0.001f);
    std::vector<float> l(64), r(64);
    f.run(in, in, l, r);
    f.run(in, in, l, r);
    EXPECT_EQ(e.compressorUnit().amount, 0.99f);
    // Drive 1 / (1 - 0.99): a quiet input stays under the threshold and is only driven.
    EXPECT_EQ(l[63], 0.001f * (1.0f / (1.0f - 0.99f)));

    e.setParameter(kLfo1Shape, 0.04f);
    e.setParameter(kLfo1Depth, 1.0f);
    e.setParameter(kLfo1Rate, 1.0f);
    e.setParameter(kLfo1Target, 0.19f);
    e.setParameter(kLfo1On, 1.0f);
    float highest = 0.0f;
    for (int k = 0; k < 200; ++k) {
        f.run(in, in, l, r);
        highest = std::max(highest, e.compressorUnit().amount);
    }
    EXPECT_EQ(highest, 0.99f);
}

TEST(ChainModulation, LfosSweepTheTuneAndTheReleaseOverTheirRealRanges)
{
    EngineFixture f("chain-host-units");
    ProductEngine& e = *f.engine;
    e.setParameter(kMagicEQOn, 1.0f);
    e.setParameter(kMagicEQAmount, 0.5f);
    e.setParameter(kMagicEQTune, 0.5f);
    e.setParameter(kCompressOn, 1.0f);
    e.setParameter(kCompressRelease, 0.5f);
    for (int lfo : {kLfo1On, kLfo2On}) {
        e.setParameter(lfo + 2, 0.04f);
        e.setParameter(lfo + 3, 1.0f);
        e.setParameter(lfo + 4, (2.0f - 0.02f) / 7.98f);
    }
    e.setParameter(kLfo1Target, 0.18f);
    e.setParameter(kLfo2Target, 0.20f);
    e.setParameter(kLfo1On, 1.0f);
    e.setParameter(kLfo2On, 1.0f);
    e.resume();
    auto in = sineWave(64, 100.0, 0.3);
    std::vector<float> l(64), r(64);
    float tuneLow = 1e9f, tuneHigh = 0.0f, releaseLow = 1e9f, releaseHigh = 0.0f;
    for (int k = 0; k < 700; ++k) {
        f.run(in, in, l, r);
        tuneLow = std::min(tuneLow, e.magicEqUnit().tune);
        tuneHigh = std::max(tuneHigh, e.magicEqUnit().tune);
        releaseLow = std::min(releaseLow, e.compressorUnit().releaseTime);
        releaseHigh = std::max(releaseHigh, e.compressorUnit().releaseTime);
    }
    EXPECT_EQ(tuneLow, 60.0f);
    EXPECT_EQ(tuneHigh, 120.0f);
    EXPECT_FLOAT_EQ(releaseLow, 0.1f);
    EXPECT_FLOAT_EQ(releaseHigh, 2.0f);
    // Switched off, an LFO lets go: the record is back at its own value at once.
    e.setParameter(kLfo1On, 0.0f);
    EXPECT_FLOAT_EQ(e.parameter(kMagicEQTune)->targetValue(), 90.0f);
}

} // namespace
