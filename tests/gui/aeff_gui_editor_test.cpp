// The editor base through a plug-in double whose host callback records what reaches the host: registration,
// gestures, idle pacing on the scripted clock, redraw requests and a host close during a drag.
#include "gui/aeff_gui_editor.h"
#include "gui/c_control_listener.h"
#include "gui/c_frame.h"
#include "gui/c_knob.h"
#include "gui/platform/headless/headless_clock.h"
#include "gui/platform/headless/headless_window.h"
#include "host/audio_effect_x.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

std::vector<std::pair<VstInt32, VstInt32>> hostCalls;
std::function<void()> onHostIdle;

VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float)
{
    hostCalls.emplace_back(opcode, index);
    if (opcode == audioMasterIdle && onHostIdle)
        onHostIdle();
    return opcode == audioMasterVersion ? 2400 : 0;
}

class PluginDouble : public AudioEffectX {
public:
    PluginDouble() : AudioEffectX(&recordingHost, 1, 8) {}
    void setParameter(VstInt32 index, float value) override
    {
        if (index >= 0 && index < 8)
            values[index] = value;
    }
    float getParameter(VstInt32 index) override { return index >= 0 && index < 8 ? values[index] : 0.0f; }
    float values[8] = {};
};

// What a product editor does in open and close, in the smallest form: one knob on parameter 2.
class EditorDouble : public AEffGUIEditor, public CControlListener {
public:
    explicit EditorDouble(AudioEffect* effect) : AEffGUIEditor(effect) { rect = ERect{0, 0, 100, 200}; }
    bool open(void* parent) override
    {
        AEffGUIEditor::open(parent);
        frame = new CFrame(CRect(0, 0, 200, 100), parent, this);
        if (!frame->open()) {
            frame->dropReference();
            frame = nullptr;
            return false;
        }
        knob = new CKnob(CRect(10, 10, 50, 50), this, 2, nullptr, nullptr);
        frame->addView(knob);
        return true;
    }
    void close() override
    {
        if (deferCloseWhileBusy())
            return;
        if (frame != nullptr)
            closes++;
        knob = nullptr;
        AEffGUIEditor::close();
    }
    void valueChanged(CDrawContext*, CControl* control) override
    {
        effect->setParameterAutomated(control->getTag(), control->getValue());
    }
    HeadlessWindow* window() const { return HeadlessWindow::of(frame); }

    CKnob* knob = nullptr;
    int closes = 0;
};

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        hostCalls.clear();
        onHostIdle = nullptr;
        HeadlessClock::set(1000);
        HeadlessClock::resetSlept();
        plugin = new PluginDouble();
        editor = new EditorDouble(plugin);
    }
    void TearDown() override
    {
        onHostIdle = nullptr;
        delete plugin;  // deletes the editor it holds
    }
    int count(VstInt32 opcode) const
    {
        int n = 0;
        for (const auto& call : hostCalls)
            n += call.first == opcode;
        return n;
    }
    std::vector<VstInt32> gestureCalls() const
    {
        std::vector<VstInt32> calls;
        for (const auto& call : hostCalls)
            if (call.first == audioMasterBeginEdit || call.first == audioMasterEndEdit
                || call.first == audioMasterAutomate)
                calls.push_back(call.first);
        return calls;
    }

    PluginDouble* plugin = nullptr;
    EditorDouble* editor = nullptr;
};

TEST_F(EditorTest, RegistersWithThePluginAndUnregistersWhenDestroyed)
{
    EXPECT_EQ(plugin->getEditor(), editor);
    EXPECT_TRUE(plugin->getAeffect()->flags & effFlagsHasEditor);
    ERect* rect = nullptr;
    EXPECT_TRUE(editor->getRect(&rect));
    EXPECT_EQ(rect->right, 200);
    EXPECT_EQ(editor->getConstructionTicks(), 1000);
    delete editor;
    EXPECT_EQ(plugin->getEditor(), nullptr);
    EXPECT_FALSE(plugin->getAeffect()->flags & effFlagsHasEditor);
}

TEST_F(EditorTest, ADragReachesTheHostAsOneGestureWithItsAutomation)
{
    int parent = 0;
    ASSERT_TRUE(editor->open(&parent));
    editor->setKnobMode(kLinearMode);
    editor->window()->press(30, 30).move(30, -20).move(30, -70).release();
    editor->idle();
    EXPECT_FLOAT_EQ(plugin->values[2], 0.5f);
    std::vector<VstInt32> expected{audioMasterBeginEdit, audioMasterAutomate, audioMasterAutomate, audioMasterEndEdit};
    EXPECT_EQ(gestureCalls(), expected);
    for (const auto& call : hostCalls) {
        if (call.first != audioMasterIdle) {
            EXPECT_EQ(call.second, 2);
        }
    }
    // The loop ran the paced idle pass, which asked the host to idle.
    EXPECT_GE(count(audioMasterIdle), 1);
}

TEST_F(EditorTest, KnobModeFromTheHostDecidesHowKnobsDrag)
{
    ASSERT_TRUE(editor->open(nullptr));
    editor->setKnobMode(kCircularMode);
    EXPECT_EQ(editor->getKnobMode(), kCircularMode);
    // Left of the knob's centre is 45 of its 270 degrees.
    editor->window()->press(10, 30).release();
    editor->idle();
    EXPECT_NEAR(plugin->values[2], 45.0f / 270.0f, 1e-5f);
}

TEST_F(EditorTest, TheWheelFromTheHostStepsTheKnobUnderThePointerAsAGesture)
{
    ASSERT_TRUE(editor->open(nullptr));
    editor->window()->move(30, 30);
    editor->idle();
    EXPECT_TRUE(editor->onWheel(1.0f));
    EXPECT_FLOAT_EQ(plugin->values[2], 0.1f);
    std::vector<VstInt32> expected{audioMasterBeginEdit, audioMasterAutomate, audioMasterEndEdit};
    EXPECT_EQ(gestureCalls(), expected);
    editor->window()->move(150, 80);
    editor->idle();
    EXPECT_FALSE(editor->onWheel(1.0f));
}

TEST_F(EditorTest, IdlePassesArePacedOnTheClock)
{
    editor->doIdleStuff();
    EXPECT_EQ(count(audioMasterIdle), 1);
    EXPECT_EQ(HeadlessClock::slept(), 0);
    // 10 ms later: sleeps 4 ms, the next pass is still 86 ms away, so nothing more.
    HeadlessClock::set(1010);
    editor->doIdleStuff();
    EXPECT_EQ(HeadlessClock::slept(), 4);
    EXPECT_EQ(count(audioMasterIdle), 1);
    // 60 ms after the pass: after the sleep the planned time is 36 ms away, close enough.
    HeadlessClock::set(1060);
    editor->doIdleStuff();
    EXPECT_EQ(HeadlessClock::slept(), 8);
    EXPECT_EQ(count(audioMasterIdle), 2);
    // The next is planned 100 ms after that pass, at 1164; 55 ms before it (after the sleep) is too early.
    HeadlessClock::set(1105);
    editor->doIdleStuff();
    EXPECT_EQ(count(audioMasterIdle), 2);
    EXPECT_EQ(HeadlessClock::slept(), 12);
    // On time: no sleep.
    HeadlessClock::set(1164);
    editor->doIdleStuff();
    EXPECT_EQ(count(audioMasterIdle), 3);
    EXPECT_EQ(HeadlessClock::slept(), 12);
}

TEST_F(EditorTest, PostUpdateRedrawsEverythingAtTheNextIdleAndIdleWaitsWhileAPassRuns)
{
    ASSERT_TRUE(editor->open(nullptr));
    editor->idle();
    HeadlessWindow* window = editor->window();
    int presents = window->presentCount();
    editor->idle();
    EXPECT_EQ(window->presentCount(), presents);
    editor->postUpdate();
    editor->idle();
    EXPECT_EQ(window->presentCount(), presents + 1);
    EXPECT_EQ(window->lastPresentedArea(), CRect(0, 0, 200, 100));

    // A host that answers our idle request with an editor idle: nothing is drawn from inside the pass.
    int presentsInside = -1;
    onHostIdle = [&] {
        editor->postUpdate();
        int before = window->presentCount();
        editor->idle();
        presentsInside = window->presentCount() - before;
    };
    HeadlessClock::advance(500);
    editor->doIdleStuff();
    EXPECT_EQ(presentsInside, 0);
}

TEST_F(EditorTest, AHostCloseDuringADragWaitsUntilTheLoopHasUnwound)
{
    ASSERT_TRUE(editor->open(nullptr));
    editor->setKnobMode(kLinearMode);
    bool frameAliveWhenAsked = false;
    onHostIdle = [&] {
        if (editor->closes == 0 && !editor->isClosePending()) {
            editor->close();
            frameAliveWhenAsked = editor->getFrame() != nullptr;
        }
    };
    editor->window()->press(30, 30).move(30, 20).move(30, 10).move(30, 0).release();
    editor->idle();
    EXPECT_TRUE(frameAliveWhenAsked);
    EXPECT_EQ(editor->closes, 1);
    EXPECT_EQ(editor->getFrame(), nullptr);
    EXPECT_FALSE(editor->isClosePending());
    // The gesture was still closed for the host.
    std::vector<VstInt32> calls = gestureCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), audioMasterBeginEdit);
    EXPECT_EQ(calls.back(), audioMasterEndEdit);

    // Calls in the wrong state are refused quietly.
    editor->idle();
    editor->close();
    editor->postUpdate();
    editor->draw(nullptr);
    EXPECT_FALSE(editor->onWheel(1.0f));
    EXPECT_EQ(editor->closes, 1);
    // And the editor opens again afterwards.
    EXPECT_TRUE(editor->open(nullptr));
    EXPECT_NE(editor->getFrame(), nullptr);
}

TEST_F(EditorTest, KeysAreLeftToTheHostAndAnswerMinusOneWithoutAWindow)
{
    VstKeyCode key{'a', 0, 0};
    EXPECT_EQ(editor->onKeyDown(key), -1) << "no window yet";
    EXPECT_EQ(editor->onKeyUp(key), -1);
    ASSERT_TRUE(editor->open(nullptr));
    EXPECT_EQ(editor->onKeyDown(key), 0);
    EXPECT_EQ(editor->onKeyUp(key), 0);
    editor->close();
    EXPECT_EQ(editor->onKeyDown(key), -1);
}

}  // namespace
