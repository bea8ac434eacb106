// Settings that switch chosen stages of the chain on, with both LFOs modulating, for whole-chain tests;
// the benchmarks share the switching.
#pragma once

#include "engine/product_engine.h"

#include <cmath>
#include <cstdint>
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

// The chosen stages on and the others off; a distortion stage that is off gets amount 0.
inline void switchStages(ProductEngine& e, unsigned stages)
{
    e.setParameter(kBpFilterOn, stages & kBandPass ? 1.0f : 0.0f);
    e.setParameter(kDistOn, stages & (kExciter | kCrusher | kMech | kTube) ? 1.0f : 0.0f);
    e.setParameter(kMmFilterOn, stages & kMultimode ? 1.0f : 0.0f);
    e.setParameter(kFlangerOn, stages & kFlanger ? 1.0f : 0.0f);
    e.setParameter(kMagicEQOn, stages & kMagicEq ? 1.0f : 0.0f);
    e.setParameter(kCompressOn, stages & kCompressor ? 1.0f : 0.0f);
    e.setParameter(kDistBitCrusher, stages & kCrusher ? 0.3f : 0.0f);
    e.setParameter(kDistMech, stages & kMech ? 0.4f : 0.0f);
    e.setParameter(kDistTube, stages & kTube ? 0.5f : 0.0f);
    e.setParameter(kDistXcita, stages & kExciter ? 0.6f : 0.0f);
}

// The whole-chain tests' settings on top of switchStages.
inline void switchOn(ProductEngine& e, unsigned stages)
{
    switchStages(e, stages);
    e.setParameter(kBpFilterLow, 0.2f);
    e.setParameter(kBpFilterHigh, 0.9f);
    e.setParameter(kBpFilterQLow, 0.3f);
    e.setParameter(kBpFilterQHigh, 0.6f);
    e.setParameter(kBpFilterBRMix, 0.4f);
    e.setParameter(kMmFilterMix, 0.8f);
    e.setParameter(kMmFilterAttack, 0.1f);
    e.setParameter(kMmFilterDecay, 0.5f);
    e.setParameter(kMmFilterEnv, 0.5f);
    e.setParameter(kMmFilterCutoff, 0.6f);
    e.setParameter(kMmFilterRes, 0.7f);
    e.setParameter(kFlangerAmount, 0.8f);
    e.setParameter(kFlangerRate, 0.4f);
    e.setParameter(kMagicEQAmount, 0.7f);
    e.setParameter(kMagicEQTune, 0.5f);
    e.setParameter(kCompressAmount, 0.6f);
    e.setParameter(kCompressRelease, 0.3f);
    e.setParameter(kMasterMix, 0.9f);
    // Below the output limit, so that no difference hides in a clipped sample.
    e.setParameter(kMasterVolume, 0.7f);
    // LFO 1: sine on the cutoff; LFO 2: random triangle on the Magic EQ's tune.
    e.setParameter(kLfo1Shape, 0.0f);
    e.setParameter(kLfo1Depth, 0.7f);
    e.setParameter(kLfo1Rate, 0.8f);
    e.setParameter(kLfo1Target, 0.13f);
    e.setParameter(kLfo1On, 1.0f);
    e.setParameter(kLfo2Shape, 0.06f);
    e.setParameter(kLfo2Depth, 0.9f);
    e.setParameter(kLfo2Rate, 0.9f);
    e.setParameter(kLfo2Target, 0.18f);
    e.setParameter(kLfo2On, 1.0f);
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
