// A control that shows its value as text over a colour or a bitmap.
#pragma once

#include "gui/c_color.h"
#include "gui/c_control.h"
#include "gui/c_draw_context.h"

#include <string>

class CParamDisplay : public CControl {
public:
    enum Style : int32_t {
        // The control draws nothing of itself (menus popped up at the pointer).
        kNoDrawStyle = 0x1000,
    };

    CParamDisplay(const CRect& size, CBitmap* background = nullptr, int32_t style = 0);

    void draw(CDrawContext* context) override;

    void setStyle(int32_t newStyle) { style = newStyle; }
    int32_t getStyle() const { return style; }
    void setFontColor(CColor color) { fontColor = color; }
    void setBackColor(CColor color) { backColor = color; }
    void setFrameColor(CColor color) { frameColor = color; }
    void setHoriAlign(CTextAlign align) { horiAlign = align; }
    void setFontSize(int32_t pixels) { fontSize = pixels; }

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CParamDisplay"; }

protected:
    // The value with two decimals, whatever the host's locale.
    virtual std::string displayText() const;

    int32_t style;
    CColor fontColor = kWhiteCColor;
    CColor backColor = kBlackCColor;
    CColor frameColor = kBlackCColor;
    CTextAlign horiAlign = CTextAlign::kCenter;
    int32_t fontSize = 12;
};
