// One parameter record: host/engine mapping, 10 ms ramp, modulation hook and the LFO rate mapping.
#pragma once

#include "params/modulator.h"

class Parameter {
public:
    static constexpr int kTextSize = 32;
    static constexpr int kMaxListCount = 64;

    // shortName and unit may be null (stored empty).
    Parameter(int kind, bool displayable, const char* name, const char* shortName, const char* unit,
              float minimum, float maximum);

    // The tempo-sync division list and the free-running range of an LFO rate record.
    void setSyncList(int count, float minimumRateHz, float maximumRateHz, const char* const* labels,
                     const float* factors);
    void setSampleRate(float rate);

    // A non-finite host value, or one whose engine value is not finite, is ignored.
    void setNormalized(float normalized);
    float getNormalized() const { return toNormalized(target); }

    void snap();
    void advance(int frames);
    float currentValue(int frames)
    {
        advance(frames);
        return modulated(value);
    }
    float targetValue() const { return modulated(target); }

    float rateHz(float tempo) const;
    // The phase the LFO should have at positionBeats when synced, -1 otherwise.
    float syncedPhase(float tempo, float positionBeats) const;
    // Index into the division list for the present target, clamped into the list.
    int divisionIndex() const;

    float toEngine(float normalized) const;
    float toNormalized(float engineValue) const;

    int kind;
    Modulator* modulator = nullptr;
    char name[kTextSize];
    char shortName[kTextSize];
    char unit[kTextSize];
    float minimum;
    float maximum;
    float value;
    float target;
    float rampStart = 0.0f;
    float rampTime = 0.01f;
    int rampLength = 0;
    float sampleRate = 0.0f;
    int rampPosition = 0;
    bool displayable;
    bool synced = false;
    int listCount = 0;
    float listFactors[kMaxListCount] = {};
    char listNames[kMaxListCount][kTextSize] = {};
    float minimumRate = 0.0f;
    float maximumRate = 0.0f;

private:
    bool isUnitRange() const { return minimum == 0.0f && maximum == 1.0f; }
    float modulated(float x) const;
};
