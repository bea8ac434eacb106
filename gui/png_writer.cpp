// libpng writing with silent handlers; the partial file is removed when writing fails.
#include "gui/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <new>
#include <vector>

namespace {

void onError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

std::vector<uint8_t> straightRgba(const PixelBuffer& pixels)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(pixels.width()) * pixels.height() * 4);
    size_t at = 0;
    for (int32_t y = 0; y < pixels.height(); ++y) {
        const uint32_t* row = pixels.row(y);
        for (int32_t x = 0; x < pixels.width(); ++x) {
            uint32_t p = row[x];
            uint32_t alpha = PixelBuffer::alphaOf(p);
            auto unpremultiply = [alpha](uint32_t c) -> uint8_t {
                if (alpha == 0)
                    return 0;
                uint32_t straight = (c * 255 + alpha / 2) / alpha;
                return uint8_t(straight > 255 ? 255 : straight);
            };
            bytes[at++] = unpremultiply(PixelBuffer::redOf(p));
            bytes[at++] = unpremultiply(PixelBuffer::greenOf(p));
            bytes[at++] = unpremultiply(PixelBuffer::blueOf(p));
            bytes[at++] = uint8_t(alpha);
        }
    }
    return bytes;
}

bool runEncode(FILE* file, const PixelBuffer& pixels, std::vector<png_bytep>& rows)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(pixels.width()), png_uint_32(pixels.height()), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool PngWriter::write(const PixelBuffer& pixels, const std::string& path)
{
    if (pixels.empty())
        return false;
    std::vector<uint8_t> bytes;
    std::vector<png_bytep> rows;
    try {
        bytes = straightRgba(pixels);
        rows.resize(size_t(pixels.height()));
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (int32_t y = 0; y < pixels.height(); ++y)
        rows[size_t(y)] = bytes.data() + size_t(y) * size_t(pixels.width()) * 4;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    bool written = runEncode(file, pixels, rows);
    if (std::fclose(file) != 0)
        written = false;
    if (!written)
        std::remove(path.c_str());
    return written;
}
