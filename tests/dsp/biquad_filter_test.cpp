// Biquad designs measured with sine probes against the responses the cookbook formulas promise.
#include "dsp/biquad_filter.h"
#include "sine_probe.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float kRate = 44100.0f;

double sectionGainDb(BiquadFilter filter, double frequencyHz)
{
    filter.clear();
    return measuredGainDb([&filter](float x) { return filter.tick(x); }, frequencyHz, kRate);
}

TEST(BiquadFilter, LowAndHighPassAreThreeDbDownAtTheirCornerWithButterworthQ)
{
    BiquadFilter lp, hp;
    lp.setLowPass(kRate, 1000.0f, 0.70710678f, true);
    hp.setHighPass(kRate, 1000.0f, 0.70710678f, true);
    EXPECT_NEAR(sectionGainDb(lp, 1000.0), -3.01, 0.02);
    EXPECT_NEAR(sectionGainDb(hp, 1000.0), -3.01, 0.02);
    EXPECT_NEAR(sectionGainDb(lp, 100.0), 0.0, 0.01);
    EXPECT_NEAR(sectionGainDb(hp, 10000.0), 0.0, 0.05);
    // Second order: about -12 dB per octave well above the corner.
    EXPECT_NEAR(sectionGainDb(lp, 4000.0) - sectionGainDb(lp, 2000.0), -12.0, 1.0);
}

TEST(BiquadFilter, ResonantLowPassPeaksAtQTimesUnityAtItsCorner)
{
    BiquadFilter lp;
    lp.setLowPass(kRate, 2000.0f, 4.0f, true);
    EXPECT_NEAR(sectionGainDb(lp, 2000.0), 20.0 * std::log10(4.0), 0.05);
}

TEST(BiquadFilter, BandPassHasUnityGainAtItsCentreAndHalfPowerAtTheBandEdges)
{
    BiquadFilter bp;
    bp.setBandPass(kRate, 1000.0f, 1.0f);
    EXPECT_NEAR(sectionGainDb(bp, 1000.0), 0.0, 0.01);
    // One octave wide, geometrically centred (bilinear warping is small at 1 kHz).
    EXPECT_NEAR(sectionGainDb(bp, 1000.0 * std::sqrt(2.0)), -3.01, 0.1);
    EXPECT_NEAR(sectionGainDb(bp, 1000.0 / std::sqrt(2.0)), -3.01, 0.1);
}

TEST(BiquadFilter, PeakingBellRaisesItsCentreByTheGainAndLeavesFarBandsAlone)
{
    BiquadFilter peak;
    peak.setPeaking(kRate, 90.0f, 1.0f, 10.0f);
    EXPECT_NEAR(sectionGainDb(peak, 90.0), 10.0, 0.02);
    EXPECT_NEAR(sectionGainDb(peak, 5000.0), 0.0, 0.05);
}

TEST(BiquadFilter, NotchRemovesItsCentre)
{
    BiquadFilter notch;
    notch.setNotch(kRate, 1000.0f, 1.0f, false);
    EXPECT_LT(sectionGainDb(notch, 1000.0), -40.0);
    EXPECT_NEAR(sectionGainDb(notch, 100.0), 0.0, 0.1);
}

TEST(BiquadFilter, RedesignKeepsTheHistory)
{
    BiquadFilter f;
    f.setLowPass(kRate, 500.0f, 0.7f, true);
    for (int i = 0; i < 10; ++i)
        f.tick(0.3f * i);
    BiquadFilter before = f;
    f.setHighPass(kRate, 3000.0f, 2.0f, false);
    EXPECT_EQ(f.x1, before.x1);
    EXPECT_EQ(f.x2, before.x2);
    EXPECT_EQ(f.y1, before.y1);
    EXPECT_EQ(f.y2, before.y2);
}

TEST(BiquadFilter, SilenceStaysExactlyZero)
{
    BiquadFilter f;
    f.setPeaking(kRate, 1000.0f, 1.0f, 6.0f);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(f.tick(0.0f), 0.0f);
}

TEST(BiquadFilter, DesignsAboveNyquistStayStableAtLowSampleRates)
{
    // A 20 kHz request at 32 kHz would put the pole outside the unit circle.
    BiquadFilter f;
    f.setLowPass(32000.0f, 20000.0f, 1.75f, true);
    float y = 0.0f;
    for (int i = 0; i < 100000; ++i)
        y = f.tick(i % 2 ? 1.0f : -1.0f);
    EXPECT_TRUE(std::isfinite(y));
    EXPECT_LT(std::fabs(y), 100.0f);
}

TEST(BiquadFilter, ARequestNoSectionCanCarryKeepsThePreviousDesign)
{
    BiquadFilter f;
    f.setLowPass(kRate, 1000.0f, 0.7f, true);
    BiquadFilter before = f;
    f.setHighPass(0.0f, 1000.0f, 1.0f, false); // no sample rate yet
    f.setBandPass(kRate, 0.0f, 1.0f);          // 0 Hz in the bandwidth form
    f.setLowPass(kRate, 1000.0f, 0.0f, true);  // Q of 0
    EXPECT_EQ(f.b0, before.b0);
    EXPECT_EQ(f.b1, before.b1);
    EXPECT_EQ(f.b2, before.b2);
    EXPECT_EQ(f.a1, before.a1);
    EXPECT_EQ(f.a2, before.a2);
}

TEST(BiquadFilter, FlushClearsTinyAndNonFiniteState)
{
    BiquadFilter f;
    f.y1 = 1e-20f;
    f.y2 = 0.5f;
    f.x1 = 0.25f;
    f.flushState();
    EXPECT_EQ(f.y1, 0.0f);
    EXPECT_EQ(f.y2, 0.0f);
    EXPECT_EQ(f.x1, 0.25f);

    f.y1 = 0.5f;
    f.x2 = NAN;
    f.flushState();
    EXPECT_EQ(f.x2, 0.0f);
    EXPECT_EQ(f.y1, 0.0f);
}

} // namespace
