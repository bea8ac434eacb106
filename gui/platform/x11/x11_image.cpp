// X images: shared-memory or plain, written from BGRA pixels, put by area.
#include "gui/platform/x11/x11_image.h"

#include "gui/platform/x11/x11_error_trap.h"



#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>

X11Image::X11Image(Display* display, Visual* visual, int depth, int32_t width, int32_t height,
                   bool allowSharedMemory)
    : display(display), w(width), h(height)
{
    if (display == nullptr || visual == nullptr || width <= 0 || height <= 0 || width > 16384 || height > 16384)
        return;
    if (!(allowSharedMemory && makeShared(visual, depth)) && !makePlain(visual, depth))
        return;
    if (!layout.configure(image->bits_per_pixel, image->byte_order == LSBFirst, image->red_mask,
                          image->green_mask, image->blue_mask))
        release();
}

X11Image::~X11Image()
{
    release();
}

bool X11Image::makeShared(Visual* visual, int depth)
{
    if (!XShmQueryExtension(display))
        return false;
    XImage* made = XShmCreateImage(display, visual, unsigned(depth), ZPixmap, nullptr, &segment, unsigned(w),
                                   unsigned(h));
    if (made == nullptr)
        return false;
    segment.shmid = shmget(IPC_PRIVATE, size_t(made->bytes_per_line) * size_t(h), IPC_CREAT | 0600);
    if (segment.shmid < 0) {
        XDestroyImage(made);
        return false;
    }
    segment.shmaddr = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
    // Marked for removal at once: the segment goes away when both sides have detached, whatever happens.
    shmctl(segment.shmid, IPC_RMID, nullptr);
    if (segment.shmaddr == reinterpret_cast<char*>(-1)) {
        XDestroyImage(made);
        return false;
    }
    made->data = segment.shmaddr;
    segment.readOnly = False;
    // A server on another machine refuses the segment; its error arrives with the sync.
    bool attached = false;
    {
        X11ErrorTrap trap(display);
        attached = XShmAttach(display, &segment) && trap.sync();
    }
    if (!attached) {
        shmdt(segment.shmaddr);
        made->data = nullptr;
        XDestroyImage(made);
        return false;
    }
    image = made;
    shared = true;
    return true;
}

bool X11Image::makePlain(Visual* visual, int depth)
{
    XImage* made = XCreateImage(display, visual, unsigned(depth), ZPixmap, 0, nullptr, unsigned(w), unsigned(h),
                                32, 0);
    if (made == nullptr)
        return false;
    made->data = static_cast<char*>(std::calloc(size_t(made->bytes_per_line), size_t(h)));
    if (made->data == nullptr) {
        XDestroyImage(made);
        return false;
    }
    image = made;
    return true;
}

void X11Image::release()
{
    if (image == nullptr)
        return;
    if (shared) {
        X11ErrorTrap trap(display);
        XShmDetach(display, &segment);
        trap.sync();
        shmdt(segment.shmaddr);
        image->data = nullptr;
    }
    XDestroyImage(image);  // frees a plain image's pixels with it
    image = nullptr;
    shared = false;
}

void X11Image::write(const PixelBuffer& source, const CRect& area)
{
    if (image == nullptr)
        return;
    CRect clipped = area;
    clipped.bound(CRect(0, 0, w, h));
    clipped.bound(source.bounds());
    if (clipped.isEmpty())
        return;
    if (putPending) {
        XSync(display, False);
        putPending = false;
    }
    int32_t offset = clipped.left * layout.bytesPerPixel();
    for (int32_t y = clipped.top; y < clipped.bottom; ++y) {
        auto* row = reinterpret_cast<uint8_t*>(image->data) + size_t(y) * size_t(image->bytes_per_line) + offset;
        layout.convertRow(source.row(y) + clipped.left, row, clipped.width());
    }
}

void X11Image::put(Drawable target, GC gc, const CRect& area)
{
    if (image == nullptr)
        return;
    CRect clipped = area;
    clipped.bound(CRect(0, 0, w, h));
    if (clipped.isEmpty())
        return;
    if (shared) {
        XShmPutImage(display, target, gc, image, clipped.left, clipped.top, clipped.left, clipped.top,
                     unsigned(clipped.width()), unsigned(clipped.height()), False);
        putPending = true;
    } else {
        XPutImage(display, target, gc, image, clipped.left, clipped.top, clipped.left, clipped.top,
                  unsigned(clipped.width()), unsigned(clipped.height()));
    }
}
