// Peak follower slopes and the shared sine table.
#include "dsp/peak_follower.h"
#include "dsp/sine_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

TEST(PeakFollower, RisesByAttackMinusReleaseStepAndFallsByReleaseStep)
{
    // Each rising sample gains attackStep - releaseStep: 1/441 - 1/4410 reaches 1.0 at sample 490; without a
    // release exactly the attack time, 441.
    for (auto [release, rise] : {std::pair(0.1f, 490), std::pair(0.0f, 441)}) {
        PeakFollower f;
        f.setAttackTime(0.01f);
        f.setReleaseTime(0.1f);
        f.releaseStep = release > 0.0f ? f.releaseStep : 0.0f;
        int n = 1;
        while (f.process(1.0f) < 1.0f)
            ++n;
        EXPECT_EQ(n, rise) << release;
        EXPECT_EQ(f.value, 1.0f);
    }
    PeakFollower f;
    f.setReleaseTime(0.1f);
    f.value = 1.0f;
    int m = 1;
    while (f.process(0.0f) > 0.0f)
        ++m;
    EXPECT_EQ(m, 4411);
}

TEST(PeakFollower, WithoutTimesItStaysAtZeroAndNeverGoesNegativeOrNaN)
{
    PeakFollower f;
    EXPECT_EQ(f.process(1.0f), 0.0f);
    f.setAttackTime(0.01f);
    f.setReleaseTime(0.1f);
    EXPECT_GT(f.process(-1.0f), 0.0f);
    EXPECT_EQ(f.process(NAN), f.value);
    EXPECT_TRUE(f.value >= 0.0f);
}

TEST(SineTable, IsSharedAndInterpolates)
{
    auto a = SineTable::acquire();
    auto b = SineTable::acquire();
    EXPECT_EQ(a.get(), b.get());
    EXPECT_EQ(a->lookup(0.0f), 0.0f);
    EXPECT_NEAR(a->lookup(50.0f), 1.0f, 1e-7);
    EXPECT_NEAR(a->lookup(150.0f), -1.0f, 1e-7);
    float mid = a->lookup(199.5f);
    EXPECT_FLOAT_EQ(mid, (a->values[199] + a->values[200]) * 0.5f);
    EXPECT_NEAR(a->lookup(25.25f), std::sin(25.25 * M_PI / 100.0), 2e-4);
}

TEST(SineTable, PhasesOutsideTheCycleNeverReadOutsideTheTable)
{
    auto t = SineTable::acquire();
    EXPECT_EQ(t->lookup(-0.0f), 0.0f);
    EXPECT_EQ(t->lookup(-3.0f), t->values[0]);
    EXPECT_EQ(t->lookup(NAN), t->values[0]);
    EXPECT_NEAR(t->lookup(200.0f), t->values[200], 1e-6);
    EXPECT_NEAR(t->lookup(1e30f), t->values[200], 1e-6);
    EXPECT_NEAR(t->lookup(INFINITY), t->values[200], 1e-6);
}
