// Band-pass unit: band plus reject is the input, crossed edges, and state handling. (The band itself is
// measured against the analytic cascade through the engine, in ChainBandPass.)
#include "dsp/bp_filter_unit.h"
#include "support/sine_probe.h"

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr float kRate = 44100.0f;

struct Unit {
    Unit() { unit.setSampleRate(kRate); }
    void run(float* l, float* r, int n, float lowHz, float highHz, float qLow, float qHigh)
    {
        unit.process(l, r, rejectL, rejectR, n, lowHz, highHz, qLow, qHigh);
    }
    BpFilterUnit unit;
    float rejectL[64] = {}, rejectR[64] = {};
};

TEST(BpFilterUnit, BandPlusRejectIsTheInputSampleBySampleWhileSettingsMove)
{
    Unit u;
    std::mt19937 random(7);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    float l[64], r[64], xl[64], xr[64];
    for (int block = 0; block < 200; ++block) {
        for (int i = 0; i < 64; ++i) {
            l[i] = xl[i] = noise(random);
            r[i] = xr[i] = noise(random);
        }
        // Redesigns every few blocks under a running signal.
        u.run(l, r, 64, 100.0f + 50.0f * (block / 10), 5000.0f - 100.0f * (block / 7), (block % 5) * 0.25f,
              (block % 3) * 0.5f);
        for (int i = 0; i < 64; ++i) {
            ASSERT_NEAR(double(l[i]) + u.rejectL[i], xl[i], 1e-7 * (std::fabs(l[i]) + std::fabs(xl[i])));
            ASSERT_NEAR(double(r[i]) + u.rejectR[i], xr[i], 1e-7 * (std::fabs(r[i]) + std::fabs(xr[i])));
        }
    }
}

TEST(BpFilterUnit, CrossedEdgesAttenuateEverythingAndRejectCarriesTheInput)
{
    for (double hz : {100.0, 1000.0, 10000.0}) {
        Unit u;
        EXPECT_LT(sineGainDb([&](float* l, float* r, int n) { u.run(l, r, n, 8000.0f, 200.0f, 0.0f, 0.0f); }, hz,
                             kRate),
                  -30.0)
            << hz << " Hz";
    }
    Unit u;
    const double reject = sineGainDb(
        [&](float* l, float* r, int n) {
            u.run(l, r, n, 8000.0f, 200.0f, 0.0f, 0.0f);
            std::copy(u.rejectL, u.rejectL + n, l);
        },
        1000.0, kRate);
    EXPECT_NEAR(reject, 0.0, 0.01);
}

TEST(BpFilterUnit, SampleRateChangeAndResetKeepTheHistoriesAndANaNBurstDoesNotStick)
{
    Unit u;
    float l[64], r[64];
    for (int i = 0; i < 64; ++i)
        l[i] = r[i] = (i % 8 < 4) ? 0.5f : -0.5f;
    u.run(l, r, 64, 200.0f, 5000.0f, 0.5f, 0.5f);
    EXPECT_TRUE(u.unit.setSampleRate(48000.0f));
    EXPECT_FALSE(u.unit.setSampleRate(0.0f));
    u.unit.reset();
    std::fill(l, l + 64, 0.0f);
    std::fill(r, r + 64, 0.0f);
    u.run(l, r, 64, 200.0f, 5000.0f, 0.5f, 0.5f);
    EXPECT_TRUE(l[0] != 0.0f && r[0] != 0.0f); // the ringing tail of the earlier signal

    std::fill(l, l + 64, NAN);
    std::fill(r, r + 64, INFINITY);
    u.run(l, r, 64, 200.0f, 5000.0f, 0.5f, 0.5f);
    std::fill(l, l + 64, 0.25f);
    std::fill(r, r + 64, 0.25f);
    u.run(l, r, 64, 200.0f, 5000.0f, 0.5f, 0.5f);
    for (int i = 0; i < 64; ++i)
        ASSERT_TRUE(std::isfinite(l[i] + r[i] + u.rejectL[i] + u.rejectR[i])) << i;
}

} // namespace
