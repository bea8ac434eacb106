// A frame on the headless layer with an editor stand-in and a listener that record what the controls do.
#pragma once

#include "gui/c_bitmap.h"
#include "gui/c_control.h"
#include "gui/c_control_listener.h"
#include "gui/c_frame.h"
#include "gui/frame_owner.h"
#include "gui/platform/headless/headless_clock.h"
#include "gui/platform/headless/headless_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct RecordingOwner : FrameOwner {
    int knobMode = kLinearMode;
    int idlePasses = 0;
    CFrame* frame = nullptr;
    std::vector<std::string>* log = nullptr;

    int getKnobMode() const override { return knobMode; }
    void beginEdit(int index) override { log->push_back("begin " + std::to_string(index)); }
    void endEdit(int index) override { log->push_back("end " + std::to_string(index)); }
    void doIdleStuff() override
    {
        idlePasses++;
        if (frame != nullptr)
            frame->idle();
    }
};

struct RecordingListener : CControlListener {
    std::vector<float> values;
    std::vector<std::string>* log = nullptr;
    int32_t modifierClicks = 0;
    int32_t consumeModifierClicks = 0;

    void valueChanged(CDrawContext*, CControl* control) override
    {
        values.push_back(control->getValue());
        log->push_back("value");
    }
    int32_t controlModifierClicked(CDrawContext*, CControl*, int32_t) override
    {
        modifierClicks++;
        return consumeModifierClicks;
    }
};

class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner.log = &log;
        listener.log = &log;
        frame = new CFrame(CRect(0, 0, 400, 300), nullptr, &owner);
        owner.frame = frame;
        ASSERT_TRUE(frame->open());
        window = HeadlessWindow::of(frame);
        ASSERT_NE(window, nullptr);
        frame->idle();
    }
    void TearDown() override { frame->dropReference(); }

    template <typename View>
    View* add(View* view)
    {
        frame->addView(view);
        return view;
    }
    // Lets the frame take the script: presses go to views, whose loops and menus take what follows.
    void run() { frame->idle(); }

    // A picture of two frames stacked: upper in one colour, lower in another.
    static CBitmap* twoFrames(int32_t width, int32_t frameHeight, CColor upper, CColor lower)
    {
        auto* bitmap = new CBitmap(width, frameHeight * 2);
        PixelBuffer& pixels = bitmap->getPixels();
        pixels.fill(CRect(0, 0, width, frameHeight), PixelBuffer::opaque(upper), pixels.bounds());
        pixels.fill(CRect(0, frameHeight, width, frameHeight * 2), PixelBuffer::opaque(lower), pixels.bounds());
        return bitmap;
    }

    std::vector<std::string> log;
    RecordingOwner owner;
    RecordingListener listener;
    CFrame* frame = nullptr;
    HeadlessWindow* window = nullptr;
};
