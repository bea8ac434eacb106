// How one X image stores a pixel, and the conversion of our BGRA pixels into it, always opaque.
#pragma once

#include <cstdint>

class X11PixelFormat {
public:
    // The image's layout: bits per pixel (16 or 32 are served), byte order and the visual's colour masks.
    // False for any other layout (palettes, 24-bit packed pixels, masks that are not contiguous).
    bool configure(int bitsPerPixel, bool lsbFirst, unsigned long redMask, unsigned long greenMask,
                   unsigned long blueMask);
    int bytesPerPixel() const { return bits / 8; }
    // Writes count pixels; every bit outside the colour masks is set, so a 32-bit ARGB window shows them
    // opaque (and a depth-24 window ignores those bits).
    void convertRow(const uint32_t* source, uint8_t* target, int32_t count) const;
    // The one pixel value our BGRA pixel becomes (tests compare read-back pixels with it).
    uint32_t pixelOf(uint32_t bgra) const;

private:
    struct Channel {
        int shift = 0;
        int width = 0;
        bool set(unsigned long mask);
        uint32_t place(uint32_t value8) const;
    };

    int bits = 0;
    bool lsb = true;
    bool straight = false;  // our own layout: a copy with alpha forced
    Channel red, green, blue;
    uint32_t fill = 0;
};
