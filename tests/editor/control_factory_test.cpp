// The control factory over a skin whose control bitmap is 21 × 50 (odd halves, thirds and quarters): every
// type's rectangle, class and first value, and the kick button's lower frame one control height down.
#include "editor_fixture.h"

#include "editor/c_text_display.h"
#include "gui/c_bitmap.h"
#include "params/parameter_table.h"
#include "support/comma_locale.h"

namespace {

const char* const kSkin =
    "BITMAPS\nBackground\nOdd\n--------\n"
    "FONTS\n--------\n"
    "PARAMETERS\n--------\n"
    "PAGES\n---- ---- ---- ----\n"
    "CONTROLS\n"
    "MasterMix Knob Odd Main 100 100 0 0\n"
    "BpFilterOn OnButton Odd Main 100 200 0 0\n"
    "MasterVolume VSlider Odd Main 200 100 200 160\n"
    "MmFilterType Selector Odd Main 300 100 0 0\n"
    "GlobalMenu PresetSelector Odd Main 10 10 60 30\n"
    "Randomize KickButton Odd Main 300 200 0 0\n"
    "LevelMeterL VuMeter Odd Main 400 10 420 100\n"
    "UpDownPreset UpDownPreset Odd Main 400 200 0 0\n"
    "InfoLink WebLink Odd Main 1 2 3 4\n"
    "MorphSquare MorphSquare Odd Main 300 300 0 0\n"
    "LfoSelect RadioButton Odd Main 10 300 50 320\n"
    "ParamDisplay TextDisplay Odd Main 100 300 200 320\n"
    "VersionDisplay VersionDisplay Odd Main 100 350 200 370\n"
    "BpFilterBar VSliderBar Odd Main 450 300 0 0\n"
    "Dummy PresetMenu Odd Main 5 6 7 8\n"
    "MasterOn Knob Odd Main 50 50 0 0\n"
    "MasterOn None Odd Main 0 0 0 0\n"
    "FlangerOn NoSuchType Odd Main 20 20 0 0\n"
    "--------\n";

class ControlFactoryTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        writeSkin(kSkin, {{"Background", {500, 400}}});
        // Every row of the control bitmap has its own colour, so the frame drawn shows on screen.
        PixelBuffer rows(21, 50);
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 21; ++x)
                rows.row(y)[x] = PixelBuffer::pack(uint8_t(y * 5), 90, 30, 255);
        ASSERT_TRUE(PngWriter::write(rows, (skinFolder() / "Odd.png").string()));
    }
};

TEST_F(ControlFactoryTest, RectanglesClassesAndFirstValuesFollowTheTypeTables)
{
    makePlugin();
    plugin->setParameter(kMasterMix, 0.3f);
    plugin->setParameter(kMasterVolume, 0.4f);
    plugin->setParameter(kBpFilterOn, 1.0f);
    plugin->setParameter(kLevelMeterL, 0.6f);
    // Hosts set their own locale: the version text keeps its decimal point under a decimal comma.
    selectCommaLocale();
    const bool opened = open();
    std::setlocale(LC_NUMERIC, "C");
    ASSERT_TRUE(opened);

    struct Expected {
        int index;
        CRect rect;
        const char* className;
        float value;
    };
    const Expected table[] = {
        {kMasterMix, CRect(90, 90, 110, 110), "CSkinKnob", 0.3f},
        {kBpFilterOn, CRect(90, 188, 110, 212), "COnOffButton", 1.0f},
        {kMasterVolume, CRect(190, 75, 210, 185), "CSkinSlider", 0.4f},
        {kMmFilterType, CRect(290, 92, 310, 108), "CSkinSelector", 0.0f},
        {kGlobalMenu, CRect(10, 10, 60, 30), "CSkinPresetSelector", 0.0f},
        {kRandomize, CRect(290, 188, 310, 212), "CKickButton", 0.0f},
        {kLevelMeterL, CRect(400, 10, 420, 100), "CLevelMeter", 0.0f},
        {kUpDownPreset, CRect(390, 192, 410, 208), "CUpDownPreset", 0.0f},
        {kInfoLink, CRect(1, 2, 3, 4), "CWebLink", 0.0f},
        {kMorphSquare, CRect(290, 275, 310, 325), "CXYPad", 0.0f},
        {kLfoSelect, CRect(10, 300, 50, 320), "CSkinPageButtons", 0.0f},
        {kParamDisplay, CRect(100, 300, 200, 320), "CTextDisplay", 0.0f},
        // "Version v3.10" is 13 characters: 78 pixels left of x2.
        {kVersionDisplay, CRect(122, 350, 200, 370), "CTextDisplay", 0.0f},
        {kBpFilterBar, CRect(440, 275, 460, 325), "CRangeBar", 0.0f},
        {kDummy, CRect(5, 6, 7, 8), "CGlobalMenu", 0.0f},
    };
    for (const Expected& expected : table) {
        CControl* control = editor()->getControl(expected.index);
        ASSERT_NE(control, nullptr) << expected.className;
        EXPECT_EQ(control->getViewSize(), expected.rect) << expected.className;
        EXPECT_STREQ(control->getClassName(), expected.className);
        EXPECT_FLOAT_EQ(control->getValue(), expected.value) << expected.className;
    }
    EXPECT_EQ(static_cast<CTextDisplay*>(editor()->getControl(kVersionDisplay))->getText(), "Version v3.10");
    EXPECT_EQ(editor()->getControl(kMasterOn), nullptr) << "None empties the slot";
    EXPECT_EQ(editor()->getControl(kFlangerOn), nullptr) << "an unknown type creates nothing";

    // The kick button's frames are one control height (24) apart, not half the bitmap (25).
    editor()->getControl(kRandomize)->setValue(1.0f);
    idle();
    EXPECT_EQ(window()->screen().pixel(295, 190), editor()->getBitmap("Odd")->getPixels().pixel(5, 2 + 24));
}

}  // namespace
