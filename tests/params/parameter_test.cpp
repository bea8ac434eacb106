// Parameter record: the host/engine mapping, the 10 ms ramp, modulation and the LFO rate arithmetic.
#include "support/parameter_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(Parameter, ListValuesRoundToTheNearestIndexInFloat)
{
    Parameter type = tableRecord(kMmFilterType);
    for (auto [host, index] : {std::pair(0.03f, 3.0f), std::pair(0.034f, 3.0f), std::pair(0.036f, 4.0f),
                               std::pair(0.005f, 1.0f), std::pair(0.0049f, 0.0f)}) {
        type.setNormalized(host);
        EXPECT_EQ(type.target, index) << host;
    }
    type.setNormalized(0.5f);
    EXPECT_FLOAT_EQ(type.getNormalized(), 0.5f);
}

TEST(Parameter, RangesMapBothWaysAndNonFiniteHostValuesNeverReachTheRecord)
{
    Parameter release = tableRecord(kCompressRelease);
    release.setNormalized(0.5f);
    EXPECT_FLOAT_EQ(release.target, 1050.0f);
    EXPECT_FLOAT_EQ(release.getNormalized(), 0.5f);
    release.setNormalized(NAN);
    release.setNormalized(std::numeric_limits<float>::infinity());
    release.setNormalized(3e38f); // finite, but its engine value is not
    EXPECT_FLOAT_EQ(release.target, 1050.0f);
    release.snap();
    EXPECT_FLOAT_EQ(release.currentValue(64), 1050.0f);

    Parameter mix = tableRecord(kMasterMix);
    mix.setNormalized(1.25f); // outside 0..1: mapped as it is, not clamped
    EXPECT_EQ(mix.target, 1.25f);
}

TEST(Parameter, RampLengthComesFromTheFloatNearestTenMillisecondsAndWithoutARateTheFirstAdvanceArrives)
{
    Parameter p = tableRecord(kMasterMix);
    EXPECT_EQ(p.rampLength, 0);
    p.setNormalized(0.7f);
    p.advance(0);
    EXPECT_EQ(p.value, 0.0f);
    p.advance(1);
    EXPECT_EQ(p.value, 0.7f);
    p.setSampleRate(44100.0f);
    EXPECT_EQ(p.rampLength, 440);
    p.setSampleRate(48000.0f);
    EXPECT_EQ(p.rampLength, 479);
    p.setSampleRate(NAN);
    p.setSampleRate(-1.0f);
    EXPECT_EQ(p.rampLength, 479);
}

TEST(Parameter, RampIsLinearOverWholeBlocksAndEndsExactly)
{
    Parameter p = tableRecord(kMasterMix);
    p.setSampleRate(44100.0f);
    p.setNormalized(1.0f);
    for (int i = 0; i < 5; ++i)
        p.advance(64);
    EXPECT_FLOAT_EQ(p.value, 320.0f / 440.0f);
    p.setNormalized(1.0f); // the present target again: the ramp runs on
    EXPECT_EQ(p.rampPosition, 320);
    p.advance(64);
    p.advance(64);
    EXPECT_EQ(p.value, 1.0f);

    // A change in the middle of a ramp starts a new ramp from where the value stands.
    p.setNormalized(0.0f);
    p.advance(220);
    EXPECT_FLOAT_EQ(p.value, 0.5f);
    p.setNormalized(1.0f);
    EXPECT_EQ(p.rampStart, 0.5f);
    EXPECT_FLOAT_EQ(p.currentValue(220), 0.75f);
}

TEST(Parameter, ModulationIsAShareOfTheRangeLimitedToTheRange)
{
    Modulator lfo;
    Parameter mix = tableRecord(kMasterMix);
    mix.setNormalized(0.8f);
    mix.snap();
    mix.modulator = &lfo;
    lfo.output = 0.1f;
    EXPECT_FLOAT_EQ(mix.currentValue(64), 0.9f);
    lfo.output = 0.5f;
    EXPECT_EQ(mix.targetValue(), 1.0f);
    lfo.output = -0.5f;
    EXPECT_FLOAT_EQ(mix.targetValue(), 0.3f);

    // Targets outside 0..1 sweep their own range instead of sticking at 1.
    Parameter tune = tableRecord(kMagicEQTune);
    tune.setNormalized(0.5f);
    tune.snap();
    tune.modulator = &lfo;
    lfo.output = 0.25f;
    EXPECT_FLOAT_EQ(tune.currentValue(1), 105.0f);
    lfo.output = -0.5f;
    EXPECT_FLOAT_EQ(tune.currentValue(1), 60.0f);
    tune.modulator = nullptr;
    EXPECT_FLOAT_EQ(tune.currentValue(1), 90.0f);
}

TEST(Parameter, LfoRatesFreeAndSynced)
{
    Parameter rate = tableRecord(kLfo1Rate);
    rate.setNormalized(0.5f);
    EXPECT_FLOAT_EQ(rate.rateHz(120.0f), 4.01f);
    rate.synced = true;
    rate.setNormalized(1.0f);
    EXPECT_STREQ(rate.listNames[rate.divisionIndex()], "1/32T");
    EXPECT_FLOAT_EQ(rate.rateHz(120.0f), 24.0f);
    rate.setNormalized(0.0f);
    EXPECT_STREQ(rate.listNames[rate.divisionIndex()], "32/1*");
    EXPECT_FLOAT_EQ(rate.rateHz(120.0f), 1.0f / 96.0f);
    rate.setNormalized(-5.0f);
    EXPECT_EQ(rate.divisionIndex(), kSyncDivisionCount - 1);
    rate.setNormalized(5.0f);
    EXPECT_EQ(rate.divisionIndex(), 0);
}

TEST(Parameter, TextFieldsAreCutToTheirSize)
{
    Parameter p(1, true, "ANameFarLongerThanThirtyOneCharactersInAll", nullptr, nullptr, 0.0f, 1.0f);
    EXPECT_EQ(std::string(p.name).size(), 31u);
    EXPECT_STREQ(p.shortName, "");
    EXPECT_STREQ(p.unit, "");
}

} // namespace
