// The control base: value bookkeeping, the default-value click, begin/end edit.
#include "gui/c_control.h"

#include "gui/c_control_listener.h"
#include "gui/c_draw_context.h"
#include "gui/c_frame.h"
#include "gui/platform/platform_time.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Quicker double-click settings make a slow second click count as two single ones.
constexpr int32_t kMinDoubleClickMs = 250;

}  // namespace

CControl::CControl(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background)
    : CView(size), listener(listener), tag(tag), doubleClickDelay(std::max(PlatformTime::doubleClickMs(), kMinDoubleClickMs))
{
    if (background != nullptr)
        setBackground(background);
}

void CControl::bounceValue()
{
    if (std::isnan(value))
        value = vmin;
    if (value > vmax)
        value = vmax;
    else if (value < vmin)
        value = vmin;
}

bool CControl::isDirty() const
{
    return dirty || value != oldValue;
}

void CControl::setDirty(bool state)
{
    dirty = state;
    if (!state)
        oldValue = value;
}

void CControl::beginEdit()
{
    if (frame != nullptr)
        frame->beginEdit(tag);
}

void CControl::endEdit()
{
    if (frame != nullptr)
        frame->endEdit(tag);
}

bool CControl::checkDefaultValue(CDrawContext* context, int32_t buttons)
{
    if (buttons != (kLButton | kControl))
        return false;
    setValueAsGesture(context, defaultValue);
    return true;
}

bool CControl::offerModifierClick(CDrawContext* context, int32_t buttons)
{
    if (listener == nullptr || (buttons & kModifierMask) == 0)
        return false;
    return listener->controlModifierClicked(context, this, buttons) != 0;
}

bool CControl::isDoubleClick()
{
    int64_t now = PlatformTime::nowMs();
    bool isDouble = lastClickTime >= 0 && now - lastClickTime <= doubleClickDelay;
    lastClickTime = isDouble ? -1 : now;
    return isDouble;
}

int32_t CControl::resolveButtons(CDrawContext* context, int32_t buttons) const
{
    if (buttons != kReadCurrentButtons)
        return buttons;
    return context != nullptr ? context->getMouseButtons() : 0;
}

void CControl::tellListener(CDrawContext* context)
{
    if (listener != nullptr)
        listener->valueChanged(context, this);
}

void CControl::finishDragTurn(CDrawContext* context)
{
    if (isDirty())
        tellListener(context);
    if (frame != nullptr) {
        frame->paintDirtyViews();
        frame->doIdleStuff();
    }
}

void CControl::dragLinearly(CDrawContext* context, const CPoint& where, int32_t buttons, DragDirection direction,
                            float pixels, float zoom)
{
    const float range = vmax - vmin;
    auto stepFor = [&](int32_t state) {
        if (!(pixels > 0.0f))
            return 0.0f;
        return (state & kShift) != 0 ? range / (pixels * zoom) : range / pixels;
    };
    auto travel = [&](const CPoint& at) {
        int64_t up = int64_t(where.v) - at.v;
        if (direction == DragDirection::kUp)
            return float(up);
        if (direction == DragDirection::kDown)
            return float(-up);
        return float(int64_t(at.h) - where.h + up);
    };
    float step = stepFor(buttons);
    float base = value;
    int32_t shiftState = buttons & kShift;
    CPoint last = where;
    for (int32_t now = context->getMouseButtons(); (now & kLButton) != 0; now = context->getMouseButtons()) {
        CPoint at;
        context->getMouseLocation(at);
        if (at != last || (now & kShift) != shiftState) {
            last = at;
            float d = travel(at);
            if ((now & kShift) != shiftState) {
                float newStep = stepFor(now);
                base = base + (step - newStep) * d;
                step = newStep;
                shiftState = now & kShift;
            }
            value = base + d * step;
            bounceValue();
        }
        finishDragTurn(context);
    }
}

void CControl::setValueAsGesture(CDrawContext* context, float newValue)
{
    beginEdit();
    float before = value;
    value = newValue;
    bounceValue();
    if (value != before)
        tellListener(context);
    endEdit();
}

void CControl::reportAfterMenu(CDrawContext* context)
{
    if (frame != nullptr)
        frame->doIdleStuff();
    setDirty(true);
    tellListener(context);
}

bool CControl::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CControl") == 0) || CView::isTypeOf(name);
}
