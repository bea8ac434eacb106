// A drawing context over a bitmap of its own, copied to another context when done.
#pragma once

#include "gui/c_color.h"
#include "gui/c_draw_context.h"

#include <cstdint>

class COffscreenContext : public CDrawContext {
public:
    // The bitmap is width × height, filled opaque with background; frame answers the pointer questions.
    COffscreenContext(CFrame* frame, int32_t width, int32_t height, CColor background = kBlackCColor);

    int32_t getWidth() const { return pixels.width(); }
    int32_t getHeight() const { return pixels.height(); }
    const PixelBuffer& getPixels() const { return pixels; }

    // Copies the pixels from sourceOffset on into destination at rect (destination's coordinates).
    void copyTo(CDrawContext* destination, const CRect& rect, const CPoint& sourceOffset = CPoint());

private:
    PixelBuffer pixels;
};
