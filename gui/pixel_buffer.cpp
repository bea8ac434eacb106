// Clipped pixel primitives: all arithmetic on positions is done in 64 bits so no rectangle can wrap.
#include "gui/pixel_buffer.h"

#include <algorithm>
#include <cstring>

namespace {

int32_t clampTo(int64_t value, int64_t low, int64_t high)
{
    return static_cast<int32_t>(std::min(std::max(value, low), high));
}

}  // namespace

PixelBuffer::PixelBuffer(int32_t width, int32_t height, uint32_t fill)
{
    if (width <= 0 || height <= 0)
        return;
    storage.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
    data = storage.data();
    w = width;
    h = height;
    pitch = width;
}

PixelBuffer PixelBuffer::wrap(uint32_t* pixels, int32_t width, int32_t height, int32_t strideInPixels)
{
    PixelBuffer view;
    if (pixels == nullptr || width <= 0 || height <= 0 || strideInPixels < width)
        return view;
    view.data = pixels;
    view.w = width;
    view.h = height;
    view.pitch = strideInPixels;
    return view;
}

PixelBuffer::PixelBuffer(const PixelBuffer& other)
{
    *this = other;
}

PixelBuffer& PixelBuffer::operator=(const PixelBuffer& other)
{
    if (this == &other)
        return *this;
    std::vector<uint32_t> copied;
    if (!other.empty()) {
        copied.resize(static_cast<size_t>(other.w) * static_cast<size_t>(other.h));
        for (int32_t y = 0; y < other.h; ++y)
            std::memcpy(copied.data() + static_cast<size_t>(y) * other.w, other.row(y), sizeof(uint32_t) * other.w);
    }
    storage = std::move(copied);
    data = storage.empty() ? nullptr : storage.data();
    w = data ? other.w : 0;
    h = data ? other.h : 0;
    pitch = w;
    return *this;
}

PixelBuffer::PixelBuffer(PixelBuffer&& other) noexcept
{
    *this = std::move(other);
}

PixelBuffer& PixelBuffer::operator=(PixelBuffer&& other) noexcept
{
    if (this == &other)
        return *this;
    bool owned = !other.storage.empty();
    storage = std::move(other.storage);
    data = owned ? storage.data() : other.data;
    w = other.w;
    h = other.h;
    pitch = other.pitch;
    other.storage.clear();
    other.data = nullptr;
    other.w = other.h = other.pitch = 0;
    return *this;
}

uint32_t PixelBuffer::pixel(int32_t x, int32_t y) const
{
    if (empty() || x < 0 || y < 0 || x >= w || y >= h)
        return 0;
    return row(y)[x];
}

PixelBuffer::Span PixelBuffer::clipSpan(const CRect& area, const CRect& clip) const
{
    int64_t x0 = std::max<int64_t>({area.left, clip.left, 0});
    int64_t y0 = std::max<int64_t>({area.top, clip.top, 0});
    int64_t x1 = std::min<int64_t>({area.right, clip.right, w});
    int64_t y1 = std::min<int64_t>({area.bottom, clip.bottom, h});
    Span span{};
    span.x0 = clampTo(x0, 0, w);
    span.y0 = clampTo(y0, 0, h);
    span.x1 = clampTo(x1, span.x0, w);
    span.y1 = clampTo(y1, span.y0, h);
    return span;
}

PixelBuffer::Span PixelBuffer::clipSpan(const PixelBuffer& source, const CRect& area, const CPoint& sourceOffset,
                                        const CRect& clip) const
{
    // Destination x maps to source x - area.left + sourceOffset.h; keep only what exists in the source.
    int64_t shiftX = int64_t(sourceOffset.h) - area.left;
    int64_t shiftY = int64_t(sourceOffset.v) - area.top;
    int64_t x0 = std::max<int64_t>({area.left, clip.left, 0, -shiftX});
    int64_t y0 = std::max<int64_t>({area.top, clip.top, 0, -shiftY});
    int64_t x1 = std::min<int64_t>({area.right, clip.right, w, int64_t(source.w) - shiftX});
    int64_t y1 = std::min<int64_t>({area.bottom, clip.bottom, h, int64_t(source.h) - shiftY});
    Span span{};
    if (empty() || source.empty() || x1 <= x0 || y1 <= y0)
        return span;
    span.x0 = int32_t(x0);
    span.y0 = int32_t(y0);
    span.x1 = int32_t(x1);
    span.y1 = int32_t(y1);
    span.sx = int32_t(x0 + shiftX);
    span.sy = int32_t(y0 + shiftY);
    return span;
}

bool PixelBuffer::sharesPixelsWith(const PixelBuffer& other) const
{
    if (empty() || other.empty())
        return false;
    const uint32_t* a0 = data;
    const uint32_t* a1 = row(h - 1) + w;
    const uint32_t* b0 = other.data;
    const uint32_t* b1 = other.row(other.h - 1) + other.w;
    return a0 < b1 && b0 < a1;
}

void PixelBuffer::fill(const CRect& area, uint32_t value, const CRect& clip)
{
    if (empty())
        return;
    Span span = clipSpan(area, clip);
    for (int32_t y = span.y0; y < span.y1; ++y)
        std::fill(row(y) + span.x0, row(y) + span.x1, value);
}

void PixelBuffer::plot(int32_t x, int32_t y, uint32_t value, const CRect& clip)
{
    if (empty() || !clip.pointInside(CPoint(x, y)) || x < 0 || y < 0 || x >= w || y >= h)
        return;
    row(y)[x] = value;
}

void PixelBuffer::copy(const PixelBuffer& source, const CRect& area, const CPoint& sourceOffset, const CRect& clip)
{
    if (sharesPixelsWith(source)) {
        PixelBuffer detached(source);
        copy(detached, area, sourceOffset, clip);
        return;
    }
    Span span = clipSpan(source, area, sourceOffset, clip);
    if (span.empty())
        return;
    for (int32_t y = span.y0; y < span.y1; ++y) {
        const uint32_t* from = source.row(span.sy + (y - span.y0)) + span.sx;
        std::memmove(row(y) + span.x0, from, sizeof(uint32_t) * size_t(span.x1 - span.x0));
    }
}

void PixelBuffer::blend(const PixelBuffer& source, const CRect& area, const CPoint& sourceOffset, uint8_t opacity,
                        const CRect& clip, bool ignoreAlpha)
{
    if (opacity == 0)
        return;
    if (sharesPixelsWith(source)) {
        PixelBuffer detached(source);
        blend(detached, area, sourceOffset, opacity, clip, ignoreAlpha);
        return;
    }
    Span span = clipSpan(source, area, sourceOffset, clip);
    if (span.empty())
        return;
    for (int32_t y = span.y0; y < span.y1; ++y) {
        const uint32_t* from = source.row(span.sy + (y - span.y0)) + span.sx;
        uint32_t* to = row(y) + span.x0;
        for (int32_t x = span.x0; x < span.x1; ++x, ++from, ++to) {
            uint32_t s = ignoreAlpha ? (*from | 0xff000000u) : *from;
            if (opacity != 255)
                s = scale(s, opacity);
            *to = over(*to, s);
        }
    }
}

void PixelBuffer::blendCoverage(int32_t x, int32_t y, CColor color, uint8_t coverage, const CRect& clip)
{
    if (coverage == 0 || empty() || !clip.pointInside(CPoint(x, y)) || x < 0 || y < 0 || x >= w || y >= h)
        return;
    uint32_t& to = row(y)[x];
    to = over(to, scale(opaque(color), coverage));
}

uint32_t PixelBuffer::scale(uint32_t p, uint8_t factor)
{
    return pack(uint8_t(divide255(redOf(p) * uint32_t(factor))), uint8_t(divide255(greenOf(p) * uint32_t(factor))),
                uint8_t(divide255(blueOf(p) * uint32_t(factor))), uint8_t(divide255(alphaOf(p) * uint32_t(factor))));
}

uint32_t PixelBuffer::over(uint32_t destination, uint32_t source)
{
    uint32_t sourceAlpha = alphaOf(source);
    if (sourceAlpha == 255)
        return source;
    if (source == 0)
        return destination;
    uint32_t keep = 255 - sourceAlpha;
    // Colour bytes above alpha only come from foreign data; saturate rather than wrap.
    auto channel = [&](uint8_t s, uint8_t d) { return uint8_t(std::min<uint32_t>(255, s + divide255(d * keep))); };
    return pack(channel(redOf(source), redOf(destination)), channel(greenOf(source), greenOf(destination)),
                channel(blueOf(source), blueOf(destination)), channel(alphaOf(source), alphaOf(destination)));
}
