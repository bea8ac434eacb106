// The XY morph pad: moves two chosen parameters at once. Drawn off-screen: the pad picture, four lines
// from the cursor to the corners in a colour blended over the pad's ground colour, and the cursor.
#pragma once

#include "gui/c_color.h"
#include "gui/c_control.h"

class CFrame;
class COffscreenContext;
class PluginBase;

class CXYPad : public CControl {
public:
    static constexpr int32_t kInset = 4;
    static constexpr int32_t kNoTarget = -1;
    enum MenuEntry : int32_t { kLearnX = 0, kLearnY = 1 };

    // pad is the background picture; the targets start empty until the editor sets them.
    CXYPad(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* pad, CBitmap* cursor, CColor line,
           CColor ground, CFrame* frame, PluginBase* plugin, int32_t xSelector, int32_t ySelector);
    ~CXYPad() override;

    void draw(CDrawContext* context) override;
    // Left button: both targets follow the pointer, each limited to 0..1, written through the plug-in's
    // automated set inside one begin/end edit per target. Right button (or left with Apple): a menu arms
    // MIDI learn for the X or Y axis.
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = kReadCurrentButtons) override;

    void setXTarget(int32_t index) { xTarget = index; setDirty(true); }
    void setYTarget(int32_t index) { yTarget = index; setDirty(true); }
    int32_t getXTarget() const { return xTarget; }
    int32_t getYTarget() const { return yTarget; }
    int32_t getXSelector() const { return xSelector; }
    int32_t getYSelector() const { return ySelector; }
    CRect getInnerRect() const { return inner; }
    // The cursor's centre in the control's own coordinates for the targets' present values.
    CPoint cursorPoint() const;

    // Each channel (ground × (255 − a) + line × a) >> 8 with a the line's alpha.
    static CColor blendedLineColor(CColor line, CColor ground);
    // The pad's line in 8.8 fixed point along the longer axis, the far end left out.
    static void drawLine(CDrawContext* context, int32_t x0, int32_t y0, int32_t x1, int32_t y1, CColor color);

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CXYPad"; }

private:
    void runMenu(CDrawContext* context, const CPoint& where);
    float targetValue(int32_t index) const;
    // 0..1 along the inner rectangle, or a negative number when the rectangle has no extent.
    static float along(int32_t position, int32_t start, int32_t extent);

    CRect inner;
    COffscreenContext* offscreen = nullptr;
    PluginBase* plugin;
    int32_t xSelector;
    int32_t ySelector;
    int32_t xTarget = kNoTarget;
    int32_t yTarget = kNoTarget;
    CBitmap* cursor;
    CColor lineColor;
    CColor groundColor;
};
