// The knob: angle mapping and the two drag modes.
#include "gui/c_knob.h"

#include "gui/c_bitmap.h"
#include "gui/c_draw_context.h"
#include "gui/c_frame.h"

#include <cmath>
#include <cstring>

namespace {

constexpr float kRadiansPerDegree = 0.017453292f;

}  // namespace

CKnob::CKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background, CBitmap* handle,
             const CPoint& offset)
    : CControl(size, listener, tag, background), handle(handle), offset(offset)
{
    if (handle != nullptr)
        handle->addReference();
}

CKnob::~CKnob()
{
    if (handle != nullptr)
        handle->dropReference();
}

float CKnob::normalizedValue() const
{
    float range = vmax - vmin;
    if (!(range > 0.0f))
        return 0.0f;
    float n = (value - vmin) / range;
    return n < 0.0f ? 0.0f : n > 1.0f ? 1.0f : n;
}

float CKnob::valueFromPoint(const CPoint& where) const
{
    float centreX = float(size.left) + float(size.width()) * 0.5f;
    float centreY = float(size.top) + float(size.height()) * 0.5f;
    float dx = float(where.h) - centreX;
    float dy = centreY - float(where.v);
    float angle = dx == 0.0f && dy == 0.0f ? 90.0f : std::atan2(dy, dx) / kRadiansPerDegree;
    float sweep = kStartAngle - angle;
    if (sweep < 0.0f)
        sweep += 360.0f;
    if (sweep >= 360.0f)
        sweep -= 360.0f;
    float n;
    if (sweep <= kRangeAngle)
        n = sweep / kRangeAngle;
    else
        n = sweep < kRangeAngle + (360.0f - kRangeAngle) * 0.5f ? 1.0f : 0.0f;
    return vmin + n * (vmax - vmin);
}

CPoint CKnob::pointFromValue() const
{
    float angle = (kStartAngle - normalizedValue() * kRangeAngle) * kRadiansPerDegree;
    float radius = float(size.width() < size.height() ? size.width() : size.height()) * 0.5f - 3.0f;
    float centreX = float(size.left) + float(size.width()) * 0.5f;
    float centreY = float(size.top) + float(size.height()) * 0.5f;
    return CPoint(int32_t(std::lround(centreX + radius * std::cos(angle))),
                  int32_t(std::lround(centreY - radius * std::sin(angle))));
}

void CKnob::draw(CDrawContext* context)
{
    if (background != nullptr)
        background->draw(context, size, offset);
    CPoint tip = pointFromValue();
    if (handle != nullptr) {
        int32_t w = handle->getWidth(), h = handle->getHeight();
        handle->draw(context, CRect(tip.h - w / 2, tip.v - h / 2, tip.h - w / 2 + w, tip.v - h / 2 + h));
    } else if (context != nullptr) {
        context->setFrameColor(handleColor);
        context->setLineWidth(2);
        context->moveTo(CPoint(size.left + size.width() / 2, size.top + size.height() / 2));
        context->lineTo(tip);
        context->setLineWidth(1);
    }
    setDirty(false);
}

void CKnob::mouse(CDrawContext* context, CPoint& where, int32_t buttons)
{
    if (!mouseEnabled)
        return;
    buttons = resolveButtons(context, buttons);
    if ((buttons & kLButton) == 0)
        return;
    if (offerModifierClick(context, buttons) || checkDefaultValue(context, buttons))
        return;
    bool linear = (frame != nullptr ? frame->getKnobMode() : kCircularMode) == kLinearMode;
    if ((buttons & kAlt) != 0)
        linear = !linear;
    beginEdit();
    {
        CFrame::ModalLoop loop(frame);
        if (linear)
            dragLinearly(context, where, buttons, DragDirection::kUp, kLinearPixels, zoomFactor);
        else
            dragCircular(context, where);
    }
    endEdit();
}

void CKnob::dragCircular(CDrawContext* context, const CPoint& where)
{
    float halfRange = (vmax - vmin) * 0.5f;
    value = valueFromPoint(where);
    float reference = value;
    CPoint last = where;
    finishDragTurn(context);
    while ((context->getMouseButtons() & kLButton) != 0) {
        CPoint now;
        context->getMouseLocation(now);
        if (now != last) {
            last = now;
            float next = valueFromPoint(now);
            // Crossing the dead zone at the bottom would jump end to end: pin at the end it came from.
            if (next - reference < -halfRange) {
                value = vmax;
            } else if (next - reference > halfRange) {
                value = vmin;
            } else {
                value = next;
                reference = next;
            }
        }
        finishDragTurn(context);
    }
}

bool CKnob::onWheel(CDrawContext* context, const CPoint&, float distance)
{
    if (!mouseEnabled || !std::isfinite(distance))
        return false;
    setValueAsGesture(context, value + distance * wheelInc);
    return true;
}

bool CKnob::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CKnob") == 0) || CControl::isTypeOf(name);
}
