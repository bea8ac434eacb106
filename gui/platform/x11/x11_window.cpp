// The X11 window: creation under the host's window, presenting, event pumping and pointer polling.
#include "gui/platform/x11/x11_window.h"

#include "gui/platform/platform_time.h"
#include "gui/platform/x11/x11_error_trap.h"
#include "gui/platform/x11/x11_image.h"
#include "gui/platform/x11/x11_input.h"
#include "gui/platform/x11/x11_popup.h"

#include <algorithm>

namespace {

// A pass takes what was queued, but a flood of motion cannot hold the host's idle forever.
constexpr int kMaxEventsPerPass = 2000;

constexpr long kWindowEvents =
    ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | StructureNotifyMask;

}  // namespace

std::unique_ptr<PlatformWindow> PlatformWindow::create(PlatformEventHandler& handler)
{
    return std::make_unique<X11Window>(handler);
}

X11Window::X11Window(PlatformEventHandler& handler) : handler(handler) {}

X11Window::~X11Window()
{
    close();
}

bool X11Window::usesSharedMemory() const
{
    return image && image->usesSharedMemory();
}

bool X11Window::open(void* parentWindow, int32_t width, int32_t height)
{
    auto parentId = Window(reinterpret_cast<uintptr_t>(parentWindow));
    if (opened || parentId == 0 || width <= 0 || height <= 0 || width > 16384 || height > 16384)
        return false;
    display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return false;
    parent = parentId;
    bool made = false;
    {
        X11ErrorTrap trap(display);
        XWindowAttributes parentAttributes;
        if (XGetWindowAttributes(display, parent, &parentAttributes) && trap.sync() &&
            parentAttributes.c_class == InputOutput) {
            XSetWindowAttributes attributes{};
            attributes.event_mask = kWindowEvents;
            attributes.background_pixmap = None;  // no flash of background: exposures are answered from our image
            attributes.border_pixel = 0;
            attributes.colormap = parentAttributes.colormap;
            window = XCreateWindow(display, parent, 0, 0, unsigned(width), unsigned(height), 0,
                                   parentAttributes.depth, InputOutput, parentAttributes.visual,
                                   CWEventMask | CWBackPixmap | CWBorderPixel | CWColormap, &attributes);
            if (trap.sync() && window != 0) {
                gc = XCreateGC(display, window, 0, nullptr);
                image = std::make_unique<X11Image>(display, parentAttributes.visual, parentAttributes.depth, width,
                                                   height, true);
                if (gc != nullptr && image->valid()) {
                    image->write(PixelBuffer(width, height, PixelBuffer::pack(0, 0, 0, 255)), CRect(0, 0, width, height));
                    XMapWindow(display, window);
                    made = trap.sync();
                }
            }
        }
        if (!made)
            releaseAll();
    }
    if (!made) {
        XCloseDisplay(display);
        display = nullptr;
        return false;
    }
    opened = true;
    windowGone = false;
    exposed = CRect();
    unshown = CRect();
    lastShownMs = PlatformTime::nowMs() - kMinPresentMs;
    return true;
}

void X11Window::releaseAll()
{
    for (X11Popup* popup : popups)
        popup->detach();
    popups.clear();
    image.reset();
    if (gc != nullptr)
        XFreeGC(display, gc);
    gc = nullptr;
    if (window != 0 && !windowGone)
        XDestroyWindow(display, window);
    window = 0;
}

void X11Window::close()
{
    if (!opened)
        return;
    opened = false;
    {
        X11ErrorTrap trap(display);
        releaseAll();
    }
    // Everything we sent has been answered, so closing raises no error of ours in the host's handler.
    XCloseDisplay(display);
    display = nullptr;
}

bool X11Window::takeHousekeeping(const XEvent& event)
{
    if (event.xany.window != window)
        return false;
    if (event.type == kXExpose) {
        exposed.unite(CRect(event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                            event.xexpose.y + event.xexpose.height));
        return true;
    }
    if (event.type == DestroyNotify && event.xdestroywindow.window == window) {
        windowGone = true;
        return true;
    }
    return false;
}

void X11Window::takeQueuedHousekeeping()
{
    XEvent event;
    while (XCheckTypedWindowEvent(display, window, kXExpose, &event))
        takeHousekeeping(event);
    while (XCheckTypedWindowEvent(display, window, DestroyNotify, &event))
        takeHousekeeping(event);
}

void X11Window::showPending(bool force)
{
    if (!opened || windowGone)
        return;
    int64_t now = PlatformTime::nowMs();
    bool due = force || now - lastShownMs >= kMinPresentMs;
    CRect area = exposed;
    if (due)
        area.unite(unshown);
    if (area.isEmpty())
        return;
    image->put(window, gc, area);
    exposed = CRect();
    if (due) {
        unshown = CRect();
        lastShownMs = now;
    }
}

void X11Window::present(const PixelBuffer& backBuffer, const CRect& area)
{
    if (!opened || windowGone)
        return;
    CRect visible = area;
    visible.bound(CRect(0, 0, image->width(), image->height()));
    if (visible.isEmpty())
        return;
    X11ErrorTrap trap(display);
    image->write(backBuffer, visible);
    unshown.unite(visible);
    showPending(!polling);
}

void X11Window::pumpEvents(bool inputAllowed)
{
    if (!opened)
        return;
    X11ErrorTrap trap(display);
    if (!inputAllowed) {
        // A modal loop polls for itself: only exposures, and input stays queued for whoever takes it.
        takeQueuedHousekeeping();
        showPending(false);
        return;
    }
    polling = false;
    PlatformEvent motion;
    bool moved = false;
    for (int taken = 0; opened && taken < kMaxEventsPerPass && XPending(display) > 0; ++taken) {
        XEvent native;
        XNextEvent(display, &native);
        if (takeHousekeeping(native) || native.xany.window != window || windowGone)
            continue;
        PlatformEvent event;
        if (!X11Input::translate(native, event) || event.type == PlatformEvent::Type::KeyPress)
            continue;
        if (event.type == PlatformEvent::Type::Motion) {
            motion = event;
            moved = true;
            continue;
        }
        // What was exposed so far is shown before a press starts a loop that may take a while.
        showPending(true);
        handler.handlePlatformEvent(event);
        polling = false;
    }
    if (moved && opened && !windowGone)
        handler.handlePlatformEvent(motion);
    showPending(true);
    if (!trap.sync() && trap.lastError() == BadWindow)
        windowGone = true;
}

int32_t X11Window::queryPointer(CPoint& where)
{
    if (!opened || windowGone) {
        where = lastPointer;
        return 0;
    }
    polling = true;
    X11ErrorTrap trap(display);
    takeQueuedHousekeeping();
    XEvent dropped;
    while (XCheckTypedWindowEvent(display, window, MotionNotify, &dropped)) {
        // the loop reads the position itself
    }
    showPending(false);
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int mask = 0;
    bool sameScreen = XQueryPointer(display, window, &root, &child, &rootX, &rootY, &x, &y, &mask);
    if (!trap.sync()) {
        windowGone = true;
        where = lastPointer;
        return 0;
    }
    if (sameScreen)
        lastPointer = CPoint(x, y);
    where = lastPointer;
    return X11Input::stateBits(mask);
}

void X11Window::pointerLocation(CPoint& where)
{
    if (!opened || windowGone) {
        where = lastPointer;
        return;
    }
    X11ErrorTrap trap(display);
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int mask = 0;
    if (XQueryPointer(display, window, &root, &child, &rootX, &rootY, &x, &y, &mask) && trap.sync())
        lastPointer = CPoint(x, y);
    where = lastPointer;
}

std::unique_ptr<PlatformPopup> X11Window::openPopup(const CRect& area)
{
    if (!opened || windowGone || area.isEmpty())
        return nullptr;
    auto popup = std::make_unique<X11Popup>(*this, area);
    if (!popup->isShown())
        return nullptr;
    return popup;
}
