// The default skin's knobs, slider, XY pad, meters and text display driven with scripted mouse input: the
// context menus, linear and circular knob drags, learn arming, the meters' switch and missing glyphs.
#include "editor_fixture.h"

#include "editor/c_level_meter.h"
#include "editor/c_skin_knob.h"
#include "editor/c_skin_slider.h"
#include "editor/c_text_display.h"
#include "editor/c_xy_pad.h"
#include "gui/c_bitmap.h"
#include "params/parameter_table.h"
#include "params/value_text.h"

namespace {

class SkinControlsTest : public DefaultSkinTest {
protected:
    void rightClickChoosing(int index, int entry)
    {
        CPoint at = centreOf(index);
        window()->press(at.h, at.v, kRButton).chooseMenuEntry(entry).release(kRButton);
        idle();
    }
};

TEST_F(SkinControlsTest, KnobMenuNeverChangesTheValueButReportsItAndArmsLearn)
{
    plugin->setParameter(kMasterMix, 0.3f);
    plugin->received.clear();
    rightClickChoosing(kMasterMix, CSkinKnob::kDisplayValue);
    EXPECT_FLOAT_EQ(value(kMasterMix), 0.3f);
    EXPECT_EQ(sent(kMasterMix), std::vector<float>{0.3f});
    char text[kValueTextSize];
    formatValue(*plugin->getEngine()->parameter(kMasterMix), text, sizeof text);
    EXPECT_EQ(display().rfind(text, 0), 0u) << display();

    rightClickChoosing(kMasterMix, CSkinKnob::kMidiLearn);
    EXPECT_EQ(plugin->getEngine()->getMidiLearnIndex(), kMasterMix);
    CPoint at = centreOf(kMasterMix);
    window()->press(at.h, at.v, kRButton).dismissMenu().release(kRButton);
    idle();
    EXPECT_EQ(sent(kMasterMix), (std::vector<float>{0.3f, 0.3f, 0.3f})) << "reported after every menu";
    EXPECT_FLOAT_EQ(editor()->getControl(kMasterMix)->getValue(), 0.3f);
}

TEST_F(SkinControlsTest, LinearDragCrossesTheRangeIn200PixelsOr4000WithShiftWithoutJumps)
{
    const CPoint at = centreOf(kMasterMix);
    plugin->setParameter(kMasterMix, 0.0f);
    // Right counts as much as up: 50 right and 50 up are 100 pixels.
    window()->press(at.h, at.v).move(at.h + 50, at.v - 50).release();
    idle();
    EXPECT_NEAR(value(kMasterMix), 0.5f, 1e-6f);
    window()->press(at.h, at.v).move(at.h, at.v - 200).move(at.h, at.v - 300).release();
    idle();
    EXPECT_FLOAT_EQ(value(kMasterMix), 1.0f) << "200 pixels from the middle reach the top, then it stays";

    plugin->setParameter(kMasterMix, 0.0f);
    window()->modifiers(kShift).press(at.h, at.v).move(at.h + 1000, at.v - 500).release().modifiers(0);
    idle();
    EXPECT_NEAR(value(kMasterMix), 0.375f, 1e-5f);
    plugin->setParameter(kMasterMix, 0.0f);
    window()->modifiers(kShift).press(at.h, at.v).move(at.h, at.v - 4000).release().modifiers(0);
    idle();
    EXPECT_NEAR(value(kMasterMix), 1.0f, 1e-5f);

    // Shift pressed and let go mid-drag: the value carries on from where it was each time.
    plugin->setParameter(kMasterMix, 0.0f);
    plugin->received.clear();
    window()->press(at.h, at.v).move(at.h, at.v - 100).modifiers(kShift).move(at.h, at.v - 120);
    window()->modifiers(0).move(at.h, at.v - 130).release();
    idle();
    std::vector<float> path = sent(kMasterMix);
    ASSERT_GE(path.size(), 3u);
    EXPECT_NEAR(path[0], 0.5f, 1e-5f);
    EXPECT_NEAR(path[1], 0.505f, 1e-5f);
    EXPECT_NEAR(path.back(), 0.555f, 1e-5f);
}

TEST_F(SkinControlsTest, CircularOnOneKnobSwitchesEveryKnobAndTheDeadZonePins)
{
    rightClickChoosing(kMasterMix, CSkinKnob::kCircular);
    EXPECT_EQ(CSkinKnob::getSkinKnobMode(), CSkinKnob::kCircularKnobMode);

    // Another knob follows the pointer's angle: straight right of the centre is 225 of the 270 degrees.
    const CPoint at = centreOf(kFlangerRate);
    plugin->setParameter(kFlangerRate, 0.0f);
    window()->press(at.h + 15, at.v).release();
    idle();

    EXPECT_NEAR(value(kFlangerRate), 225.0f / 270.0f, 1e-4f);

    // From just right of the bottom to just left of it: pinned at the maximum, not wrapped to the minimum;
    // then the top is taken again.
    plugin->received.clear();
    window()->press(at.h + 2, at.v + 20).move(at.h - 2, at.v + 20).move(at.h, at.v - 20).release();
    idle();
    std::vector<float> path = sent(kFlangerRate);
    ASSERT_GE(path.size(), 2u);
    EXPECT_FLOAT_EQ(path[path.size() - 2], 1.0f);
    EXPECT_NEAR(path.back(), 0.5f, 1e-4f);

    rightClickChoosing(kFlangerRate, CSkinKnob::kLinear);
    EXPECT_EQ(CSkinKnob::getSkinKnobMode(), CSkinKnob::kLinearKnobMode);
}

TEST_F(SkinControlsTest, SliderMenuKeepsTheValueAndArmsLearn)
{
    plugin->setParameter(kMasterVolume, 0.4f);
    auto* slider = dynamic_cast<CSkinSlider*>(editor()->getControl(kMasterVolume));
    ASSERT_NE(slider, nullptr);
    plugin->received.clear();
    CRect handle = slider->handleRect();
    CPoint at((handle.left + handle.right) / 2, (handle.top + handle.bottom) / 2);
    slider->getParentView()->localToFrame(at);
    window()->press(at.h, at.v - 30, kRButton).chooseMenuEntry(CSkinSlider::kMidiLearn).release(kRButton);
    idle();
    EXPECT_EQ(plugin->getEngine()->getMidiLearnIndex(), kMasterVolume);
    EXPECT_FLOAT_EQ(value(kMasterVolume), 0.4f);
    EXPECT_EQ(sent(kMasterVolume), std::vector<float>{0.4f});
}

TEST_F(SkinControlsTest, PadMenuArmsLearnForEitherAxisSelector)
{
    auto* pad = dynamic_cast<CXYPad*>(editor()->getControl(kMorphSquare));
    ASSERT_NE(pad, nullptr);
    const int x = pad->getXTarget();
    const int y = pad->getYTarget();
    const float before = value(x);
    InProcessHost::requests().clear();
    rightClickChoosing(kMorphSquare, CXYPad::kLearnY);
    EXPECT_EQ(plugin->getEngine()->getMidiLearnIndex(), kMorphYParam);
    // Closing the menu tells the editor, which sends both targets' values on to the host.
    const std::vector<HostCall> sent = InProcessHost::calls(audioMasterAutomate);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].index, x);
    EXPECT_FLOAT_EQ(sent[0].opt, before);
    EXPECT_EQ(sent[1].index, y);
    EXPECT_FLOAT_EQ(sent[1].opt, value(y));
    rightClickChoosing(kMorphSquare, CXYPad::kLearnX);
    EXPECT_EQ(plugin->getEngine()->getMidiLearnIndex(), kMorphXParam);
    EXPECT_FLOAT_EQ(value(x), before) << "the menu moves nothing";
}

TEST_F(SkinControlsTest, PadWithOneTargetOnBothAxesLeavesItAtTheYValue)
{
    plugin->setParameter(kMorphXParam, 0.01f);
    plugin->setParameter(kMorphYParam, 0.01f);
    auto* pad = dynamic_cast<CXYPad*>(editor()->getControl(kMorphSquare));
    const int target = kTargetList[1].parameter;
    ASSERT_EQ(pad->getXTarget(), target);
    ASSERT_EQ(pad->getYTarget(), target);
    const CRect r = pad->getFrameRect();
    const CRect inner = pad->getInnerRect();
    window()->click(r.left + 20, r.top + 30);
    idle();
    EXPECT_NEAR(value(target), 1.0f - 26.0f / float(inner.height()), 1e-6f) << "the Y write comes second";

    // The line colour over the pad's ground: all ground at alpha 0, all line at 255, each × 255 / 256.
    const CColor line{200, 100, 50, 0};
    const CColor ground{16, 19, 23, 255};
    CColor clear = CXYPad::blendedLineColor(line, ground);
    EXPECT_EQ((std::vector<int>{clear.red, clear.green, clear.blue}), (std::vector<int>{15, 18, 22}));
    CColor solid = CXYPad::blendedLineColor(CColor{200, 100, 50, 255}, ground);
    EXPECT_EQ((std::vector<int>{solid.red, solid.green, solid.blue}), (std::vector<int>{199, 99, 49}));
}

TEST_F(SkinControlsTest, MetersStayBlankUntilClickedAndEachClickRepaintsBoth)
{
    CLevelMeter::setShown(false);
    plugin->counting->setPeaks(1.0f, 1.0f);
    idle(200);
    CBitmap* on = editor()->getBitmap("LevelMeterOn");
    CBitmap* off = editor()->getBitmap("LevelMeterOff");
    auto bottomPixels = [&] {
        std::vector<uint32_t> pixels;
        for (int index : {kLevelMeterL, kLevelMeterR}) {
            CRect r = editor()->getControl(index)->getFrameRect();
            pixels.push_back(window()->screen().pixel(r.left + 2, r.bottom - 2));
        }
        return pixels;
    };
    const uint32_t unlit = off->getPixels().pixel(2, off->getHeight() - 2);
    const uint32_t lit = on->getPixels().pixel(2, on->getHeight() - 2);
    ASSERT_NE(unlit, lit);
    EXPECT_EQ(bottomPixels(), (std::vector<uint32_t>{unlit, unlit}));

    CPoint at = centreOf(kLevelMeterR);
    window()->click(at.h, at.v);
    idle();
    EXPECT_EQ(bottomPixels(), (std::vector<uint32_t>{lit, lit}));
    window()->click(at.h, at.v);
    idle();
    EXPECT_EQ(bottomPixels(), (std::vector<uint32_t>{unlit, unlit}));
}

TEST_F(SkinControlsTest, CharactersMissingFromTheFontAdvanceSixPixels)
{
    auto* display = static_cast<CTextDisplay*>(editor()->getControl(kParamDisplay));
    const CRect r = display->getFrameRect();
    auto shown = [&](const char* text) {
        display->setText(text);
        idle();
        return window()->screen();
    };
    const PixelBuffer blank = shown("");
    // The first column the text changes, counted from the display's left edge.
    auto firstInk = [&](const char* text) {
        PixelBuffer with = shown(text);
        for (int x = r.left; x < r.right; ++x)
            for (int y = r.top; y < r.bottom; ++y)
                if (with.pixel(x, y) != blank.pixel(x, y))
                    return x - r.left;
        return -1;
    };
    const int plain = firstInk("W");
    ASSERT_GE(plain, 0);
    EXPECT_EQ(firstInk("\x7f\x7fW"), plain + 12);
    EXPECT_EQ(firstInk("\x7f"), -1) << "nothing drawn for a missing character";
}

}  // namespace
