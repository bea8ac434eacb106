// Cost of the band-pass, distortion and multimode filter units, in time per stereo frame.
#include "dsp/bp_filter_unit.h"
#include "dsp/comb_delay.h"
#include "dsp/dist_unit.h"
#include "dsp/four_pole_low_pass.h"
#include "dsp/mm_filter_unit.h"
#include "dsp/xcita_unit.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr float kRate = 44100.0f;
constexpr int kSubBlock = 64;
constexpr int kFramesPerIteration = 4096;

// A music-like test signal: two sines under noise, different on each channel.
struct Signal {
    std::vector<float> left, right;
    Signal() : left(kFramesPerIteration), right(kFramesPerIteration)
    {
        std::mt19937 random(11);
        std::uniform_real_distribution<float> noise(-0.1f, 0.1f);
        for (int i = 0; i < kFramesPerIteration; ++i) {
            float t = i / kRate;
            left[i] = 0.5f * std::sin(2.0f * float(M_PI) * 220.0f * t) + 0.2f * std::sin(2.0f * float(M_PI) * 7500.0f * t) + noise(random);
            right[i] = 0.5f * std::sin(2.0f * float(M_PI) * 330.0f * t) + 0.2f * std::sin(2.0f * float(M_PI) * 9100.0f * t) + noise(random);
        }
    }
};

const Signal& signal()
{
    static const Signal s;
    return s;
}

// Feeds the signal through process(left, right, count, subBlockIndex) in sub-blocks, as the engine does.
template <class Process>
void runSubBlocks(benchmark::State& state, Process process)
{
    const Signal& in = signal();
    float left[kSubBlock], right[kSubBlock];
    int subBlock = 0;
    for (auto _ : state) {
        for (int p = 0; p < kFramesPerIteration; p += kSubBlock) {
            std::copy(in.left.begin() + p, in.left.begin() + p + kSubBlock, left);
            std::copy(in.right.begin() + p, in.right.begin() + p + kSubBlock, right);
            process(left, right, kSubBlock, subBlock++);
            benchmark::DoNotOptimize(left);
            benchmark::DoNotOptimize(right);
        }
        benchmark::ClobberMemory();
    }
    state.counters["time_per_frame"] = benchmark::Counter(
        double(state.iterations()) * kFramesPerIteration, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_BpFilterUnit(benchmark::State& state)
{
    BpFilterUnit unit;
    unit.setSampleRate(kRate);
    float rejectL[kSubBlock], rejectR[kSubBlock];
    const bool moving = state.range(0) != 0;
    runSubBlocks(state, [&](float* l, float* r, int n, int k) {
        // Moving edges redesign every sub-block, as under an LFO.
        float low = moving ? 200.0f + 10.0f * (k % 32) : 250.0f;
        unit.process(l, r, rejectL, rejectR, n, low, 4000.0f, 0.5f, 0.5f);
    });
}
BENCHMARK(BM_BpFilterUnit)->ArgName("movingEdges")->Arg(0)->Arg(1);

void BM_XcitaUnit(benchmark::State& state)
{
    XcitaUnit unit;
    unit.setSampleRate(kRate);
    runSubBlocks(state, [&](float* l, float* r, int n, int) { unit.process(l, r, n, 0.5f); });
}
BENCHMARK(BM_XcitaUnit);

void BM_DistCrush(benchmark::State& state)
{
    DistUnit unit;
    runSubBlocks(state, [&](float* l, float* r, int n, int) { unit.crush(l, r, n, 0.5f); });
}
BENCHMARK(BM_DistCrush);

void BM_DistMech(benchmark::State& state)
{
    DistUnit unit;
    runSubBlocks(state, [&](float* l, float* r, int n, int) { unit.mech(l, r, n, 0.5f); });
}
BENCHMARK(BM_DistMech);

void BM_DistTube(benchmark::State& state)
{
    DistUnit unit;
    runSubBlocks(state, [&](float* l, float* r, int n, int) { unit.tube(l, r, n, 0.5f); });
}
BENCHMARK(BM_DistTube);

void BM_FourPoleLowPass(benchmark::State& state)
{
    FourPoleLowPass left, right;
    left.design(kRate, 1000.0f, 2.0f);
    right.copyDesign(left);
    runSubBlocks(state, [&](float* l, float* r, int n, int) {
        left.flushHistory();
        right.flushHistory();
        for (int i = 0; i < n; ++i) {
            l[i] = left.process(l[i]);
            r[i] = right.process(r[i]);
        }
    });
}
BENCHMARK(BM_FourPoleLowPass);

void BM_CombDelay(benchmark::State& state)
{
    CombDelay left, right;
    left.setSampleRate(kRate);
    right.setSampleRate(kRate);
    left.setFeedback(0.7f);
    right.setFeedback(0.7f);
    runSubBlocks(state, [&](float* l, float* r, int n, int k) {
        // A new delay every 8 sub-blocks keeps a crossfade running most of the time.
        if (k % 8 == 0) {
            float seconds = 0.001f + 0.0001f * (k % 64);
            left.requestDelay(seconds);
            right.requestDelay(seconds);
        }
        for (int i = 0; i < n; ++i) {
            l[i] = left.process(l[i]);
            r[i] = right.process(r[i]);
        }
    });
}
BENCHMARK(BM_CombDelay);

// Each type with an active envelope (one redesign per sub-block) and a resonance that sets it apart.
void BM_MmFilterUnit(benchmark::State& state)
{
    MmFilterUnit unit;
    unit.setSampleRate(kRate);
    unit.setType(static_cast<int>(state.range(0)));
    runSubBlocks(state, [&](float* l, float* r, int n, int) {
        unit.process(l, r, n, 0.8f, 0.02f, 0.5f, 0.6f, 0.7f, 0.4f);
    });
}
BENCHMARK(BM_MmFilterUnit)->ArgName("type")->DenseRange(0, MmFilterUnit::kTypeCount - 1);

// The same with the cutoff swept by an LFO: four glide redesigns per sub-block.
void BM_MmFilterUnitGliding(benchmark::State& state)
{
    MmFilterUnit unit;
    unit.setSampleRate(kRate);
    unit.setType(static_cast<int>(state.range(0)));
    runSubBlocks(state, [&](float* l, float* r, int n, int k) {
        float cutoff = 0.5f + 0.4f * std::sin(0.05f * k);
        unit.process(l, r, n, 0.8f, 0.02f, 0.5f, 0.6f, cutoff, 0.4f);
    });
}
BENCHMARK(BM_MmFilterUnitGliding)
    ->ArgName("type")
    ->Arg(MmFilterUnit::kLowPass)
    ->Arg(MmFilterUnit::kBandPass)
    ->Arg(MmFilterUnit::kLowPassFat)
    ->Arg(MmFilterUnit::kBandPassFat);

// Every unit of this group in chain order: band-pass, exciter, crusher, "Mech", multimode filter, tube.
void BM_UnitsInChain(benchmark::State& state)
{
    BpFilterUnit bp;
    XcitaUnit xcita;
    DistUnit dist;
    MmFilterUnit mm;
    bp.setSampleRate(kRate);
    xcita.setSampleRate(kRate);
    mm.setSampleRate(kRate);
    mm.setType(MmFilterUnit::kLowPassFat);
    float rejectL[kSubBlock], rejectR[kSubBlock];
    runSubBlocks(state, [&](float* l, float* r, int n, int) {
        bp.process(l, r, rejectL, rejectR, n, 100.0f, 12000.0f, 0.3f, 0.5f);
        xcita.process(l, r, n, 0.3f);
        dist.crush(l, r, n, 0.2f);
        dist.mech(l, r, n, 0.3f);
        mm.process(l, r, n, 0.8f, 0.02f, 0.5f, 0.6f, 0.7f, 0.4f);
        dist.tube(l, r, n, 0.4f);
    });
}
BENCHMARK(BM_UnitsInChain);

} // namespace
