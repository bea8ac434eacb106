// The program stepper: a three-frame bitmap (normal, upper half pressed, lower half pressed); the upper half
// steps to the previous program, the lower half to the next, repeating while held.
#pragma once

#include "gui/c_control.h"

class PluginBase;

class CUpDownPreset : public CControl {
public:
    enum Pressed : int32_t { kNone = 0, kUpper = 1, kLower = 2 };

    CUpDownPreset(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* bitmap, PluginBase* plugin);
    ~CUpDownPreset() override;

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = kReadCurrentButtons) override;
    void setPressed(int32_t state) { pressed = state; }
    PluginBase* getPlugin() const { return plugin; }

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CUpDownPreset"; }

private:
    CBitmap* bitmap;
    PluginBase* plugin;
    int32_t pressed = kNone;
};
