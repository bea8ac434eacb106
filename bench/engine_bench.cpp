// Cost of ProductEngine::process per stereo frame with every section switched on and both LFOs moving.
#include "engine/product_engine.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void switchEverythingOn(ProductEngine& e)
{
    for (int s : {kBpFilterOn, kDistOn, kMmFilterOn, kFlangerOn, kMagicEQOn, kCompressOn, kMasterOn})
        e.setParameter(s, 1.0f);
    for (int a : {kDistBitCrusher, kDistMech, kDistTube, kDistXcita, kBpFilterBRMix, kFlangerAmount,
                  kMagicEQAmount, kCompressAmount, kMmFilterMix})
        e.setParameter(a, 0.5f);
    e.setParameter(kMasterMix, 0.8f);
    e.setParameter(kMasterVolume, 0.9f);
    e.setParameter(kLfo1Shape, 0.0f);
    e.setParameter(kLfo1Depth, 0.8f);
    e.setParameter(kLfo1Rate, 0.6f);
    e.setParameter(kLfo1Target, 0.13f);
    e.setParameter(kLfo1On, 1.0f);
    e.setParameter(kLfo2Shape, 0.06f);
    e.setParameter(kLfo2Depth, 0.5f);
    e.setParameter(kLfo2Rate, 0.7f);
    e.setParameter(kLfo2Target, 0.22f);
    e.setParameter(kLfo2On, 1.0f);
    e.setConstraint(true);
    e.resume();
}

void BM_EngineProcess(benchmark::State& state)
{
    // A module folder without a data folder: nothing is read or written.
    const std::string folder = "/tmp/ravensoot-bench-" + std::to_string(getpid());
    ProductEngine engine(folder.c_str());
    engine.setSampleRate(44100.0f);
    switchEverythingOn(engine);

    const int frames = static_cast<int>(state.range(0));
    std::vector<float> inL(frames), inR(frames), outL(frames), outR(frames);
    for (int i = 0; i < frames; ++i) {
        inL[i] = 0.5f * std::sin(0.031f * static_cast<float>(i));
        inR[i] = 0.5f * std::sin(0.017f * static_cast<float>(i));
    }
    for (auto _ : state) {
        engine.process(inL.data(), inR.data(), outL.data(), outR.data(), frames, true);
        benchmark::DoNotOptimize(outL.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * frames);
    state.counters["ns_per_frame"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * frames,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BM_EngineProcess)->Arg(64)->Arg(512)->Arg(4096);
