// Drawing primitives over the clipped pixel operations.
#include "gui/c_draw_context.h"

#include "gui/button_state.h"
#include "gui/c_frame.h"
#include "gui/platform/platform_time.h"
#include "gui/system_font.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

int32_t saturate(int64_t value)
{
    return int32_t(std::min<int64_t>(std::max<int64_t>(value, std::numeric_limits<int32_t>::min()),
                                     std::numeric_limits<int32_t>::max()));
}

}  // namespace

CDrawContext::CDrawContext(CFrame* frame, PixelBuffer* target) : frame(frame), target(target)
{
    resetClipRect();
}

CRect CDrawContext::toTarget(const CRect& local) const
{
    return CRect(saturate(int64_t(local.left) + offset.h), saturate(int64_t(local.top) + offset.v),
                 saturate(int64_t(local.right) + offset.h), saturate(int64_t(local.bottom) + offset.v));
}

void CDrawContext::setClipRect(const CRect& local)
{
    clip = toTarget(local);
    if (target != nullptr)
        clip.bound(target->bounds());
}

CRect CDrawContext::getClipRect() const
{
    CRect local = clip;
    local.offset(-offset.h, -offset.v);
    return local;
}

void CDrawContext::resetClipRect()
{
    clip = target != nullptr ? target->bounds() : CRect();
}

void CDrawContext::touch(const CRect& targetArea)
{
    CRect written = targetArea;
    written.bound(clip);
    touched.unite(written);
}

CRect CDrawContext::takeTouchedArea()
{
    CRect area = touched;
    touched = CRect();
    return area;
}

void CDrawContext::plotPen(int64_t x, int64_t y)
{
    if (lineStyle == CLineStyle::kOnOff && (dashPhase++ & 1) != 0)
        return;
    int64_t half = (lineWidth - 1) / 2;
    CRect dot(saturate(x - half), saturate(y - half), saturate(x - half + lineWidth), saturate(y - half + lineWidth));
    target->fill(dot, PixelBuffer::opaque(frameColor), clip);
    touch(dot);
}

void CDrawContext::lineTo(const CPoint& where)
{
    if (target == nullptr) {
        pen = where;
        return;
    }
    // Bresenham in target pixels, in 64 bits so far-away end points cannot overflow.
    int64_t x0 = int64_t(pen.h) + offset.h, y0 = int64_t(pen.v) + offset.v;
    int64_t x1 = int64_t(where.h) + offset.h, y1 = int64_t(where.v) + offset.v;
    int64_t dx = std::llabs(x1 - x0), dy = -std::llabs(y1 - y0);
    int64_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int64_t error = dx + dy;
    // A line far outside the target would take long to walk for nothing.
    int64_t limit = int64_t(target->width()) + target->height() + 4;
    bool farAway = std::max(std::llabs(x0), std::llabs(x1)) > 4 * limit || std::max(std::llabs(y0), std::llabs(y1)) > 4 * limit;
    dashPhase = 0;
    while (!farAway && !(x0 == x1 && y0 == y1)) {
        plotPen(x0, y0);
        int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
    pen = where;
}

void CDrawContext::drawRect(const CRect& rect)
{
    if (rect.isEmpty())
        return;
    CRect outline = toTarget(rect);
    int32_t w = lineWidth;
    uint32_t color = PixelBuffer::opaque(frameColor);
    CRect edges[4] = {
        CRect(outline.left, outline.top, outline.right, saturate(int64_t(outline.top) + w)),
        CRect(outline.left, saturate(int64_t(outline.bottom) - w), outline.right, outline.bottom),
        CRect(outline.left, outline.top, saturate(int64_t(outline.left) + w), outline.bottom),
        CRect(saturate(int64_t(outline.right) - w), outline.top, outline.right, outline.bottom),
    };
    for (const CRect& edge : edges) {
        if (target != nullptr)
            target->fill(edge, color, clip);
        touch(edge);
    }
}

void CDrawContext::fillRect(const CRect& rect)
{
    if (target == nullptr)
        return;
    CRect area = toTarget(rect);
    target->fill(area, PixelBuffer::opaque(fillColor), clip);
    touch(area);
}

void CDrawContext::drawPoint(const CPoint& where, CColor color)
{
    if (target == nullptr)
        return;
    CRect area = toTarget(CRect(where.h, where.v, saturate(int64_t(where.h) + 1), saturate(int64_t(where.v) + 1)));
    target->fill(area, PixelBuffer::opaque(color), clip);
    touch(area);
}

int32_t CDrawContext::getStringWidth(const std::string& text)
{
    SystemFont& font = textFont != nullptr ? *textFont : SystemFont::shared();
    return font.textWidth(text, fontSize);
}

void CDrawContext::drawString(const std::string& text, const CRect& rect, CTextAlign align)
{
    if (target == nullptr || text.empty())
        return;
    SystemFont& font = textFont != nullptr ? *textFont : SystemFont::shared();
    CRect area = toTarget(rect);
    int32_t width = font.textWidth(text, fontSize);
    int64_t x = area.left;
    if (align == CTextAlign::kCenter)
        x = int64_t(area.left) + (int64_t(area.width()) - width) / 2;
    else if (align == CTextAlign::kRight)
        x = int64_t(area.right) - width;
    int32_t ascent = font.ascent(fontSize), descent = font.descent(fontSize);
    int64_t baseline = int64_t(area.top) + (int64_t(area.height()) + ascent - descent) / 2;
    CRect textClip = area;
    textClip.bound(clip);
    font.drawText(*target, saturate(x), saturate(baseline), text, fontSize, fontColor, textClip);
    touch(textClip);
}

void CDrawContext::blendPixels(const PixelBuffer& source, const CRect& rect, const CPoint& sourceOffset,
                               uint8_t opacity, bool ignoreAlpha)
{
    if (target == nullptr)
        return;
    CRect area = toTarget(rect);
    target->blend(source, area, sourceOffset, opacity, clip, ignoreAlpha);
    touch(area);
}

void CDrawContext::copyPixels(const PixelBuffer& source, const CRect& rect, const CPoint& sourceOffset)
{
    if (target == nullptr)
        return;
    CRect area = toTarget(rect);
    target->copy(source, area, sourceOffset, clip);
    touch(area);
}

int32_t CDrawContext::getMouseButtons()
{
    return frame != nullptr ? frame->getCurrentMouseButtons() : 0;
}

void CDrawContext::getMouseLocation(CPoint& where)
{
    if (frame == nullptr)
        return;
    frame->getCurrentMouseLocation(where);
    where.offset(-offset.h, -offset.v);
}

bool CDrawContext::waitDoubleClick()
{
    if (frame == nullptr)
        return false;
    CFrame::ModalLoop loop(frame);
    int64_t start = PlatformTime::nowMs();
    int64_t limit = PlatformTime::doubleClickMs();
    bool released = false;
    while (PlatformTime::nowMs() - start < limit) {
        int32_t buttons = getMouseButtons();
        if ((buttons & kButtonMask) == 0)
            released = true;
        else if (released)
            return true;
        frame->idle();
    }
    return false;
}
