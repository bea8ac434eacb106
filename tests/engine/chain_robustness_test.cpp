// The whole chain under hostile input: NaN and infinity bursts, absurdly loud samples, every sample
// rate from 8 kHz to 384 kHz and host blocks of 1 to 16384 frames.
#include "support/engine_fixture.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>

namespace {

// Runs `frames` of the test signal through e in blocks of `block`; `spoil` may change the input.
template <class Spoil>
std::vector<float> render(ProductEngine& e, int frames, int block, Spoil spoil)
{
    std::vector<float> out;
    out.reserve(static_cast<size_t>(frames));
    uint32_t noise = 99u;
    std::vector<float> inL(block), inR(block), outL(block), outR(block);
    for (int done = 0; done < frames; done += block) {
        fillInput(inL, inR, done, e.getSampleRate(), noise);
        for (int i = 0; i < block; ++i)
            spoil(done + i, inL[i], inR[i]);
        e.process(inL.data(), inR.data(), outL.data(), outR.data(), block, true);
        out.insert(out.end(), outL.begin(), outL.end());
    }
    return out;
}

double rmsDb(const std::vector<float>& v, size_t from)
{
    double sum = 0.0;
    for (size_t i = from; i < v.size(); ++i)
        sum += double(v[i]) * v[i];
    return 10.0 * std::log10(sum / static_cast<double>(v.size() - from));
}

TEST(ChainRobustness, NaNAndInfinityAtTheInputSoundLikeSilenceInEveryUnit)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (int type = 0; type < kFilterTypeCount; ++type) {
        EngineFixture clean("robust-clean"), spoilt("robust-nan");
        for (EngineFixture* f : {&clean, &spoilt}) {
            switchOn(*f->engine, kEveryStage);
            f->engine->setParameter(kMmFilterType, static_cast<float>(type) * 0.01f);
        }
        // Bursts of a few samples, each replaced by silence in the reference.
        auto burst = [](int i) { return (i % 3000) < 5 || i == 7001; };
        auto zero = [&](int i, float& l, float& r) {
            if (burst(i))
                l = r = 0.0f;
        };
        auto poison = [&](int i, float& l, float& r) {
            if (burst(i)) {
                l = i % 2 ? nan : inf;
                r = i % 3 ? -inf : nan;
            }
        };
        const std::vector<float> expected = render(*clean.engine, 20000, 100, zero);
        const std::vector<float> got = render(*spoilt.engine, 20000, 100, poison);
        ASSERT_EQ(got, expected) << "type " << type;
    }
}

TEST(ChainRobustness, AbsurdlyLoudSamplesLeaveEveryStageWorking)
{
    // The "Fat" low-pass saturates and the Magic EQ clips: the limiters would take their 7.5 s to
    // recover from such a level, and that is their job. The compressor reads each sample's own level.
    auto settings = [](ProductEngine& e, unsigned stages) {
        switchOn(e, stages);
        setRecords(e, {{kMmFilterType, 0.03f}, {kMagicEQMode, 1.0f}, {kCompressMode, 1.0f}, {kLfo2On, 0.0f}});
    };
    const float loud[] = {1e30f, -FLT_MAX, 3e20f, FLT_MAX, -1e25f};
    std::vector<unsigned> cases = {kEveryStage};
    for (unsigned s = 1; s < kEveryStage; s <<= 1)
        cases.push_back(s);
    for (unsigned stages : cases) {
        EngineFixture clean("robust-loud-clean"), spoilt("robust-loud");
        settings(*clean.engine, stages);
        settings(*spoilt.engine, stages);
        // A band-pass ringing down from 1e30 keeps the chain loud for about a second; the multimode
        // filter's envelope then falls at 1.6 s per unit for ten more, and what follows it settles.
        const int seconds = stages == kEveryStage ? 20 : 3;
        const int frames = 44100 * seconds;
        const std::vector<float> expected = render(*clean.engine, frames, 441, [](int, float&, float&) {});
        const std::vector<float> got = render(*spoilt.engine, frames, 441, [&](int i, float& l, float& r) {
            if (i % 997 == 0 && i < 5000)
                l = r = loud[(i / 997) % 5];
        });
        for (size_t i = 0; i < got.size(); ++i)
            ASSERT_TRUE(std::isfinite(got[i]) && std::fabs(got[i]) <= 0.9999f) << "stages " << stages << " at " << i;
        // In the last second every stage sounds as it would have without the bursts.
        EXPECT_NEAR(rmsDb(got, 44100 * (seconds - 1)), rmsDb(expected, 44100 * (seconds - 1)), 0.05)
            << "stages " << stages;
    }
}

TEST(ChainRobustness, EverySampleRateAndBlockSizeRunsWithFiniteOutput)
{
    std::mt19937 sizes(5);
    for (float rate : {8000.0f, 11025.0f, 22050.0f, 32000.0f, 44100.0f, 48000.0f, 88200.0f, 96000.0f,
                       192000.0f, 384000.0f}) {
        EngineFixture f("robust-rates", rate);
        ProductEngine& e = *f.engine;
        switchOn(e, kEveryStage);
        std::vector<float> inL(16384), inR(16384), outL(16384), outR(16384);
        uint32_t noise = 1u;
        for (int type = 0; type < kFilterTypeCount; ++type) {
            e.setParameter(kMmFilterType, static_cast<float>(type) * 0.01f);
            double power = 0.0;
            int done = 0;
            for (int k = 0; k < 6; ++k) {
                const int n = k == 0 ? 1 : (k == 1 ? 16384 : std::uniform_int_distribution<int>(1, 16384)(sizes));
                fillInput(inL, inR, done, rate, noise);
                e.process(inL.data(), inR.data(), outL.data(), outR.data(), n, true);
                for (int i = 0; i < n; ++i) {
                    ASSERT_TRUE(std::isfinite(outL[i]) && std::isfinite(outR[i]))
                        << rate << " Hz, type " << type << ", block " << n << " at " << i;
                    power += double(outL[i]) * outL[i] + double(outR[i]) * outR[i];
                }
                done += n;
            }
            EXPECT_GT(power / done, 1e-3) << rate << " Hz, type " << type;
        }
    }
}

} // namespace
