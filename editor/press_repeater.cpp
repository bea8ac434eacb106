// The repeat loop of held arrows.
#include "editor/press_repeater.h"

#include "gui/button_state.h"
#include "gui/c_draw_context.h"
#include "gui/c_frame.h"
#include "gui/platform/platform_time.h"

void PressRepeater::run(CFrame* frame, CDrawContext* context, const std::function<void()>& step)
{
    CFrame::ModalLoop loop(frame);
    auto stepAndShow = [&] {
        step();
        if (frame != nullptr)
            frame->paintDirtyViews();
    };
    stepAndShow();
    int64_t last = PlatformTime::nowMs();
    while (context != nullptr && (context->getMouseButtons() & kButtonMask) != 0) {
        int64_t now = PlatformTime::nowMs();
        if (now - last > kRepeatMs) {
            last = now;
            stepAndShow();
        }
        if (frame != nullptr)
            frame->doIdleStuff();
    }
}
