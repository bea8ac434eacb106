// Biquad designs measured with sine probes against the responses the cookbook formulas promise, and the
// section's state handling.
#include "dsp/biquad_filter.h"
#include "support/sine_probe.h"

#include <gtest/gtest.h>

namespace {

constexpr float kRate = 44100.0f;

double sectionGainDb(BiquadFilter filter, double hz)
{
    filter.clear();
    return tickGainDb([&filter](float x) { return filter.tick(x); }, hz, kRate);
}

TEST(BiquadFilter, EachDesignMeasuresAsItsFormulaIntends)
{
    BiquadFilter lp, hp, resonant, bp, peak, notch;
    lp.setLowPass(kRate, 1000.0f, 0.70710678f, true);
    hp.setHighPass(kRate, 1000.0f, 0.70710678f, true);
    resonant.setLowPass(kRate, 2000.0f, 4.0f, true);
    bp.setBandPass(kRate, 1000.0f, 1.0f);
    peak.setPeaking(kRate, 90.0f, 1.0f, 10.0f);
    notch.setNotch(kRate, 1000.0f, 1.0f, false);
    const struct {
        const BiquadFilter& filter;
        double hz, db, tolerance;
    } probes[] = {
        // Butterworth Q: -3 dB at the corner, unity far inside the band.
        {lp, 1000.0, -3.01, 0.02}, {lp, 100.0, 0.0, 0.01}, {hp, 1000.0, -3.01, 0.02}, {hp, 10000.0, 0.0, 0.05},
        // A resonant low-pass peaks at Q times unity at its corner.
        {resonant, 2000.0, 20.0 * std::log10(4.0), 0.05},
        // One octave wide, geometrically centred (bilinear warping is small at 1 kHz).
        {bp, 1000.0, 0.0, 0.01}, {bp, 1000.0 * M_SQRT2, -3.01, 0.1}, {bp, 1000.0 / M_SQRT2, -3.01, 0.1},
        {peak, 90.0, 10.0, 0.02}, {peak, 5000.0, 0.0, 0.05}, {notch, 100.0, 0.0, 0.1},
    };
    for (const auto& p : probes)
        EXPECT_NEAR(sectionGainDb(p.filter, p.hz), p.db, p.tolerance) << &p - probes;
    EXPECT_LT(sectionGainDb(notch, 1000.0), -40.0);
    // Second order: about -12 dB per octave well above the corner.
    EXPECT_NEAR(sectionGainDb(lp, 4000.0) - sectionGainDb(lp, 2000.0), -12.0, 1.0);
}

TEST(BiquadFilter, RedesignKeepsTheHistoryAndImpossibleRequestsKeepTheDesign)
{
    BiquadFilter f;
    f.setLowPass(kRate, 500.0f, 0.7f, true);
    for (int i = 0; i < 10; ++i)
        f.tick(0.3f * i);
    const BiquadFilter before = f;
    f.setHighPass(0.0f, 1000.0f, 1.0f, false); // no sample rate yet
    f.setBandPass(kRate, 0.0f, 1.0f);          // 0 Hz in the bandwidth form
    f.setLowPass(kRate, 1000.0f, 0.0f, true);  // Q of 0
    EXPECT_TRUE(f.b0 == before.b0 && f.b1 == before.b1 && f.b2 == before.b2 && f.a1 == before.a1 &&
                f.a2 == before.a2);
    f.setHighPass(kRate, 3000.0f, 2.0f, false);
    EXPECT_NE(f.b0, before.b0);
    EXPECT_TRUE(f.x1 == before.x1 && f.x2 == before.x2 && f.y1 == before.y1 && f.y2 == before.y2);
}

TEST(BiquadFilter, SilenceStaysZeroAndFlushClearsTinyAndNonFiniteState)
{
    BiquadFilter f;
    f.setPeaking(kRate, 1000.0f, 1.0f, 6.0f);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(f.tick(0.0f), 0.0f);
    f.y1 = 1e-20f;
    f.y2 = 0.5f;
    f.x1 = 0.25f;
    f.flushState();
    EXPECT_TRUE(f.y1 == 0.0f && f.y2 == 0.0f && f.x1 == 0.25f);
    f.y1 = 0.5f;
    f.x2 = NAN;
    f.flushState();
    EXPECT_TRUE(f.x2 == 0.0f && f.y1 == 0.0f);
}

TEST(BiquadFilter, DesignsAboveWhatTheRateCarriesStayStable)
{
    // A 20 kHz request at 32 kHz would put the pole outside the unit circle.
    BiquadFilter f;
    f.setLowPass(32000.0f, 20000.0f, 1.75f, true);
    float y = 0.0f;
    for (int i = 0; i < 100000; ++i)
        y = f.tick(i % 2 ? 1.0f : -1.0f);
    EXPECT_LT(std::fabs(y), 100.0f); // also false for NaN
}

} // namespace
