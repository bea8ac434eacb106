// The vertical slider.
#include "gui/c_slider.h"

#include "gui/c_bitmap.h"
#include "gui/c_draw_context.h"
#include "gui/c_frame.h"

#include <cmath>
#include <cstring>

CSlider::CSlider(const CRect& size, CControlListener* listener, int32_t tag, const CPoint& offsetHandle,
                 int32_t travel, CBitmap* handle, CBitmap* background, const CPoint& offset, int32_t style)
    : CControl(size, listener, tag, background),
      handle(handle),
      offsetHandle(offsetHandle),
      travel(travel),
      offset(offset),
      style(style | kVertical)
{
    if (handle != nullptr)
        handle->addReference();
}

CSlider::~CSlider()
{
    if (handle != nullptr)
        handle->dropReference();
}

int32_t CSlider::span() const
{
    int32_t handleHeight = handle != nullptr ? handle->getHeight() : 0;
    int64_t free = int64_t(travel) - handleHeight;
    return free > 0 ? int32_t(free) : 0;
}

float CSlider::normalizedValue() const
{
    float range = vmax - vmin;
    if (!(range > 0.0f))
        return 0.0f;
    float n = (value - vmin) / range;
    return n < 0.0f ? 0.0f : n > 1.0f ? 1.0f : n;
}

CRect CSlider::handleRect() const
{
    float position = fromTop() ? normalizedValue() : 1.0f - normalizedValue();
    int32_t top = size.top + offsetHandle.v + int32_t(position * float(span()));
    int32_t left = size.left + offsetHandle.h;
    int32_t width = handle != nullptr ? handle->getWidth() : 0;
    int32_t height = handle != nullptr ? handle->getHeight() : 0;
    return CRect(left, top, left + width, top + height);
}

void CSlider::draw(CDrawContext* context)
{
    if (background != nullptr)
        background->draw(context, size, offset);
    if (handle != nullptr)
        handle->draw(context, handleRect());
    setDirty(false);
}

void CSlider::mouse(CDrawContext* context, CPoint& where, int32_t buttons)
{
    if (!mouseEnabled)
        return;
    buttons = resolveButtons(context, buttons);
    if ((buttons & kLButton) == 0)
        return;
    if (offerModifierClick(context, buttons) || checkDefaultValue(context, buttons))
        return;
    float range = vmax - vmin;
    int32_t pixels = span();
    beginEdit();
    {
        CFrame::ModalLoop loop(frame);
        if (pixels > 0 && !handleRect().pointInside(where)) {
            int32_t handleHeight = handle != nullptr ? handle->getHeight() : 0;
            float position = float(where.v - (size.top + offsetHandle.v) - handleHeight / 2) / float(pixels);
            value = vmin + (fromTop() ? position : 1.0f - position) * range;
            bounceValue();
        }
        finishDragTurn(context);
        dragLinearly(context, where, buttons, fromTop() ? DragDirection::kDown : DragDirection::kUp, float(pixels),
                     zoomFactor);
    }
    endEdit();
}

bool CSlider::onWheel(CDrawContext* context, const CPoint&, float distance)
{
    if (!mouseEnabled || !std::isfinite(distance))
        return false;
    setValueAsGesture(context, value + distance * wheelInc);
    return true;
}

bool CSlider::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CSlider") == 0) || CControl::isTypeOf(name);
}
