// The limiter's recovery from a shallow reduction, whose step is below half a float step. (Its linear
// 7.5 s recovery is measured through the Magic EQ.)
#include "dsp/peak_limiter.h"

#include <gtest/gtest.h>

TEST(PeakLimiter, ShallowReductionsRecoverInsteadOfStaying)
{
    PeakLimiter limiter;
    const float steps = 44100.0f * PeakLimiter::kRecoverySeconds;
    for (int i = 0; i < 1000; ++i)
        limiter.apply(FloatPair{1.005f, 0.5f}, steps);
    const FloatPair loud = limiter.apply(FloatPair{1.005f, 0.5f}, steps);
    EXPECT_LE(loud[0], 1.0f);
    EXPECT_LT(loud[1], 0.5f); // one gain for both channels, set by the louder
    FloatPair quiet{};
    for (int i = 0; i < 4410; ++i)
        quiet = limiter.apply(FloatPair{0.5f, -0.25f}, steps);
    EXPECT_EQ(limiter.gain, 1.0f);
    EXPECT_TRUE(quiet[0] == 0.5f && quiet[1] == -0.25f);
}
