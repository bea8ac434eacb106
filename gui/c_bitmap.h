// A picture in premultiplied BGRA, decoded from a PNG file; shared by reference count.
#pragma once

#include "gui/c_point.h"
#include "gui/c_rect.h"
#include "gui/c_reference_counter.h"
#include "gui/pixel_buffer.h"

#include <cstddef>
#include <cstdint>

class CDrawContext;

class CBitmap : public CReferenceCounter {
public:
    // Without pixels: drawing it does nothing until a load succeeds.
    CBitmap() = default;
    // Loads the PNG at path; check isLoaded, or use loadFromFile which says whether it worked.
    explicit CBitmap(const char* path);
    // Transparent pixels of the given size (for pictures drawn by code).
    CBitmap(int32_t width, int32_t height);

    // The previous pixels stay when the file cannot be read or decoded.
    bool loadFromFile(const char* path);
    bool loadFromMemory(const uint8_t* data, size_t size);

    bool isLoaded() const { return !pixels.empty(); }
    int32_t getWidth() const { return pixels.width(); }
    int32_t getHeight() const { return pixels.height(); }
    const PixelBuffer& getPixels() const { return pixels; }
    PixelBuffer& getPixels() { return pixels; }
    void setNoAlpha(bool state) { noAlpha = state; }
    bool getNoAlpha() const { return noAlpha; }

    // All three blend the premultiplied pixels over the target (a plain copy would show black corners);
    // the source pixel at offset lands on the top-left of rect, and nothing outside either is touched.
    void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint());
    void drawTransparent(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint());
    void drawAlphaBlend(CDrawContext* context, const CRect& rect, const CPoint& offset, uint8_t opacity);

private:
    PixelBuffer pixels;
    bool noAlpha = false;
};
