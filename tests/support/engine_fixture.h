// An engine in a module folder of its own, at 44.1 kHz, with the master section on and settled.
#pragma once

#include "engine/product_engine.h"
#include "support/temp_folder.h"

#include <filesystem>
#include <memory>
#include <string>
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

    // Stereo block through the engine, replacing the outputs.
    void run(const std::vector<float>& inL, const std::vector<float>& inR, std::vector<float>& outL,
             std::vector<float>& outR)
    {
        engine->process(inL.data(), inR.data(), outL.data(), outR.data(), static_cast<int>(inL.size()),
                        true);
    }

    std::string dataFile(const std::string& name) const
    {
        return (folder.path / "RavenSootData" / name).string();
    }

    TempFolder folder;
    std::unique_ptr<ProductEngine> engine;
};
