// Band-pass unit: measured band against the analytic cascade, band plus reject, and state handling.
#include "dsp/bp_filter_unit.h"
#include "sine_probe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

constexpr float kRate = 44100.0f;

// Squared magnitude of the analogue second-order prototype, mapped by the bilinear transform that is
// prewarped at the section's corner.
double sectionDb(double frequencyHz, double cornerHz, double q, bool highPass, double rate)
{
    double o = std::tan(M_PI * frequencyHz / rate) / std::tan(M_PI * cornerHz / rate);
    double den = (1.0 - o * o) * (1.0 - o * o) + o * o / (q * q);
    double num = highPass ? o * o * o * o : 1.0;
    return 10.0 * std::log10(num / den);
}

// Two high-pass sections whose Q comes from the bandwidth in octaves, then two low-pass sections.
double bandDb(double frequencyHz, double lowHz, double highHz, double qLow, double qHigh, double rate)
{
    double w0 = 2.0 * M_PI * lowHz / rate;
    double octaves = (1.0 - qLow) + 0.6;
    double qEdge = 1.0 / (2.0 * std::sinh(std::log(2.0) / 2.0 * octaves * w0 / std::sin(w0)));
    return 2.0 * sectionDb(frequencyHz, lowHz, qEdge, true, rate)
         + 2.0 * sectionDb(frequencyHz, highHz, qHigh * 1.5 + 0.25, false, rate);
}

double unitGainDb(double frequencyHz, float lowHz, float highHz, float qLow, float qHigh)
{
    BpFilterUnit unit;
    unit.setSampleRate(kRate);
    float rejectL[64], rejectR[64];
    return measuredBlockGainDb(
        [&](float* l, float* r, int n) { unit.process(l, r, rejectL, rejectR, n, lowHz, highHz, qLow, qHigh); },
        frequencyHz, kRate);
}

TEST(BpFilterUnit, BandFollowsTheAnalyticCascadeOfItsFourSections)
{
    for (double hz : {60.0, 250.0, 1000.0, 4000.0, 15000.0})
        EXPECT_NEAR(unitGainDb(hz, 250.0f, 4000.0f, 0.5f, 0.3f), bandDb(hz, 250.0, 4000.0, 0.5, 0.3, kRate), 0.1)
            << hz << " Hz";
    EXPECT_LT(unitGainDb(60.0, 250.0f, 4000.0f, 0.5f, 0.3f), -20.0);
    EXPECT_LT(unitGainDb(15000.0, 250.0f, 4000.0f, 0.5f, 0.3f), -20.0);
    EXPECT_NEAR(unitGainDb(1000.0, 250.0f, 4000.0f, 0.0f, 0.5f), 0.0, 1.0); // about unity mid-band
    // A resonant edge (qHigh 1, Q 1.75) as designed.
    EXPECT_NEAR(unitGainDb(3000.0, 100.0f, 3000.0f, 1.0f, 1.0f), bandDb(3000.0, 100.0, 3000.0, 1.0, 1.0, kRate), 0.1);
}

TEST(BpFilterUnit, BandPlusRejectIsTheInputSampleBySample)
{
    BpFilterUnit unit;
    unit.setSampleRate(kRate);
    std::mt19937 random(7);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    float l[64], r[64], rl[64], rr[64], xl[64], xr[64];
    for (int block = 0; block < 200; ++block) {
        for (int i = 0; i < 64; ++i) {
            l[i] = xl[i] = noise(random);
            r[i] = xr[i] = noise(random);
        }
        // Settings move every few blocks so that redesigns happen under a running signal.
        float low = 100.0f + 50.0f * (block / 10), high = 5000.0f - 100.0f * (block / 7);
        unit.process(l, r, rl, rr, 64, low, high, (block % 5) * 0.25f, (block % 3) * 0.5f);
        for (int i = 0; i < 64; ++i) {
            ASSERT_NEAR(double(l[i]) + rl[i], xl[i], 1e-7 * (std::fabs(l[i]) + std::fabs(xl[i])));
            ASSERT_NEAR(double(r[i]) + rr[i], xr[i], 1e-7 * (std::fabs(r[i]) + std::fabs(xr[i])));
        }
    }
}

TEST(BpFilterUnit, CrossedEdgesAttenuateEverythingAndRejectCarriesTheInput)
{
    for (double hz : {100.0, 1000.0, 10000.0})
        EXPECT_LT(unitGainDb(hz, 8000.0f, 200.0f, 0.0f, 0.0f), -30.0) << hz << " Hz";

    BpFilterUnit unit;
    unit.setSampleRate(kRate);
    float rejectL[64], rejectR[64];
    double reject = measuredBlockGainDb(
        [&](float* l, float* r, int n) {
            unit.process(l, r, rejectL, rejectR, n, 8000.0f, 200.0f, 0.0f, 0.0f);
            std::copy(rejectL, rejectL + n, l);
        },
        1000.0, kRate);
    EXPECT_NEAR(reject, 0.0, 0.01);
}

TEST(BpFilterUnit, SampleRateChangeAndResetKeepTheHistories)
{
    BpFilterUnit unit;
    unit.setSampleRate(kRate);
    float l[64], r[64], rl[64], rr[64];
    for (int i = 0; i < 64; ++i)
        l[i] = r[i] = (i % 8 < 4) ? 0.5f : -0.5f;
    unit.process(l, r, rl, rr, 64, 200.0f, 5000.0f, 0.5f, 0.5f);
    EXPECT_TRUE(unit.setSampleRate(48000.0f));
    unit.reset();
    std::fill(l, l + 64, 0.0f);
    std::fill(r, r + 64, 0.0f);
    unit.process(l, r, rl, rr, 64, 200.0f, 5000.0f, 0.5f, 0.5f);
    EXPECT_NE(l[0], 0.0f); // the ringing tail of the earlier signal
    EXPECT_NE(r[0], 0.0f);
    EXPECT_FALSE(unit.setSampleRate(0.0f));
}

TEST(BpFilterUnit, ANaNBurstDoesNotStick)
{
    BpFilterUnit unit;
    unit.setSampleRate(kRate);
    float l[64], r[64], rl[64], rr[64];
    std::fill(l, l + 64, NAN);
    std::fill(r, r + 64, INFINITY);
    unit.process(l, r, rl, rr, 64, 200.0f, 5000.0f, 0.5f, 0.5f);
    for (int i = 0; i < 64; ++i)
        l[i] = r[i] = 0.25f;
    unit.process(l, r, rl, rr, 64, 200.0f, 5000.0f, 0.5f, 0.5f);
    for (int i = 0; i < 64; ++i) {
        ASSERT_TRUE(std::isfinite(l[i]) && std::isfinite(r[i])) << i;
        ASSERT_TRUE(std::isfinite(rl[i]) && std::isfinite(rr[i])) << i;
    }
}

} // namespace
