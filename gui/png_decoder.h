// Decodes a PNG held in memory into premultiplied BGRA pixels, the way every skin image is read.
#pragma once

#include "gui/pixel_buffer.h"

#include <cstddef>
#include <cstdint>

class PngDecoder {
public:
    // Larger images are refused before any pixel memory is taken.
    static constexpr int32_t kMaxSide = 8192;

    // Palette and grey expanded, transparency chunk to alpha, opaque alpha added, 16 bits to 8, top row
    // first, then every pixel premultiplied (colour × alpha ÷ 256, truncated; alpha 0 makes the pixel 0).
    // On any failure answers false and leaves pixels as they were.
    static bool decode(const uint8_t* data, size_t size, PixelBuffer& pixels);
};
