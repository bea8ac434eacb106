// A button that is 1 only while pressed with the pointer inside it, then returns to 0.
#pragma once

#include "gui/c_control.h"

class CKickButton : public CControl {
public:
    // background: two frames of heightOfOneImage stacked (released above, pressed below), read from offset.
    CKickButton(const CRect& size, CControlListener* listener, int32_t tag, int32_t heightOfOneImage,
                CBitmap* background, const CPoint& offset = CPoint());

    void draw(CDrawContext* context) override;
    // Left button: 1 while the pointer is inside (the value from before the press outside), the listener told
    // of each change; on release 0 and the listener told once more. The whole press is one gesture.
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = kReadCurrentButtons) override;

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CKickButton"; }

private:
    int32_t heightOfOneImage;
    CPoint offset;
};
