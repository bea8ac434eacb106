// On/off and kick buttons, the default-value click and modifier clicks, driven by scripted input.
#include "gui/c_draw_context.h"
#include "gui/c_kick_button.h"
#include "gui/c_knob.h"
#include "gui/c_on_off_button.h"
#include "toolkit_fixture.h"

namespace {

using Log = std::vector<std::string>;

TEST_F(ToolkitTest, OnOffButtonFlipsOnEachLeftClickAsOneGesture)
{
    CBitmap* strip = twoFrames(20, 20, CColor{40, 40, 40, 255}, CColor{250, 200, 0, 255});
    auto* button = add(new COnOffButton(CRect(10, 10, 30, 30), &listener, 7, strip));
    strip->dropReference();
    run();
    EXPECT_EQ(window->screen().pixel(15, 15), PixelBuffer::pack(40, 40, 40, 255));

    window->click(15, 15);
    run();
    EXPECT_EQ(button->getValue(), 1.0f);
    EXPECT_EQ(log, (Log{"begin 7", "value", "end 7"}));
    EXPECT_EQ(window->screen().pixel(15, 15), PixelBuffer::pack(250, 200, 0, 255));

    window->click(15, 15).click(15, 15, kRButton).click(15, 15, kMButton);
    run();
    EXPECT_EQ(button->getValue(), 0.0f);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
}

TEST_F(ToolkitTest, ModifierClicksGoToTheListenerFirstWhichMayConsumeThem)
{
    auto* button = add(new COnOffButton(CRect(10, 10, 30, 30), &listener, 7, nullptr));
    listener.consumeModifierClicks = 1;
    window->modifiers(kShift).click(15, 15).modifiers(0);
    run();
    EXPECT_EQ(listener.modifierClicks, 1);
    EXPECT_EQ(button->getValue(), 0.0f);
    EXPECT_TRUE(log.empty());

    listener.consumeModifierClicks = 0;
    window->modifiers(kShift).click(15, 15).modifiers(0);
    run();
    EXPECT_EQ(listener.modifierClicks, 2);
    EXPECT_EQ(button->getValue(), 1.0f);
}

TEST_F(ToolkitTest, KickButtonIsOneOnlyWhilePressedInsideAndEndsAtZero)
{
    auto* kick = add(new CKickButton(CRect(50, 50, 80, 70), &listener, 55, 20, nullptr));
    window->press(60, 60).move(150, 150).move(151, 150).move(61, 61).release();
    run();
    EXPECT_EQ(kick->getValue(), 0.0f);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f, 1.0f, 0.0f}));
    EXPECT_EQ(log.front(), "begin 55");
    EXPECT_EQ(log.back(), "end 55");
}

TEST_F(ToolkitTest, ControlClickAloneSetsTheDefaultValueInsideOneGesture)
{
    auto* knob = add(new CKnob(CRect(100, 100, 140, 140), &listener, 3, nullptr, nullptr));
    knob->setValue(0.9f);
    knob->setDefaultValue(0.25f);
    window->modifiers(kControl).click(120, 120).modifiers(0);
    run();
    EXPECT_EQ(knob->getValue(), 0.25f);
    EXPECT_EQ(log, (Log{"begin 3", "value", "end 3"}));
    EXPECT_EQ(listener.modifierClicks, 1);

    // Already at the default: still handled as a gesture, but nothing to report.
    log.clear();
    window->modifiers(kControl).click(120, 120).modifiers(0);
    run();
    EXPECT_EQ(log, (Log{"begin 3", "end 3"}));

    // Control with Shift is not the default-value click: an ordinary (motionless) drag.
    knob->setValue(0.9f);
    window->modifiers(kControl | kShift).click(120, 120).modifiers(0);
    run();
    EXPECT_FLOAT_EQ(knob->getValue(), 0.9f);
}

TEST_F(ToolkitTest, TypeQueriesAnswerTheClassAndItsBases)
{
    CKickButton kick(CRect(), nullptr, 0, 1, nullptr);
    EXPECT_TRUE(kick.isTypeOf("CKickButton"));
    EXPECT_TRUE(kick.isTypeOf("CControl"));
    EXPECT_TRUE(kick.isTypeOf("CView"));
    EXPECT_FALSE(kick.isTypeOf("COnOffButton"));
    EXPECT_FALSE(kick.isTypeOf(nullptr));
    EXPECT_TRUE(frame->isTypeOf("CFrame"));
    EXPECT_TRUE(frame->isTypeOf("CViewContainer"));
    EXPECT_STREQ(frame->getClassName(), "CFrame");
}

}  // namespace

namespace {

TEST_F(ToolkitTest, ASecondPressWithinTheDoubleClickTimeCountsAsADoubleClick)
{
    HeadlessClock::setDoubleClickMs(400);
    CDrawContext* context = frame->getDrawContext();
    // Each poll takes a millisecond of the scripted clock: the second press comes 30 ms later.
    window->release().wait(30).press(5, 5).release();
    EXPECT_TRUE(context->waitDoubleClick());
    window->release().wait(500).press(5, 5).release();
    EXPECT_FALSE(context->waitDoubleClick());

    CKnob knob(CRect(), nullptr, 0, nullptr, nullptr);
    EXPECT_EQ(knob.getDoubleClickDelay(), 400);
    HeadlessClock::setDoubleClickMs(100);
    EXPECT_EQ(CKnob(CRect(), nullptr, 0, nullptr, nullptr).getDoubleClickDelay(), 250);
    HeadlessClock::setDoubleClickMs(400);
    EXPECT_FALSE(knob.isDoubleClick());
    HeadlessClock::advance(399);
    EXPECT_TRUE(knob.isDoubleClick());
    HeadlessClock::advance(10);
    EXPECT_FALSE(knob.isDoubleClick());
}

}  // namespace
