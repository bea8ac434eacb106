// Pixel layout conversion for X images.
#include "gui/platform/x11/x11_pixel_format.h"

#include <cstring>

namespace {

bool hostIsLittleEndian()
{
    const uint16_t probe = 1;
    uint8_t first = 0;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}

}  // namespace

bool X11PixelFormat::Channel::set(unsigned long mask)
{
    if (mask == 0 || mask > 0xFFFFFFFFul)
        return false;
    shift = 0;
    while (((mask >> shift) & 1ul) == 0)
        shift++;
    width = 0;
    while (((mask >> (shift + width)) & 1ul) != 0)
        width++;
    // A mask with a hole in it describes no layout we know.
    return (mask >> (shift + width)) == 0 && width <= 16;
}

uint32_t X11PixelFormat::Channel::place(uint32_t value8) const
{
    uint32_t scaled = width <= 8 ? value8 >> (8 - width) : (value8 << (width - 8)) | (value8 >> (16 - width));
    return scaled << shift;
}

bool X11PixelFormat::configure(int bitsPerPixel, bool lsbFirst, unsigned long redMask, unsigned long greenMask,
                               unsigned long blueMask)
{
    if (bitsPerPixel != 16 && bitsPerPixel != 32)
        return false;
    if (!red.set(redMask) || !green.set(greenMask) || !blue.set(blueMask))
        return false;
    unsigned long all = bitsPerPixel == 32 ? 0xFFFFFFFFul : 0xFFFFul;
    if (((redMask | greenMask | blueMask) & ~all) != 0 || (redMask & greenMask) != 0 || (redMask & blueMask) != 0 ||
        (greenMask & blueMask) != 0)
        return false;
    bits = bitsPerPixel;
    lsb = lsbFirst;
    fill = uint32_t(all & ~(redMask | greenMask | blueMask));
    straight = bits == 32 && lsb == hostIsLittleEndian() && redMask == 0xFF0000ul && greenMask == 0xFF00ul &&
               blueMask == 0xFFul;
    return true;
}

uint32_t X11PixelFormat::pixelOf(uint32_t bgra) const
{
    return red.place((bgra >> 16) & 0xFF) | green.place((bgra >> 8) & 0xFF) | blue.place(bgra & 0xFF) | fill;
}

void X11PixelFormat::convertRow(const uint32_t* source, uint8_t* target, int32_t count) const
{
    if (straight) {
        auto* out = reinterpret_cast<uint32_t*>(target);
        for (int32_t i = 0; i < count; ++i)
            out[i] = source[i] | fill;
        return;
    }
    for (int32_t i = 0; i < count; ++i) {
        uint32_t value = pixelOf(source[i]);
        uint8_t* at = target + i * (bits / 8);
        for (int byte = 0; byte < bits / 8; ++byte) {
            int shift = lsb ? 8 * byte : bits - 8 - 8 * byte;
            at[byte] = uint8_t(value >> shift);
        }
    }
}
