// A vertical slider: a handle bitmap moved over a background, value 0 at the bottom unless styled otherwise.
#pragma once

#include "gui/c_control.h"

class CSlider : public CControl {
public:
    enum Style : int32_t {
        kVertical = 2,
        // Either of these makes the handle count from the top (value 0 at the top).
        kTop = 8,
        kLeft = 32,
    };
    // The handle moves this many times more slowly with Shift held.
    static constexpr float kDefaultZoomFactor = 10.0f;

    // offsetHandle: the handle's top-left at the top of its travel, in the control; travel: the pixels the
    // handle spans, its own height included (the handle's top moves over travel − handle height);
    // offset: where the background is read from. kVertical is added to style.
    CSlider(const CRect& size, CControlListener* listener, int32_t tag, const CPoint& offsetHandle, int32_t travel,
            CBitmap* handle, CBitmap* background, const CPoint& offset = CPoint(), int32_t style = 0);
    ~CSlider() override;

    void draw(CDrawContext* context) override;
    // Left button: a press off the handle first moves the handle's centre to the pointer, then the handle
    // follows the pointer (zoomed with Shift, no jump when Shift changes) until release, in begin/end edit.
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = kReadCurrentButtons) override;
    bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;

    void setZoomFactor(float factor) { zoomFactor = factor > 0.0f ? factor : zoomFactor; }
    float getZoomFactor() const { return zoomFactor; }
    int32_t getStyle() const { return style; }
    // The handle's rectangle for the current value (parent coordinates).
    CRect handleRect() const;

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CSlider"; }

protected:
    bool fromTop() const { return (style & (kTop | kLeft)) != 0; }
    int32_t span() const;
    float normalizedValue() const;

    CBitmap* handle;
    CPoint offsetHandle;
    int32_t travel;
    CPoint offset;
    int32_t style;
    float zoomFactor = kDefaultZoomFactor;
};
