// Magic EQ: measured boost and cut against the analytic responses, clipper, limiter recovery, redesigns.
#include "dsp/magic_eq_unit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace {

constexpr float kRate = 44100.0f;

// |H| in dB of a second-order section with the given coefficients at frequencyHz.
double responseDb(const double b[3], const double a[3], double frequencyHz)
{
    const std::complex<double> z1 = std::polar(1.0, -2.0 * M_PI * frequencyHz / kRate);
    const std::complex<double> z2 = z1 * z1;
    return 20.0 * std::log10(std::abs((b[0] + b[1] * z1 + b[2] * z2) / (a[0] + a[1] * z1 + a[2] * z2)));
}

double bandwidthAlpha(double w0, double octaves)
{
    return std::sin(w0) * std::sinh(std::log(2.0) / 2.0 * octaves * w0 / std::sin(w0));
}

// The +10 dB one-octave bell at tuneHz followed by the 0.5-octave 40 Hz high-pass.
double analyticWetDb(double tuneHz, double frequencyHz)
{
    double w0 = 2.0 * M_PI * tuneHz / kRate, alpha = bandwidthAlpha(w0, 1.0), A = std::pow(10.0, 10.0 / 40.0);
    const double bb[3] = {1.0 + alpha * A, -2.0 * std::cos(w0), 1.0 - alpha * A};
    const double ab[3] = {1.0 + alpha / A, -2.0 * std::cos(w0), 1.0 - alpha / A};
    w0 = 2.0 * M_PI * 40.0 / kRate;
    alpha = bandwidthAlpha(w0, 0.5);
    const double c = std::cos(w0);
    const double bh[3] = {(1.0 + c) / 2.0, -(1.0 + c), (1.0 + c) / 2.0};
    const double ah[3] = {1.0 + alpha, -2.0 * c, 1.0 - alpha};
    return responseDb(bb, ab, frequencyHz) + responseDb(bh, ah, frequencyHz);
}

MagicEQUnit unitAt(bool clip)
{
    MagicEQUnit u;
    u.setSampleRate(kRate);
    u.reset();
    u.setMode(clip);
    return u;
}

void run(MagicEQUnit& u, std::vector<float>& l, std::vector<float>& r, float amount, float tuneHz)
{
    for (size_t p = 0; p < l.size(); p += 64) {
        int n = static_cast<int>(std::min<size_t>(64, l.size() - p));
        u.process(l.data() + p, r.data() + p, n, amount, tuneHz);
    }
}

std::vector<float> sine(double hz, double amplitude, size_t n)
{
    std::vector<float> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = static_cast<float>(amplitude * std::sin(2.0 * M_PI * hz * i / kRate));
    return v;
}

// The unlimited wet signal, through sections designed like the unit's.
std::vector<float> wetReference(const std::vector<float>& in, float tuneHz)
{
    BiquadFilter boost, highPass;
    boost.setPeaking(kRate, tuneHz, 1.0f, 10.0f);
    highPass.setHighPass(kRate, 40.0f, 0.5f, false);
    std::vector<float> out(in.size());
    for (size_t i = 0; i < in.size(); ++i)
        out[i] = highPass.tick(boost.tick(in[i]));
    return out;
}

double gainDb(const std::vector<float>& in, const std::vector<float>& out, size_t from)
{
    double pi = 0.0, po = 0.0;
    for (size_t i = from; i < in.size(); ++i) {
        pi += double(in[i]) * in[i];
        po += double(out[i]) * out[i];
    }
    return 10.0 * std::log10(po / pi);
}

TEST(MagicEQUnit, BoostsTheTuneAndCutsSubBassAsTheTwoSectionsPredict)
{
    MagicEQUnit u = unitAt(false);
    // One second of settling, then a whole number of cycles of both tones.
    const size_t n = 2 * 44100;
    std::vector<float> l = sine(90.0, 0.05, n), r = sine(20.0, 0.05, n);
    const std::vector<float> inL = l, inR = r;
    run(u, l, r, 1.0f, 90.0f);

    const double boost = analyticWetDb(90.0, 90.0);
    EXPECT_NEAR(boost, 11.7, 0.1);
    EXPECT_NEAR(gainDb(inL, l, 44100), boost, 0.02);
    const double cut = analyticWetDb(90.0, 20.0);
    EXPECT_NEAR(cut, -9.0, 1.0);
    EXPECT_NEAR(gainDb(inR, r, 44100), cut, 0.02);
    // Far below full scale the limiter never acts.
    EXPECT_EQ(u.limiter.gain, 1.0f);
}

TEST(MagicEQUnit, AmountZeroAndAnUnknownSampleRateLeaveAudioUnchanged)
{
    MagicEQUnit u = unitAt(true);
    std::vector<float> l = sine(90.0, 0.9, 3000), r = sine(50.0, -0.7, 3000);
    const std::vector<float> inL = l, inR = r;
    run(u, l, r, 0.0f, 90.0f);
    EXPECT_EQ(l, inL);
    EXPECT_EQ(r, inR);

    MagicEQUnit fresh;
    run(fresh, l, r, 1.0f, 90.0f);
    EXPECT_EQ(l, inL);
    EXPECT_EQ(r, inR);
}

TEST(MagicEQUnit, ClipModeHoldsTheWetSignalAtFullScaleAndPassesTheRest)
{
    MagicEQUnit u = unitAt(true);
    std::vector<float> in = sine(90.0, 0.5, 20000), l = in, r = in;
    const std::vector<float> wet = wetReference(in, 90.0f);
    run(u, l, r, 1.0f, 90.0f);
    int clipped = 0;
    for (size_t i = 0; i < in.size(); ++i) {
        float expected = std::min(std::max(wet[i], -1.0f), 1.0f);
        ASSERT_EQ(l[i], expected) << i;
        ASSERT_EQ(r[i], expected) << i;
        clipped += std::fabs(wet[i]) > 1.0f;
    }
    EXPECT_GT(clipped, 1000);
    EXPECT_GT(*std::max_element(wet.begin(), wet.end()), 1.3f);

    // Half wet: the clipped signal blended with the dry one.
    MagicEQUnit half = unitAt(true);
    l = in;
    r = in;
    run(half, l, r, 0.5f, 90.0f);
    for (size_t i = 0; i < in.size(); ++i)
        ASSERT_NEAR(l[i], 0.5f * in[i] + 0.5f * std::min(std::max(wet[i], -1.0f), 1.0f), 1e-6f) << i;
}

// A short loud burst over a quiet tone: the gain drops at once, then climbs on a straight line that
// reaches 1.0 7.5 s after the deepest reduction, and stays there. The float gain moves in whole float
// steps, which bends the 7.5 s by up to a couple of percent.
TEST(MagicEQUnit, LimiterRecoversLinearlyOverSevenAndAHalfSeconds)
{
    MagicEQUnit u = unitAt(false);
    const size_t n = static_cast<size_t>(9.0f * kRate);
    std::vector<float> in = sine(1000.0, 0.01, n);
    for (size_t i = 0; i < 882; ++i)
        in[i] += static_cast<float>(std::sin(2.0 * M_PI * 90.0 * i / kRate));
    const std::vector<float> wet = wetReference(in, 90.0f);
    std::vector<float> l = in, r = in;
    run(u, l, r, 1.0f, 90.0f);

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
        double line = g[deepest] + (1.0 - g[deepest]) * (i - deepest) / double(recovered - deepest);
        worst = std::max(worst, std::fabs(g[i] - line));
    }
    EXPECT_LT(worst, 1e-4);
    for (size_t i = recovered; i < n; ++i)
        ASSERT_EQ(l[i], wet[i]) << i;
}

// A reduction of a few thousandths gives a recovery step below half a float step; it must still end.
TEST(MagicEQUnit, ShallowLimiterReductionStillRecovers)
{
    MagicEQUnit u = unitAt(false);
    const double amplitude = 1.004 / std::pow(10.0, analyticWetDb(90.0, 90.0) / 20.0);
    const size_t loud = 44100, n = loud + 22050;
    std::vector<float> in = sine(90.0, amplitude, loud);
    // Faded in, so that no onset transient reduces more than the steady peaks do.
    for (size_t i = 0; i < 22050; ++i)
        in[i] *= static_cast<float>(i / 22050.0);
    in.resize(n, 0.0f);
    const std::vector<float> probe = sine(1000.0, 0.01, n - loud);
    std::copy(probe.begin(), probe.end(), in.begin() + loud);
    std::vector<float> l = in, r = in;
    run(u, l, r, 1.0f, 90.0f);
    const std::vector<float> wet = wetReference(in, 90.0f);

    bool reduced = false;
    for (size_t i = 0; i < loud; ++i)
        reduced = reduced || l[i] != wet[i];
    EXPECT_TRUE(reduced);
    for (size_t i = loud + 4410; i < n; ++i)
        ASSERT_EQ(l[i], wet[i]) << i;
}

TEST(MagicEQUnit, DesignsTheBoostOnlyWhenTheTuneChanges)
{
    MagicEQUnit u = unitAt(false);
    std::vector<float> l(64, 0.1f), r(64, 0.1f);
    run(u, l, r, 1.0f, 90.0f);
    const BiquadFilter designed = u.boostLeft;
    // A marker in the coefficients survives a call with the same tune and is replaced on a new one.
    u.boostLeft.b1 = 123.0f;
    run(u, l, r, 1.0f, 90.0f);
    EXPECT_EQ(u.boostLeft.b1, 123.0f);
    run(u, l, r, 1.0f, 100.0f);
    EXPECT_NE(u.boostLeft.b1, 123.0f);
    EXPECT_NE(u.boostLeft.b0, designed.b0);
    EXPECT_EQ(u.boostRight.b0, u.boostLeft.b0);
    EXPECT_EQ(u.tune, 100.0f);
}

TEST(MagicEQUnit, NonFiniteInputDoesNotStick)
{
    MagicEQUnit u = unitAt(false);
    std::vector<float> l(64, 0.0f), r(64, 0.0f);
    l[10] = INFINITY;
    r[20] = NAN;
    run(u, l, r, 1.0f, 90.0f);
    std::vector<float> in = sine(1000.0, 0.01, 44100);
    l = in;
    r = in;
    run(u, l, r, 1.0f, 90.0f);
    EXPECT_NEAR(gainDb(in, l, 22050), analyticWetDb(90.0, 1000.0), 0.05);
    EXPECT_TRUE(std::isfinite(u.limiter.follower.value));
}

} // namespace
