// LFO shapes, slewing and random draws, and how the engine drives them: rates, tempo sync with
// phase re-lock, target assignment with the take-over rule, the modulated output level.
#include "engine/lfo.h"
#include "engine/random_source.h"
#include "support/engine_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

Lfo makeLfo(RandomSource& random, int shape, float depth, float frequency = 1.0f)
{
    Lfo lfo(random);
    lfo.setSampleRate(44100.0f);
    lfo.setShape(shape);
    lfo.depth = depth;
    lfo.frequency = frequency;
    lfo.updateSteps();
    return lfo;
}

// The goal at a phase, reached by stepping one sample from just before it.
float goalAt(Lfo lfo, double phase)
{
    lfo.setPhase(phase);
    lfo.phaseStep = 0.0;
    lfo.advance(1);
    return lfo.goal;
}

TEST(Lfo, ShapesSpanMinusToPlusHalfTheDepth)
{
    const struct {
        int shape;
        float depth;
        double phase;
        float goal;
    } points[] = {
        {0, 1.0f, 0.25, 0.5f}, {0, 1.0f, 0.75, -0.5f}, {0, 0.5f, 0.0, 0.0f},  // sine
        {1, 1.0f, 0.0, 0.0f},  {1, 1.0f, 0.25, 0.5f},  {1, 1.0f, 0.75, -0.5f}, // triangle, from mid-way
        {2, 1.0f, 0.3, -0.2f}, {3, 1.0f, 0.3, 0.2f},                           // ramps up and down
        // Square away from its interpolated edges, which pass through 0 near 0.495 and 0.995.
        {4, 1.0f, 0.2, -0.5f}, {4, 1.0f, 0.7, 0.5f},   {4, 1.0f, 0.495, 0.0f},
    };
    RandomSource random;
    for (const auto& p : points)
        EXPECT_NEAR(goalAt(makeLfo(random, p.shape, p.depth), p.phase), p.goal, 1e-6f) << p.shape << " at " << p.phase;
}

TEST(Lfo, SquareSlewsAFullStepIn441SamplesAt44100)
{
    RandomSource random;
    Lfo lfo = makeLfo(random, 4, 1.0f, 0.02f);
    lfo.setPhase(0.2);
    lfo.advance(1000);
    ASSERT_EQ(lfo.output, -0.5f);
    lfo.setPhase(0.6);
    lfo.advance(64);
    EXPECT_NEAR(lfo.output, -0.5f + 64.0f / 441.0f, 1e-5f);
    int samples = 64;
    while (lfo.output < 0.5f && samples < 1000) {
        lfo.advance(1);
        ++samples;
    }
    EXPECT_NEAR(samples, 441, 1);
}

TEST(Lfo, RandomSquareDrawsExactlyTwoLevelsPerCycle)
{
    RandomSource random;
    int draws[200];
    for (int i = 0; i < 200; ++i)
        draws[i] = (i * 7919) % 32768;
    random.feed(draws, 200);
    Lfo lfo = makeLfo(random, 5, 1.0f, 44100.0f / 6400.0f); // a cycle every 100 blocks of 64
    lfo.setPhase(0.1);
    const int before = random.fedRemaining();
    for (int i = 0; i < 100; ++i) {
        lfo.advance(64);
        EXPECT_GE(lfo.goal, -0.5f);
        EXPECT_LE(lfo.goal, 0.5f);
    }
    EXPECT_EQ(before - random.fedRemaining(), 2);
}

TEST(Lfo, RandomTriangleGlidesBetweenItsLevels)
{
    RandomSource random;
    int draws[] = {32767, 0, 16383};
    random.feed(draws, 3);
    Lfo lfo = makeLfo(random, 6, 1.0f, 0.02f);
    lfo.setPhase(0.9);
    lfo.phaseStep = 0.2;
    lfo.advance(1); // wraps to 0.1: previous 0, next +0.5
    EXPECT_NEAR(lfo.randomNext, 0.5f, 1e-4f);
    EXPECT_NEAR(lfo.goal, 0.2f * 0.5f, 1e-4f);
    lfo.advance(1); // 0.3
    EXPECT_NEAR(lfo.goal, 0.6f * 0.5f, 1e-4f);
    lfo.advance(1); // 0.5: new half cycle, glides from +0.5 toward -0.5
    EXPECT_NEAR(lfo.randomPrevious, 0.5f, 1e-4f);
    EXPECT_NEAR(lfo.goal, 0.5f, 1e-4f);
}

TEST(Lfo, PhaseStaysInsideOneCycleWhateverTheStep)
{
    RandomSource random;
    Lfo lfo = makeLfo(random, 0, 1.0f, 100000.0f);
    for (int i = 0; i < 100; ++i) {
        lfo.advance(64);
        ASSERT_TRUE(lfo.phase >= 0.0 && lfo.phase < 1.0);
        ASSERT_TRUE(std::isfinite(lfo.output));
    }
    lfo.setPhase(1.0);
    EXPECT_EQ(lfo.phase, 0.0);
    lfo.setPhase(-0.1);
    EXPECT_EQ(lfo.phase, 0.0);
    lfo.setShape(42);
    EXPECT_EQ(lfo.shape, 6);
}

TEST(Modulation, RateShapeAndDepthComeFromTheirRecords)
{
    EngineFixture f("lfo-rate");
    f.engine->setParameter(kLfo1Rate, 0.5f);
    EXPECT_FLOAT_EQ(f.engine->lfo(0).frequency, 4.01f);
    EXPECT_EQ(f.engine->lfo(0).phaseStep, 4.01f / 44100.0f);
    f.engine->setSampleRate(48000.0f);
    EXPECT_EQ(f.engine->lfo(0).phaseStep, 4.01f / 48000.0f);
    for (auto [value, shape] : {std::pair(0.04f, 4), std::pair(0.5f, 6), std::pair(-0.5f, 0)}) {
        f.engine->setParameter(kLfo2Shape, value);
        EXPECT_EQ(f.engine->lfo(1).shape, shape) << value;
    }
    f.engine->setParameter(kLfo2Depth, 0.3f);
    EXPECT_FLOAT_EQ(f.engine->lfo(1).depth, 0.3f);
}

TEST(Modulation, SyncedQuarterLocksToTheSongPosition)
{
    EngineFixture f("lfo-sync");
    setRecords(*f.engine, {{kLfo1Rate, 0.68f}, {kLfo1Sync, 1.0f}}); // "1/4"
    EXPECT_TRUE(f.engine->parameter(kLfo1Rate)->synced);
    f.engine->setTempoAndPosition(120.0f, 2.5f);
    EXPECT_DOUBLE_EQ(f.engine->lfo(0).phase, 0.5);
    EXPECT_FLOAT_EQ(f.engine->lfo(0).frequency, 2.0f);
    char text[16];
    f.engine->getParameterDisplay(kLfo1Rate, text, sizeof text);
    EXPECT_STREQ(text, "1/4 bars");

    // As a host's time info would move it: a jump relocks, a tempo change changes the rate.
    f.engine->setTempoAndPosition(120.0f, 7.25f);
    EXPECT_DOUBLE_EQ(f.engine->lfo(0).phase, 0.25);
    f.engine->setTempoAndPosition(90.0f, 7.25f);
    EXPECT_FLOAT_EQ(f.engine->lfo(0).frequency, 1.5f);
    // Between calls the phase runs freely with the engine's own position.
    std::vector<float> in(11025, 0.0f), outL(11025), outR(11025);
    f.run(in, in, outL, outR);
    EXPECT_NEAR(f.engine->lfo(0).phase, std::fmod(0.25 + 0.375, 1.0), 1e-4);
    // A negative position gives phase 0.
    f.engine->setTempoAndPosition(90.0f, -0.5f);
    EXPECT_EQ(f.engine->lfo(0).phase, 0.0);
    // An unsynced LFO keeps its phase.
    f.engine->setParameter(kLfo1Sync, 0.0f);
    f.engine->lfo(0).setPhase(0.3);
    f.engine->setTempoAndPosition(120.0f, 2.0f);
    EXPECT_EQ(f.engine->lfo(0).phase, 0.3);
    EXPECT_FLOAT_EQ(f.engine->lfo(0).frequency, 0.02f + 7.98f * 0.68f);
}

TEST(Modulation, LfoTwoDoesNotTakeOverLfoOnesTargetWhileTheConstraintIsOn)
{
    EngineFixture f("lfo-takeover");
    ProductEngine& e = *f.engine;
    setRecords(e, {{kLfo1Target, 0.13f}, {kLfo1On, 1.0f}});
    Parameter* cutoff = e.parameter(kMmFilterCutoff);
    EXPECT_EQ(cutoff->modulator, &e.lfo(0));
    setRecords(e, {{kLfo2On, 1.0f}, {kLfo2Target, 0.13f}});
    EXPECT_EQ(cutoff->modulator, &e.lfo(0));

    // While a program is applied (constraint off) LFO 1 takes its target even from LFO 2.
    e.setParameter(kLfo1On, 0.0f);
    EXPECT_EQ(cutoff->modulator, nullptr);
    setRecords(e, {{kLfo2Target, 0.12f}, {kLfo2Target, 0.13f}});
    EXPECT_EQ(cutoff->modulator, &e.lfo(1));
    e.setConstraint(false);
    e.setParameter(kLfo1On, 1.0f);
    EXPECT_EQ(cutoff->modulator, &e.lfo(0));
    e.setConstraint(true);

    e.setParameter(kLfo1Target, 0.5f); // 50: nothing
    EXPECT_EQ(cutoff->modulator, nullptr);
    for (const TargetEntry& t : kTargetList)
        EXPECT_NE(e.parameter(t.parameter)->modulator, &e.lfo(0));
}

TEST(Modulation, AnLfoOnTheVolumeModulatesTheOutput)
{
    EngineFixture f("lfo-volume", {{kMasterVolume, 0.5f}, {kLfo1Shape, 0.04f}, {kLfo1Depth, 1.0f}, {kLfo1Rate, 1.0f},
                                   {kLfo1Target, 0.22f}, {kLfo1On, 1.0f}});
    const auto level = f.range(std::vector<float>(64, 0.5f), 400, [](const std::vector<float>& out) { return out[63]; });
    EXPECT_EQ(level.first, 0.0f);
    EXPECT_FLOAT_EQ(level.second, 0.5f);
}

} // namespace
