// A rotary control over 270 degrees, dragged linearly or by the pointer's angle around its centre.
#pragma once

#include "gui/c_color.h"
#include "gui/c_control.h"

class CKnob : public CControl {
public:
    // The sweep: minimum at 225 degrees (lower left), through the top, maximum at -45 (lower right);
    // angles counter-clockwise from the positive horizontal axis.
    static constexpr float kStartAngle = 225.0f;
    static constexpr float kRangeAngle = 270.0f;
    // Pixels of vertical movement that cross the whole range in a linear drag (times the zoom with Shift).
    static constexpr float kLinearPixels = 200.0f;

    // handle may be null (a line is drawn instead); offset is where the background is read from.
    CKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background, CBitmap* handle,
          const CPoint& offset = CPoint());
    ~CKnob() override;

    void draw(CDrawContext* context) override;
    // Left button only: a modifier click goes to the listener first, then the default-value click, then a
    // drag inside begin/end edit until the button is released.
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = kReadCurrentButtons) override;
    // Steps by the wheel increment per notch, inside begin/end edit.
    bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;

    void setZoomFactor(float factor) { zoomFactor = factor > 0.0f ? factor : zoomFactor; }
    float getZoomFactor() const { return zoomFactor; }
    void setHandleColor(CColor color) { handleColor = color; }

    // The value whose angle points at where (parent coordinates); the dead zone below the centre gives the
    // nearer end.
    float valueFromPoint(const CPoint& where) const;
    // The point at the value's angle, on a circle inside the knob (parent coordinates).
    CPoint pointFromValue() const;

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CKnob"; }

protected:
    void dragCircular(CDrawContext* context, const CPoint& where);
    float normalizedValue() const;

    CBitmap* handle;
    CPoint offset;
    float zoomFactor = 1.5f;
    CColor handleColor = kWhiteCColor;
};
