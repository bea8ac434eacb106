// What the reliability tests share: parameters set by name through the dispatcher, a test tone, and the
// check every replacing output must pass.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "host/built_module.h"
#include "vst_host/test_host.h"

inline void setByName(TestHost& host, const char* name, float value)
{
    int index = host.parameterIndex(name);
    ASSERT_GE(index, 0) << name;
    host.setParameter(index, value);
}

// The product's program defaults, set by hand: a fresh instance without a factory bank starts at all 0,
// master volume included.
inline void setDefaults(TestHost& host)
{
    const std::pair<const char*, float> defaults[] = {
        {"BpFilterHigh", 1.0f},   {"BpFilterQLow", 0.5f},    {"BpFilterQHigh", 0.5f}, {"MmFilterMix", 1.0f},
        {"MmFilterAttack", 0.5f}, {"MmFilterDecay", 0.5f},   {"MmFilterCutoff", 0.5f}, {"FlangerRate", 0.1f},
        {"MagicEQTune", 0.5f},    {"CompressRelease", 0.1f}, {"MasterOn", 1.0f},      {"MasterMix", 1.0f},
        {"MasterVolume", 1.0f},   {"Lfo1Target", 0.13f},     {"Lfo1Depth", 0.5f},     {"Lfo1Rate", 0.79f},
        {"Lfo1Sync", 1.0f},       {"Lfo2Target", 0.14f},     {"Lfo2Depth", 0.5f},     {"Lfo2Rate", 0.79f},
        {"Lfo2Sync", 1.0f}};
    for (const auto& [name, value] : defaults)
        setByName(host, name, value);
}

// Switches every section of the chain on with middling settings: all four distortions, both LFOs.
inline void switchEverythingOn(TestHost& host)
{
    setDefaults(host);
    const char* on[] = {"BpFilterOn", "DistOn", "MmFilterOn", "FlangerOn", "MagicEQOn", "CompressOn", "MasterOn",
                        "Lfo1On", "Lfo2On"};
    for (const char* name : on)
        setByName(host, name, 1.0f);
    const char* amounts[] = {"BpFilterBRMix", "DistBitCrusher", "DistMech", "DistTube", "DistXcita", "MmFilterEnv",
                             "MmFilterRes", "FlangerAmount", "MagicEQAmount", "CompressAmount", "MasterMix"};
    for (const char* name : amounts)
        setByName(host, name, 0.6f);
}

struct StereoBlock {
    std::vector<float> inL, inR, outL, outR;
    explicit StereoBlock(int frames) : inL(frames), inR(frames), outL(frames), outR(frames) { }
    int frames() const { return static_cast<int>(inL.size()); }

    // Two tones at amplitude 0.45 each, continuing from the frame count `start`.
    void tone(long start)
    {
        for (int i = 0; i < frames(); ++i) {
            float t = static_cast<float>((start + i) % 441000);
            inL[static_cast<std::size_t>(i)] = 0.45f * std::sin(0.0627f * t) + 0.45f * std::sin(0.0071f * t);
            inR[static_cast<std::size_t>(i)] = 0.45f * std::sin(0.0413f * t) - 0.45f * std::sin(0.0093f * t);
        }
    }

    // Index of the first output sample that is not finite or leaves ±0.9999, or -1.
    int firstBadOutput() const
    {
        for (int i = 0; i < frames(); ++i) {
            float l = outL[static_cast<std::size_t>(i)];
            float r = outR[static_cast<std::size_t>(i)];
            if (!std::isfinite(l) || !std::isfinite(r) || std::fabs(l) > 0.9999f || std::fabs(r) > 0.9999f)
                return i;
        }
        return -1;
    }

    void processReplacing(TestHost& host)
    {
        host.processReplacing(inL.data(), inR.data(), outL.data(), outR.data(), frames());
    }
};
