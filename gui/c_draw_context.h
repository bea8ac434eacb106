// Drawing into a pixel buffer (the frame's back buffer or an off-screen bitmap) with pen, brush and font.
#pragma once

#include "gui/c_color.h"
#include "gui/c_point.h"
#include "gui/c_rect.h"
#include "gui/c_reference_counter.h"
#include "gui/pixel_buffer.h"

#include <cstdint>
#include <string>

class CFrame;
class SystemFont;

enum class CLineStyle { kSolid, kOnOff };
enum class CDrawMode { kCopy, kAntialias };
enum class CTextAlign { kLeft, kCenter, kRight };

class CDrawContext : public CReferenceCounter {
public:
    // Draws into target, which must outlive the context; frame answers the pointer questions (may be null).
    CDrawContext(CFrame* frame, PixelBuffer* target);

    // Local coordinates: the point (x, y) lands on target pixel (x + offset.h, y + offset.v).
    void setOffset(const CPoint& newOffset) { offset = newOffset; }
    CPoint getOffset() const { return offset; }
    // The clip is kept in target pixels, so moving the offset does not move it.
    void setClipRect(const CRect& local);
    CRect getClipRect() const;
    void resetClipRect();

    void setFrameColor(CColor color) { frameColor = color; }
    CColor getFrameColor() const { return frameColor; }
    void setFillColor(CColor color) { fillColor = color; }
    CColor getFillColor() const { return fillColor; }
    void setFontColor(CColor color) { fontColor = color; }
    CColor getFontColor() const { return fontColor; }
    void setFontSize(int32_t pixels) { fontSize = pixels > 0 ? pixels : fontSize; }
    int32_t getFontSize() const { return fontSize; }
    void setLineWidth(int32_t width) { lineWidth = width > 0 ? width : 1; }
    int32_t getLineWidth() const { return lineWidth; }
    void setLineStyle(CLineStyle style) { lineStyle = style; }
    void setDrawMode(CDrawMode mode) { drawMode = mode; }
    CDrawMode getDrawMode() const { return drawMode; }

    // Colours are drawn opaque: their fourth byte is ignored.
    void moveTo(const CPoint& where) { pen = where; }
    CPoint getPenPosition() const { return pen; }
    // The line's last point is left out, so joined lines draw every point once.
    void lineTo(const CPoint& where);
    // The outline of [left, right) × [top, bottom) in the frame colour.
    void drawRect(const CRect& rect);
    void fillRect(const CRect& rect);
    void drawPoint(const CPoint& where, CColor color);
    // The face text is drawn with; the shared system font unless set.
    void setSystemFont(SystemFont* font) { textFont = font; }
    // One line of text in the system font, vertically centred in rect.
    void drawString(const std::string& text, const CRect& rect, CTextAlign align = CTextAlign::kCenter);
    int32_t getStringWidth(const std::string& text);

    // Pixel blocks: the source pixel at sourceOffset lands on the top-left of rect.
    void blendPixels(const PixelBuffer& source, const CRect& rect, const CPoint& sourceOffset, uint8_t opacity,
                     bool ignoreAlpha = false);
    void copyPixels(const PixelBuffer& source, const CRect& rect, const CPoint& sourceOffset);

    // The pointer, as the platform reports it now; the location in this context's local coordinates.
    int32_t getMouseButtons();
    void getMouseLocation(CPoint& where);
    // Waits up to the double-click time for a second press; true when one came.
    bool waitDoubleClick();

    CFrame* getFrame() const { return frame; }
    PixelBuffer* getTarget() const { return target; }
    // Target pixels written since the last call (the frame shows them).
    CRect takeTouchedArea();

protected:
    CRect toTarget(const CRect& local) const;
    void touch(const CRect& targetArea);
    void plotPen(int64_t x, int64_t y);

    CFrame* frame;
    PixelBuffer* target;

private:
    CPoint offset;
    CRect clip;
    CRect touched;
    CPoint pen;
    CColor frameColor = kBlackCColor;
    CColor fillColor = kWhiteCColor;
    CColor fontColor = kBlackCColor;
    int32_t fontSize = 12;
    int32_t lineWidth = 1;
    CLineStyle lineStyle = CLineStyle::kSolid;
    CDrawMode drawMode = CDrawMode::kCopy;
    int32_t dashPhase = 0;
    SystemFont* textFont = nullptr;
};
