// The 66 parameter records and the lists that give list-valued parameters their meaning.
#pragma once

enum ParameterIndex : int {
    kBpFilterOn,
    kBpFilterLow,
    kBpFilterHigh,
    kBpFilterQLow,
    kBpFilterQHigh,
    kBpFilterBRMix,
    kBpFilterLink,
    kDistOn,
    kDistBitCrusher,
    kDistMech,
    kDistTube,
    kDistXcita,
    kMmFilterOn,
    kMmFilterMix,
    kMmFilterType,
    kMmFilterAttack,
    kMmFilterDecay,
    kMmFilterEnv,
    kMmFilterCutoff,
    kMmFilterRes,
    kFlangerOn,
    kFlangerAmount,
    kFlangerRate,
    kMagicEQOn,
    kMagicEQAmount,
    kMagicEQTune,
    kCompressOn,
    kCompressAmount,
    kCompressRelease,
    kMasterOn,
    kMasterMix,
    kMasterVolume,
    kLfo1On,
    kLfo1Target,
    kLfo1Shape,
    kLfo1Depth,
    kLfo1Rate,
    kLfo1Sync,
    kLfo2On,
    kLfo2Target,
    kLfo2Shape,
    kLfo2Depth,
    kLfo2Rate,
    kLfo2Sync,
    kMorphXParam,
    kMorphYParam,
    kCompressMode,
    kMagicEQMode,
    kUnused1,
    kUnused2,
    kUnused3,
    kUnused4,
    kUnused5,
    kUnused,
    kLfoSelect,
    kRandomize,
    kParamDisplay,
    kMorphSquare,
    kLevelMeterL,
    kLevelMeterR,
    kBpFilterBar,
    kVersionDisplay,
    kGlobalMenu,
    kUpDownPreset,
    kDummy,
    kInfoLink,
    kParameterCount
};

constexpr int kAutomatableCount = 53;
// Records 32..37 drive LFO 1 and 38..43 LFO 2, in the order switch, target, shape, depth, rate, sync.
constexpr int kLfoRecordsPerLfo = 6;

struct ParameterRow {
    const char* name;
    const char* shortName;
    const char* unit;
    int kind;
    float minimum;
    float maximum;
    bool displayable;
};

extern const ParameterRow kParameterTable[kParameterCount];

struct TargetEntry {
    int parameter;
    const char* shortName;
};

constexpr int kTargetCount = 23;
extern const TargetEntry kTargetList[kTargetCount];

constexpr int kSyncDivisionCount = 33;
extern const char* const kSyncDivisionLabels[kSyncDivisionCount];
extern const float kSyncDivisionFactors[kSyncDivisionCount];
constexpr float kLfoMinimumRateHz = 0.02f;
constexpr float kLfoMaximumRateHz = 8.0f;

constexpr int kFrequencyScaleCount = 285;
extern const float kFrequencyScale[kFrequencyScaleCount];

constexpr int kFilterTypeCount = 10;
extern const char* const kFilterTypeNames[kFilterTypeCount];

constexpr int kLfoShapeCount = 7;
extern const char* const kLfoShapeNames[kLfoShapeCount];

// Integer part of x brought into 0..count-1; NaN and negatives give 0, so any float is a safe index.
int clampedTableIndex(float x, int count);

// Band edge in Hz for a 0..1 scale position.
float frequencyScaleHz(float position);

// The record a target-list index (engine value) names, or -1 for 23 and above.
int targetParameterIndex(float listIndex);
// Position of a record in the target list, or -1 when it is not a modulation target.
int targetListPosition(int parameterIndex);

// A list value as the host and the editor carry it (index / 100) read back as an index in 0..count-1.
int listIndexFromNormalized(float normalized, int count);

const char* filterTypeName(float listIndex);
const char* lfoShapeName(float listIndex);
