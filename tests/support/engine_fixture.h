// An engine in a module folder of its own, at 44.1 kHz, with the master section on and settled.
#pragma once

#include "engine/product_engine.h"
#include "support/chain_settings.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct EngineFixture {
    explicit EngineFixture(const std::string& tag, float rate = 44100.0f) : folder(tag)
    {
        std::filesystem::create_directories(folder.path / "RavenSootData");
        engine = std::make_unique<ProductEngine>(folder.path.string().c_str());
        engine->setSampleRate(rate);
        // As a program would: switches and master first, then the constraint switch goes on.
        engine->setParameter(kMasterOn, 1.0f);
        engine->setParameter(kMasterMix, 1.0f);
        engine->setParameter(kMasterVolume, 1.0f);
        engine->setConstraint(true);
        engine->resume();
        std::vector<float> silence(64, 0.0f), out(64);
        run(silence, silence, out, out);
    }

    // Then these records set in order, and resumed as after a change of program.
    EngineFixture(const std::string& tag, std::initializer_list<std::pair<int, float>> records) : EngineFixture(tag)
    {
        setRecords(*engine, records);
        engine->resume();
    }

    // Stereo block through the engine, replacing the outputs.
    void run(const std::vector<float>& inL, const std::vector<float>& inR, std::vector<float>& outL,
             std::vector<float>& outR)
    {
        engine->process(inL.data(), inR.data(), outL.data(), outR.data(), static_cast<int>(inL.size()),
                        true);
    }

    // The lowest and highest a reading takes after each of `blocks` runs of `in` on both channels.
    template <class Reading>
    std::pair<float, float> range(const std::vector<float>& in, int blocks, Reading reading)
    {
        std::vector<float> outL(in.size()), outR(in.size());
        std::pair<float, float> seen(1e30f, -1e30f);
        for (int k = 0; k < blocks; ++k) {
            run(in, in, outL, outR);
            seen = {std::min(seen.first, reading(outL)), std::max(seen.second, reading(outL))};
        }
        return seen;
    }

    TempFolder folder;
    std::unique_ptr<ProductEngine> engine;
};
