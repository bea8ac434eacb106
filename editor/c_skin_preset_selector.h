// The program chooser: a three-frame bitmap with step zones at both ends, showing the current program's
// number and name in the display font. The middle pops up the program menu; the zones step through the
// programs, repeating while held.
#pragma once

#include "gui/c_control.h"

#include <string>

class EditorServices;
class PluginBase;
class SkinFont;

class CSkinPresetSelector : public CControl {
public:
    static constexpr size_t kTextSize = 256;
    enum Pressed : int32_t { kNone = 0, kRightZone = 1, kLeftZone = 2 };

    // bitmap: three frames stacked (normal, right zone pressed, left zone pressed); font may be null.
    CSkinPresetSelector(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* bitmap, SkinFont* font,
                        PluginBase* plugin, EditorServices* services);
    ~CSkinPresetSelector() override;

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = kReadCurrentButtons) override;
    // Takes the current program's number (from 1) and name as the text; marks dirty when it changed.
    void updateText();
    void setText(const char* text);
    const std::string& getText() const { return text; }
    // Width of each step zone: int(bitmap height × 0.26666668).
    int32_t getZoneWidth() const { return zoneWidth; }
    void setPressed(int32_t state) { pressed = state; }
    PluginBase* getPlugin() const { return plugin; }

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CSkinPresetSelector"; }

private:
    CBitmap* bitmap;
    SkinFont* font;
    int32_t zoneWidth;
    int32_t pressed = kNone;
    PluginBase* plugin;
    EditorServices* services;
    std::string text;
};
