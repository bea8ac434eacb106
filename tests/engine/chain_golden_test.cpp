// The full chain's output, bit for bit, pinned by a checksum: speed work must not change one sample.
#include "support/engine_fixture.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

namespace {

// FNV-1a over the bit patterns, so -0.0 against +0.0 or a last-bit change shows.
struct Checksum {
    uint64_t value = 1469598103934665603ull;
    void add(float x)
    {
        uint32_t bits;
        std::memcpy(&bits, &x, sizeof bits);
        for (int k = 0; k < 4; ++k) {
            value ^= (bits >> (8 * k)) & 0xffu;
            value *= 1099511628211ull;
        }
    }
};

std::string hex(uint64_t v)
{
    char text[24];
    std::snprintf(text, sizeof text, "%016" PRIx64, v);
    return text;
}

// Two sines under noise, different per channel, with loud bursts that make the limiters and the
// compressor act.
void fillInput(std::vector<float>& left, std::vector<float>& right, int start, float rate, uint32_t& noise)
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

void switchOn(ProductEngine& e, unsigned stages)
{
    e.setParameter(kBpFilterOn, stages & kBandPass ? 1.0f : 0.0f);
    e.setParameter(kDistOn, stages & (kExciter | kCrusher | kMech | kTube) ? 1.0f : 0.0f);
    e.setParameter(kMmFilterOn, stages & kMultimode ? 1.0f : 0.0f);
    e.setParameter(kFlangerOn, stages & kFlanger ? 1.0f : 0.0f);
    e.setParameter(kMagicEQOn, stages & kMagicEq ? 1.0f : 0.0f);
    e.setParameter(kCompressOn, stages & kCompressor ? 1.0f : 0.0f);
    e.setParameter(kBpFilterLow, 0.2f);
    e.setParameter(kBpFilterHigh, 0.9f);
    e.setParameter(kBpFilterQLow, 0.3f);
    e.setParameter(kBpFilterQHigh, 0.6f);
    e.setParameter(kBpFilterBRMix, 0.4f);
    e.setParameter(kDistBitCrusher, stages & kCrusher ? 0.3f : 0.0f);
    e.setParameter(kDistMech, stages & kMech ? 0.4f : 0.0f);
    e.setParameter(kDistTube, stages & kTube ? 0.5f : 0.0f);
    e.setParameter(kDistXcita, stages & kExciter ? 0.6f : 0.0f);
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

// Every filter type and both modes of the Magic EQ and the compressor, in blocks of awkward sizes.
uint64_t chainChecksum(unsigned stages, float rate, int framesPerType)
{
    EngineFixture f("golden", rate);
    ProductEngine& e = *f.engine;
    switchOn(e, stages);
    Checksum sum;
    uint32_t noise = 12345u;
    uint32_t sizes = 777u;
    int done = 0;
    for (int type = 0; type < kFilterTypeCount; ++type) {
        e.setParameter(kMmFilterType, static_cast<float>(type) * 0.01f);
        e.setParameter(kCompressMode, type % 2 == 0 ? 0.0f : 1.0f);
        e.setParameter(kMagicEQMode, type % 3 == 0 ? 1.0f : 0.0f);
        for (int end = done + framesPerType; done < end;) {
            sizes = sizes * 1103515245u + 12345u;
            const int n = 1 + static_cast<int>((sizes >> 16) % 700);
            std::vector<float> inL(n), inR(n), outL(n), outR(n);
            fillInput(inL, inR, done, rate, noise);
            e.process(inL.data(), inR.data(), outL.data(), outR.data(), n, true);
            for (int i = 0; i < n; ++i) {
                sum.add(outL[i]);
                sum.add(outR[i]);
            }
            done += n;
        }
    }
    return sum.value;
}

// Re-pin only for a change of the sound that was meant, never for speed work.
TEST(ChainGolden, FullChainIsBitIdenticalToThePinnedChecksum)
{
    EXPECT_EQ(hex(chainChecksum(kEveryStage, 44100.0f, 9000)), "f398663866e0bba9");
    EXPECT_EQ(hex(chainChecksum(kEveryStage, 96000.0f, 9000)), "574555399c0dba63");
    // The crusher's steps would hide a last-bit change upstream of it.
    EXPECT_EQ(hex(chainChecksum(kEveryStage & ~kCrusher, 44100.0f, 9000)), "358292ba5bc79d15");
}

TEST(ChainGolden, EachStageAloneIsBitIdenticalToThePinnedChecksum)
{
    const std::pair<unsigned, const char*> pinned[] = {
        {kBandPass, "11d0c37cb152f0cb"}, {kExciter, "81329f824582a9c2"},
        {kCrusher, "58fce3b832b6f562"},  {kMech, "83f403ce45ffd345"},
        {kTube, "a29bec33fcffe18d"},     {kMultimode, "700e97bb257f3ebf"},
        {kFlanger, "d2bf380853b0b47a"},  {kMagicEq, "cbf670a91b8e6b71"},
        {kCompressor, "5e9d114358cd1df9"},
    };
    for (const auto& [stage, checksum] : pinned)
        EXPECT_EQ(hex(chainChecksum(stage, 44100.0f, 3000)), checksum) << "stage " << stage;
}

} // namespace
