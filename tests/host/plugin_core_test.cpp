// The plug-in core over the real engine: the program path, changes flushed to the editor, tempo
// forwarding, the processing flag against bypass, and the order of destruction.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "host/aeff_editor.h"
#include "host/plugin_editor_link.h"
#include "host/plugin_program.h"
#include "host/product_plugin.h"
#include "test_plugin.h"

namespace {

// The plug-in core without an editor, over a folder that holds no data.
struct CorePlugin : TestPlugin {
    CorePlugin() : TestPlugin(std::string(RAVENSOOT_BINARY_DIR) + "/no-data", false) { }
};

class RecordingLink : public PluginEditorLink {
public:
    void setParameter(int index, float value) override { changes.push_back({index, value}); }
    void updateAllControls() override { ++refreshes; }
    std::vector<std::pair<int, float>> changes;
    int refreshes = 0;
};

// An editor that takes the wheel and notes, when it is destroyed, whether the engine still exists.
class ProbeEditor : public AEffEditor {
public:
    ProbeEditor(PluginBase* plugin, bool* engineAlive) : AEffEditor(plugin), plugin(plugin), engineAlive(engineAlive)
    {
        plugin->setEditor(this);
    }
    ~ProbeEditor() override { *engineAlive = plugin->getEngine() != nullptr; }
    bool onWheel(float distance) override
    {
        wheel = distance;
        return distance > 0.0f;
    }
    PluginBase* plugin;
    bool* engineAlive;
    float wheel = 0.0f;
};

const double kBlockBeats = 512.0 * 120.0 / (44100.0 * 60.0);

} // namespace

TEST(PluginCore, SetProgramTakesEveryValueThroughTheParameterPath)
{
    CorePlugin plugin;
    RecordingLink link;
    plugin.setEditorLink(&link);
    PluginProgram* five = plugin.getProgramRecord(5);
    for (int i = 0; i < 53; ++i)
        five->setValue(i, i == 14 ? 0.03f : 0.5f);
    plugin.received.clear();
    InProcessHost::requests().clear();
    plugin.setProgram(5);
    EXPECT_EQ(plugin.received.size(), 53u);
    EXPECT_EQ(link.refreshes, 1);
    EXPECT_EQ(InProcessHost::count(audioMasterUpdateDisplay), 1u);
    for (int i = 0; i < 53; ++i)
        EXPECT_FLOAT_EQ(plugin.getParameter(i), five->getValue(i)) << i;
    plugin.setEditorLink(nullptr);
}

TEST(PluginCore, ChangesReachProgramAndEditorOnceEach)
{
    CorePlugin plugin;
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

TEST(PluginCore, ClearKeepsTheNameAndTheProgramSteppersStopAtTheEnds)
{
    CorePlugin plugin;
    plugin.setProgram(8);
    plugin.setParameter(31, 0.25f);
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
    CorePlugin plugin;
    plugin.setParameter(29, 1.0f);
    plugin.counting->tempoCalls = 0;
    plugin.resume();
    EXPECT_EQ(plugin.counting->tempoCalls, 1);
    EXPECT_EQ(plugin.getEngine()->getTempo(), 120.0f);
    for (int i = 0; i < 10; ++i)
        plugin.run();
    EXPECT_EQ(plugin.counting->tempoCalls, 1);
    EXPECT_NEAR(plugin.getEngine()->getSongPosition(), 10 * kBlockBeats, 1e-6);
}

TEST(PluginCore, TempoChangesAndJumpsWhilePlayingAreForwarded)
{
    VstTimeInfo info{};
    info.tempo = 120.0;
    info.ppqPos = 0.0;
    InProcessHost::timeInfo() = &info;
    CorePlugin plugin;
    plugin.setParameter(29, 1.0f);
    plugin.resume();
    plugin.counting->tempoCalls = 0;

    // Stopped, same tempo: the engine runs on by itself although the host stays at 0.
    for (int i = 0; i < 5; ++i)
        plugin.run();
    EXPECT_EQ(plugin.counting->tempoCalls, 0);
    EXPECT_NEAR(plugin.getEngine()->getSongPosition(), 5 * kBlockBeats, 1e-6);

    info.tempo = 140.0;
    plugin.run();
    EXPECT_EQ(plugin.counting->tempoCalls, 1);
    EXPECT_EQ(plugin.getEngine()->getTempo(), 140.0f);

    // Playing: a jump is forwarded, the blocks of a host that then runs along with the engine are not; far
    // into a song the comparison still resolves a thousandth of a beat.
    info.tempo = 120.0;
    info.flags = kVstTransportPlaying;
    int calls = 1;
    for (double start : {8.0, 40000.302}) {
        for (int i = 0; i <= 20; ++i) {
            info.ppqPos = start + i * kBlockBeats;
            plugin.run();
        }
        EXPECT_EQ(plugin.counting->tempoCalls, ++calls) << start;
        // (The engine counts beats in float: a few thousandths of a beat apart at 40,000.)
        EXPECT_NEAR(plugin.getEngine()->getSongPosition(), start + 21 * kBlockBeats, start * 1e-7 + 1e-6) << start;
    }
    info.ppqPos = -4.0;
    plugin.run();
    EXPECT_NEAR(plugin.getEngine()->getSongPosition(), kBlockBeats, 1e-6);
    InProcessHost::timeInfo() = nullptr;
}

TEST(PluginCore, BypassHeldByTheEditorStopsTheEngineBetweenBlocks)
{
    InProcessHost::timeInfo() = nullptr;
    CorePlugin plugin;
    plugin.setParameter(29, 1.0f);
    plugin.resume();
    std::atomic<bool> stop{false};
    std::thread audio([&] {
        while (!stop.load())
            plugin.run(64);
    });
    while (plugin.counting->blocks.load() < 50) {
    }
    EngineBase* engine = plugin.getEngine();
    for (int round = 0; round < 20; ++round) {
        // As randomize does: raise bypass, wait for the audio thread to leave the engine.
        engine->setBypass(true);
        while (engine->isProcessing()) {
        }
        int before = plugin.counting->blocks.load();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        EXPECT_EQ(plugin.counting->blocks.load(), before) << round;
        engine->setBypass(false);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    stop.store(true);
    audio.join();
}

// The product's own editor makes way for a test's (deleting it unregisters it).
struct ProductWithoutEditor : ProductPlugin {
    ProductWithoutEditor() : ProductPlugin(&InProcessHost::callback) { delete editor; }
};

TEST(PluginCore, TheWheelReachesTheEditorWhichIsDestroyedBeforeTheEngine)
{
    bool engineAlive = false;
    auto* plugin = new ProductWithoutEditor;
    AEffect* e = plugin->getAeffect();
    auto* editor = new ProbeEditor(plugin, &engineAlive);
    EXPECT_EQ(e->flags & effFlagsHasEditor, effFlagsHasEditor);
    EXPECT_EQ(e->dispatcher(e, effVendorSpecific, 0x73744341, 0x57686565, nullptr, 2.0f), 1);
    EXPECT_EQ(editor->wheel, 2.0f);
    EXPECT_EQ(e->dispatcher(e, effVendorSpecific, 0x73744341, 0x57686565, nullptr, -1.0f), 0);
    EXPECT_EQ(editor->wheel, -1.0f);
    EXPECT_EQ(e->dispatcher(e, effVendorSpecific, 0x73744341, 0x12345678, nullptr, 3.0f), 0);
    EXPECT_EQ(editor->wheel, -1.0f);
    delete plugin;
    EXPECT_TRUE(engineAlive);
}
