// Comb delay: the 10 ms crossfade between delays, a request that waits for it, and bad input. (Rounded
// delays and feedback are checked through the multimode filter's comb type.)
#include "dsp/comb_delay.h"

#include <gtest/gtest.h>

namespace {

constexpr float kRate = 44100.0f;

// A comb at `samples` of delay fed the ramp x[n] = n, so that the output tells which delay (or blend
// of two) was read.
struct RampedComb {
    explicit RampedComb(int samples)
    {
        comb.setSampleRate(kRate);
        comb.requestDelay(static_cast<float>(samples) / kRate);
        comb.reset();
    }
    float next() { return comb.process(static_cast<float>(n++)); }
    void skip(int count)
    {
        for (int i = 0; i < count; ++i)
            next();
    }
    // True when the next output reads exactly `samples` back.
    bool reads(int samples)
    {
        const int at = n;
        return next() == static_cast<float>(at - samples);
    }
    CombDelay comb;
    int n = 0;
};

TEST(CombDelay, ADelayChangeCrossfadesOver441SamplesAt44100)
{
    RampedComb ramp(10);
    ramp.skip(100);
    ramp.comb.requestDelay(30.0f / kRate);
    const int start = ramp.n;
    for (int k = 0; k < 441; ++k) {
        const float y = ramp.next();
        ASSERT_NEAR((static_cast<float>(start + k - 10) - y) / 20.0f, k / 441.0f, 2e-3f) << k;
    }
    for (int k = 0; k < 50; ++k)
        ASSERT_TRUE(ramp.reads(30)) << k;
}

TEST(CombDelay, ARequestDuringACrossfadeWaitsForItsEndAndResetAppliesAtOnce)
{
    RampedComb ramp(10);
    ramp.skip(100);
    ramp.comb.requestDelay(30.0f / kRate);
    ramp.skip(200);
    ramp.comb.requestDelay(50.0f / kRate);
    ramp.skip(241);
    // The first crossfade has ended on 30 samples; the second starts from there.
    EXPECT_TRUE(ramp.reads(30));
    ramp.skip(440);
    EXPECT_TRUE(ramp.reads(50));

    ramp.comb.requestDelay(20.0f / kRate);
    ramp.comb.reset();
    ramp.skip(20);
    EXPECT_TRUE(ramp.reads(20));
}

TEST(CombDelay, BadInputIsHarmless)
{
    CombDelay comb;
    EXPECT_EQ(comb.process(1.0f), 0.0f); // no line yet
    EXPECT_FALSE(comb.setSampleRate(0.0f));
    EXPECT_FALSE(comb.setSampleRate(NAN));
    ASSERT_TRUE(comb.setSampleRate(kRate));
    EXPECT_EQ(comb.length(), 44100);

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
