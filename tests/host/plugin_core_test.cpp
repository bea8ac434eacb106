// The plug-in core over the real engine: the program path, changes flushed to the editor, tempo
// forwarding, the processing flag against bypass, and the order of destruction.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "engine/product_engine.h"
#include "host/aeff_editor.h"
#include "host/plugin_editor_link.h"
#include "host/plugin_program.h"
#include "plugin_test_host.h"

namespace {

class SpyEngine : public ProductEngine {
public:
    using ProductEngine::ProductEngine;
    void setTempoAndPosition(float tempo, float position) override
    {
        ++tempoCalls;
        ProductEngine::setTempoAndPosition(tempo, position);
    }
    void process(const float* inL, const float* inR, float* outL, float* outR, int frames,
                 bool replace) override
    {
        ++blocks;
        ProductEngine::process(inL, inR, outL, outR, frames, replace);
    }
    int tempoCalls = 0;
    std::atomic<int> blocks{0};
};

// The product plug-in with its engine swapped for the spy, and counting its own parameter calls.
class SpyPlugin : public ProductPlugin {
public:
    SpyPlugin() : ProductPlugin(&InProcessHost::callback)
    {
        delete engine;
        spy = new SpyEngine(moduleFolder);
        engine = spy;
        engine->setSampleRate(44100.0f);
        setProgram(0);
    }
    void setParameter(VstInt32 index, float value) override
    {
        ++parameterCalls;
        ProductPlugin::setParameter(index, value);
    }
    void run(int frames = 512, float level = 0.5f)
    {
        std::vector<float> in(static_cast<std::size_t>(frames), level), out(static_cast<std::size_t>(frames));
        float* ins[2] = {in.data(), in.data()};
        float* outs[2] = {out.data(), out.data()};
        processReplacing(ins, outs, frames);
    }
    SpyEngine* spy;
    int parameterCalls = 0;
};

class RecordingLink : public PluginEditorLink {
public:
    void setParameter(int index, float value) override { changes.push_back({index, value}); }
    void updateAllControls() override { ++refreshes; }
    std::vector<std::pair<int, float>> changes;
    int refreshes = 0;
};

class EngineCheckingEditor : public AEffEditor {
public:
    EngineCheckingEditor(PluginBase* plugin, bool* engineAlive)
        : AEffEditor(plugin), plugin(plugin), engineAlive(engineAlive)
    {
        plugin->setEditor(this);
    }
    ~EngineCheckingEditor() override { *engineAlive = plugin->getEngine() != nullptr; }
    PluginBase* plugin;
    bool* engineAlive;
};

const double kBlockBeats = 512.0 * 120.0 / (44100.0 * 60.0);

} // namespace

TEST(PluginCore, SetProgramTakesEveryValueThroughTheParameterPath)
{
    SpyPlugin plugin;
    RecordingLink link;
    plugin.setEditorLink(&link);
    PluginProgram* five = plugin.getProgramRecord(5);
    for (int i = 0; i < 53; ++i)
        five->setValue(i, i == 14 ? 0.03f : 0.5f);
    plugin.parameterCalls = 0;
    InProcessHost::requests().clear();
    plugin.setProgram(5);
    EXPECT_EQ(plugin.parameterCalls, 53);
    EXPECT_EQ(link.refreshes, 1);
    EXPECT_EQ(InProcessHost::count(audioMasterUpdateDisplay), 1u);
    for (int i = 0; i < 53; ++i)
        EXPECT_FLOAT_EQ(plugin.getParameter(i), five->getValue(i)) << i;
    plugin.setEditorLink(nullptr);
}

TEST(PluginCore, ChangesReachProgramAndEditorOnceEach)
{
    SpyPlugin plugin;
    RecordingLink link;
    plugin.setEditorLink(&link);
    plugin.setParameter(31, 0.25f);
    ASSERT_EQ(link.changes.size(), 1u);
    EXPECT_EQ(link.changes[0], std::make_pair(31, 0.25f));
    EXPECT_EQ(plugin.getProgramRecord(0)->getValue(31), 0.25f);

    // An editor-only record reaches the engine and the editor, never a program.
    link.changes.clear();
    plugin.setParameter(60, 0.5f);
    EXPECT_EQ(link.changes, (std::vector<std::pair<int, float>>{{60, 0.5f}}));
    EXPECT_EQ(plugin.getParameter(60), 0.5f);

    // A change made inside the engine (as a learned controller does) arrives with the next flush.
    link.changes.clear();
    plugin.getEngine()->setParameter(13, 0.75f);
    plugin.flushParameterChanges();
    plugin.flushParameterChanges();
    EXPECT_EQ(link.changes, (std::vector<std::pair<int, float>>{{13, 0.75f}}));
    EXPECT_EQ(plugin.getProgramRecord(0)->getValue(13), 0.75f);
    plugin.setEditorLink(nullptr);
}

TEST(PluginCore, ProgramOperations)
{
    SpyPlugin plugin;
    plugin.setProgram(8);
    plugin.setParameter(31, 0.5f);
    EXPECT_TRUE(plugin.copyProgram(3));
    plugin.setParameter(31, 0.25f);
    EXPECT_EQ(plugin.getProgramRecord(3)->getValue(31), 0.5f);
    EXPECT_FALSE(plugin.copyProgram(64));
    EXPECT_FALSE(plugin.copyProgram(-1));

    plugin.setProgramName(const_cast<char*>("Named"));
    plugin.clearCurrentProgram();
    EXPECT_STREQ(plugin.getProgramRecord(8)->getName(), "Named");
    EXPECT_EQ(plugin.getProgramRecord(8)->getValue(31), 1.0f);
    EXPECT_EQ(plugin.getParameter(29), 1.0f);

    plugin.setProgram(63);
    InProcessHost::requests().clear();
    plugin.nextProgram();
    EXPECT_EQ(plugin.getProgram(), 63);
    plugin.setProgram(0);
    plugin.previousProgram();
    EXPECT_EQ(plugin.getProgram(), 0);
    EXPECT_EQ(InProcessHost::count(audioMasterUpdateDisplay), 3u);
    plugin.nextProgram();
    EXPECT_EQ(plugin.getProgram(), 1);
}

TEST(PluginCore, WithoutTimeInfoOnlyResumeSetsTempoAndPosition)
{
    InProcessHost::timeInfo() = nullptr;
    SpyPlugin plugin;
    plugin.setParameter(29, 1.0f);
    plugin.spy->tempoCalls = 0;
    plugin.resume();
    EXPECT_EQ(plugin.spy->tempoCalls, 1);
    EXPECT_EQ(plugin.getEngine()->getTempo(), 120.0f);
    for (int i = 0; i < 10; ++i)
        plugin.run();
    EXPECT_EQ(plugin.spy->tempoCalls, 1);
    EXPECT_NEAR(plugin.getEngine()->getSongPosition(), 10 * kBlockBeats, 1e-6);
}

TEST(PluginCore, TempoChangesAndJumpsWhilePlayingAreForwarded)
{
    VstTimeInfo info{};
    info.tempo = 120.0;
    info.ppqPos = 0.0;
    InProcessHost::timeInfo() = &info;
    SpyPlugin plugin;
    plugin.setParameter(29, 1.0f);
    plugin.resume();
    plugin.spy->tempoCalls = 0;

    // Stopped, same tempo: the engine runs on by itself although the host stays at 0.
    for (int i = 0; i < 5; ++i)
        plugin.run();
    EXPECT_EQ(plugin.spy->tempoCalls, 0);
    EXPECT_NEAR(plugin.getEngine()->getSongPosition(), 5 * kBlockBeats, 1e-6);

    info.tempo = 140.0;
    plugin.run();
    EXPECT_EQ(plugin.spy->tempoCalls, 1);
    EXPECT_EQ(plugin.getEngine()->getTempo(), 140.0f);

    // Playing: a jump is forwarded, a host that runs along with the engine is not.
    info.tempo = 120.0;
    info.flags = kVstTransportPlaying;
    info.ppqPos = 8.0;
    plugin.run();
    EXPECT_EQ(plugin.spy->tempoCalls, 2);
    EXPECT_NEAR(plugin.getEngine()->getSongPosition(), 8.0 + kBlockBeats, 1e-6);
    for (int i = 1; i <= 20; ++i) {
        info.ppqPos = 8.0 + i * kBlockBeats;
        plugin.run();
    }
    EXPECT_EQ(plugin.spy->tempoCalls, 2);

    // Far into a song the comparison still resolves a thousandth of a beat.
    info.ppqPos = 40000.302;
    plugin.run();
    EXPECT_EQ(plugin.spy->tempoCalls, 3);
    for (int i = 1; i <= 20; ++i) {
        info.ppqPos = 40000.302 + i * kBlockBeats;
        plugin.run();
    }
    EXPECT_EQ(plugin.spy->tempoCalls, 3);

    info.ppqPos = -4.0;
    plugin.run();
    EXPECT_NEAR(plugin.getEngine()->getSongPosition(), kBlockBeats, 1e-6);
    InProcessHost::timeInfo() = nullptr;
}

TEST(PluginCore, BypassHeldByTheEditorStopsTheEngineBetweenBlocks)
{
    InProcessHost::timeInfo() = nullptr;
    SpyPlugin plugin;
    plugin.setParameter(29, 1.0f);
    plugin.resume();
    std::atomic<bool> stop{false};
    std::thread audio([&] {
        while (!stop.load())
            plugin.run(64);
    });
    while (plugin.spy->blocks.load() < 50) {
    }
    EngineBase* engine = plugin.getEngine();
    for (int round = 0; round < 20; ++round) {
        // As randomize does: raise bypass, wait for the audio thread to leave the engine.
        engine->setBypass(true);
        while (engine->isProcessing()) {
        }
        int before = plugin.spy->blocks.load();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        EXPECT_EQ(plugin.spy->blocks.load(), before) << round;
        engine->setBypass(false);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    stop.store(true);
    audio.join();
}

// The product's own editor makes way for a test's (deleting it unregisters it), so nothing leaks.
struct EditorSwapPlugin : ProductPlugin {
    using ProductPlugin::ProductPlugin;
    void dropOwnEditor() { delete editor; }
};

TEST(PluginCore, EditorIsDestroyedBeforeTheEngine)
{
    bool engineAlive = false;
    auto* plugin = new EditorSwapPlugin(&InProcessHost::callback);
    plugin->dropOwnEditor();
    new EngineCheckingEditor(plugin, &engineAlive);
    delete plugin;
    EXPECT_TRUE(engineAlive);
}

namespace {

class WheelEditor : public AEffEditor {
public:
    explicit WheelEditor(AudioEffect* effect) : AEffEditor(effect) { effect->setEditor(this); }
    bool onWheel(float distance) override
    {
        last = distance;
        return distance > 0.0f;
    }
    float last = 0.0f;
};

} // namespace

TEST(PluginCore, WheelReachesAnEditorThroughVendorSpecific)
{
    EditorSwapPlugin plugin(&InProcessHost::callback);
    plugin.dropOwnEditor();
    AEffect* e = plugin.getAeffect();
    WheelEditor* editor = new WheelEditor(&plugin);
    EXPECT_EQ(e->flags & effFlagsHasEditor, effFlagsHasEditor);
    EXPECT_EQ(e->dispatcher(e, effVendorSpecific, 0x73744341, 0x57686565, nullptr, 2.0f), 1);
    EXPECT_EQ(editor->last, 2.0f);
    EXPECT_EQ(e->dispatcher(e, effVendorSpecific, 0x73744341, 0x57686565, nullptr, -1.0f), 0);
    EXPECT_EQ(editor->last, -1.0f);
    EXPECT_EQ(e->dispatcher(e, effVendorSpecific, 0x73744341, 0x12345678, nullptr, 3.0f), 0);
    EXPECT_EQ(editor->last, -1.0f);
    EXPECT_EQ(e->dispatcher(e, effSetEditKnobMode, 0, 1, nullptr, 0.0f), 1);
}
