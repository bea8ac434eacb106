// Bit crusher, "Mech" and tube curves: exact quantiser outputs and curve points against closed forms.
#include "dsp/dist_unit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace {

using Stage = void (DistUnit::*)(float*, float*, int, float);

// Runs one stage on a single value, placed in both channels; checks both agree.
float shaped(Stage stage, float x, float amount)
{
    float l[1] = {x}, r[1] = {x};
    DistUnit unit;
    (unit.*stage)(l, r, 1, amount);
    EXPECT_EQ(l[0], r[0]);
    return l[0];
}

float crushed(float x, float amount) { return shaped(&DistUnit::crush, x, amount); }
float meched(float x, float amount) { return shaped(&DistUnit::mech, x, amount); }
float tubed(float x, float amount) { return shaped(&DistUnit::tube, x, amount); }

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(DistUnit, CrushBitDepthFollowsTheAmountInFloat32AndRoundsTiesToEven)
{
    DistUnit unit;
    float l[1] = {0.0f}, r[1] = {0.0f};
    const std::pair<float, int> depths[] = {{0.0f, 16}, {0.2f, 13}, {0.4f, 10}, {0.5f, 8}, {0.6f, 6}, {0.8f, 3}, {1.0f, 1}};
    for (const auto& [amount, bits] : depths) {
        unit.crush(l, r, 1, amount);
        EXPECT_EQ(unit.bits(), bits) << amount;
    }
    const struct {
        float x, amount, expected;
    } points[] = {
        {0.3f, 0.0f, 19661.0f / 65536.0f}, {0.3f, 1.0f, 0.5f}, {0.2f, 1.0f, 0.0f}, {0.25f, 1.0f, 0.0f},
        {0.75f, 1.0f, 1.0f}, {-0.25f, 1.0f, 0.0f}, {-0.3f, 1.0f, -0.5f},
        {1.0f, 1.0f, 1.0f}, // no clipping: full scale is two steps
        {0.3f, 0.6f, 19.0f / 64.0f}, {2.5f / 64.0f, 0.6f, 2.0f / 64.0f}, {3.5f / 64.0f, 0.6f, 4.0f / 64.0f},
        // Amounts outside 0..1 are held to it instead of asking for a bit depth below 1.
        {0.3f, 7.0f, 0.5f}, {0.3f, NAN, 19661.0f / 65536.0f},
    };
    for (const auto& p : points)
        EXPECT_EQ(crushed(p.x, p.amount), p.expected) << p.x << " at " << p.amount;
}

// The crusher against the C library's rounding, bit for bit (signed zeros included), at every depth,
// for block lengths that leave every remainder after groups of four. (That the shapers' four-at-a-time
// paths give the same bits for any call length is held by the chain's pinned checksums.)
TEST(DistUnit, CrushEqualsNearbyintTimesTheStepBitForBit)
{
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<float> values = {0.0f, -0.0f, 0.25f, -0.25f, 0.75f, -0.75f, 1e-40f, -1e-40f, 127.9f, -200.0f,
                                 3e38f, inf, -inf};
    std::mt19937 random(3);
    std::uniform_real_distribution<float> spread(-2.0f, 2.0f);
    for (int i = 0; i < 3000; ++i)
        values.push_back(spread(random));
    // Exact ties at 16 bits and at 1 bit.
    for (int k = -40; k <= 40; ++k) {
        values.push_back((static_cast<float>(k) + 0.5f) / 65536.0f);
        values.push_back((static_cast<float>(k) + 0.5f) / 2.0f);
    }
    DistUnit unit;
    for (int bits = 1; bits <= 16; ++bits) {
        for (int length : {static_cast<int>(values.size()), 7, 3}) {
            std::vector<float> l(values.begin(), values.begin() + length), r(l.rbegin(), l.rend());
            unit.crush(l.data(), r.data(), length, (16.0f - static_cast<float>(bits)) / 15.0f);
            const float scale = std::ldexp(1.0f, unit.bits());
            for (int i = 0; i < length; ++i)
                ASSERT_TRUE(sameBits(l[i], std::nearbyint(values[i] * scale) * (1.0f / scale)))
                    << values[i] << " at " << unit.bits() << " bits: " << l[i];
        }
    }
}

// The knee at 0.75 and the straight slope from there to 1.0 at full scale (v = drive).
double mechClosedForm(double x, double amount)
{
    const double g = amount * 10.0 + 1.0, v = std::fabs(x * g);
    const double y = v > 0.75 ? 0.75 + (v - 0.75) * 0.25 / (g - 0.75) : v;
    return x < 0 ? -y : y;
}

// The tube parabola 1 - 0.4 u^2 with u = (g - v) / (g - 0.6): 0.6 at the knee, 1.0 at v = g, 0.6 again
// at v = 2g - 0.6.
double tubeClosedForm(double x, double amount)
{
    const double g = amount * 4.0 + 1.0, v = std::fabs(x * g), u = (g - v) / (g - 0.6);
    const double y = v > 0.6 ? 1.0 - 0.4 * u * u : v;
    return x < 0 ? -y : y;
}

TEST(DistUnit, MechIsLinearToTheKneeAndReachesOneAtFullScale)
{
    for (float x : {0.5f, 0.75f, -0.75f, 1.0f, -1.0f})
        EXPECT_EQ(meched(x, 0.0f), x);
    for (int i = 0; i <= 100; ++i)
        ASSERT_EQ(meched(1.0f, i / 100.0f), 1.0f) << i;
    for (float amount : {0.0f, 0.3f, 1.0f})
        for (float x : {-1.8f, -0.9f, -0.05f, 0.1f, 0.3f, 0.6f, 1.5f, 3.0f})
            EXPECT_NEAR(meched(x, amount), mechClosedForm(x, amount), 1e-6 * std::fabs(mechClosedForm(x, amount)))
                << x << " at " << amount;
    EXPECT_GT(meched(2.0f, 1.0f), 1.0f); // beyond full scale it keeps rising
}

TEST(DistUnit, TubeSaturatesToOneAtFullScaleAndFoldsBackBeyond)
{
    for (float x : {0.6f, -0.5f, 1.0f, -1.0f})
        EXPECT_EQ(tubed(x, 0.0f), x);
    EXPECT_NEAR(tubed(1.4f, 0.0f), 0.6f, 1e-6);
    EXPECT_NEAR(tubed(-1.4f, 0.0f), -0.6f, 1e-6);
    for (int i = 0; i <= 100; ++i)
        ASSERT_EQ(tubed(1.0f, i / 100.0f), 1.0f) << i;
    for (float amount : {0.0f, 0.5f, 1.0f}) {
        for (float x : {-1.3f, -0.7f, 0.1f, 0.35f, 0.8f, 1.2f, 1.5f})
            EXPECT_NEAR(tubed(x, amount), tubeClosedForm(x, amount), 1e-6) << x << " at " << amount;
        const float g = amount * 4.0f + 1.0f;
        EXPECT_NEAR(tubed((2.0f * g - 0.6f) / g, amount), 0.6f, 1e-6) << amount;
    }
    // The small step where the parabola begins, from 0.707107 squared being a hair above 0.5.
    const float justAbove = std::nextafter(0.6f, 1.0f);
    EXPECT_LT(tubed(justAbove, 0.0f), 0.6f);
    EXPECT_NEAR(tubed(justAbove, 0.0f), 0.6f, 3e-7);
}

} // namespace
