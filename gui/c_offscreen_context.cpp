// Off-screen drawing.
#include "gui/c_offscreen_context.h"

#include <algorithm>

namespace {

// Off-screen pictures are control-sized; the limit only stops a nonsense size from taking all memory.
constexpr int32_t kMaxSide = 8192;

}  // namespace

COffscreenContext::COffscreenContext(CFrame* frame, int32_t width, int32_t height, CColor background)
    : CDrawContext(frame, nullptr),
      pixels(std::min(width, kMaxSide), std::min(height, kMaxSide), PixelBuffer::opaque(background))
{
    target = &pixels;
    resetClipRect();
}

void COffscreenContext::copyTo(CDrawContext* destination, const CRect& rect, const CPoint& sourceOffset)
{
    if (destination != nullptr && destination != this)
        destination->copyPixels(pixels, rect, sourceOffset);
}
