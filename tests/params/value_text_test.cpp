// Value texts of every kind against the listed examples, without overrun, independent of the C locale.
#include "params/value_text.h"
#include "support/comma_locale.h"
#include "support/parameter_record.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

namespace {

// The text for a host value, or for an engine value given directly.
std::string text(int index, float hostValue)
{
    Parameter p = tableRecord(index);
    p.setNormalized(hostValue);
    char buffer[64];
    formatValue(p, buffer);
    return buffer;
}

std::string textOfValue(int index, float value)
{
    Parameter p = tableRecord(index);
    p.target = value;
    char buffer[64];
    formatValue(p, buffer);
    return buffer;
}

// (The host's texts for most kinds are checked through the module's entry point; these are the rest.)
TEST(ValueText, EveryKindGivesTheListedTexts)
{
    const struct {
        int index;
        float hostValue;
        const char* text;
    } fromHost[] = {
        {kDistTube, 0.5f, "50"},           {kLfo1Rate, 1.0f, "8.0 Hz"},          {kBpFilterLow, 1.0f, "20000"},
        {kMmFilterCutoff, 0.5f, "1278"},   {kMmFilterCutoff, 1.0f, "16000"},
    };
    for (const auto& t : fromHost)
        EXPECT_EQ(text(t.index, t.hostValue), t.text) << kParameterTable[t.index].name << " at " << t.hostValue;
    EXPECT_EQ(textOfValue(kCompressAmount, 0.99f), "-40");
}

TEST(ValueText, OutOfRangeValuesGiveShortTextsWithoutOverrun)
{
    char buffer[32];
    std::fill(buffer, buffer + sizeof buffer, 'x');
    Parameter p = tableRecord(kCompressRelease);
    p.target = 3e38f;
    formatValue(p, buffer);
    EXPECT_EQ(std::string(buffer).size(), size_t(kValueTextSize - 1));
    EXPECT_EQ(buffer[kValueTextSize], 'x');
    p = tableRecord(kMmFilterType);
    p.target = -1e30f;
    formatValue(p, buffer, 4);
    EXPECT_EQ(std::string(buffer), "-21");
}

TEST(ValueText, HostLocaleDoesNotChangeTheDecimalPoint)
{
    if (!selectCommaLocale())
        GTEST_SKIP() << "no locale with a decimal comma available";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%1.1f", 4.0);
    ASSERT_STREQ(probe, "4,0"); // the host's locale is really in force
    const std::string rate = text(kLfo1Rate, 0.5f), tune = textOfValue(kMagicEQTune, 60.0f);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(rate, "4.0 Hz");
    EXPECT_EQ(tune, "60.0");
}

} // namespace
