// The skin's vertical slider: a handle over the window background, value 0 at the bottom.
#pragma once

#include "gui/c_slider.h"

class EngineBase;

class CSkinSlider : public CSlider {
public:
    // travel spans the handle's own height too (the toolkit takes it off); background is read from offset,
    // the control's place in the frame, so the window background shows behind the handle.
    CSkinSlider(const CRect& size, CControlListener* listener, int32_t tag, const CPoint& offsetHandle,
                int32_t travel, CBitmap* handle, CBitmap* background, const CPoint& offset, int32_t style,
                EngineBase* engine);
    ~CSkinSlider() override;

    EngineBase* getEngine() const { return engine; }

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CSkinSlider"; }

private:
    EngineBase* engine;
};
