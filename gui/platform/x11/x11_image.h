// An image on the client side in the window's pixel layout, in shared memory when the server offers it.
#pragma once

#include "gui/c_rect.h"
#include "gui/pixel_buffer.h"
#include "gui/platform/x11/x11_pixel_format.h"

#include "gui/platform/x11/x11_xlib.h"


#include <cstdint>

// Callers make it under an X11ErrorTrap (attaching shared memory fails on a remote server).
class X11Image {
public:
    X11Image(Display* display, Visual* visual, int depth, int32_t width, int32_t height, bool allowSharedMemory);
    ~X11Image();
    X11Image(const X11Image&) = delete;
    X11Image& operator=(const X11Image&) = delete;

    // False when no image could be made or the visual's layout is one we cannot write.
    bool valid() const { return image != nullptr; }
    bool usesSharedMemory() const { return shared; }
    int32_t width() const { return w; }
    int32_t height() const { return h; }
    const X11PixelFormat& format() const { return layout; }

    // Converts area of source into the same place of the image (clipped to both).
    void write(const PixelBuffer& source, const CRect& area);
    // Sends area of the image to the same place of the drawable.
    void put(Drawable target, GC gc, const CRect& area);

private:
    bool makeShared(Visual* visual, int depth);
    bool makePlain(Visual* visual, int depth);
    void release();

    Display* display;
    int32_t w;
    int32_t h;
    XImage* image = nullptr;
    XShmSegmentInfo segment{};
    bool shared = false;
    // The server may still be reading shared memory we sent; wait for it before writing again.
    bool putPending = false;
    X11PixelFormat layout;
};
