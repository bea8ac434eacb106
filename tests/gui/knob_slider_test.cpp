// Knob and slider drags, wheel steps and the knob's angle mapping, driven by scripted input. (The fine drag
// with Shift and the circular drag are checked on the skin's knob, which shares the toolkit knob's loops.)
#include "gui/c_anim_knob.h"
#include "gui/c_knob.h"
#include "gui/c_on_off_button.h"
#include "gui/c_slider.h"
#include "toolkit_fixture.h"

namespace {

// The knob sits at (100, 100)-(140, 140): centre (120, 120).
class KnobTest : public ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        knob = add(new CKnob(CRect(100, 100, 140, 140), &listener, 3, nullptr, nullptr));
    }
    CKnob* knob = nullptr;
};

TEST_F(KnobTest, LinearDragCrossesTheRangeIn200PixelsUpAndIsClamped)
{
    window->press(120, 120).move(120, 70).move(120, 20).release();
    run();
    EXPECT_FLOAT_EQ(knob->getValue(), 0.5f);
    EXPECT_EQ(listener.values, (std::vector<float>{0.25f, 0.5f}));
    EXPECT_EQ(log.front(), "begin 3");
    EXPECT_EQ(log.back(), "end 3");

    knob->setValue(0.0f);
    window->press(120, 120).move(120, -80).move(120, -300).release();
    run();
    EXPECT_EQ(knob->getValue(), 1.0f);
    // Down again from the press point goes back below the start and stops at the minimum.
    window->press(120, 120).move(120, 220).move(120, 400).release();
    run();
    EXPECT_EQ(knob->getValue(), 0.0f);
    // Sideways movement does not turn the toolkit knob.
    window->press(120, 120).move(400, 120).release();
    run();
    EXPECT_EQ(knob->getValue(), 0.0f);
}

TEST_F(KnobTest, AltSwapsLinearAndCircular)
{
    window->modifiers(kAlt).press(100, 120).release().modifiers(0);
    run();
    EXPECT_NEAR(knob->getValue(), 45.0f / 270.0f, 1e-5f);

    owner.knobMode = kCircularMode;
    knob->setValue(0.0f);
    window->modifiers(kAlt).press(100, 120).move(100, 20).release().modifiers(0);
    run();
    EXPECT_FLOAT_EQ(knob->getValue(), 0.5f);
}

TEST_F(KnobTest, AngleMappingPutsTheDeadZoneEndsAtTheNearerLimit)
{
    EXPECT_NEAR(knob->valueFromPoint(CPoint(106, 134)), 0.0f, 1e-6f);
    EXPECT_NEAR(knob->valueFromPoint(CPoint(134, 134)), 1.0f, 1e-6f);
    EXPECT_EQ(knob->valueFromPoint(CPoint(119, 140)), 0.0f);
    EXPECT_EQ(knob->valueFromPoint(CPoint(121, 140)), 1.0f);
    knob->setValue(0.5f);
    EXPECT_EQ(knob->pointFromValue().h, 120);
    EXPECT_LT(knob->pointFromValue().v, 120);
}

TEST_F(KnobTest, WheelStepsByTheIncrementInsideAGestureAndOtherControlsIgnoreIt)
{
    auto* button = add(new COnOffButton(CRect(10, 10, 30, 30), &listener, 7, nullptr));
    window->wheel(120, 120, 2.0f).wheel(20, 20, 1.0f);
    run();
    EXPECT_FLOAT_EQ(knob->getValue(), 0.2f);
    EXPECT_EQ(button->getValue(), 0.0f);
    EXPECT_EQ(log, (std::vector<std::string>{"begin 3", "value", "end 3"}));
    knob->setWheelInc(0.5f);
    window->wheel(120, 120, 5.0f);
    run();
    EXPECT_EQ(knob->getValue(), 1.0f);
    window->move(120, 120);
    run();
    EXPECT_TRUE(frame->onWheel(-1.0f));
    EXPECT_FLOAT_EQ(knob->getValue(), 0.5f);
}

// The slider: (200, 50)-(220, 150), a 10 × 8 handle at x + 5, travel 100 so the handle's top spans 92 px.
class SliderTest : public ToolkitTest {
protected:
    CSlider* makeSlider(int32_t style)
    {
        CBitmap* handle = twoFrames(10, 4, CColor{255, 255, 255, 255}, CColor{255, 255, 255, 255});
        auto* slider = add(new CSlider(CRect(200, 50, 220, 150), &listener, 12, CPoint(5, 0), 100, handle, nullptr,
                                       CPoint(), style));
        handle->dropReference();
        return slider;
    }
};

TEST_F(SliderTest, CountsFromTheBottomAndDragsUpToRaiseTheValue)
{
    CSlider* slider = makeSlider(0);
    EXPECT_TRUE(slider->getStyle() & CSlider::kVertical);
    EXPECT_EQ(slider->handleRect(), CRect(205, 142, 215, 150));
    slider->setValue(1.0f);
    EXPECT_EQ(slider->handleRect(), CRect(205, 50, 215, 58));
    slider->setValue(0.0f);
    run();
    EXPECT_EQ(window->screen().pixel(210, 146), PixelBuffer::pack(255, 255, 255, 255));

    // Grabbing the handle does not move it; 46 px up is half the travel.
    window->press(210, 146).move(210, 100).release();
    run();
    EXPECT_FLOAT_EQ(slider->getValue(), 0.5f);
    EXPECT_EQ(log.front(), "begin 12");
    EXPECT_EQ(log.back(), "end 12");
    EXPECT_EQ(window->screen().pixel(210, 100), PixelBuffer::pack(255, 255, 255, 255));

    // Shift: ten times finer.
    window->modifiers(kShift).press(210, 100).move(210, 8).release().modifiers(0);
    run();
    EXPECT_FLOAT_EQ(slider->getValue(), 0.6f);
}

TEST_F(SliderTest, APressOffTheHandleBringsItsCentreToThePointerAndTopStylesCountFromTheTop)
{
    CSlider* slider = makeSlider(0);
    window->press(210, 96).release();
    run();
    EXPECT_FLOAT_EQ(slider->getValue(), 1.0f - 42.0f / 92.0f);
    EXPECT_EQ(slider->handleRect().top + 4, 96);

    CSlider* fromTop = makeSlider(CSlider::kTop);
    EXPECT_EQ(fromTop->handleRect().top, 50);
    window->press(210, 54).move(210, 100).release();
    run();
    EXPECT_FLOAT_EQ(fromTop->getValue(), 0.5f);
}

TEST_F(SliderTest, WheelStepsAndLimits)
{
    CSlider* slider = makeSlider(0);
    window->wheel(210, 100, 3.0f).wheel(210, 100, 20.0f);
    run();
    EXPECT_EQ(slider->getValue(), 1.0f);
    EXPECT_EQ(listener.values.size(), 2u);
    EXPECT_FLOAT_EQ(listener.values[0], 0.3f);
}

}  // namespace
