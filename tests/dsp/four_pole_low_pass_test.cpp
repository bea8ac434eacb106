// Four-pole low-pass measured against the prewarped fourth-order Butterworth response, and its state handling.
#include "dsp/four_pole_low_pass.h"
#include "support/sine_probe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

constexpr float kRate = 44100.0f;

double filterGainDb(FourPoleLowPass filter, double hz)
{
    filter.clearHistory();
    return tickGainDb([&filter](float x) { return filter.process(x); }, hz, kRate);
}

// |H| of the analogue Butterworth at the prewarped frequency, as the bilinear transform maps it.
double butterworthDb(double hz, double cutoffHz)
{
    const double r = std::tan(M_PI * hz / kRate) / std::tan(M_PI * cutoffHz / kRate);
    return -10.0 * std::log10(1.0 + std::pow(r, 8.0));
}

TEST(FourPoleLowPass, WithQOneItIsTheButterworthResponseAndHigherQPeaks)
{
    FourPoleLowPass f;
    f.design(kRate, 1000.0f, 1.0f);
    EXPECT_EQ(f.sectionCount, 2);
    EXPECT_NEAR(filterGainDb(f, 1000.0), -3.01, 0.02);
    for (double hz : {100.0, 500.0, 800.0, 1200.0, 2000.0, 4000.0})
        EXPECT_NEAR(filterGainDb(f, hz), butterworthDb(hz, 1000.0), 0.05) << hz << " Hz";
    // About -24 dB per octave above the cutoff, unity at DC.
    EXPECT_NEAR(filterGainDb(f, 4000.0) - filterGainDb(f, 2000.0), -24.0, 1.0);
    f.clearHistory();
    float y = 0.0f;
    for (int i = 0; i < 20000; ++i)
        y = f.process(1.0f);
    EXPECT_NEAR(y, 1.0f, 1e-5f);

    f.design(kRate, 2000.0f, 4.0f);
    EXPECT_GT(filterGainDb(f, 2000.0), 6.0);
    EXPECT_LT(filterGainDb(f, 8000.0), -30.0);
}

TEST(FourPoleLowPass, RedesignKeepsHistoryCopyGivesTheSameOutputAndImpossibleRequestsChangeNothing)
{
    FourPoleLowPass a, b;
    a.design(kRate, 500.0f, 2.0f);
    for (int i = 0; i < 10; ++i)
        a.process(0.1f * i);
    const FourPoleLowPass before = a;
    a.design(0.0f, 1000.0f, 1.0f);
    a.design(kRate, 0.0f, 1.0f);
    a.design(kRate, 1000.0f, 0.0f);
    EXPECT_EQ(a.gain, before.gain);
    EXPECT_TRUE(std::equal(std::begin(a.coefficients), std::end(a.coefficients), before.coefficients));
    a.design(kRate, 3000.0f, 1.0f);
    EXPECT_TRUE(std::equal(std::begin(a.history), std::end(a.history), before.history));

    b.copyDesign(a);
    b.clearHistory();
    a.clearHistory();
    for (int i = 0; i < 100; ++i) {
        const float x = std::sin(0.1f * i);
        ASSERT_EQ(a.process(x), b.process(x));
    }
}

TEST(FourPoleLowPass, StaysStableAtHalfTheRateAndFlushClearsTinyAndNonFiniteHistory)
{
    // 16 kHz at 32 kHz sits exactly at half the rate, where tan() has no finite value.
    FourPoleLowPass f;
    f.design(32000.0f, 16000.0f, 7.0f);
    float peak = 0.0f;
    for (int i = 0; i < 100000; ++i) {
        const float y = std::fabs(f.process(i % 2 ? 1.0f : -1.0f));
        peak = y > peak || y != y ? y : peak; // a NaN stays
    }
    EXPECT_LT(peak, 100.0f);

    f.history[0] = 1e-20f;
    f.history[1] = 0.5f;
    f.history[2] = NAN;
    f.history[3] = INFINITY;
    f.flushHistory();
    EXPECT_TRUE(f.history[0] == 0.0f && f.history[1] == 0.5f && f.history[2] == 0.0f && f.history[3] == 0.0f);
    EXPECT_TRUE(std::isfinite(f.process(0.5f)));
}

} // namespace
