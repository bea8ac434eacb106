// Bitmap loading and drawing.
#include "gui/c_bitmap.h"

#include "gui/c_draw_context.h"
#include "gui/png_decoder.h"

#include <cstdio>
#include <new>
#include <vector>

namespace {

// Far above any skin image, low enough that a wrong path to a huge file cannot exhaust memory.
constexpr long kMaxFileBytes = 256L * 1024 * 1024;

bool readWholeFile(const char* path, std::vector<uint8_t>& bytes)
{
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return false;
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    long size = ok ? std::ftell(file) : -1;
    ok = ok && size > 0 && size <= kMaxFileBytes && std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        try {
            bytes.resize(size_t(size));
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    ok = ok && std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    std::fclose(file);
    return ok;
}

}  // namespace

CBitmap::CBitmap(const char* path)
{
    loadFromFile(path);
}

CBitmap::CBitmap(int32_t width, int32_t height) : pixels(width, height, 0) {}

bool CBitmap::loadFromFile(const char* path)
{
    if (path == nullptr)
        return false;
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes))
        return false;
    return loadFromMemory(bytes.data(), bytes.size());
}

bool CBitmap::loadFromMemory(const uint8_t* data, size_t size)
{
    return PngDecoder::decode(data, size, pixels);
}

void CBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& offset)
{
    drawAlphaBlend(context, rect, offset, 255);
}

void CBitmap::drawTransparent(CDrawContext* context, const CRect& rect, const CPoint& offset)
{
    drawAlphaBlend(context, rect, offset, 255);
}

void CBitmap::drawAlphaBlend(CDrawContext* context, const CRect& rect, const CPoint& offset, uint8_t opacity)
{
    if (context == nullptr || pixels.empty())
        return;
    context->blendPixels(pixels, rect, offset, opacity, noAlpha);
}
