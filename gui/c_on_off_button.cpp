// The on/off button.
#include "gui/c_on_off_button.h"

#include "gui/c_bitmap.h"

#include <cstring>

COnOffButton::COnOffButton(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background)
    : CControl(size, listener, tag, background)
{
}

void COnOffButton::draw(CDrawContext* context)
{
    if (background != nullptr) {
        int32_t frameOffset = value == 0.0f ? 0 : background->getHeight() / 2;
        background->draw(context, size, CPoint(0, frameOffset));
    }
    setDirty(false);
}

void COnOffButton::mouse(CDrawContext* context, CPoint&, int32_t buttons)
{
    if (!mouseEnabled)
        return;
    buttons = resolveButtons(context, buttons);
    if ((buttons & kLButton) == 0)
        return;
    if (offerModifierClick(context, buttons))
        return;
    value = value == 0.0f ? 1.0f : 0.0f;
    beginEdit();
    tellListener(context);
    endEdit();
}

bool COnOffButton::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "COnOffButton") == 0) || CControl::isTypeOf(name);
}
