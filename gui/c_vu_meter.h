// A level meter in segments: the "on" picture over the lit part, the "off" picture over the rest.
#pragma once

#include "gui/c_control.h"

class CVuMeter : public CControl {
public:
    enum Style : int32_t {
        kVertical = 0,
        kHorizontal = 1,
    };

    CVuMeter(const CRect& size, CBitmap* onBitmap, CBitmap* offBitmap, int32_t segments, int32_t style = kVertical);
    ~CVuMeter() override;

    // The shown value falls by the decrease per redraw at most and rises at once; it is quantised to the
    // segments, lit from the bottom (vertical) or the left (horizontal).
    void draw(CDrawContext* context) override;
    // Stays dirty while the shown value is still falling towards the value.
    bool isDirty() const override;

    void setDecreaseStepValue(float decrease) { decreaseValue = decrease; }
    float getDecreaseStepValue() const { return decreaseValue; }
    void setUseOffscreen(bool state) { useOffscreen = state; }
    float getShownValue() const { return shownValue; }
    // Pixels lit for a shown value: int(segments × value + 0.5) / segments of the length.
    int32_t litLength(float shown) const;

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CVuMeter"; }

private:
    void drawParts(CDrawContext* context, const CRect& rect, int32_t lit);

    CBitmap* onBitmap;
    CBitmap* offBitmap;
    int32_t segments;
    int32_t style;
    float decreaseValue = 0.1f;
    float shownValue = 0.0f;
    bool useOffscreen = false;
};
