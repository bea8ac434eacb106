// Writes premultiplied pixels to a PNG file (screenshots of the editor, test images).
#pragma once

#include "gui/pixel_buffer.h"

#include <string>

class PngWriter {
public:
    // Straight (not premultiplied) 8-bit RGBA. False, with no file left behind, when anything fails.
    static bool write(const PixelBuffer& pixels, const std::string& path);
};
