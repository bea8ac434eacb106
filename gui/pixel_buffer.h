// 32-bit premultiplied BGRA pixels (blue in the lowest byte): owned storage or a view of someone else's.
#pragma once

#include "gui/c_color.h"
#include "gui/c_point.h"
#include "gui/c_rect.h"

#include <cstdint>
#include <vector>

class PixelBuffer {
public:
    PixelBuffer() = default;
    // Owned storage; a size that is not positive makes an empty buffer.
    PixelBuffer(int32_t width, int32_t height, uint32_t fill = 0);
    // A view of pixels owned elsewhere (an image in shared memory, a test block with guards around it).
    static PixelBuffer wrap(uint32_t* pixels, int32_t width, int32_t height, int32_t strideInPixels);

    PixelBuffer(const PixelBuffer& other);
    PixelBuffer& operator=(const PixelBuffer& other);
    PixelBuffer(PixelBuffer&& other) noexcept;
    PixelBuffer& operator=(PixelBuffer&& other) noexcept;

    int32_t width() const { return w; }
    int32_t height() const { return h; }
    int32_t stride() const { return pitch; }
    bool empty() const { return data == nullptr; }
    CRect bounds() const { return CRect(0, 0, w, h); }
    uint32_t* row(int32_t y) { return data + static_cast<int64_t>(y) * pitch; }
    const uint32_t* row(int32_t y) const { return data + static_cast<int64_t>(y) * pitch; }
    // 0 outside the buffer.
    uint32_t pixel(int32_t x, int32_t y) const;

    // Every writer below touches only area ∩ clip ∩ the buffer, and reads a source only inside it.
    void fill(const CRect& area, uint32_t value, const CRect& clip);
    void plot(int32_t x, int32_t y, uint32_t value, const CRect& clip);
    // The source pixel at sourceOffset lands on the top-left of area.
    void copy(const PixelBuffer& source, const CRect& area, const CPoint& sourceOffset, const CRect& clip);
    // Premultiplied source-over, the source first scaled by opacity (255 = as it is); ignoreAlpha treats
    // every source pixel as opaque.
    void blend(const PixelBuffer& source, const CRect& area, const CPoint& sourceOffset, uint8_t opacity,
               const CRect& clip, bool ignoreAlpha = false);
    // One colour through a coverage mask (glyphs): coverage 255 paints the colour opaque.
    void blendCoverage(int32_t x, int32_t y, CColor color, uint8_t coverage, const CRect& clip);

    static uint32_t pack(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha)
    {
        return (uint32_t(alpha) << 24) | (uint32_t(red) << 16) | (uint32_t(green) << 8) | uint32_t(blue);
    }
    static uint32_t opaque(CColor color) { return pack(color.red, color.green, color.blue, 255); }
    static uint8_t alphaOf(uint32_t p) { return uint8_t(p >> 24); }
    static uint8_t redOf(uint32_t p) { return uint8_t(p >> 16); }
    static uint8_t greenOf(uint32_t p) { return uint8_t(p >> 8); }
    static uint8_t blueOf(uint32_t p) { return uint8_t(p); }
    // x / 255 rounded to nearest, exact for 0 <= x <= 255 * 255.
    static uint32_t divide255(uint32_t x) { return (x + 128 + ((x + 128) >> 8)) >> 8; }
    static uint32_t scale(uint32_t p, uint8_t factor);
    static uint32_t over(uint32_t destination, uint32_t source);

private:
    struct Span {
        int32_t x0, y0, x1, y1;  // destination, half-open
        int32_t sx, sy;          // source pixel of (x0, y0)
        bool empty() const { return x1 <= x0 || y1 <= y0; }
    };
    Span clipSpan(const CRect& area, const CRect& clip) const;
    Span clipSpan(const PixelBuffer& source, const CRect& area, const CPoint& sourceOffset,
                  const CRect& clip) const;
    bool sharesPixelsWith(const PixelBuffer& other) const;

    std::vector<uint32_t> storage;
    uint32_t* data = nullptr;
    int32_t w = 0;
    int32_t h = 0;
    int32_t pitch = 0;
};
