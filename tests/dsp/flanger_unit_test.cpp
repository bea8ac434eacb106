// Flanger: pass-through at amount 0, the delay range and its sweep measured sample by sample, shared wet part.
#include "dsp/flanger_unit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <random>
#include <vector>

namespace {

constexpr float kRate = 44100.0f;

// Built the way the engine builds it: fixed range right after construction, sample rate afterwards.
FlangerUnit engineFlanger()
{
    FlangerUnit f;
    f.minDelay = 0.001f;
    f.applyDelayRange();
    f.depth = 0.002f;
    f.applyDelayRange();
    f.stereoOffset = 0.0f;
    f.setSampleRate(kRate);
    return f;
}

// Runs whole buffers through the unit in sub-blocks of at most 64 frames.
void run(FlangerUnit& f, std::vector<float>& l, std::vector<float>& r, float amount, float rateHz)
{
    for (size_t p = 0; p < l.size(); p += 64) {
        int n = static_cast<int>(std::min<size_t>(64, l.size() - p));
        f.process(l.data() + p, r.data() + p, n, amount, rateHz, 0.0f);
    }
}

std::vector<float> noise(size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<float> dist(-0.5f, 0.5f);
    std::vector<float> v(n);
    for (float& x : v)
        x = dist(gen);
    return v;
}

TEST(FlangerUnit, AmountZeroOrNoSampleRateLeaveBothChannelsUnchanged)
{
    FlangerUnit f = engineFlanger(), unready;
    f.stereoOffset = 1.0f;
    unready.applyDelayRange();
    for (auto [unit, amount] : {std::pair(&f, 0.0f), std::pair(&unready, 1.0f)}) {
        std::vector<float> l = noise(5000, 1), r = noise(5000, 2);
        const std::vector<float> inL = l, inR = r;
        run(*unit, l, r, amount, 2.0f);
        EXPECT_TRUE(l == inL && r == inR) << amount;
    }
}

TEST(FlangerUnit, ANonFiniteSampleLeavesTheDelayLineWithin132Samples)
{
    const float bad[] = {std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN(),
                         3e38f};
    for (float x : bad) {
        FlangerUnit f = engineFlanger();
        std::vector<float> l(4410, 0.25f), r(4410, -0.1f);
        l[100] = x;
        r[100] = x;
        run(f, l, r, 1.0f, 2.0f);
        for (size_t i = 101 + 132; i < l.size(); ++i)
            ASSERT_TRUE(std::isfinite(l[i]) && std::isfinite(r[i])) << x << " at " << i;
        EXPECT_NEAR(l.back(), 0.5f * 0.25f + 0.5f * 0.075f, 1e-6f) << x;
    }
}

TEST(FlangerUnit, DelayRangeGivesLength132AndLead88AtEitherSetupOrder)
{
    FlangerUnit a = engineFlanger();
    EXPECT_EQ(a.length, 132);
    EXPECT_EQ(a.readIndex - a.writeIndex, 88);

    FlangerUnit b;
    b.setSampleRate(kRate);
    b.minDelay = 0.001f;
    b.applyDelayRange();
    b.depth = 0.002f;
    b.applyDelayRange();
    EXPECT_EQ(b.length, 132);
    EXPECT_EQ((b.readIndex - b.writeIndex + b.length) % b.length, 88);

    // 35 ms of memory bounds any range; a range beyond it is held inside the buffer.
    EXPECT_EQ(b.buffer.size(), 1544u);
    b.depth = 1.0f;
    b.applyDelayRange();
    EXPECT_LE(b.length, 1544);
    std::vector<float> l = noise(256, 5), r = l, in = l;
    run(b, l, r, 1.0f, 2.0f);
    EXPECT_EQ(l, in);
}

// With a ramp on both channels the tap reads back the ramp's own value, so the delay is visible as
// input minus tap.
TEST(FlangerUnit, SweepsFrom43To131SamplesAlongASineAtTheRate)
{
    FlangerUnit f = engineFlanger();
    const float rateHz = 2.0f;
    const size_t n = 24000;
    std::vector<float> l(n), r(n), in(n);
    for (size_t i = 0; i < n; ++i)
        in[i] = l[i] = r[i] = static_cast<float>(i) / 65536.0f;
    run(f, l, r, 1.0f, rateHz);

    double lowest = 1e9, highest = -1e9, worst = 0.0;
    for (size_t i = 200; i < n; ++i) {
        double tapValue = 2.0 * l[i] - in[i];
        double delay = (static_cast<double>(i) - tapValue * 65536.0);
        lowest = std::min(lowest, delay);
        highest = std::max(highest, delay);
        double expected = 43.0 + 44.1 * (1.0 + std::sin(2.0 * M_PI * rateHz * (i + 1) / kRate));
        worst = std::max(worst, std::fabs(delay - expected));
        ASSERT_EQ(l[i], r[i]);
    }
    EXPECT_NEAR(lowest, 43.0, 0.05);
    EXPECT_NEAR(highest, 131.2, 0.05);
    // The float phase drifts a little over a cycle; the shape must still follow the sine.
    EXPECT_LT(worst, 0.3);
}

TEST(FlangerUnit, WithoutOffsetBothChannelsCarryTheSameDelayedMid)
{
    FlangerUnit f = engineFlanger();
    std::vector<float> l = noise(4000, 6), r(4000, 0.0f);
    std::vector<float> inL = l;
    run(f, l, r, 1.0f, 0.7f);
    double energy = 0.0;
    for (size_t i = 0; i < l.size(); ++i) {
        float wetLeft = l[i] - 0.5f * inL[i];
        ASSERT_NEAR(wetLeft, r[i], 1e-7f) << i;
        energy += double(r[i]) * r[i];
    }
    // A left-only signal reaches the right side no sooner than 43 samples later, at a quarter of its
    // level (half mid, half wet); interpolating between two samples costs up to a third of its power.
    for (int i = 0; i < 43; ++i)
        ASSERT_EQ(r[i], 0.0f);
    const double quarterPower = (1.0 / 12.0) / 16.0;
    EXPECT_GT(energy / l.size(), 0.6 * quarterPower);
    EXPECT_LT(energy / l.size(), quarterPower);
}

} // namespace
