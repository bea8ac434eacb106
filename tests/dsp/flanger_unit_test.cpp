// Flanger: pass-through at amount 0, the delay range and sweep, shared wet part, swept notches on noise.
#include "dsp/flanger_unit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
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

// In-place radix-2 transform; n must be a power of two.
void fft(std::vector<std::complex<double>>& a)
{
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        std::complex<double> step = std::polar(1.0, -2.0 * M_PI / len);
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> w = 1.0;
            for (size_t k = 0; k < len / 2; ++k) {
                std::complex<double> u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
                w *= step;
            }
        }
    }
}

std::vector<double> hannBinPowers(const float* x, size_t n)
{
    std::vector<std::complex<double>> a(n);
    for (size_t i = 0; i < n; ++i)
        a[i] = (0.5 - 0.5 * std::cos(2.0 * M_PI * i / (n - 1))) * x[i];
    fft(a);
    std::vector<double> p(n / 2);
    for (size_t k = 0; k < n / 2; ++k)
        p[k] = std::norm(a[k]);
    return p;
}

// Half dry plus half delayed has |H|^2 = cos^2(pi f D / rate): notches at (2k + 1) * rate / (2 D).
// Fits D to the measured bin powers between 100 Hz and 3 kHz and answers the first notch.
double firstNotchHz(const float* in, const float* out, size_t n)
{
    std::vector<double> pin = hannBinPowers(in, n), pout = hannBinPowers(out, n);
    const double binHz = kRate / n;
    double bestError = 1e30, bestDelay = 0.0;
    for (double delay = 30.0; delay <= 150.0; delay += 0.25) {
        double error = 0.0;
        for (size_t k = static_cast<size_t>(100.0 / binHz); k * binHz < 3000.0; ++k) {
            double c = std::cos(M_PI * k * binHz * delay / kRate);
            double e = pout[k] - c * c * pin[k];
            error += e * e;
        }
        if (error < bestError) {
            bestError = error;
            bestDelay = delay;
        }
    }
    return kRate / (2.0 * bestDelay);
}

// At amount 1 the output is half input, half delayed input; its notches must follow the sweep.
TEST(FlangerUnit, WhiteNoiseShowsTheNotchesMovingAtTheLfoRate)
{
    for (float rateHz : {0.25f, 0.5f}) {
        FlangerUnit f = engineFlanger();
        const size_t total = static_cast<size_t>(kRate * 4.0f);
        std::vector<float> in = noise(total, 9), l = in, r = in;
        run(f, l, r, 1.0f, rateHz);

        const size_t window = 2048, hop = 1024;
        double worstRatio = 0.0;
        double lowest = 1e9, highest = 0.0;
        for (size_t start = 2048; start + window <= total; start += hop) {
            double notch = firstNotchHz(in.data() + start, l.data() + start, window);
            double centre = start + window / 2.0;
            double delay = 43.0 + 44.1 * (1.0 + std::sin(2.0 * M_PI * rateHz * (centre + 1.0) / kRate));
            worstRatio = std::max(worstRatio, std::fabs(notch / (kRate / (2.0 * delay)) - 1.0));
            lowest = std::min(lowest, notch);
            highest = std::max(highest, notch);
        }
        EXPECT_LT(worstRatio, 0.03) << rateHz;
        // 44100 / (2 * 131.2) and 44100 / (2 * 43)
        EXPECT_NEAR(lowest, 168.0, 5.0) << rateHz;
        EXPECT_NEAR(highest, 512.8, 10.0) << rateHz;
    }
}

} // namespace
