// A button that flips between 0 and 1 on each click, drawn from a two-frame bitmap.
#pragma once

#include "gui/c_control.h"

class COnOffButton : public CControl {
public:
    // background holds two equal frames stacked: off (value 0) above, on below.
    COnOffButton(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background);

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = kReadCurrentButtons) override;

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "COnOffButton"; }
};
