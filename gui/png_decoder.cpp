// libpng decoding with silent handlers: a broken file must fail the load, never abort the host.
#include "gui/png_decoder.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <new>
#include <vector>

namespace {

struct MemoryReader {
    const uint8_t* data;
    size_t size;
    size_t position;
};

// Everything the decode touches after setjmp lives here, in memory, so a longjmp leaves it well defined.
struct DecodeJob {
    MemoryReader reader;
    PixelBuffer decoded;
    std::vector<png_bytep> rows;
};

void onError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

void readFromMemory(png_structp png, png_bytep out, png_size_t length)
{
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (reader == nullptr || length > reader->size - reader->position)
        png_error(png, "truncated");
    std::memcpy(out, reader->data + reader->position, length);
    reader->position += length;
}

void chooseTransforms(png_structp png, png_infop info)
{
    int colorType = png_get_color_type(png, info);
    int bitDepth = png_get_bit_depth(png, info);
    if (colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    bool transparencyChunk = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (transparencyChunk)
        png_set_tRNS_to_alpha(png);
    if (bitDepth == 16)
        png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_bgr(png);
    bool hasAlpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0 || transparencyChunk;
    if (!hasAlpha)
        png_set_filler(png, 0xff, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
}

bool allocate(DecodeJob& job, png_uint_32 width, png_uint_32 height)
{
    try {
        job.decoded = PixelBuffer(int32_t(width), int32_t(height));
        job.rows.resize(height);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (job.decoded.empty())
        return false;
    for (png_uint_32 y = 0; y < height; ++y)
        job.rows[y] = reinterpret_cast<png_bytep>(job.decoded.row(int32_t(y)));
    return true;
}

bool runDecode(DecodeJob& job)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &job.reader, readFromMemory);
    png_set_user_limits(png, PngDecoder::kMaxSide, PngDecoder::kMaxSide);
    png_read_info(png, info);
    png_uint_32 width = png_get_image_width(png, info);
    png_uint_32 height = png_get_image_height(png, info);
    if (width == 0 || height == 0 || width > png_uint_32(PngDecoder::kMaxSide)
        || height > png_uint_32(PngDecoder::kMaxSide))
        png_error(png, "size");
    chooseTransforms(png, info);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != png_size_t(width) * 4)
        png_error(png, "layout");
    if (!allocate(job, width, height))
        png_error(png, "memory");
    png_read_image(png, job.rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

// Works on bytes so the result does not depend on the machine's byte order.
void premultiply(PixelBuffer& pixels)
{
    for (int32_t y = 0; y < pixels.height(); ++y) {
        uint32_t* row = pixels.row(y);
        for (int32_t x = 0; x < pixels.width(); ++x) {
            const auto* bytes = reinterpret_cast<const uint8_t*>(row + x);
            uint32_t blue = bytes[0], green = bytes[1], red = bytes[2], alpha = bytes[3];
            if (alpha == 0) {
                row[x] = 0;
                continue;
            }
            row[x] = PixelBuffer::pack(uint8_t(red * alpha / 256), uint8_t(green * alpha / 256),
                                       uint8_t(blue * alpha / 256), uint8_t(alpha));
        }
    }
}

}  // namespace

bool PngDecoder::decode(const uint8_t* data, size_t size, PixelBuffer& pixels)
{
    if (data == nullptr || size < 8 || png_sig_cmp(data, 0, 8) != 0)
        return false;
    DecodeJob job{MemoryReader{data, size, 0}, PixelBuffer(), {}};
    if (!runDecode(job))
        return false;
    premultiply(job.decoded);
    pixels = std::move(job.decoded);
    return true;
}
