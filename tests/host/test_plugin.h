// The plug-in core with the product's engine and programs, built in the test program for a data folder of the
// test's choosing: it counts what the tests ask about and records every parameter change it receives.
#pragma once

#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "editor/c_effect_editor.h"
#include "engine/product_engine.h"
#include "host/plugin_base.h"
#include "host/product_program.h"
#include "plugin_test_host.h"

// The product engine, counting randomize passes, tempo updates and blocks, with peak levels a test may set.
class CountingEngine : public ProductEngine {
public:
    using ProductEngine::ProductEngine;
    void randomize() override
    {
        ++randomizations;
        ProductEngine::randomize();
    }
    void setTempoAndPosition(float tempo, float position) override
    {
        ++tempoCalls;
        ProductEngine::setTempoAndPosition(tempo, position);
    }
    void process(const float* inL, const float* inR, float* outL, float* outR, int frames, bool replace) override
    {
        ++blocks;
        ProductEngine::process(inL, inR, outL, outR, frames, replace);
    }
    void setPeaks(float left, float right) { storePeaks(left, right); }
    int randomizations = 0;
    int tempoCalls = 0;
    std::atomic<int> blocks{0};
};

class TestPlugin : public PluginBase {
public:
    explicit TestPlugin(const std::string& moduleFolder, bool withEditor = true)
        : PluginBase(&InProcessHost::callback, 64, 53)
    {
        counting = new CountingEngine(moduleFolder.c_str());
        engine = counting;
        engine->setSampleRate(44100.0f);
        // Bank and program files carry the product's identity, as the product plug-in writes them.
        fxId = kProductId;
        for (PluginProgram*& program : programs)
            program = new ProductProgram;
        curProgram = -1;
        setProgram(0);
        if (withEditor)
            new CEffectEditor(this);
    }
    ~TestPlugin() override
    {
        AEffEditor* own = editor;
        setEditor(nullptr);
        delete own;
        delete engine;
        engine = nullptr;
    }
    void setParameter(VstInt32 index, float value) override
    {
        received.emplace_back(index, value);
        PluginBase::setParameter(index, value);
    }
    // One block of both channels at a constant level.
    void run(int frames = 512, float level = 0.5f)
    {
        std::vector<float> in(static_cast<std::size_t>(frames), level), out(static_cast<std::size_t>(frames));
        float* ins[2] = {in.data(), in.data()};
        float* outs[2] = {out.data(), out.data()};
        processReplacing(ins, outs, frames);
    }
    CEffectEditor* skinEditor() const { return static_cast<CEffectEditor*>(editor); }

    CountingEngine* counting;
    std::vector<std::pair<VstInt32, float>> received;
};
