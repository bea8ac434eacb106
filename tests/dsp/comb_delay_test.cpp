// Comb delay: rounded delays, feedback and the 10 ms crossfade between delays.
#include "dsp/comb_delay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr float kRate = 44100.0f;

// Index of the first non-zero output after a unit impulse.
int impulseDelay(CombDelay& comb)
{
    for (int n = 0; n < 1000; ++n)
        if (comb.process(n == 0 ? 1.0f : 0.0f) != 0.0f)
            return n;
    return -1;
}

TEST(CombDelay, DelayIsRoundedToWholeSamplesInAOneSecondLine)
{
    CombDelay comb;
    ASSERT_TRUE(comb.setSampleRate(kRate));
    EXPECT_EQ(comb.length(), 44100);
    comb.requestDelay(1.0f / 16000.0f); // 2.76 samples
    comb.reset();
    EXPECT_EQ(impulseDelay(comb), 3);
    comb.requestDelay(1.0f / 80.0f);
    comb.reset();
    EXPECT_EQ(impulseDelay(comb), 551);
}

TEST(CombDelay, FeedbackRepeatsTheDelayedSignal)
{
    CombDelay comb;
    comb.setSampleRate(kRate);
    comb.requestDelay(10.0f / kRate);
    comb.reset();
    comb.setFeedback(0.99f);
    std::vector<float> y(40);
    for (int n = 0; n < 40; ++n)
        y[n] = comb.process(n == 0 ? 1.0f : 0.0f);
    EXPECT_EQ(y[10], 1.0f);
    EXPECT_EQ(y[20], 0.99f);
    EXPECT_EQ(y[30], 0.99f * 0.99f);
    EXPECT_EQ(y[15], 0.0f);
}

// Drives a ramp x[n] = n, so that the output tells which delay (or blend of two) was read.
struct RampDriver {
    CombDelay& comb;
    int n = 0;
    float next() { float y = comb.process(static_cast<float>(n)); ++n; return y; }
};

TEST(CombDelay, ADelayChangeCrossfadesOver441SamplesAt44100)
{
    CombDelay comb;
    comb.setSampleRate(kRate);
    comb.requestDelay(10.0f / kRate);
    comb.reset();
    RampDriver ramp{comb};
    for (int i = 0; i < 100; ++i)
        ramp.next();
    comb.requestDelay(30.0f / kRate);
    const int start = ramp.n;
    for (int k = 0; k < 441; ++k) {
        float y = ramp.next();
        float oldRead = static_cast<float>(start + k - 10);
        float p = (oldRead - y) / 20.0f;
        ASSERT_NEAR(p, k / 441.0f, 2e-3f) << k;
    }
    for (int k = 0; k < 50; ++k) {
        int n = ramp.n;
        ASSERT_EQ(ramp.next(), static_cast<float>(n - 30));
    }
}

TEST(CombDelay, ARequestDuringACrossfadeWaitsForItsEnd)
{
    CombDelay comb;
    comb.setSampleRate(kRate);
    comb.requestDelay(10.0f / kRate);
    comb.reset();
    RampDriver ramp{comb};
    for (int i = 0; i < 100; ++i)
        ramp.next();
    comb.requestDelay(30.0f / kRate);
    for (int i = 0; i < 200; ++i)
        ramp.next();
    comb.requestDelay(50.0f / kRate);
    for (int i = 0; i < 241; ++i)
        ramp.next();
    // The first crossfade has ended on 30 samples; the second starts from there.
    int n = ramp.n;
    EXPECT_EQ(ramp.next(), static_cast<float>(n - 30));
    for (int i = 0; i < 440; ++i)
        ramp.next();
    n = ramp.n;
    EXPECT_EQ(ramp.next(), static_cast<float>(n - 50));
}

TEST(CombDelay, ResetAppliesAChangedDelayAtOnce)
{
    CombDelay comb;
    comb.setSampleRate(kRate);
    comb.requestDelay(10.0f / kRate);
    comb.reset();
    comb.requestDelay(20.0f / kRate);
    comb.reset();
    EXPECT_EQ(impulseDelay(comb), 20);
}

TEST(CombDelay, BadInputIsHarmless)
{
    CombDelay comb;
    EXPECT_EQ(comb.process(1.0f), 0.0f); // no line yet
    EXPECT_FALSE(comb.setSampleRate(0.0f));
    EXPECT_FALSE(comb.setSampleRate(NAN));
    ASSERT_TRUE(comb.setSampleRate(kRate));

    // Delays the line cannot hold stay inside it.
    comb.requestDelay(5.0f);
    comb.reset();
    for (int i = 0; i < 100; ++i)
        comb.process(1.0f);
    comb.requestDelay(NAN);
    for (int i = 0; i < 1000; ++i)
        comb.process(1.0f);

    // A NaN at the input passes once and does not stay in the line.
    comb.requestDelay(4.0f / kRate);
    comb.reset();
    comb.setFeedback(0.9f);
    comb.process(NAN);
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(std::isfinite(comb.process(0.5f))) << i;
}

} // namespace
