// Compressor: transparency at amount 0, the full-scale ceiling, one-call lags, release and recovery.
#include "dsp/compress_unit.h"
#include "support/sine_probe.h"

#include <gtest/gtest.h>

namespace {

constexpr float kRate = 44100.0f;
constexpr float kFollowerMode = 0.01f;
constexpr float kPeakMode = 0.0f;

// A unit at 44.1 kHz in `mode` with amount and release stored, as a call of 0 frames stores them.
struct Compressor {
    explicit Compressor(float mode, float amount = 0.0f, float release = 0.1f)
    {
        unit.setSampleRate(kRate);
        unit.reset();
        unit.setMode(mode);
        float none = 0.0f;
        unit.process(&none, &none, 0, amount, release);
    }
    // Whole buffers in sub-blocks of at most 64 frames.
    void run(std::vector<float>& l, std::vector<float>& r, float amount, float release)
    {
        for (size_t p = 0; p < l.size(); p += 64)
            unit.process(l.data() + p, r.data() + p, static_cast<int>(std::min<size_t>(64, l.size() - p)), amount,
                         release);
    }
    CompressUnit unit;
};

double peakOf(const std::vector<float>& v, size_t from, size_t to)
{
    double m = 0.0;
    for (size_t i = from; i < to; ++i)
        m = std::max(m, double(std::fabs(v[i])));
    return m;
}

// The soft curve's output for a driven level above the threshold, in double.
double curve(double lv, double drive)
{
    const double t = (1.0 - (lv - 0.31) / (drive - 0.31)) * 0.707107;
    return (0.5 - t * t) * 1.38 + 0.31;
}

TEST(CompressUnit, AmountZeroPassesSignalsWithinFullScaleToWithinOnePointFivePartsPerMillion)
{
    for (float mode : {kFollowerMode, kPeakMode}) {
        Compressor c(mode);
        // Every level from silence to full scale, on both channels, in both polarities.
        std::vector<float> l(20001), r(20001);
        for (size_t i = 0; i < l.size(); ++i) {
            l[i] = static_cast<float>(i) / 20000.0f * (i % 2 ? -1.0f : 1.0f);
            r[i] = 1.0f - static_cast<float>(i) / 20000.0f;
        }
        const std::vector<float> inL = l, inR = r;
        c.run(l, r, 0.0f, 0.1f);
        for (size_t i = 0; i < l.size(); ++i) {
            ASSERT_NEAR(l[i], inL[i], 1.5e-6 * std::fabs(inL[i])) << i;
            ASSERT_NEAR(r[i], inR[i], 1.5e-6 * std::fabs(inR[i])) << i;
        }
    }
}

TEST(CompressUnit, InstantaneousModeHoldsADrivenFullScaleSineAtOneWhileTheFollowerOvershoots)
{
    const std::vector<float> in = sineWave(22050, 1000.0, 1.0);
    Compressor hard(kPeakMode, 0.9f);
    std::vector<float> l = in, r = in;
    hard.run(l, r, 0.9f, 0.1f);
    EXPECT_LE(std::max(peakOf(l, 0, l.size()), peakOf(r, 0, r.size())), 1.0 + 1e-6);
    // Driven tenfold, the peaks sit right at the ceiling.
    EXPECT_GT(peakOf(l, 11025, l.size()), 0.99);

    Compressor smooth(kFollowerMode, 0.9f);
    l = r = in;
    smooth.run(l, r, 0.9f, 0.1f);
    EXPECT_GT(peakOf(l, 0, 441), 5.0);
    // Once the follower has caught up, only its ripple between peaks gets through.
    EXPECT_LT(peakOf(l, 11025, l.size()), 1.25);
}

TEST(CompressUnit, AmountAndReleaseReachTheSoundOneCallLate)
{
    Compressor c(kPeakMode);
    std::vector<float> l(64, 0.1f), r(64, -0.1f);
    c.run(l, r, 0.5f, 0.1f);
    EXPECT_EQ(l[63], 0.1f);
    l.assign(64, 0.1f);
    r.assign(64, -0.1f);
    c.run(l, r, 0.5f, 0.1f);
    EXPECT_EQ(l[0], 0.2f);
    EXPECT_EQ(r[63], -0.2f);

    // A call with a new release still recovers along the old one.
    Compressor a(kPeakMode), b(kPeakMode);
    std::vector<float> la = {1.2f, 0.2f, 0.2f}, ra(3, 0.0f), lb = la, rb = ra;
    a.run(la, ra, 0.0f, 0.1f);
    b.run(lb, rb, 0.0f, 2.0f);
    EXPECT_EQ(la, lb);
}

TEST(CompressUnit, WithReleaseZeroEachSampleAboveTheThresholdIsReducedOnItsOwn)
{
    CompressUnit u;
    u.setSampleRate(kRate);
    u.setMode(kPeakMode);
    std::vector<float> l = {1.2f, 0.2f, 1.2f, 0.1f}, r(4, 0.0f);
    u.process(l.data(), r.data(), 4, 0.0f, 0.5f);
    EXPECT_NEAR(l[0], 0.942, 1e-3);
    EXPECT_NEAR(l[0], curve(1.2, 1.0), 1e-6);
    EXPECT_EQ(l, (std::vector<float>{l[0], 0.2f, l[0], 0.1f}));
}

TEST(CompressUnit, LinkedGainRecoversLinearlyOverTheReleaseTimeThenStays)
{
    Compressor c(kPeakMode);
    std::vector<float> l(8820, 0.1f), r(8820, 0.05f);
    l[0] = 1.2f;
    c.run(l, r, 0.0f, 0.1f);
    const double reduced = curve(1.2, 1.0) / 1.2;
    EXPECT_NEAR(l[0] / 1.2, reduced, 1e-6);
    EXPECT_NEAR(r[0] / 0.05, reduced, 1e-6); // the quiet right channel takes the same gain
    for (size_t i = 1; i < 4410; ++i)
        ASSERT_NEAR(l[i] / 0.1, reduced + (1.0 - reduced) * i / 4410.0, 1e-4) << i;
    for (size_t i = 4412; i < l.size(); ++i)
        ASSERT_EQ(l[i], 0.1f) << i;
}

// Reductions whose recovery step is below half a float step must still end.
TEST(CompressUnit, ShallowReductionsRecover)
{
    // Just above the threshold the curve dips about 1.4 ppm below the line; 1.001 is pulled back 0.1 %.
    for (float level : {std::nextafter(0.31f, 1.0f), 1.001f}) {
        Compressor c(kPeakMode, 0.0f, 2.0f);
        std::vector<float> l(4410, 0.2f), r(4410, 0.2f);
        l[0] = level;
        c.run(l, r, 0.0f, 2.0f);
        EXPECT_LT(l[0], level) << level;
        for (size_t i = 2; i < l.size(); ++i)
            ASSERT_EQ(l[i], 0.2f) << level << " at " << i;
    }
}

// Far above full scale the gain stops at 0 and recovers; it never turns negative or NaN.
TEST(CompressUnit, OversAskForNoOutputAtMostAndTheGainRecovers)
{
    for (float over : {2.5f, 40.0f, 1e20f}) {
        Compressor c(kPeakMode, 0.5f);
        std::vector<float> l(8820, 0.1f), r(8820, 0.1f);
        l[0] = over;
        c.run(l, r, 0.5f, 0.1f);
        EXPECT_TRUE(l[0] == 0.0f && r[0] == 0.0f) << over;
        // Drive 2: back on the line 0.2 after the release time, every sample on the way at or above 0.
        for (size_t i = 1; i < l.size(); ++i)
            ASSERT_TRUE(l[i] >= 0.0f && l[i] <= 0.2f) << over << " at " << i;
        EXPECT_EQ(l.back(), 0.2f) << over;
        EXPECT_NEAR(l[2205], 0.1f, 1e-3f) << over;
    }
}

TEST(CompressUnit, UnknownSampleRateLeavesAudioUntouchedAndBadAmountsStayFinite)
{
    CompressUnit u;
    std::vector<float> l = {1.2f, 0.5f}, r = {-3.0f, 0.1f};
    const std::vector<float> inL = l, inR = r;
    u.process(l.data(), r.data(), 2, 0.9f, 0.1f);
    u.process(l.data(), r.data(), 2, 0.9f, 0.1f);
    EXPECT_TRUE(l == inL && r == inR);

    Compressor c(kPeakMode);
    l = sineWave(4410, 1000.0, 1.0);
    r = l;
    c.run(l, r, 1.0f, -1.0f);
    c.run(l, r, NAN, NAN);
    for (float v : l)
        ASSERT_TRUE(std::isfinite(v) && std::fabs(v) <= 1.0f + 1e-6f);
}

} // namespace
