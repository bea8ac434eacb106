// An editor over a plug-in whose data folder is a temporary folder: tests write small skins there (or copy
// the default skin) and drive the editor on the headless layer, with the host's requests recorded.
#pragma once

#include "editor/c_effect_editor.h"
#include "engine/product_engine.h"
#include "gui/c_control.h"
#include "gui/c_frame.h"
#include "gui/platform/headless/headless_clock.h"
#include "gui/platform/headless/headless_window.h"
#include "gui/png_writer.h"
#include "host/plugin_base.h"
#include "host/product_program.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct HostCall {
    VstInt32 opcode;
    VstInt32 index;
    float opt;
};

inline std::vector<HostCall>& hostCalls()
{
    static std::vector<HostCall> calls;
    return calls;
}

inline VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt)
{
    hostCalls().push_back({opcode, index, opt});
    return opcode == audioMasterVersion ? 2400 : 0;
}

// The product engine, counting randomize passes and letting a test set the peak levels.
class CountingEngine : public ProductEngine {
public:
    using ProductEngine::ProductEngine;
    void randomize() override
    {
        ++randomizations;
        ProductEngine::randomize();
    }
    void setPeaks(float left, float right) { storePeaks(left, right); }
    int randomizations = 0;
};

class EditorTestPlugin : public PluginBase {
public:
    explicit EditorTestPlugin(const std::string& moduleFolder) : PluginBase(&recordingHost, 64, 53)
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
        new CEffectEditor(this);
    }
    ~EditorTestPlugin() override
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
    CEffectEditor* skinEditor() const { return static_cast<CEffectEditor*>(editor); }
    CountingEngine* counting;
    std::vector<std::pair<VstInt32, float>> received;
};

class EditorTest : public ::testing::Test {
protected:
    EditorTest() : folder("editor") {}

    void SetUp() override { hostCalls().clear(); }
    void TearDown() override
    {
        plugin.reset();
    }

    std::filesystem::path skinFolder() const { return folder.path / "RavenSootData" / "Skins" / "default"; }

    void useDefaultSkin()
    {
        std::filesystem::create_directories(skinFolder().parent_path());
        std::filesystem::copy(std::filesystem::path(RAVENSOOT_SOURCE_DIR) / "data/RavenSootData/Skins/default",
                              skinFolder(), std::filesystem::copy_options::recursive);
    }

    // Writes SkinParameters.txt and one plain PNG per bitmap (width, height; a colour per bitmap).
    void writeSkin(const std::string& text, const std::map<std::string, std::pair<int, int>>& bitmaps)
    {
        std::filesystem::create_directories(skinFolder());
        writeText(text);
        uint8_t shade = 40;
        for (const auto& [name, size] : bitmaps) {
            PixelBuffer pixels(size.first, size.second, PixelBuffer::pack(shade, uint8_t(shade / 2), 200, 255));
            ASSERT_TRUE(PngWriter::write(pixels, (skinFolder() / (name + ".png")).string()));
            shade = uint8_t(shade + 23);
        }
    }
    void writeText(const std::string& text)
    {
        std::ofstream(skinFolder() / "SkinParameters.txt", std::ios::binary) << text;
    }

    void makePlugin() { plugin = std::make_unique<EditorTestPlugin>(folder.path.string()); }
    CEffectEditor* editor() const { return plugin->skinEditor(); }
    bool open()
    {
        if (!plugin)
            makePlugin();
        return editor()->open(&parentWindow);
    }
    HeadlessWindow* window() const { return HeadlessWindow::of(editor()->getFrame()); }
    void idle(int64_t ms = 0)
    {
        HeadlessClock::advance(ms);
        editor()->idle();
    }
    // Where a control sits in the frame: the middle of its rectangle.
    CPoint centreOf(int index) const
    {
        CRect r = editor()->getControl(index)->getFrameRect();
        return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    std::vector<HostCall> calls(VstInt32 opcode) const
    {
        std::vector<HostCall> found;
        for (const HostCall& call : hostCalls())
            if (call.opcode == opcode)
                found.push_back(call);
        return found;
    }

    TempFolder folder;
    int parentWindow = 7;
    std::unique_ptr<EditorTestPlugin> plugin;
};
