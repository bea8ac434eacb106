// The band-pass range bar: a bar picture shown between the low and the high band edge, low at the bottom.
#pragma once

#include "gui/c_control.h"

class EngineBase;

class CRangeBar : public CControl {
public:
    // backdrop is the window background, read at the bar's place in the frame; the engine's normalized values
    // of lowParameter and highParameter place the bar (linkParameter is kept for the controls' later use).
    CRangeBar(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* backdrop, CBitmap* bar,
              EngineBase* engine, int32_t lowParameter, int32_t highParameter, int32_t linkParameter);
    ~CRangeBar() override;

    void draw(CDrawContext* context) override;
    // The part of the control the bar covers for the engine's present values (parent coordinates).
    CRect barRect() const;

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CRangeBar"; }

private:
    float engineValue(int32_t index) const;

    CBitmap* backdrop;
    CBitmap* bar;
    EngineBase* engine;
    int32_t lowParameter;
    int32_t highParameter;
    int32_t linkParameter;
};
