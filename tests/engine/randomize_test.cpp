// Randomize with known draws: the steps' order, the weighted targets, the XY axes, and ranges.
#include "support/engine_fixture.h"

#include <gtest/gtest.h>

namespace {

constexpr float kS = 3.0518509e-5f;

TEST(Randomize, WithEverySectionOffOnlyThePadAxesAreDrawn)
{
    EngineFixture f("random-axes");
    ProductEngine& e = *f.engine;
    for (int i = 0; i < 66; ++i)
        e.takeChanged(i);
    // a: chance(0.5) yes, chance(0.7) yes -> "BpFilterHigh" (position 1).
    // b: the same again, so drawn anew: chance(0.5) yes, chance(0.7) no -> "BpFilterLow" (0).
    const int draws[] = {0, 0, 0, 0, 0, 32767};
    e.random().feed(draws, 6);
    e.randomize();
    EXPECT_EQ(e.random().fedRemaining(), 0);
    EXPECT_EQ(e.parameter(kMorphXParam)->target, 1.0f);
    EXPECT_EQ(e.parameter(kMorphYParam)->target, 0.0f);
    EXPECT_TRUE(e.isChanged(kMorphXParam));
    EXPECT_TRUE(e.isChanged(kMorphYParam));
    EXPECT_TRUE(e.isConstraintOn());
    EXPECT_FALSE(e.isChanged(kFlangerAmount));
}

TEST(Randomize, SectionValuesComeFromTheDrawsInOrder)
{
    EngineFixture f("random-order");
    ProductEngine& e = *f.engine;
    setRecords(e, {{kFlangerOn, 1.0f}, {kMmFilterOn, 1.0f}});
    const int draws[] = {
        // multimode filter: mix (gaussian: u1 = 0, u2 = 0.5), integer(0, 9) = 9, type, attack,
        // decay, env (gaussian), cutoff, res (gaussian)
        16383, 24575, 32767, 32767, 16384, 8192, 16383, 24575, 0, 16383, 24575,
        // flanger: amount, rate
        16384, 32767,
        // X: chance(0.5) yes -> cutoff (13); Y: no, env is 0 so pickOfThree: uniform(0,3) -> 1: mix (9)
        0, 32767, 16384};
    ASSERT_TRUE(e.random().feed(draws, sizeof draws / sizeof draws[0]));
    e.randomize();
    EXPECT_EQ(e.random().fedRemaining(), 0);
    // u1 = (2 * 16383 - 32767) / 32767 is just below 0: the mean, pulled down a hair.
    EXPECT_NEAR(e.getParameter(kMmFilterMix), 1.0f, 1e-3f);
    EXPECT_EQ(e.parameter(kMmFilterType)->target, 9.0f);
    EXPECT_FLOAT_EQ(e.getParameter(kMmFilterAttack), 16384.0f * kS);
    EXPECT_FLOAT_EQ(e.getParameter(kMmFilterDecay), 8192.0f * kS);
    EXPECT_EQ(e.getParameter(kMmFilterEnv), 0.0f);
    EXPECT_EQ(e.getParameter(kMmFilterCutoff), 0.0f);
    EXPECT_FLOAT_EQ(e.getParameter(kFlangerAmount), 16384.0f * kS);
    EXPECT_FLOAT_EQ(e.getParameter(kFlangerRate), 32767.0f * kS);
    EXPECT_EQ(e.parameter(kMorphXParam)->target, 13.0f);
    EXPECT_EQ(e.parameter(kMorphYParam)->target, 9.0f);
}

TEST(Randomize, EveryValueStaysInRangeAndTheAxesDiffer)
{
    EngineFixture f("random-range");
    ProductEngine& e = *f.engine;
    for (int s : {kBpFilterOn, kDistOn, kMmFilterOn, kFlangerOn, kMagicEQOn, kCompressOn, kLfo1On, kLfo2On})
        e.setParameter(s, 1.0f);
    e.random().seed(12345);
    int same = 0;
    for (int round = 0; round < 300; ++round) {
        e.randomize();
        for (int i = 0; i < kAutomatableCount; ++i) {
            float v = e.getParameter(i);
            ASSERT_TRUE(v >= 0.0f && v <= 1.0f) << kParameterTable[i].name << " " << v;
        }
        ASSERT_LE(e.parameter(kMmFilterType)->target, 9.0f);
        ASSERT_LE(e.parameter(kLfo1Shape)->target, 6.0f);
        ASSERT_LT(e.parameter(kLfo1Target)->target, 23.0f);
        same += e.parameter(kMorphXParam)->target == e.parameter(kMorphYParam)->target;
    }
    EXPECT_EQ(same, 0);
}

TEST(RandomSource, DrawsStayInTheirRangesAtTheExtremes)
{
    RandomSource r;
    const int extremes[] = {32767, 32767, 0, 0};
    r.feed(extremes, 4);
    EXPECT_LE(r.uniform(0.0f, 1.0f), 1.0f);
    EXPECT_EQ(r.integer(0, 9), 9);
    EXPECT_EQ(r.integer(0, 9), 0);
    EXPECT_TRUE(r.chance(0.1f));
    for (int i = 0; i < 10000; ++i) {
        int v = r.next();
        ASSERT_TRUE(v >= 0 && v <= 32767);
    }
    // A fed source that never lands inside the unit circle gives the mean instead of hanging.
    int corners[256];
    std::fill(corners, corners + 256, 0);
    r.feed(corners, 256);
    float g = r.gaussian(0.25f, 1.0f, 0.0f, 1.0f);
    EXPECT_GE(g, 0.0f);
    EXPECT_LE(g, 1.0f);
}

} // namespace
