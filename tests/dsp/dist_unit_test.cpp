// Bit crusher, "Mech" and tube curves: exact quantiser outputs and curve points against closed forms.
#include "dsp/dist_unit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace {

// Runs one stage on a single value, placed in both channels; checks both agree.
template <class Stage>
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

TEST(DistUnit, CrushBitDepthFollowsTheAmountInFloat32)
{
    DistUnit unit;
    float l[1] = {0.0f}, r[1] = {0.0f};
    const float amounts[] = {0.0f, 0.2f, 0.4f, 0.5f, 0.6f, 0.8f, 1.0f};
    const int bits[] = {16, 13, 10, 8, 6, 3, 1};
    for (int i = 0; i < 7; ++i) {
        unit.crush(l, r, 1, amounts[i]);
        EXPECT_EQ(unit.bits(), bits[i]) << amounts[i];
    }
}

TEST(DistUnit, CrushRoundsToStepsWithTiesToEven)
{
    EXPECT_EQ(crushed(0.3f, 0.0f), 19661.0f / 65536.0f);
    EXPECT_EQ(crushed(0.3f, 1.0f), 0.5f);
    EXPECT_EQ(crushed(0.2f, 1.0f), 0.0f);
    EXPECT_EQ(crushed(0.25f, 1.0f), 0.0f);
    EXPECT_EQ(crushed(0.75f, 1.0f), 1.0f);
    EXPECT_EQ(crushed(-0.25f, 1.0f), 0.0f);
    EXPECT_EQ(crushed(-0.3f, 1.0f), -0.5f);
    EXPECT_EQ(crushed(1.0f, 1.0f), 1.0f); // no clipping: full scale is two steps
    EXPECT_EQ(crushed(0.3f, 0.6f), 19.0f / 64.0f);
    EXPECT_EQ(crushed(2.5f / 64.0f, 0.6f), 2.0f / 64.0f);
    EXPECT_EQ(crushed(3.5f / 64.0f, 0.6f), 4.0f / 64.0f);
    // Amounts outside 0..1 are held to it instead of asking for a bit depth below 1.
    EXPECT_EQ(crushed(0.3f, 7.0f), 0.5f);
    EXPECT_EQ(crushed(0.3f, NAN), 19661.0f / 65536.0f);
}

// The knee at 0.75 and the straight slope from there to 1.0 at full scale (v = drive).
double mechClosedForm(double x, double amount)
{
    double g = amount * 10.0 + 1.0;
    double v = std::fabs(x * g);
    double y = v > 0.75 ? 0.75 + (v - 0.75) * 0.25 / (g - 0.75) : v;
    return x < 0 ? -y : y;
}

// The crusher against the C library's rounding, bit for bit (signed zeros included), at every depth,
// for block lengths that leave every remainder after groups of four.
TEST(DistUnit, CrushEqualsNearbyintTimesTheStepBitForBit)
{
    std::vector<float> values = {0.0f, -0.0f, 0.25f, -0.25f, 0.75f, -0.75f, 1e-40f, -1e-40f, 127.9f, -200.0f,
                                 3e38f, std::numeric_limits<float>::infinity(),
                                 -std::numeric_limits<float>::infinity()};
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
        const float amount = (16.0f - static_cast<float>(bits)) / 15.0f;
        for (int length : {static_cast<int>(values.size()), 7, 3}) {
            std::vector<float> l(values.begin(), values.begin() + length), r(l.rbegin(), l.rend());
            unit.crush(l.data(), r.data(), length, amount);
            const float scale = std::ldexp(1.0f, unit.bits());
            for (int i = 0; i < length; ++i) {
                const float expected = std::nearbyint(values[i] * scale) * (1.0f / scale);
                ASSERT_EQ(std::memcmp(&l[i], &expected, sizeof expected), 0)
                    << values[i] << " at " << unit.bits() << " bits: " << l[i] << " vs " << expected;
            }
        }
    }
}

// The shapers take four samples at a time and the rest one by one: any call length gives the same bits.
TEST(DistUnit, ShapersGiveTheSameBitsForAnyCallLength)
{
    std::vector<float> in(257);
    for (size_t i = 0; i < in.size(); ++i)
        in[i] = 1.6f * std::sin(0.37f * static_cast<float>(i)) * (i % 2 ? -1.0f : 1.0f);
    for (int stage = 0; stage < 3; ++stage) {
        DistUnit unit;
        auto run = [&](std::vector<float>& l, std::vector<float>& r, int n) {
            if (stage == 0)
                unit.crush(l.data(), r.data(), n, 0.45f);
            else if (stage == 1)
                unit.mech(l.data(), r.data(), n, 0.45f);
            else
                unit.tube(l.data(), r.data(), n, 0.45f);
        };
        std::vector<float> wholeL = in, wholeR(in.rbegin(), in.rend());
        run(wholeL, wholeR, static_cast<int>(in.size()));
        for (size_t i = 0; i < in.size(); ++i) {
            std::vector<float> l = {in[i]}, r = {in[in.size() - 1 - i]};
            run(l, r, 1);
            ASSERT_EQ(std::memcmp(&l[0], &wholeL[i], sizeof(float)), 0) << stage << " at " << i;
            ASSERT_EQ(std::memcmp(&r[0], &wholeR[i], sizeof(float)), 0) << stage << " at " << i;
        }
    }
}

TEST(DistUnit, MechIsLinearToTheKneeAndReachesOneAtFullScale)
{
    EXPECT_EQ(meched(0.5f, 0.0f), 0.5f);
    EXPECT_EQ(meched(0.75f, 0.0f), 0.75f);
    EXPECT_EQ(meched(-0.75f, 0.0f), -0.75f);
    EXPECT_EQ(meched(1.0f, 0.0f), 1.0f);
    EXPECT_EQ(meched(-1.0f, 0.0f), -1.0f);
    for (int i = 0; i <= 100; ++i)
        ASSERT_EQ(meched(1.0f, i / 100.0f), 1.0f) << i;
    for (float amount : {0.0f, 0.3f, 1.0f})
        for (float x : {-1.8f, -0.9f, -0.05f, 0.1f, 0.3f, 0.6f, 1.5f, 3.0f})
            EXPECT_NEAR(meched(x, amount), mechClosedForm(x, amount), 1e-6 * std::fabs(mechClosedForm(x, amount)))
                << x << " at " << amount;
    EXPECT_GT(meched(2.0f, 1.0f), 1.0f); // beyond full scale it keeps rising
}

// The tube parabola 1 - 0.4 u^2 with u = (g - v) / (g - 0.6): 0.6 at the knee, 1.0 at v = g, 0.6 again
// at v = 2g - 0.6.
double tubeClosedForm(double x, double amount)
{
    double g = amount * 4.0 + 1.0;
    double v = std::fabs(x * g);
    double u = (g - v) / (g - 0.6);
    double y = v > 0.6 ? 1.0 - 0.4 * u * u : v;
    return x < 0 ? -y : y;
}

TEST(DistUnit, TubeSaturatesToOneAtFullScaleAndFoldsBackBeyond)
{
    EXPECT_EQ(tubed(0.6f, 0.0f), 0.6f);
    EXPECT_EQ(tubed(-0.5f, 0.0f), -0.5f);
    EXPECT_EQ(tubed(1.0f, 0.0f), 1.0f);
    EXPECT_EQ(tubed(-1.0f, 0.0f), -1.0f);
    EXPECT_NEAR(tubed(1.4f, 0.0f), 0.6f, 1e-6);
    EXPECT_NEAR(tubed(-1.4f, 0.0f), -0.6f, 1e-6);
    for (int i = 0; i <= 100; ++i)
        ASSERT_EQ(tubed(1.0f, i / 100.0f), 1.0f) << i;
    for (float amount : {0.0f, 0.5f, 1.0f}) {
        for (float x : {-1.3f, -0.7f, 0.1f, 0.35f, 0.8f, 1.2f, 1.5f})
            EXPECT_NEAR(tubed(x, amount), tubeClosedForm(x, amount), 1e-6) << x << " at " << amount;
        float g = amount * 4.0f + 1.0f;
        EXPECT_NEAR(tubed((2.0f * g - 0.6f) / g, amount), 0.6f, 1e-6) << amount;
    }
    // The small step where the parabola begins, from 0.707107 squared being a hair above 0.5.
    float justAbove = std::nextafter(0.6f, 1.0f);
    EXPECT_LT(tubed(justAbove, 0.0f), 0.6f);
    EXPECT_NEAR(tubed(justAbove, 0.0f), 0.6f, 3e-7);
}

} // namespace
