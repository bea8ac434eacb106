// A level meter of the skin: 31 segments lit from the bottom, drawn off-screen; every level meter shows or
// hides together, switched by a click on any of them.
#pragma once

#include "gui/c_vu_meter.h"

class COffscreenContext;

class CLevelMeter : public CVuMeter {
public:
    static constexpr int32_t kSegments = 31;

    CLevelMeter(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* onBitmap, CBitmap* offBitmap,
                int32_t segments = kSegments, int32_t style = kVertical);
    ~CLevelMeter() override;

    // Shown: the "off" picture over the unlit part, the "on" picture over the lit part. Hidden: the unlit
    // picture over all of it, so nothing of an old level stays.
    void draw(CDrawContext* context) override;
    bool isDirty() const override { return CControl::isDirty(); }
    // Any press switches every level meter on or off.
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = kReadCurrentButtons) override;

    // Off when the module is loaded; switching marks every level meter dirty.
    static bool isShown();
    static void setShown(bool state);
    // Unlit pixels from the top for a value.
    int32_t unlitHeight(float level) const;

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CLevelMeter"; }

private:
    CBitmap* on;
    CBitmap* off;
    int32_t segmentCount;
    COffscreenContext* offscreen = nullptr;
};
