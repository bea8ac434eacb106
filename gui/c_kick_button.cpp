// The kick button.
#include "gui/c_kick_button.h"

#include "gui/c_bitmap.h"
#include "gui/c_draw_context.h"
#include "gui/c_frame.h"

#include <cstring>

CKickButton::CKickButton(const CRect& size, CControlListener* listener, int32_t tag, int32_t heightOfOneImage,
                         CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background), heightOfOneImage(heightOfOneImage), offset(offset)
{
}

void CKickButton::draw(CDrawContext* context)
{
    if (background != nullptr) {
        int32_t frameOffset = value == 0.0f ? 0 : heightOfOneImage;
        background->draw(context, size, CPoint(offset.h, offset.v + frameOffset));
    }
    setDirty(false);
}

void CKickButton::mouse(CDrawContext* context, CPoint& where, int32_t buttons)
{
    if (!mouseEnabled)
        return;
    buttons = resolveButtons(context, buttons);
    if ((buttons & kLButton) == 0)
        return;
    float before = value;
    beginEdit();
    {
        CFrame::ModalLoop loop(frame);
        CPoint at = where;
        float reported = before;
        for (int32_t now = buttons; (now & kLButton) != 0;) {
            value = size.pointInside(at) ? 1.0f : before;
            if (value != reported) {
                reported = value;
                tellListener(context);
            }
            if (frame != nullptr) {
                frame->paintDirtyViews();
                frame->doIdleStuff();
            }
            now = context->getMouseButtons();
            context->getMouseLocation(at);
        }
        value = 0.0f;
        tellListener(context);
    }
    endEdit();
}

bool CKickButton::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CKickButton") == 0) || CControl::isTypeOf(name);
}
