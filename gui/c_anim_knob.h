// A knob drawn as one frame of a vertical strip of pictures, chosen from the value.
#pragma once

#include "gui/c_knob.h"

class CAnimKnob : public CKnob {
public:
    // background is the strip: frames pictures of heightOfOneImage pixels each, stacked vertically.
    CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t frames, int32_t heightOfOneImage,
              CBitmap* background, const CPoint& offset = CPoint());

    void draw(CDrawContext* context) override;
    // int(value × (frames − 1) + 1e-4) in float, clamped to the strip; inverted reads 1 − value.
    int32_t frameIndex() const;

    void setInverseBitmap(bool state) { inverseBitmap = state; }
    bool getInverseBitmap() const { return inverseBitmap; }
    int32_t getFrameCount() const { return frames; }
    int32_t getHeightOfOneImage() const { return heightOfOneImage; }

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CAnimKnob"; }

protected:
    int32_t frames;
    int32_t heightOfOneImage;
    bool inverseBitmap = false;
};
