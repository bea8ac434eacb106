// Cost of ProductEngine::process per stereo frame at 44.1 kHz: the frame alone, each stage of the chain
// alone on top of it, and the full chain with every section on and both LFOs modulating, for each
// filter type.
#include "engine/product_engine.h"
#include "tests/support/chain_settings.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Half-way settings; LFO 1 (sine) sweeps the filter cutoff, so the multimode filter glides and
// redesigns every 16 samples, and LFO 2 (random triangle) the master volume.
void configure(ProductEngine& e, unsigned stages)
{
    switchStages(e, stages);
    e.setParameter(kMasterOn, 1.0f);
    for (int a : {kBpFilterBRMix, kFlangerAmount, kMagicEQAmount, kCompressAmount, kMmFilterMix})
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

void BM_Chain(benchmark::State& state, unsigned stages, int filterType)
{
    // A module folder without a data folder: nothing is read or written.
    const std::string folder = "/tmp/ravensoot-bench-" + std::to_string(getpid());
    ProductEngine engine(folder.c_str());
    engine.setSampleRate(44100.0f);
    configure(engine, stages);
    engine.setParameter(kMmFilterType, static_cast<float>(filterType) * 0.01f);

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

const bool registered = [] {
    const std::pair<const char*, unsigned> runs[] = {
        {"frame", 0u},          {"band-pass", kBandPass}, {"exciter", kExciter},
        {"crusher", kCrusher},  {"mech", kMech},          {"tube", kTube},
        {"multimode", kMultimode}, {"flanger", kFlanger}, {"magic-eq", kMagicEq},
        {"compressor", kCompressor},
    };
    for (const auto& [name, stages] : runs)
        benchmark::RegisterBenchmark((std::string("BM_Chain/") + name).c_str(), BM_Chain, stages, 0)->Arg(512);
    benchmark::RegisterBenchmark("BM_Chain/full", BM_Chain, kEveryStage, 0)->Arg(64)->Arg(512)->Arg(4096);
    // The full chain with each of the other filter types ("Comb" crossfades at every glide step).
    for (int type = 1; type < kFilterTypeCount; ++type)
        benchmark::RegisterBenchmark((std::string("BM_Chain/full/type:") + std::to_string(type)).c_str(),
                                     BM_Chain, kEveryStage, type)
            ->Arg(512);
    return true;
}();

} // namespace
