// Exciter: dry pass-through, the gain its follower drives, the clip and NaN recovery.
#include "dsp/xcita_unit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

constexpr float kRate = 44100.0f;

TEST(XcitaUnit, AmountZeroIsBitExactAndSilenceStaysSilent)
{
    XcitaUnit unit;
    unit.setSampleRate(kRate);
    std::mt19937 random(3);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    float l[64], r[64], xl[64], xr[64];
    for (int block = 0; block < 50; ++block) {
        for (int i = 0; i < 64; ++i) {
            l[i] = xl[i] = noise(random);
            r[i] = xr[i] = noise(random);
        }
        unit.process(l, r, 64, 0.0f);
        for (int i = 0; i < 64; ++i) {
            ASSERT_EQ(l[i], xl[i]);
            ASSERT_EQ(r[i], xr[i]);
        }
    }

    XcitaUnit quiet;
    quiet.setSampleRate(kRate);
    for (int block = 0; block < 50; ++block) {
        std::fill(l, l + 64, 0.0f);
        std::fill(r, r + 64, 0.0f);
        quiet.process(l, r, 64, 1.0f);
        for (int i = 0; i < 64; ++i)
            ASSERT_EQ(l[i], 0.0f);
    }
}

// Ratio of what the unit adds to the 7 kHz high band itself, for a 10 kHz sine of the given amplitude.
double addedGain(float amplitude)
{
    XcitaUnit unit;
    unit.setSampleRate(kRate);
    BiquadFilter band;
    band.setHighPass(kRate, 7000.0f, 1.0f, false);
    double added = 0.0, high = 0.0;
    float l[64], r[64];
    for (int block = 0; block < 200; ++block) {
        float x[64];
        for (int i = 0; i < 64; ++i)
            l[i] = r[i] = x[i] = amplitude * std::sin(2.0f * float(M_PI) * 10000.0f * (block * 64 + i) / kRate);
        unit.process(l, r, 64, 1.0f);
        for (int i = 0; i < 64; ++i) {
            float h = band.tick(x[i]);
            if (block >= 100) {
                added += double(l[i] - x[i]) * (l[i] - x[i]);
                high += double(h) * h;
            }
        }
    }
    return std::sqrt(added / high);
}

TEST(XcitaUnit, TrebleAboveAboutMinus60DbGetsThreeTimesItsLevelQuietTrebleLittle)
{
    EXPECT_NEAR(addedGain(0.01f), 3.0, 1e-3);
    EXPECT_NEAR(addedGain(0.002f), 3.0, 1e-3);
    EXPECT_LT(addedGain(0.0001f), 0.5);
}

TEST(XcitaUnit, WetNeverLeavesTheClipButTheBlendOfAFullScaleDryCan)
{
    XcitaUnit unit;
    unit.setSampleRate(kRate);
    float l[64], r[64];
    float peak = 0.0f;
    for (int block = 0; block < 100; ++block) {
        for (int i = 0; i < 64; ++i)
            l[i] = r[i] = std::sin(2.0f * float(M_PI) * 9000.0f * (block * 64 + i) / kRate);
        unit.process(l, r, 64, 1.0f);
        for (int i = 0; i < 64; ++i)
            peak = std::max(peak, std::fabs(l[i]));
    }
    EXPECT_EQ(peak, 0.999f);

    XcitaUnit blend;
    blend.setSampleRate(kRate);
    for (int block = 0; block < 20; ++block) {
        std::fill(l, l + 64, 1.0f);
        std::fill(r, r + 64, 1.0f);
        blend.process(l, r, 64, 0.5f);
    }
    EXPECT_GT(l[63], 0.999f);
}

TEST(XcitaUnit, ANaNBurstDoesNotStick)
{
    XcitaUnit unit;
    unit.setSampleRate(kRate);
    float l[64], r[64];
    std::fill(l, l + 64, NAN);
    std::fill(r, r + 64, INFINITY);
    unit.process(l, r, 64, 1.0f);
    for (int i = 0; i < 64; ++i)
        l[i] = r[i] = 0.25f * ((i % 4) - 1.5f);
    unit.process(l, r, 64, 1.0f);
    for (int i = 0; i < 64; ++i)
        ASSERT_TRUE(std::isfinite(l[i]) && std::isfinite(r[i])) << i;
    EXPECT_FALSE(unit.setSampleRate(-1.0f));
}

} // namespace
