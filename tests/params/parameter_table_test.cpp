// The parameter table and its lists: sizes, spot values and lookups that are safe for any float.
#include "params/parameter_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

TEST(ParameterTable, HoldsSixtySixRecordsInTheHostOrder)
{
    // (Names, ranges and kinds are what the texts through the entry point, the skin and the bindings file show.)
    EXPECT_EQ(kParameterCount, 66);
    EXPECT_STREQ(kParameterTable[kAutomatableCount].name, "Unused");
    for (int i = 0; i < kParameterCount; ++i) {
        const ParameterRow& row = kParameterTable[i];
        EXPECT_LT(std::strlen(row.name), 32u);
        // Displayable exactly when the host sees it and it is not a switch or list.
        EXPECT_EQ(row.displayable, i < kAutomatableCount && row.kind != 0) << row.name;
        if (i >= kAutomatableCount) {
            EXPECT_STREQ(row.shortName, "");
            EXPECT_STREQ(row.unit, "");
        }
    }
}

TEST(ParameterTable, TargetListNamesTwentyThreeRecordsByTheirShortNames)
{
    EXPECT_EQ(kTargetList[0].parameter, kBpFilterLow);
    EXPECT_EQ(kTargetList[13].parameter, kMmFilterCutoff);
    EXPECT_EQ(kTargetList[22].parameter, kMasterVolume);
    for (int k = 0; k < kTargetCount; ++k) {
        EXPECT_STREQ(kTargetList[k].shortName, kParameterTable[kTargetList[k].parameter].shortName);
        EXPECT_EQ(targetListPosition(kTargetList[k].parameter), k);
    }
    EXPECT_EQ(targetParameterIndex(13.0f), kMmFilterCutoff);
    EXPECT_EQ(targetParameterIndex(23.0f), -1);
    EXPECT_EQ(targetParameterIndex(50.0f), -1);
    EXPECT_EQ(targetParameterIndex(-3.0f), kBpFilterLow);
    EXPECT_EQ(targetListPosition(kMasterOn), -1);
}

TEST(ParameterTable, SyncDivisionsRunFromTripletThirtySecondToDottedThirtyTwoBars)
{
    // (The labels reach the host's texts, checked through the entry point.) Each plain division sits between
    // its triplet (2/3) and its dotted form (3/2), and doubles the one before: the two ends fix the rest.
    EXPECT_EQ(kSyncDivisionFactors[0], static_cast<float>(1.0 / 48.0));
    EXPECT_EQ(kSyncDivisionFactors[32], 48.0f);
    for (int i = 1; i < kSyncDivisionCount; i += 3) {
        EXPECT_EQ(kSyncDivisionFactors[i - 1], kSyncDivisionFactors[i] * 2.0f / 3.0f) << i;
        EXPECT_EQ(kSyncDivisionFactors[i + 1], kSyncDivisionFactors[i] * 1.5f) << i;
        if (i > 1) {
            EXPECT_EQ(kSyncDivisionFactors[i], kSyncDivisionFactors[i - 3] * 2.0f) << i;
        }
    }
}

TEST(ParameterTable, FrequencyScaleHasItsStoredValues)
{
    EXPECT_EQ(kFrequencyScaleCount, 285);
    for (auto [index, hz] : {std::pair(0, 20.0f), std::pair(60, 80.0f), std::pair(61, 82.0f), std::pair(142, 608.0f),
                             std::pair(200, 2556.0f), std::pair(250, 8807.0f), std::pair(283, 19927.0f),
                             std::pair(284, 20000.0f)})
        EXPECT_EQ(kFrequencyScale[index], hz) << index;
    for (int i = 1; i < kFrequencyScaleCount; ++i)
        EXPECT_GT(kFrequencyScale[i], kFrequencyScale[i - 1]) << i;
}

TEST(ParameterTable, EveryLookupStaysInsideItsTableForAnyFloat)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float odd[] = {NAN, inf, -inf, -1.0f, 1.0f, 2.0f, 1e30f, -1e30f, 0.99999994f};
    for (float x : odd) {
        float hz = frequencyScaleHz(x);
        EXPECT_TRUE(hz >= 20.0f && hz <= 20000.0f) << x;
        EXPECT_NE(filterTypeName(x * 100.0f), nullptr);
        EXPECT_NE(lfoShapeName(x * 100.0f), nullptr);
        int k = listIndexFromNormalized(x, kTargetCount);
        EXPECT_TRUE(k >= 0 && k < kTargetCount);
        int t = targetParameterIndex(x * 100.0f);
        EXPECT_TRUE(t == -1 || targetListPosition(t) >= 0);
    }
    EXPECT_EQ(frequencyScaleHz(0.5f), 608.0f);
    EXPECT_EQ(frequencyScaleHz(1.0f), 20000.0f);
    EXPECT_STREQ(filterTypeName(3.0f), "LowPass Fat");
    EXPECT_STREQ(filterTypeName(40.0f), "Ring Mod");
    EXPECT_STREQ(lfoShapeName(9.0f), "Random Triangle");
    EXPECT_EQ(listIndexFromNormalized(0.07f, kLfoShapeCount), 6);
}
