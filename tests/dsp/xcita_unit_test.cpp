// Exciter: dry pass-through, the gain its follower drives, the clip and NaN recovery.
#include "dsp/xcita_unit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

namespace {

constexpr float kRate = 44100.0f;

// Runs `blocks` sub-blocks of 64 frames through a fresh unit at `amount`, both channels fed by
// signal(n, channel); check(l, r, block) sees each processed block.
void runBlocks(int blocks, float amount, const std::function<float(int, int)>& signal,
               const std::function<void(const float*, const float*, int)>& check)
{
    XcitaUnit unit;
    unit.setSampleRate(kRate);
    float l[64], r[64];
    for (int block = 0; block < blocks; ++block) {
        for (int i = 0; i < 64; ++i) {
            l[i] = signal(block * 64 + i, 0);
            r[i] = signal(block * 64 + i, 1);
        }
        unit.process(l, r, 64, amount);
        check(l, r, block);
    }
}

float tone(float amplitude, float hz, int n)
{
    return amplitude * std::sin(2.0f * float(M_PI) * hz * n / kRate);
}

TEST(XcitaUnit, AmountZeroIsBitExactAndSilenceStaysSilent)
{
    // A noise value that the check can work out again from n and the channel.
    auto noise = [](int n, int channel) { return std::sin(12.9898f * n + 78.233f * channel); };
    runBlocks(50, 0.0f, noise, [&](const float* l, const float* r, int block) {
        for (int i = 0; i < 64; ++i)
            ASSERT_TRUE(l[i] == noise(block * 64 + i, 0) && r[i] == noise(block * 64 + i, 1)) << i;
    });
    runBlocks(50, 1.0f, [](int, int) { return 0.0f; }, [](const float* l, const float* r, int) {
        for (int i = 0; i < 64; ++i)
            ASSERT_TRUE(l[i] == 0.0f && r[i] == 0.0f) << i;
    });
}

// Ratio of what the unit adds to the 7 kHz high band itself, for a 10 kHz sine of the given amplitude.
double addedGain(float amplitude)
{
    BiquadFilter band;
    band.setHighPass(kRate, 7000.0f, 1.0f, false);
    double added = 0.0, high = 0.0;
    runBlocks(200, 1.0f, [&](int n, int) { return tone(amplitude, 10000.0f, n); }, [&](const float* l, const float*, int block) {
        for (int i = 0; i < 64; ++i) {
            const float x = tone(amplitude, 10000.0f, block * 64 + i), h = band.tick(x);
            if (block >= 100) {
                added += double(l[i] - x) * (l[i] - x);
                high += double(h) * h;
            }
        }
    });
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
    float peak = 0.0f;
    runBlocks(100, 1.0f, [](int n, int) { return tone(1.0f, 9000.0f, n); }, [&](const float* l, const float*, int) {
        for (int i = 0; i < 64; ++i)
            peak = std::max(peak, std::fabs(l[i]));
    });
    EXPECT_EQ(peak, 0.999f);
    float last = 0.0f;
    runBlocks(20, 0.5f, [](int, int) { return 1.0f; }, [&](const float* l, const float*, int) { last = l[63]; });
    EXPECT_GT(last, 0.999f);
}

TEST(XcitaUnit, ANaNBurstDoesNotStick)
{
    runBlocks(2, 1.0f, [](int n, int channel) { return n < 64 ? (channel ? INFINITY : NAN) : 0.25f * ((n % 4) - 1.5f); },
              [](const float* l, const float* r, int block) {
                  for (int i = 0; i < 64 && block == 1; ++i)
                      ASSERT_TRUE(std::isfinite(l[i]) && std::isfinite(r[i])) << i;
              });
    XcitaUnit unit;
    EXPECT_FALSE(unit.setSampleRate(-1.0f));
}

} // namespace
