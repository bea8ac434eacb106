// An editor over a plug-in whose data folder is a temporary folder: tests write small skins there (or copy
// the default skin) and drive the editor on the headless layer, with the host's requests recorded.
#pragma once

#include "editor/c_effect_editor.h"
#include "editor/c_skin_knob.h"
#include "editor/c_text_display.h"
#include "gui/c_control.h"
#include "gui/c_frame.h"
#include "gui/platform/headless/headless_clock.h"
#include "gui/platform/headless/headless_window.h"
#include "gui/png_writer.h"
#include "host/test_plugin.h"
#include "params/parameter_table.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

class EditorTest : public ::testing::Test {
protected:
    EditorTest() : folder("editor") {}

    void SetUp() override { InProcessHost::requests().clear(); }
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

    void makePlugin() { plugin = std::make_unique<TestPlugin>(folder.path.string()); }
    CEffectEditor* editor() const { return plugin->skinEditor(); }
    bool open()
    {
        if (!plugin)
            makePlugin();
        return editor()->open(&parentWindow);
    }
    HeadlessWindow* window() const { return HeadlessWindow::of(editor()->getFrame()); }
    float value(int index) const { return plugin->getEngine()->getParameter(index); }
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
    TempFolder folder;
    int parentWindow = 7;
    std::unique_ptr<TestPlugin> plugin;
};

// The editor open on the default skin, with what the tests read back from it.
class DefaultSkinTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        useDefaultSkin();
        ASSERT_TRUE(open());
        idle();
    }
    void TearDown() override
    {
        CSkinKnob::setSkinKnobMode(CSkinKnob::kLinearKnobMode);
        EditorTest::TearDown();
    }
    std::string display() const
    {
        return static_cast<CTextDisplay*>(editor()->getControl(kParamDisplay))->getText();
    }
    std::string programName() const
    {
        char name[80] = {};
        plugin->getProgramName(name);
        return name;
    }
    // The values the editor sent for index since the last clear.
    std::vector<float> sent(int index) const
    {
        std::vector<float> values;
        for (const auto& [i, v] : plugin->received)
            if (i == index)
                values.push_back(v);
        return values;
    }
};
