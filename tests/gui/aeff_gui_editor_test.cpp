// The editor base over a recording host: registration, knob mode and wheel from the host, idle pacing on the
// scripted clock, redraw requests and a host close during a drag.
#include "gui/aeff_gui_editor.h"
#include "gui/c_control_listener.h"
#include "gui/c_frame.h"
#include "gui/c_knob.h"
#include "gui/platform/headless/headless_clock.h"
#include "gui/platform/headless/headless_window.h"
#include "host/test_plugin.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

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
        InProcessHost::requests().clear();
        HeadlessClock::set(1000);
        HeadlessClock::resetSlept();
        plugin = new TestPlugin(std::string(RAVENSOOT_BINARY_DIR) + "/no-data", false);
        editor = new EditorDouble(plugin);
    }
    void TearDown() override
    {
        InProcessHost::onIdle() = nullptr;
        delete plugin;  // deletes the editor it holds
    }
    static std::vector<VstInt32> gestureCalls()
    {
        std::vector<VstInt32> calls;
        for (const HostCall& call : InProcessHost::requests())
            if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterEndEdit
                || call.opcode == audioMasterAutomate)
                calls.push_back(call.opcode);
        return calls;
    }

    TestPlugin* plugin = nullptr;
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

TEST_F(EditorTest, KnobModeFromTheHostDecidesHowKnobsDrag)
{
    ASSERT_TRUE(editor->open(nullptr));
    editor->setKnobMode(kCircularMode);
    EXPECT_EQ(editor->getKnobMode(), kCircularMode);
    // Left of the knob's centre is 45 of its 270 degrees.
    editor->window()->press(10, 30).release();
    editor->idle();
    EXPECT_NEAR(plugin->getParameter(2), 45.0f / 270.0f, 1e-5f);
}

TEST_F(EditorTest, TheWheelFromTheHostStepsTheKnobUnderThePointerAsAGesture)
{
    ASSERT_TRUE(editor->open(nullptr));
    editor->window()->move(30, 30);
    editor->idle();
    EXPECT_TRUE(editor->onWheel(1.0f));
    EXPECT_FLOAT_EQ(plugin->getParameter(2), 0.1f);
    std::vector<VstInt32> expected{audioMasterBeginEdit, audioMasterAutomate, audioMasterEndEdit};
    EXPECT_EQ(gestureCalls(), expected);
    editor->window()->move(150, 80);
    editor->idle();
    EXPECT_FALSE(editor->onWheel(1.0f));
}

TEST_F(EditorTest, IdlePassesArePacedOnTheClock)
{
    editor->doIdleStuff();
    EXPECT_EQ(InProcessHost::count(audioMasterIdle), 1u);
    EXPECT_EQ(HeadlessClock::slept(), 0);
    // 10 ms later: sleeps 4 ms, the next pass is still 86 ms away, so nothing more.
    HeadlessClock::set(1010);
    editor->doIdleStuff();
    EXPECT_EQ(HeadlessClock::slept(), 4);
    EXPECT_EQ(InProcessHost::count(audioMasterIdle), 1u);
    // 60 ms after the pass: after the sleep the planned time is 36 ms away, close enough.
    HeadlessClock::set(1060);
    editor->doIdleStuff();
    EXPECT_EQ(HeadlessClock::slept(), 8);
    EXPECT_EQ(InProcessHost::count(audioMasterIdle), 2u);
    // The next is planned 100 ms after that pass, at 1164; 55 ms before it (after the sleep) is too early.
    HeadlessClock::set(1105);
    editor->doIdleStuff();
    EXPECT_EQ(InProcessHost::count(audioMasterIdle), 2u);
    EXPECT_EQ(HeadlessClock::slept(), 12);
    // On time: no sleep.
    HeadlessClock::set(1164);
    editor->doIdleStuff();
    EXPECT_EQ(InProcessHost::count(audioMasterIdle), 3u);
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
    InProcessHost::onIdle() = [&] {
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
    InProcessHost::onIdle() = [&] {
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

}  // namespace
