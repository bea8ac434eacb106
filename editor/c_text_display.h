// A line of text in a skin font over the window background (parameter values, program names, the version).
#pragma once

#include "gui/c_control.h"

#include <string>

class SkinFont;

class CTextDisplay : public CControl {
public:
    static constexpr size_t kTextSize = 256;

    // backdrop is the window background, read at the control's place in the frame; font may be null.
    CTextDisplay(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* backdrop, SkinFont* font);
    ~CTextDisplay() override;

    void draw(CDrawContext* context) override;
    // Keeps at most 255 characters; marks the display dirty.
    void setText(const char* text);
    const std::string& getText() const { return text; }

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CTextDisplay"; }

private:
    CBitmap* backdrop;
    SkinFont* font;
    std::string text;
};
