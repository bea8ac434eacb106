// Value texts of every kind against the listed examples, independent of the C locale.
#include "params/parameter.h"
#include "params/parameter_table.h"
#include "params/value_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

Parameter record(int index)
{
    const ParameterRow& row = kParameterTable[index];
    Parameter p(row.kind, row.displayable, row.name, row.shortName, row.unit, row.minimum, row.maximum);
    if (row.kind == 2)
        p.setSyncList(kSyncDivisionCount, kLfoMinimumRateHz, kLfoMaximumRateHz, kSyncDivisionLabels,
                      kSyncDivisionFactors);
    return p;
}

std::string text(int index, float normalized, bool synced = false)
{
    Parameter p = record(index);
    p.synced = synced;
    p.setNormalized(normalized);
    char buffer[64];
    formatValue(p, buffer);
    return buffer;
}

// Engine values given directly (the examples are in engine units).
std::string textOfValue(int index, float value)
{
    Parameter p = record(index);
    p.target = value;
    char buffer[64];
    formatValue(p, buffer);
    return buffer;
}

TEST(ValueText, SwitchesListsAndPercent)
{
    EXPECT_EQ(text(kMmFilterType, 0.03f), "3");
    EXPECT_EQ(text(kBpFilterOn, 1.0f), "1");
    EXPECT_EQ(text(kDistTube, 0.5f), "50");
    EXPECT_EQ(text(kDistTube, 0.999f), "99");
}

TEST(ValueText, LfoRatesInHertzOrBars)
{
    EXPECT_EQ(text(kLfo1Rate, 0.5f), "4.0 Hz");
    EXPECT_EQ(text(kLfo1Rate, 0.5f, true), "1/1 bars");
    EXPECT_EQ(text(kLfo1Rate, 1.0f, true), "1/32T bars");
    EXPECT_EQ(text(kLfo1Rate, 0.0f, true), "32/1* bars");
    EXPECT_EQ(text(kLfo1Rate, 1.0f), "8.0 Hz");
}

TEST(ValueText, PlainNumbersWithOneDecimal)
{
    EXPECT_EQ(textOfValue(kMmFilterAttack, 0.01f), "0.0");
    EXPECT_EQ(textOfValue(kCompressRelease, 2000.0f), "2000.0");
    EXPECT_EQ(textOfValue(kMagicEQTune, 60.0f), "60.0");
}

TEST(ValueText, FrequenciesFromTheScaleAndTheCutoffCurve)
{
    EXPECT_EQ(text(kBpFilterLow, 0.5f), "608");
    EXPECT_EQ(text(kBpFilterLow, 1.0f), "20000");
    EXPECT_EQ(text(kBpFilterLow, 0.0f), "20");
    EXPECT_EQ(text(kMmFilterCutoff, 0.5f), "1278");
    EXPECT_EQ(text(kMmFilterCutoff, 0.9f), "4059");
    EXPECT_EQ(text(kMmFilterCutoff, 1.0f), "16000");
    EXPECT_EQ(text(kMmFilterCutoff, 0.0f), "80");
}

TEST(ValueText, DecibelsOfCompressionAndVolume)
{
    EXPECT_EQ(textOfValue(kCompressAmount, 0.0f), " 0");
    EXPECT_EQ(textOfValue(kCompressAmount, 0.5f), "-6");
    EXPECT_EQ(textOfValue(kCompressAmount, 0.99f), "-40");
    EXPECT_EQ(text(kMasterVolume, 1.0f), " 0");
    EXPECT_EQ(text(kMasterVolume, 0.5f), "-16");
    EXPECT_EQ(text(kMasterVolume, 0.0005f), "-inf");
}

TEST(ValueText, OutOfRangeValuesGiveShortTextsWithoutOverrun)
{
    char buffer[32];
    std::fill(buffer, buffer + sizeof buffer, 'x');
    Parameter p = record(kCompressRelease);
    p.target = 3e38f;
    formatValue(p, buffer);
    EXPECT_EQ(std::string(buffer).size(), size_t(kValueTextSize - 1));
    EXPECT_EQ(buffer[kValueTextSize], 'x');
    p = record(kMmFilterType);
    p.target = -1e30f;
    formatValue(p, buffer, 4);
    EXPECT_EQ(std::string(buffer), "-21");
}

// A locale whose decimal point is a comma: an installed one, or one compiled into the build tree.
bool selectCommaLocale()
{
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"})
        if (std::setlocale(LC_NUMERIC, name) != nullptr)
            return true;
    const std::string folder = std::string(RAVENSOOT_BINARY_DIR) + "/test-locales";
    const std::string command = "mkdir -p '" + folder + "' && localedef -i de_DE -f UTF-8 '" +
                                folder + "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return false;
    setenv("LOCPATH", folder.c_str(), 1);
    return std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
}

TEST(ValueText, HostLocaleDoesNotChangeTheDecimalPoint)
{
    if (!selectCommaLocale())
        GTEST_SKIP() << "no locale with a decimal comma available";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%1.1f", 4.0);
    ASSERT_STREQ(probe, "4,0"); // the host's locale is really in force
    std::string rate = text(kLfo1Rate, 0.5f);
    std::string tune = textOfValue(kMagicEQTune, 60.0f);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(rate, "4.0 Hz");
    EXPECT_EQ(tune, "60.0");
}

} // namespace
