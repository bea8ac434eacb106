// Cost of the flanger, Magic EQ and compressor units alone, in 64-frame sub-blocks like the engine's.
#include "dsp/compress_unit.h"
#include "dsp/flanger_unit.h"
#include "dsp/magic_eq_unit.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

constexpr float kRate = 44100.0f;
constexpr int kBlock = 64;
constexpr int kSourceFrames = 1 << 14;

struct StereoSource {
    std::vector<float> left, right;
    int position = 0;

    StereoSource() : left(kSourceFrames), right(kSourceFrames)
    {
        std::mt19937 gen(42);
        std::uniform_real_distribution<float> dist(-0.5f, 0.5f);
        for (int i = 0; i < kSourceFrames; ++i) {
            left[i] = dist(gen);
            right[i] = dist(gen);
        }
    }

    // Copies the next sub-block into the work buffers, as the engine does before its units run.
    void fill(float* l, float* r)
    {
        std::copy_n(left.data() + position, kBlock, l);
        std::copy_n(right.data() + position, kBlock, r);
        position = (position + kBlock) % kSourceFrames;
    }
};

// Frames per second, inverted: shown as time per stereo frame (for example "6.8ns").
void reportPerFrame(benchmark::State& state)
{
    state.counters["per_frame"] = benchmark::Counter(static_cast<double>(state.iterations()) * kBlock,
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

template <typename Unit, typename Call>
void runUnit(benchmark::State& state, Unit& unit, Call call)
{
    StereoSource source;
    float l[kBlock], r[kBlock];
    for (auto _ : state) {
        source.fill(l, r);
        call(unit, l, r);
        benchmark::DoNotOptimize(l);
        benchmark::DoNotOptimize(r);
        benchmark::ClobberMemory();
    }
    reportPerFrame(state);
}

void BM_FlangerUnit(benchmark::State& state)
{
    FlangerUnit unit;
    unit.minDelay = 0.001f;
    unit.applyDelayRange();
    unit.depth = 0.002f;
    unit.applyDelayRange();
    unit.stereoOffset = static_cast<float>(state.range(0));
    unit.setSampleRate(kRate);
    unit.reset();
    runUnit(state, unit, [](FlangerUnit& u, float* l, float* r) { u.process(l, r, kBlock, 1.0f, 0.5f, 0.0f); });
}
// 0: the right tap shares the left one, as in the chain; 1: a separate right tap.
BENCHMARK(BM_FlangerUnit)->ArgName("stereoOffset")->Arg(0)->Arg(1);

void BM_MagicEQUnit(benchmark::State& state)
{
    MagicEQUnit unit;
    unit.setSampleRate(kRate);
    unit.reset();
    unit.setMode(state.range(0) != 0);
    const bool sweepTune = state.range(1) != 0;
    float tune = 90.0f;
    runUnit(state, unit, [&](MagicEQUnit& u, float* l, float* r) {
        // A swept tune redesigns the bell in every sub-block, as under an LFO.
        if (sweepTune)
            tune = tune >= 120.0f ? 60.0f : tune + 0.01f;
        u.process(l, r, kBlock, 1.0f, tune);
    });
}
BENCHMARK(BM_MagicEQUnit)->ArgNames({"clip", "sweptTune"})->Args({0, 0})->Args({1, 0})->Args({0, 1});

void BM_CompressUnit(benchmark::State& state)
{
    CompressUnit unit;
    unit.setSampleRate(kRate);
    unit.reset();
    unit.setMode(state.range(0) != 0 ? 0.01f : 0.0f);
    runUnit(state, unit, [](CompressUnit& u, float* l, float* r) { u.process(l, r, kBlock, 0.7f, 0.3f); });
}
BENCHMARK(BM_CompressUnit)->ArgName("follower")->Arg(1)->Arg(0);

} // namespace
