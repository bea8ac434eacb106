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
    EXPECT_EQ(hex(chainChecksum(kEveryStage, 44100.0f, 9000)), "6198146980ce4900");
    EXPECT_EQ(hex(chainChecksum(kEveryStage, 96000.0f, 9000)), "e0ebb03be548c8b3");
    // The crusher's steps would hide a last-bit change upstream of it.
    EXPECT_EQ(hex(chainChecksum(kEveryStage & ~kCrusher, 44100.0f, 9000)), "fa587c726c558648");
}

TEST(ChainGolden, EachStageAloneIsBitIdenticalToThePinnedChecksum)
{
    const std::pair<unsigned, const char*> pinned[] = {
        {kBandPass, "11d0c37cb152f0cb"}, {kExciter, "81329f824582a9c2"},
        {kCrusher, "58fce3b832b6f562"},  {kMech, "83f403ce45ffd345"},
        {kTube, "a29bec33fcffe18d"},     {kMultimode, "700e97bb257f3ebf"},
        {kFlanger, "d2bf380853b0b47a"},  {kMagicEq, "2ef6e4e545bbcc32"},
        {kCompressor, "5e9d114358cd1df9"},
    };
    for (const auto& [stage, checksum] : pinned)
        EXPECT_EQ(hex(chainChecksum(stage, 44100.0f, 3000)), checksum) << "stage " << stage;
}

} // namespace
