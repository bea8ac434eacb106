// The product editor over the default skin on the headless layer: page switch, randomize, value display,
// meters, list swallowing, selector rounding, slider travel, pad gestures, and changes from other threads.
#include "editor_fixture.h"

#include "editor/c_level_meter.h"
#include "editor/c_skin_page_buttons.h"
#include "editor/c_skin_selector.h"
#include "editor/c_skin_slider.h"
#include "editor/c_text_display.h"
#include "editor/c_xy_pad.h"
#include "gui/c_bitmap.h"
#include "gui/c_view_container.h"
#include "params/parameter_table.h"
#include "params/value_text.h"

#include <thread>

namespace {

class EffectEditorTest : public DefaultSkinTest {
protected:
    // A user gesture that leaves a control at value: what a drag's last turn tells the editor.
    void userSets(int index, float value)
    {
        CControl* control = editor()->getControl(index);
        control->setValue(value);
        editor()->valueChanged(editor()->getFrame()->getDrawContext(), control);
    }
    CViewContainer* page(int index) const { return editor()->getTables().getPageAt(index); }
};

TEST_F(EffectEditorTest, PageButtonsSwitchTheLfoPageAndTravelWithIt)
{
    auto* buttons = dynamic_cast<CSkinPageButtons*>(editor()->getControl(kLfoSelect));
    ASSERT_NE(buttons, nullptr);
    CViewContainer* main = editor()->getTables().getMainContainer();
    ASSERT_TRUE(main->isChild(page(0)));
    ASSERT_TRUE(page(0)->isChild(buttons));

    CRect second = buttons->buttonRect(1);
    CPoint origin;
    page(0)->localToFrame(origin);
    window()->click(second.left + origin.h + 3, second.top + origin.v + 3);
    idle();
    EXPECT_FLOAT_EQ(value(kLfoSelect), 0.01f);
    EXPECT_EQ(editor()->getCurrentPage(), 1);
    EXPECT_TRUE(main->isChild(page(1)));
    EXPECT_FALSE(main->isChild(page(0)));
    EXPECT_TRUE(page(1)->isChild(buttons));
    EXPECT_EQ(buttons->getSelected(), 1);

    // A value that names no page leaves the page shown; the host's 0 brings page 0 back with the buttons.
    plugin->setParameter(kLfoSelect, 0.05f);
    EXPECT_EQ(editor()->getCurrentPage(), 1);
    plugin->setParameter(kLfoSelect, 0.0f);
    EXPECT_TRUE(main->isChild(page(0)) && page(0)->isChild(buttons));
    EXPECT_FALSE(main->isChild(page(1)));

    // A later open shows the page the parameter holds, its button lit.
    plugin->setParameter(kLfoSelect, 0.01f);
    editor()->close();
    ASSERT_TRUE(open());
    EXPECT_EQ(editor()->getCurrentPage(), 1);
    EXPECT_TRUE(page(1)->isChild(editor()->getControl(kLfoSelect)));
}

TEST_F(EffectEditorTest, RandomizeRunsOnceAndSendsBothValues)
{
    plugin->setParameter(kMasterOn, 0.0f);
    plugin->received.clear();
    CPoint at = centreOf(kRandomize);
    window()->press(at.h, at.v).wait(300).release();
    idle();
    EXPECT_EQ(plugin->counting->randomizations, 1);
    std::vector<float> sent;
    for (const auto& [index, value] : plugin->received)
        if (index == kRandomize)
            sent.push_back(value);
    EXPECT_EQ(sent, (std::vector<float>{1.0f, 0.0f}));
    EXPECT_EQ(plugin->getEngine()->isBypassed(), value(kMasterOn) < 0.5f)
        << "bypass follows the master switch after randomize";
    // Every control shows the engine's new values.
    EXPECT_FLOAT_EQ(editor()->getControl(kMasterMix)->getValue(), value(kMasterMix));
}

TEST_F(EffectEditorTest, ValueDisplayReturnsToTheProgramNameAfterThreeSeconds)
{
    const std::string name = programName();
    EXPECT_EQ(display(), name);
    userSets(kMasterMix, 0.5f);
    char text[kValueTextSize];
    const Parameter* record = plugin->getEngine()->parameter(kMasterMix);
    formatValue(*record, text, sizeof text);
    EXPECT_EQ(display(), std::string(text) + " " + record->unit);
    EXPECT_NE(display().find('%'), std::string::npos);

    idle(3000);
    EXPECT_NE(display(), name) << "3.0 s is not more than 3.0 s";
    idle(1);
    EXPECT_EQ(display(), name);
    // More than three seconds after the value: a program renamed now shows its new name at the next idle.
    plugin->setProgramName(const_cast<char*>("Renamed"));
    idle(1);
    EXPECT_EQ(display(), "Renamed");

    // A program change refreshes every control and ends the user's edit: host changes then stay silent.
    userSets(kMasterMix, 0.25f);
    plugin->setProgram(3);
    EXPECT_EQ(display(), programName());
    plugin->setParameter(kMasterMix, 0.75f);
    EXPECT_EQ(display(), programName());
}

TEST_F(EffectEditorTest, MetersMoveOnlyForWholeSegmentsAndAtMostEveryTenthSecond)
{
    CControl* left = editor()->getControl(kLevelMeterL);
    CControl* right = editor()->getControl(kLevelMeterR);
    ASSERT_NE(left, nullptr);
    CLevelMeter::setShown(true);
    idle(200);
    ASSERT_FALSE(left->isDirty());

    // 0.0001 ^ 0.3676 is about 0.034: just over one segment.
    plugin->counting->setPeaks(0.00003f, 0.00003f);
    idle(200);
    EXPECT_FALSE(left->isDirty()) << "less than one segment: nothing to redraw";
    plugin->counting->setPeaks(0.0001f, 0.0f);
    idle(50);
    EXPECT_GT(left->getValue(), 0.03f);
    EXPECT_TRUE(right->getValue() == 0.0f);
    plugin->counting->setPeaks(0.5f, 0.5f);
    editor()->idle();
    EXPECT_LT(left->getValue(), 0.5f) << "the last update was less than 100 ms ago";
    idle(101);
    EXPECT_GT(left->getValue(), 0.7f);
    EXPECT_FLOAT_EQ(right->getValue(), left->getValue());
}

TEST_F(EffectEditorTest, ListSelectorsSwallowOneAndShowTheEntryTheEngineUses)
{
    InProcessHost::requests().clear();
    userSets(kMmFilterType, 1.0f);
    EXPECT_TRUE(InProcessHost::calls(audioMasterAutomate).empty());
    userSets(kMmFilterType, 0.07f);
    ASSERT_EQ(InProcessHost::calls(audioMasterAutomate).size(), 1u);

    // 0.026 from a host or a controller: the engine rounds it to type 3, and so must the selector.
    plugin->setParameter(kMmFilterType, 0.026f);
    auto* types = dynamic_cast<CSkinSelector*>(editor()->getControl(kMmFilterType));
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(types->getEntryCount(), 10);
    EXPECT_EQ(types->getIndex(), static_cast<ProductEngine*>(plugin->getEngine())->filterType());
    EXPECT_EQ(types->getEntry(types->getIndex()), "LowPass Fat");
    auto* targets = dynamic_cast<CSkinSelector*>(editor()->getControl(kLfo1Target));
    ASSERT_NE(targets, nullptr);
    EXPECT_EQ(targets->getEntryCount(), 23);
    EXPECT_EQ(targets->getEntry(0), plugin->getEngine()->parameter(kTargetList[0].parameter)->shortName);
}

TEST_F(EffectEditorTest, SliderHandleSpansTheWholeTravel)
{
    auto* slider = dynamic_cast<CSkinSlider*>(editor()->getControl(kMasterVolume));
    ASSERT_NE(slider, nullptr);
    const CRect size = slider->getViewSize();
    const int32_t handle = editor()->getBitmap("FaderHandle")->getHeight();
    slider->setValue(1.0f);
    CRect top = slider->handleRect();
    slider->setValue(0.0f);
    CRect bottom = slider->handleRect();
    // The record's y1 and y2 are the handle centre's two ends: the rectangle reaches half a handle beyond.
    EXPECT_EQ((top.top + top.bottom) / 2, size.top + handle / 2);
    EXPECT_EQ((bottom.top + bottom.bottom) / 2, size.bottom - handle / 2);
}

TEST_F(EffectEditorTest, PadDragFramesAndAutomatesItsTwoTargets)
{
    plugin->setParameter(kMorphXParam, 0.01f);
    plugin->setParameter(kMorphYParam, 0.02f);
    auto* pad = dynamic_cast<CXYPad*>(editor()->getControl(kMorphSquare));
    ASSERT_NE(pad, nullptr);
    const int x = kTargetList[1].parameter;
    const int y = kTargetList[2].parameter;
    ASSERT_EQ(pad->getXTarget(), x);
    ASSERT_EQ(pad->getYTarget(), y);

    InProcessHost::requests().clear();
    CRect r = pad->getFrameRect();
    window()->press(r.left + 20, r.top + 20).move(r.right + 50, r.bottom + 50).release();
    idle();
    EXPECT_FLOAT_EQ(value(x), 1.0f) << "pinned at the right edge";
    EXPECT_FLOAT_EQ(value(y), 0.0f) << "pinned at the bottom";
    std::vector<std::pair<VstInt32, VstInt32>> framing;
    bool automatedX = false, automatedY = false;
    for (const HostCall& call : InProcessHost::requests()) {
        if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterEndEdit)
            framing.emplace_back(call.opcode, call.index);
        automatedX |= call.opcode == audioMasterAutomate && call.index == x;
        automatedY |= call.opcode == audioMasterAutomate && call.index == y;
    }
    EXPECT_EQ(framing, (std::vector<std::pair<VstInt32, VstInt32>>{
                           {audioMasterBeginEdit, x}, {audioMasterBeginEdit, y}, {audioMasterEndEdit, x},
                           {audioMasterEndEdit, y}}));
    EXPECT_TRUE(automatedX && automatedY);
    EXPECT_FLOAT_EQ(editor()->getControl(x)->getValue(), 1.0f) << "the target's own control follows";
}

TEST_F(EffectEditorTest, ChangesFromAnotherThreadWaitForIdle)
{
    CControl* mix = editor()->getControl(kMasterMix);
    const float before = mix->getValue();
    std::thread audio([&] {
        plugin->getEngine()->setParameter(kMasterMix, 0.9f);
        plugin->flushParameterChanges();
        plugin->getEngine()->setParameter(kLfoSelect, 0.01f);
        plugin->flushParameterChanges();
    });
    audio.join();
    EXPECT_EQ(mix->getValue(), before);
    EXPECT_EQ(editor()->getCurrentPage(), 0);
    idle();
    EXPECT_FLOAT_EQ(mix->getValue(), 0.9f);
    EXPECT_EQ(editor()->getCurrentPage(), 1);
}

class SkinGapTest : public EditorTest {};

TEST_F(SkinGapTest, MissingHookControlsLeaveTheirFeaturesOut)
{
    // A tiny pad and the hooks' parameters bound to other types: every reaction must simply skip them.
    writeSkin("BITMAPS Background Pad XYCursor ----- FONTS ----- PARAMETERS ----- PAGES ---- ---- ---- ---- "
              "CONTROLS MorphSquare MorphSquare Pad Main 50 50 0 0 "
              "LfoSelect OnButton XYCursor Main 10 10 0 0 "
              "MmFilterType Knob XYCursor Main 20 10 0 0 -----",
              {{"Background", {100, 100}}, {"Pad", {6, 6}}, {"XYCursor", {9, 9}}});
    ASSERT_TRUE(open());
    auto* pad = dynamic_cast<CXYPad*>(editor()->getControl(kMorphSquare));
    ASSERT_NE(pad, nullptr);
    EXPECT_EQ(pad->getXTarget(), CXYPad::kNoTarget) << "no morph selectors: no targets, not parameter 0";
    plugin->setParameter(kLfoSelect, 0.01f);
    plugin->setParameter(kMmFilterType, 0.05f);
    plugin->setParameter(kMorphSquare, 0.5f);
    idle(4000);
    editor()->updateAllControls();
    CRect r = pad->getFrameRect();
    window()->press(r.left + 1, r.top + 1).move(r.left + 3, r.top + 3).release();
    idle();
    EXPECT_FLOAT_EQ(value(kBpFilterOn), 0.0f);
    editor()->close();
}

}  // namespace
