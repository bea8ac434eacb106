// Multimode filter: cutoff curve, glide (on the ring carrier, from its type change on), envelope, comb,
// saturation, limiter and resets.
#include "dsp/mm_filter_unit.h"
#include "support/sine_probe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr float kRate = 44100.0f;

struct Settings {
    float mix = 1.0f;
    float attack = 0.01f;
    float decay = 0.2f;
    float env = 0.0f;
    float cutoff = 0.0f;
    float resonance = 0.0f;
};

void run(MmFilterUnit& unit, float* l, float* r, int n, const Settings& s)
{
    unit.process(l, r, n, s.mix, s.attack, s.decay, s.env, s.cutoff, s.resonance);
}

// Mono block in, left channel out of the last of `times` runs; both channels carry the same signal.
std::vector<float> runMono(MmFilterUnit& unit, const std::vector<float>& x, const Settings& s, int times = 1)
{
    std::vector<float> l, r;
    for (int k = 0; k < times; ++k) {
        l = r = x;
        run(unit, l.data(), r.data(), static_cast<int>(x.size()), s);
    }
    return l;
}

// The cutoff knob's curve as the design intends it, in double.
double curveHz(double c)
{
    return 80.0 + 15920.0 * std::min(1.0, -0.25 * std::log10(1.0 - c));
}

double ringIncrement(double c)
{
    return curveHz(c) * 200.0 / kRate;
}

// Phase (table positions) of a carrier sample in the rising first quarter of the cycle.
double phaseOf(const SineTable& table, float y)
{
    for (int i = 0; i < 50; ++i)
        if (y <= table.values[i + 1])
            return i + (y - table.values[i]) / (table.values[i + 1] - table.values[i]);
    return 50.0;
}

MmFilterUnit unitOfType(int type, float rate = kRate)
{
    MmFilterUnit unit;
    unit.setSampleRate(rate);
    EXPECT_TRUE(unit.setType(type));
    return unit;
}

TEST(MmFilterUnit, CutoffCurvePutsTheNotchWhereItsFormulaSays)
{
    for (float c : {0.5f, 0.9f, 0.99f, 1.0f}) {
        MmFilterUnit unit = unitOfType(MmFilterUnit::kNotch);
        Settings s;
        s.cutoff = c;
        auto gain = [&](double hz) {
            return sineGainDb([&](float* l, float* r, int n) { run(unit, l, r, n, s); }, hz, kRate);
        };
        const double f = c >= 1.0f ? 16000.0 : curveHz(c);
        EXPECT_LT(gain(f), -30.0) << c;
        EXPECT_GT(gain(f * 1.03), -3.0) << c;
    }
    EXPECT_NEAR(curveHz(0.5), 1278.1, 0.1);
    EXPECT_NEAR(curveHz(0.9), 4060.0, 0.1);
    EXPECT_NEAR(curveHz(0.99), 8040.0, 0.1);
}

TEST(MmFilterUnit, CutoffGlidesInSteps16SamplesApartAndShortCallsStillArrive)
{
    MmFilterUnit unit = unitOfType(MmFilterUnit::kRingMod);
    auto table = SineTable::acquire();
    Settings s;
    std::vector<float> y = runMono(unit, std::vector<float>(16, 1.0f), s); // mix settles at 1

    auto append = [&](int n) {
        std::vector<float> block = runMono(unit, std::vector<float>(n, 1.0f), s);
        y.insert(y.end(), block.begin(), block.end());
    };
    s.cutoff = 0.01f;
    append(64); // samples 16..79: redesigns after the 16th, 32nd, 48th and 64th sample of the call
    append(16); // 80..95
    s.cutoff = 0.0025f;
    append(10); // 96..105: too short for a glide step
    append(10); // 106..115

    auto increment = [&](int i) { return phaseOf(*table, y[i]) - phaseOf(*table, y[i - 1]); };
    for (int i = 17; i < 32; ++i)
        ASSERT_NEAR(increment(i), ringIncrement(0.0), 2e-4) << i;
    for (int k = 1; k <= 4; ++k)
        for (int i = 16 + 16 * k; i < 32 + 16 * k; ++i)
            ASSERT_NEAR(increment(i), ringIncrement(0.0025 * k), 2e-4) << i;
    for (int i = 97; i < 106; ++i)
        ASSERT_NEAR(increment(i), ringIncrement(0.01), 2e-4) << i;
    for (int i = 106; i < 116; ++i)
        ASSERT_NEAR(increment(i), ringIncrement(0.0025), 2e-4) << i;
}

TEST(MmFilterUnit, EnvelopeScalesTheCutoff)
{
    MmFilterUnit unit = unitOfType(MmFilterUnit::kLowPass);
    Settings s;
    s.env = 1.0f;
    s.cutoff = 1.0f;
    runMono(unit, std::vector<float>(64, 0.0f), s);
    EXPECT_FLOAT_EQ(unit.cutoffHz(), 80.0f); // silence closes the filter

    std::vector<float> sine(64);
    for (int block = 0; block < 200; ++block) {
        for (int i = 0; i < 64; ++i)
            sine[i] = std::sin(2.0f * float(M_PI) * 1000.0f * (block * 64 + i) / kRate);
        runMono(unit, sine, s);
    }
    // Full-scale sines on both channels hold the envelope near 0.5, so the cutoff value acts as about 0.5.
    EXPECT_GT(unit.cutoffHz(), curveHz(0.49));
    EXPECT_LT(unit.cutoffHz(), curveHz(0.501));

    // An attack no shorter than the decay never lets the envelope rise.
    s.attack = 1.0f;
    s.decay = 0.2f;
    MmFilterUnit slow = unitOfType(MmFilterUnit::kLowPass);
    runMono(slow, sine, s, 200);
    EXPECT_FLOAT_EQ(slow.cutoffHz(), 80.0f);
}

// Impulse response of the comb type after the mix has settled.
std::vector<float> combImpulse(const Settings& s)
{
    MmFilterUnit unit = unitOfType(MmFilterUnit::kComb);
    // The first call glides the cutoff in from 0, and every step of it crossfades the delay.
    runMono(unit, std::vector<float>(64, 0.0f), s, 30);
    std::vector<float> impulse(64, 0.0f);
    impulse[0] = 1.0f;
    std::vector<float> y = runMono(unit, impulse, s);
    for (int block = 1; block < 20; ++block) {
        const std::vector<float> out = runMono(unit, std::vector<float>(64, 0.0f), s);
        y.insert(y.end(), out.begin(), out.end());
    }
    return y;
}

TEST(MmFilterUnit, CombIsADelayOfWholeSamplesThatFeedsBack)
{
    Settings s;
    s.cutoff = 1.0f; // 16 kHz: 2.76 samples
    s.resonance = 1.0f;
    std::vector<float> y = combImpulse(s);
    EXPECT_EQ(y[3], 1.0f);
    EXPECT_EQ(y[6], 0.99f);
    EXPECT_EQ(y[9], 0.99f * 0.99f);
    EXPECT_EQ(y[4], 0.0f);

    s.cutoff = 0.0f; // 80 Hz: 551.25 samples
    s.resonance = 0.0f;
    y = combImpulse(s);
    for (int i = 0; i < 1280; ++i)
        ASSERT_EQ(y[i], i == 551 ? 1.0f : 0.0f) << i;

    // With an envelope amount the comb is updated every call; an unchanged delay must not crossfade, which
    // would blend the line with itself and move samples by a rounding step. (An attack no shorter than the
    // decay keeps the envelope at 0, so the cutoff acts as 0.5.)
    MmFilterUnit unit = unitOfType(MmFilterUnit::kComb);
    s.cutoff = 1.0f;
    s.env = 0.5f;
    s.attack = 1.0f;
    runMono(unit, std::vector<float>(64, 0.0f), s, 30);
    const int d = static_cast<int>(std::lround(kRate / curveHz(0.5)));
    std::mt19937 random(5);
    std::uniform_real_distribution<float> noise(-0.5f, 0.5f);
    std::vector<float> x, out;
    for (int block = 0; block < 20; ++block) {
        std::vector<float> in(64);
        for (float& v : in)
            v = noise(random);
        std::vector<float> y = runMono(unit, in, s);
        x.insert(x.end(), in.begin(), in.end());
        out.insert(out.end(), y.begin(), y.end());
    }
    for (size_t i = d; i < out.size(); ++i)
        ASSERT_EQ(out[i], x[i - d]) << i;
}

TEST(MmFilterUnit, FatTypesSaturateAbove0_7AndReachOneAtAWetValueOfQ)
{
    // Resonance 1: q = 7. The four-pole low-pass passes DC at unity, so DC inputs are the wet values.
    auto settled = [](float dc) {
        MmFilterUnit unit = unitOfType(MmFilterUnit::kLowPassFat);
        Settings s;
        s.cutoff = 1.0f;
        s.resonance = 1.0f;
        return runMono(unit, std::vector<float>(64, dc), s, 400)[63];
    };
    EXPECT_NEAR(settled(0.5f), 0.5f, 1e-5);
    EXPECT_NEAR(settled(-0.69f), -0.69f, 1e-5);
    EXPECT_NEAR(settled(7.0f), 1.0f, 1e-5);
    // 1 - 0.3 u^2 with u = (q - w) / (q - 0.7): u = 0.5 halfway up.
    EXPECT_NEAR(settled(3.85f), 0.925f, 1e-4);
    EXPECT_NEAR(settled(-3.85f), -0.925f, 1e-4);
}

// Runs the low-pass type at 16 kHz, q 1 next to a free-standing section of the same design.
struct LimiterRig {
    MmFilterUnit unit = unitOfType(MmFilterUnit::kLowPass);
    BiquadFilter reference;
    Settings s;
    LimiterRig()
    {
        s.cutoff = 1.0f;
        runMono(unit, std::vector<float>(64, 0.0f), s); // mix and cutoff settle on silence
        reference.setLowPass(kRate, 16000.0f, 1.0f, true);
    }
    // Ratio of the unit's output to the unlimited wet signal over one block of a DC input.
    float gain(float dc)
    {
        std::vector<float> y = runMono(unit, std::vector<float>(64, dc), s);
        float wet = 0.0f;
        for (int i = 0; i < 64; ++i)
            wet = reference.tick(dc);
        return y[63] / wet;
    }
};

// The limiter's recovery is the Magic EQ's, measured there.
TEST(MmFilterUnit, LimiterLeavesWetUpToOneAloneAndPullsLouderWetToFullScale)
{
    LimiterRig rig;
    std::vector<float> x(64);
    for (int block = 0; block < 100; ++block) {
        for (int i = 0; i < 64; ++i)
            x[i] = 0.9f * std::sin(2.0f * float(M_PI) * 100.0f * (block * 64 + i) / kRate);
        std::vector<float> y = runMono(rig.unit, x, rig.s);
        for (int i = 0; i < 64; ++i)
            ASSERT_EQ(y[i], rig.reference.tick(x[i]));
    }
    for (int block = 0; block < 138; ++block) // 0.2 s at twice full scale
        rig.gain(2.0f);
    EXPECT_NEAR(rig.gain(2.0f), 0.5f, 1e-3f);
}

TEST(MmFilterUnit, MixGlidesAcrossTheCallAndZeroIsDry)
{
    LimiterRig rig; // mix 1, low-pass at 16 kHz
    std::vector<float> x(64);
    for (int i = 0; i < 64; ++i)
        x[i] = 0.5f * std::sin(0.3f * i);
    rig.s.mix = 0.0f;
    std::vector<float> y = runMono(rig.unit, x, rig.s);
    for (int i = 0; i < 64; ++i) {
        float w = rig.reference.tick(x[i]);
        float m = 1.0f - i / 64.0f;
        ASSERT_NEAR(y[i], w * m + (1.0f - m) * x[i], 1e-6f) << i;
    }
    y = runMono(rig.unit, x, rig.s);
    for (int i = 0; i < 64; ++i)
        ASSERT_EQ(y[i], x[i]);
}

// Each type starts from silence after the change to it, and a NaN burst does not stick in it.
TEST(MmFilterUnit, EveryTypeStartsFromSilenceAndShrugsOffANaNBurst)
{
    Settings s;
    s.cutoff = 0.6f;
    s.resonance = 0.8f;
    s.env = 0.5f;
    auto sine = [](int blocks, int offset = 0) {
        std::vector<float> x(64 * blocks);
        for (size_t i = 0; i < x.size(); ++i)
            x[i] = 0.5f * std::sin(0.05f * (offset + i));
        return x;
    };
    for (int type = 0; type < MmFilterUnit::kTypeCount; ++type) {
        MmFilterUnit unit = unitOfType(MmFilterUnit::kComb);
        runMono(unit, sine(20), s);
        ASSERT_TRUE(unit.setType(type));
        for (float y : runMono(unit, std::vector<float>(64, 0.0f), s))
            ASSERT_EQ(y, 0.0f) << "type " << type;
        runMono(unit, std::vector<float>(64, NAN), s);
        runMono(unit, std::vector<float>(64, INFINITY), s);
        for (float y : runMono(unit, sine(4), s))
            ASSERT_TRUE(std::isfinite(y)) << "type " << type;
    }
    MmFilterUnit unit = unitOfType(MmFilterUnit::kNotch);
    EXPECT_FALSE(unit.setType(10));
    EXPECT_FALSE(unit.setType(-1));
    EXPECT_EQ(unit.type(), MmFilterUnit::kNotch);
}

} // namespace
