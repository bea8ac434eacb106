// Magic EQ: pass-throughs, the clipper, the limiter's linear recovery against the unlimited wet signal and
// non-finite input. (Its boost and cut are measured through the engine, in ChainMagicEq.)
#include "dsp/magic_eq_unit.h"
#include "support/sine_probe.h"

#include <gtest/gtest.h>

namespace {

constexpr float kRate = 44100.0f;

// A unit at 44.1 kHz in clip or limiter mode, run on whole buffers in sub-blocks of at most 64 frames.
struct MagicEq {
    explicit MagicEq(bool clip)
    {
        unit.setSampleRate(kRate);
        unit.reset();
        unit.setMode(clip);
    }
    void run(std::vector<float>& l, std::vector<float>& r, float amount, float tuneHz = 90.0f)
    {
        for (size_t p = 0; p < l.size(); p += 64)
            unit.process(l.data() + p, r.data() + p, static_cast<int>(std::min<size_t>(64, l.size() - p)), amount,
                         tuneHz);
    }
    MagicEQUnit unit;
};

// The unlimited wet signal at tune 90 Hz, through sections designed like the unit's.
std::vector<float> wetReference(const std::vector<float>& in)
{
    BiquadFilter boost, highPass;
    boost.setPeaking(kRate, 90.0f, 1.0f, 10.0f);
    highPass.setHighPass(kRate, 40.0f, 0.5f, false);
    std::vector<float> out(in.size());
    for (size_t i = 0; i < in.size(); ++i)
        out[i] = highPass.tick(boost.tick(in[i]));
    return out;
}

TEST(MagicEQUnit, AmountZeroAndAnUnknownSampleRateLeaveAudioUnchanged)
{
    MagicEq eq(true);
    std::vector<float> l = sineWave(3000, 90.0, 0.9), r = sineWave(3000, 50.0, -0.7);
    const std::vector<float> inL = l, inR = r;
    eq.run(l, r, 0.0f);
    EXPECT_TRUE(l == inL && r == inR);
    MagicEQUnit fresh;
    fresh.process(l.data(), r.data(), 64, 1.0f, 90.0f);
    EXPECT_TRUE(l == inL && r == inR);
}

TEST(MagicEQUnit, ClipModeHoldsTheWetSignalAtFullScaleAndBlendsItWithTheDry)
{
    const std::vector<float> in = sineWave(20000, 90.0, 0.5), wet = wetReference(in);
    EXPECT_GT(*std::max_element(wet.begin(), wet.end()), 1.3f);
    for (float amount : {1.0f, 0.5f}) {
        MagicEq eq(true);
        std::vector<float> l = in, r = in;
        eq.run(l, r, amount);
        for (size_t i = 0; i < in.size(); ++i) {
            const float clipped = std::min(std::max(wet[i], -1.0f), 1.0f);
            ASSERT_NEAR(l[i], (1.0f - amount) * in[i] + amount * clipped, amount < 1.0f ? 1e-6f : 0.0f) << i;
            ASSERT_EQ(r[i], l[i]) << i;
        }
    }
}

// A short loud burst over a quiet tone: the gain drops at once, then climbs on a straight line that
// reaches 1.0 7.5 s after the deepest reduction, and stays there. The float gain moves in whole float
// steps, which bends the 7.5 s by up to a couple of percent.
TEST(MagicEQUnit, LimiterRecoversLinearlyOverSevenAndAHalfSeconds)
{
    MagicEq eq(false);
    const size_t n = static_cast<size_t>(9.0f * kRate);
    std::vector<float> in = sineWave(static_cast<int>(n), 1000.0, 0.01);
    for (size_t i = 0; i < 882; ++i)
        in[i] += static_cast<float>(std::sin(2.0 * M_PI * 90.0 * i / kRate));
    const std::vector<float> wet = wetReference(in);
    std::vector<float> l = in, r = in;
    eq.run(l, r, 1.0f);

    std::vector<double> g(n, 1.0);
    for (size_t i = 0; i < n; ++i)
        if (std::fabs(wet[i]) > 1e-3f)
            g[i] = double(l[i]) / wet[i];
    const size_t deepest = std::min_element(g.begin(), g.end()) - g.begin();
    EXPECT_LT(deepest, 1000u);
    EXPECT_LT(g[deepest], 0.6);
    size_t recovered = deepest;
    while (recovered < n && l[recovered] != wet[recovered])
        ++recovered;
    EXPECT_NEAR((recovered - deepest) / kRate, 7.5, 0.15);

    double worst = 0.0;
    for (size_t i = deepest; i < recovered; ++i) {
        if (std::fabs(wet[i]) < 5e-3f)
            continue;
        const double line = g[deepest] + (1.0 - g[deepest]) * (i - deepest) / double(recovered - deepest);
        worst = std::max(worst, std::fabs(g[i] - line));
    }
    EXPECT_LT(worst, 1e-4);
    for (size_t i = recovered; i < n; ++i)
        ASSERT_EQ(l[i], wet[i]) << i;
}

TEST(MagicEQUnit, NonFiniteInputDoesNotStick)
{
    MagicEq eq(false);
    std::vector<float> l(64, 0.0f), r(64, 0.0f);
    l[10] = INFINITY;
    r[20] = NAN;
    eq.run(l, r, 1.0f);
    const std::vector<float> in = sineWave(44100, 1000.0, 0.01);
    l = r = in;
    eq.run(l, r, 1.0f);
    double inPower = 0.0, outPower = 0.0;
    for (size_t i = 22050; i < in.size(); ++i) {
        inPower += double(in[i]) * in[i];
        outPower += double(l[i]) * l[i];
    }
    EXPECT_NEAR(10.0 * std::log10(outPower / inPower), magicEqWetDb(90.0, 1000.0), 0.05);
    EXPECT_TRUE(std::isfinite(eq.unit.limiter.follower.value));
}

} // namespace
