// The parameter table, the target list, the sync divisions and the band-edge frequency scale.
#include "params/parameter_table.h"

const ParameterRow kParameterTable[kParameterCount] = {
    {"BpFilterOn", "BpFilterOn", "", 0, 0.0f, 1.0f, false},
    {"BpFilterLow", "BpFilterLow", "Hz", 5, 0.0f, 1.0f, true},
    {"BpFilterHigh", "BpFilterHigh", "Hz", 5, 0.0f, 1.0f, true},
    {"BpFilterQLow", "BpFilterQLow", "%", 1, 0.0f, 1.0f, true},
    {"BpFilterQHigh", "BpFilterQHigh", "%", 1, 0.0f, 1.0f, true},
    {"BpFilterBRMix", "BpFilterBRMix", "%", 1, 0.0f, 1.0f, true},
    {"BpFilterLink", "BpFilterLink", "", 0, 0.0f, 1.0f, false},
    {"DistOn", "DistOn", "", 0, 0.0f, 1.0f, false},
    {"DistBitCrusher", "DistBitCrusher", "%", 1, 0.0f, 1.0f, true},
    {"DistMech", "DistMech", "%", 1, 0.0f, 1.0f, true},
    {"DistTube", "DistTube", "%", 1, 0.0f, 1.0f, true},
    {"DistXcita", "DistXcita", "%", 1, 0.0f, 1.0f, true},
    {"MmFilterOn", "MmFilterOn", "", 0, 0.0f, 1.0f, false},
    {"MmFilterMix", "MmFilterMix", "%", 1, 0.0f, 1.0f, true},
    {"MmFilterType", "MmFilterType", "", 0, 0.0f, 100.0f, false},
    {"MmFilterAttack", "MmFilterAttack", "s", 4, 0.01f, 1.0f, true},
    {"MmFilterDecay", "MmFilterDecay", "s", 4, 0.2f, 3.0f, true},
    {"MmFilterEnv", "MmFilterEnv", "%", 1, 0.0f, 1.0f, true},
    {"MmFilterCutoff", "MmFilterCutoff", "Hz", 6, 0.0f, 1.0f, true},
    {"MmFilterRes", "MmFilterRes", "%", 1, 0.0f, 1.0f, true},
    {"FlangerOn", "FlangerOn", "", 0, 0.0f, 1.0f, false},
    {"FlangerAmount", "FlangerAmnt", "%", 1, 0.0f, 1.0f, true},
    {"FlangerRate", "FlangerRate", "Hz", 4, 0.02f, 2.0f, true},
    {"MagicEQOn", "MagicEQOn", "", 0, 0.0f, 1.0f, false},
    {"MagicEQAmount", "MagicEQAmnt", "%", 1, 0.0f, 1.0f, true},
    {"MagicEQTune", "MagicEQTune", "Hz", 4, 60.0f, 120.0f, true},
    {"CompressOn", "CompressOn", "", 0, 0.0f, 1.0f, false},
    {"CompressAmount", "CompressAmnt", "dB", 7, 0.0f, 0.99f, true},
    {"CompressRelease", "CompressRel", "ms", 4, 100.0f, 2000.0f, true},
    {"MasterOn", "MasterOn", "", 0, 0.0f, 1.0f, false},
    {"MasterMix", "MasterMix", "%", 1, 0.0f, 1.0f, true},
    {"MasterVolume", "MasterVol", "dB", 8, 0.0f, 1.0f, true},
    {"Lfo1On", "Lfo1On", "", 0, 0.0f, 1.0f, false},
    {"Lfo1Target", "Lfo1Target", "", 0, 0.0f, 100.0f, false},
    {"Lfo1Shape", "Lfo1Shape", "", 0, 0.0f, 100.0f, false},
    {"Lfo1Depth", "Lfo1Depth", "%", 1, 0.0f, 1.0f, true},
    {"Lfo1Rate", "Lfo1Rate", "", 2, 0.0f, 1.0f, true},
    {"Lfo1Sync", "Lfo1Sync", "", 0, 0.0f, 1.0f, false},
    {"Lfo2On", "Lfo2On", "", 0, 0.0f, 1.0f, false},
    {"Lfo2Target", "Lfo2Target", "", 0, 0.0f, 100.0f, false},
    {"Lfo2Shape", "Lfo2Shape", "", 0, 0.0f, 100.0f, false},
    {"Lfo2Depth", "Lfo2Depth", "%", 1, 0.0f, 1.0f, true},
    {"Lfo2Rate", "Lfo2Rate", "", 2, 0.0f, 1.0f, true},
    {"Lfo2Sync", "Lfo2Sync", "", 0, 0.0f, 1.0f, false},
    {"MorphXParam", "MorphXParam", "", 0, 0.0f, 100.0f, false},
    {"MorphYParam", "MorphYParam", "", 0, 0.0f, 100.0f, false},
    {"CompressMode", "CompressMode", "", 0, 0.0f, 1.0f, false},
    {"MagicEQMode", "MagicEQMode", "", 0, 0.0f, 1.0f, false},
    {"Unused1", "Unused1", "", 0, 0.0f, 1.0f, false},
    {"Unused2", "Unused2", "", 0, 0.0f, 1.0f, false},
    {"Unused3", "Unused3", "", 0, 0.0f, 1.0f, false},
    {"Unused4", "Unused4", "", 0, 0.0f, 1.0f, false},
    {"Unused5", "Unused5", "", 0, 0.0f, 1.0f, false},
    {"Unused", "", "", 0, 0.0f, 1.0f, false},
    {"LfoSelect", "", "", 0, 0.0f, 1.0f, false},
    {"Randomize", "", "", 0, 0.0f, 1.0f, false},
    {"ParamDisplay", "", "", 0, 0.0f, 1.0f, false},
    {"MorphSquare", "", "", 0, 0.0f, 1.0f, false},
    {"LevelMeterL", "", "", 1, 0.0f, 1.0f, false},
    {"LevelMeterR", "", "", 1, 0.0f, 1.0f, false},
    {"BpFilterBar", "", "", 1, 0.0f, 1.0f, false},
    {"VersionDisplay", "", "", 1, 0.0f, 1.0f, false},
    {"GlobalMenu", "", "", 1, 0.0f, 1.0f, false},
    {"UpDownPreset", "", "", 1, 0.0f, 1.0f, false},
    {"Dummy", "", "", 1, 0.0f, 1.0f, false},
    {"InfoLink", "", "", 1, 0.0f, 1.0f, false},
};

const TargetEntry kTargetList[kTargetCount] = {
    {kBpFilterLow, "BpFilterLow"},       {kBpFilterHigh, "BpFilterHigh"},
    {kBpFilterQLow, "BpFilterQLow"},     {kBpFilterQHigh, "BpFilterQHigh"},
    {kBpFilterBRMix, "BpFilterBRMix"},   {kDistBitCrusher, "DistBitCrusher"},
    {kDistMech, "DistMech"},             {kDistTube, "DistTube"},
    {kDistXcita, "DistXcita"},           {kMmFilterMix, "MmFilterMix"},
    {kMmFilterAttack, "MmFilterAttack"}, {kMmFilterDecay, "MmFilterDecay"},
    {kMmFilterEnv, "MmFilterEnv"},       {kMmFilterCutoff, "MmFilterCutoff"},
    {kMmFilterRes, "MmFilterRes"},       {kFlangerAmount, "FlangerAmnt"},
    {kFlangerRate, "FlangerRate"},       {kMagicEQAmount, "MagicEQAmnt"},
    {kMagicEQTune, "MagicEQTune"},       {kCompressAmount, "CompressAmnt"},
    {kCompressRelease, "CompressRel"},   {kMasterMix, "MasterMix"},
    {kMasterVolume, "MasterVol"},
};

const char* const kSyncDivisionLabels[kSyncDivisionCount] = {
    "1/32T", "1/32", "1/32*", "1/16T", "1/16", "1/16*", "1/8T", "1/8", "1/8*", "1/4T", "1/4",
    "1/4*",  "1/2T", "1/2",   "1/2*",  "1/1T", "1/1",   "1/1*", "2/1T", "2/1", "2/1*", "4/1T",
    "4/1",   "4/1*", "8/1T",  "8/1",   "8/1*", "16/1T", "16/1", "16/1*", "32/1T", "32/1", "32/1*",
};

// Lengths in bars, each the float nearest the exact fraction.
const float kSyncDivisionFactors[kSyncDivisionCount] = {
    1.0f / 48.0f, 1.0f / 32.0f, 3.0f / 64.0f, 1.0f / 24.0f, 1.0f / 16.0f, 3.0f / 32.0f,
    1.0f / 12.0f, 1.0f / 8.0f,  3.0f / 16.0f, 1.0f / 6.0f,  1.0f / 4.0f,  3.0f / 8.0f,
    1.0f / 3.0f,  1.0f / 2.0f,  3.0f / 4.0f,  2.0f / 3.0f,  1.0f,         3.0f / 2.0f,
    4.0f / 3.0f,  2.0f,         3.0f,         8.0f / 3.0f,  4.0f,         6.0f,
    16.0f / 3.0f, 8.0f,         12.0f,        32.0f / 3.0f, 16.0f,        24.0f,
    64.0f / 3.0f, 32.0f,        48.0f,
};

const float kFrequencyScale[kFrequencyScaleCount] = {
    20.0f, 21.0f, 22.0f, 23.0f, 24.0f, 25.0f, 26.0f, 27.0f, 28.0f, 29.0f, 30.0f, 31.0f,
    32.0f, 33.0f, 34.0f, 35.0f, 36.0f, 37.0f, 38.0f, 39.0f, 40.0f, 41.0f, 42.0f, 43.0f,
    44.0f, 45.0f, 46.0f, 47.0f, 48.0f, 49.0f, 50.0f, 51.0f, 52.0f, 53.0f, 54.0f, 55.0f,
    56.0f, 57.0f, 58.0f, 59.0f, 60.0f, 61.0f, 62.0f, 63.0f, 64.0f, 65.0f, 66.0f, 67.0f,
    68.0f, 69.0f, 70.0f, 71.0f, 72.0f, 73.0f, 74.0f, 75.0f, 76.0f, 77.0f, 78.0f, 79.0f,
    80.0f, 82.0f, 84.0f, 86.0f, 88.0f, 91.0f, 93.0f, 95.0f, 98.0f, 100.0f, 102.0f, 105.0f,
    108.0f, 110.0f, 113.0f, 116.0f, 119.0f, 122.0f, 125.0f, 128.0f, 131.0f, 135.0f, 138.0f, 141.0f,
    145.0f, 149.0f, 152.0f, 156.0f, 160.0f, 164.0f, 168.0f, 172.0f, 177.0f, 181.0f, 186.0f, 190.0f,
    195.0f, 200.0f, 205.0f, 210.0f, 215.0f, 221.0f, 226.0f, 232.0f, 238.0f, 244.0f, 250.0f, 256.0f,
    262.0f, 269.0f, 276.0f, 283.0f, 290.0f, 297.0f, 304.0f, 312.0f, 320.0f, 328.0f, 336.0f, 344.0f,
    353.0f, 362.0f, 371.0f, 380.0f, 390.0f, 400.0f, 410.0f, 420.0f, 430.0f, 441.0f, 452.0f, 464.0f,
    475.0f, 487.0f, 499.0f, 512.0f, 525.0f, 538.0f, 551.0f, 565.0f, 579.0f, 594.0f, 608.0f, 624.0f,
    639.0f, 655.0f, 672.0f, 689.0f, 706.0f, 724.0f, 742.0f, 760.0f, 779.0f, 799.0f, 819.0f, 839.0f,
    860.0f, 882.0f, 904.0f, 927.0f, 950.0f, 974.0f, 998.0f, 1023.0f, 1049.0f, 1075.0f, 1102.0f, 1130.0f,
    1158.0f, 1187.0f, 1217.0f, 1247.0f, 1278.0f, 1310.0f, 1343.0f, 1377.0f, 1411.0f, 1447.0f, 1483.0f, 1520.0f,
    1558.0f, 1597.0f, 1637.0f, 1678.0f, 1720.0f, 1763.0f, 1808.0f, 1853.0f, 1899.0f, 1947.0f, 1996.0f, 2046.0f,
    2097.0f, 2149.0f, 2203.0f, 2258.0f, 2315.0f, 2373.0f, 2432.0f, 2493.0f, 2556.0f, 2620.0f, 2685.0f, 2753.0f,
    2822.0f, 2892.0f, 2965.0f, 3039.0f, 3115.0f, 3193.0f, 3273.0f, 3355.0f, 3439.0f, 3526.0f, 3614.0f, 3704.0f,
    3797.0f, 3892.0f, 3990.0f, 4090.0f, 4192.0f, 4297.0f, 4405.0f, 4515.0f, 4628.0f, 4744.0f, 4863.0f, 4985.0f,
    5110.0f, 5238.0f, 5369.0f, 5504.0f, 5642.0f, 5783.0f, 5928.0f, 6076.0f, 6228.0f, 6384.0f, 6544.0f, 6708.0f,
    6876.0f, 7049.0f, 7225.0f, 7406.0f, 7592.0f, 7782.0f, 7977.0f, 8177.0f, 8382.0f, 8592.0f, 8807.0f, 9028.0f,
    9254.0f, 9485.0f, 9723.0f, 9967.0f, 10216.0f, 10472.0f, 10735.0f, 11004.0f, 11279.0f, 11562.0f, 11852.0f, 12148.0f,
    12453.0f, 12765.0f, 13085.0f, 13412.0f, 13748.0f, 14093.0f, 14446.0f, 14808.0f, 15179.0f, 15559.0f, 15949.0f, 16348.0f,
    16758.0f, 17178.0f, 17608.0f, 18049.0f, 18501.0f, 18965.0f, 19440.0f, 19927.0f, 20000.0f,
};

const char* const kFilterTypeNames[kFilterTypeCount] = {
    "LowPass",  "BandPass", "HighPass", "LowPass Fat", "BandPass Fat",
    "HighPass Fat", "Peaking", "Notch", "Comb",        "Ring Mod",
};

const char* const kLfoShapeNames[kLfoShapeCount] = {
    "Sine", "Triangle", "Ramp Up", "Ramp Down", "Square", "Random Square", "Random Triangle",
};

int clampedTableIndex(float x, int count)
{
    if (count <= 0 || !(x >= 0.0f))
        return 0;
    if (x >= static_cast<float>(count - 1))
        return count - 1;
    return static_cast<int>(x);
}

float frequencyScaleHz(float position)
{
    return kFrequencyScale[clampedTableIndex(position * 284.0f, kFrequencyScaleCount)];
}

int targetParameterIndex(float listIndex)
{
    if (listIndex >= static_cast<float>(kTargetCount))
        return -1;
    return kTargetList[clampedTableIndex(listIndex, kTargetCount)].parameter;
}

int targetListPosition(int parameterIndex)
{
    for (int k = 0; k < kTargetCount; ++k)
        if (kTargetList[k].parameter == parameterIndex)
            return k;
    return -1;
}

int listIndexFromNormalized(float normalized, int count)
{
    return clampedTableIndex(normalized * 100.0f + 0.0001f, count);
}

const char* filterTypeName(float listIndex)
{
    return kFilterTypeNames[clampedTableIndex(listIndex, kFilterTypeCount)];
}

const char* lfoShapeName(float listIndex)
{
    return kLfoShapeNames[clampedTableIndex(listIndex, kLfoShapeCount)];
}
