// Record settings for engine tests: chosen stages of the chain on, with both LFOs modulating, for the
// whole-chain tests; the benchmarks share the switching.
#pragma once

#include "engine/product_engine.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

// The stages a run switches on.
enum Stage : unsigned {
    kBandPass = 1,
    kExciter = 2,
    kCrusher = 4,
    kMech = 8,
    kTube = 16,
    kMultimode = 32,
    kFlanger = 64,
    kMagicEq = 128,
    kCompressor = 256,
    kEveryStage = 511
};

// Host values for records, set in the order given.
inline void setRecords(ProductEngine& e, std::initializer_list<std::pair<int, float>> values)
{
    for (const auto& [index, value] : values)
        e.setParameter(index, value);
}

// The chosen stages on and the others off; a distortion stage that is off gets amount 0.
inline void switchStages(ProductEngine& e, unsigned stages)
{
    auto on = [stages](unsigned mask, float value) { return stages & mask ? value : 0.0f; };
    setRecords(e, {{kBpFilterOn, on(kBandPass, 1.0f)}, {kDistOn, on(kExciter | kCrusher | kMech | kTube, 1.0f)},
                   {kMmFilterOn, on(kMultimode, 1.0f)}, {kFlangerOn, on(kFlanger, 1.0f)},
                   {kMagicEQOn, on(kMagicEq, 1.0f)}, {kCompressOn, on(kCompressor, 1.0f)},
                   {kDistBitCrusher, on(kCrusher, 0.3f)}, {kDistMech, on(kMech, 0.4f)},
                   {kDistTube, on(kTube, 0.5f)}, {kDistXcita, on(kExciter, 0.6f)}});
}

// The whole-chain tests' settings on top of switchStages. LFO 1: sine on the cutoff; LFO 2: random
// triangle on the Magic EQ's tune. The master volume stays below the output limit, so that no difference
// hides in a clipped sample.
inline void switchOn(ProductEngine& e, unsigned stages)
{
    switchStages(e, stages);
    setRecords(e, {{kBpFilterLow, 0.2f},     {kBpFilterHigh, 0.9f},  {kBpFilterQLow, 0.3f},   {kBpFilterQHigh, 0.6f},
                   {kBpFilterBRMix, 0.4f},   {kMmFilterMix, 0.8f},   {kMmFilterAttack, 0.1f}, {kMmFilterDecay, 0.5f},
                   {kMmFilterEnv, 0.5f},     {kMmFilterCutoff, 0.6f}, {kMmFilterRes, 0.7f},   {kFlangerAmount, 0.8f},
                   {kFlangerRate, 0.4f},     {kMagicEQAmount, 0.7f}, {kMagicEQTune, 0.5f},    {kCompressAmount, 0.6f},
                   {kCompressRelease, 0.3f}, {kMasterMix, 0.9f},     {kMasterVolume, 0.7f},   {kLfo1Shape, 0.0f},
                   {kLfo1Depth, 0.7f},       {kLfo1Rate, 0.8f},      {kLfo1Target, 0.13f},    {kLfo1On, 1.0f},
                   {kLfo2Shape, 0.06f},      {kLfo2Depth, 0.9f},     {kLfo2Rate, 0.9f},       {kLfo2Target, 0.18f},
                   {kLfo2On, 1.0f}});
}

// Two sines under noise, different per channel, with loud bursts that make the limiters and the
// compressor act.
inline void fillInput(std::vector<float>& left, std::vector<float>& right, int start, float rate, uint32_t& noise)
{
    for (size_t i = 0; i < left.size(); ++i) {
        const double t = static_cast<double>(start + static_cast<int>(i)) / rate;
        noise = noise * 1664525u + 1013904223u;
        const float n = static_cast<float>(noise >> 8) / 16777216.0f - 0.5f;
        const float burst = ((start + static_cast<int>(i)) / 4096) % 5 == 3 ? 2.5f : 1.0f;
        left[i] = burst * static_cast<float>(0.4 * std::sin(2.0 * M_PI * 110.0 * t) +
                                             0.15 * std::sin(2.0 * M_PI * 5300.0 * t)) + 0.1f * n;
        right[i] = burst * static_cast<float>(0.35 * std::sin(2.0 * M_PI * 165.0 * t) +
                                              0.2 * std::sin(2.0 * M_PI * 8100.0 * t)) - 0.1f * n;
    }
}
