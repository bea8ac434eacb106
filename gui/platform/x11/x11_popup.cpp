// X11 pop-ups: placement, the grabs, presenting and the menu's event wait.
#include "gui/platform/x11/x11_popup.h"

#include "gui/platform/platform_time.h"
#include "gui/platform/x11/x11_error_trap.h"
#include "gui/platform/x11/x11_image.h"
#include "gui/platform/x11/x11_input.h"
#include "gui/platform/x11/x11_window.h"

#include <poll.h>

#include <algorithm>

namespace {

constexpr long kPopupEvents =
    ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask | StructureNotifyMask;
constexpr unsigned kGrabbedPointerEvents = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
// A host may hold a grab for a moment (its own menu closing); we try for about a fifth of a second.
constexpr int kGrabTries = 40;
constexpr int kGrabRetryMs = 5;

int32_t placeOnScreen(int32_t start, int32_t size, int32_t screen)
{
    if (start + size > screen)
        start = screen - size;
    return std::max(start, 0);
}

}  // namespace

X11Popup::X11Popup(X11Window& owner, const CRect& area) : owner(&owner), display(owner.display)
{
    X11ErrorTrap trap(display);
    int screenNumber = DefaultScreen(display);
    Window root = RootWindow(display, screenNumber);
    XWindowAttributes ownerAttributes;
    if (XGetWindowAttributes(display, owner.window, &ownerAttributes) && ownerAttributes.root != 0) {
        root = ownerAttributes.root;
        screenNumber = XScreenNumberOfScreen(ownerAttributes.screen);
    }
    int rootX = 0, rootY = 0;
    Window child = 0;
    if (!XTranslateCoordinates(display, owner.window, root, area.left, area.top, &rootX, &rootY, &child) ||
        !trap.sync())
        return;
    int32_t width = area.width(), height = area.height();
    rootX = placeOnScreen(rootX, width, DisplayWidth(display, screenNumber));
    rootY = placeOnScreen(rootY, height, DisplayHeight(display, screenNumber));
    placed = CRect(rootX, rootY, rootX + width, rootY + height);

    Visual* visual = DefaultVisual(display, screenNumber);
    int depth = DefaultDepth(display, screenNumber);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.save_under = True;
    attributes.event_mask = kPopupEvents;
    attributes.background_pixmap = None;
    attributes.border_pixel = 0;
    attributes.colormap = DefaultColormap(display, screenNumber);
    Window made = XCreateWindow(display, root, rootX, rootY, unsigned(width), unsigned(height), 0, depth,
                                InputOutput, visual,
                                CWOverrideRedirect | CWSaveUnder | CWEventMask | CWBackPixmap | CWBorderPixel |
                                    CWColormap,
                                &attributes);
    if (!trap.sync() || made == 0)
        return;
    popup = made;
    gc = XCreateGC(display, popup, 0, nullptr);
    image = std::make_unique<X11Image>(display, visual, depth, width, height, true);
    if (gc == nullptr || !image->valid()) {
        detach();
        return;
    }
    XMapRaised(display, popup);
    // An override-redirect window is viewable as soon as the server has mapped it.
    if (!trap.sync() || !grab()) {
        detach();
        return;
    }
    owner.popups.push_back(this);
}

X11Popup::~X11Popup()
{
    if (owner == nullptr)
        return;
    X11Window& window = *owner;
    auto& stack = window.popups;
    stack.erase(std::remove(stack.begin(), stack.end(), this), stack.end());
    detach();
    // A sub-menu closing hands the grab back to the menu it came from.
    if (!stack.empty())
        stack.back()->grab();
}

bool X11Popup::grab()
{
    X11ErrorTrap trap(display);
    int result = GrabNotViewable;
    for (int attempt = 0; attempt < kGrabTries; ++attempt) {
        result = XGrabPointer(display, popup, False, kGrabbedPointerEvents, GrabModeAsync, GrabModeAsync, None,
                              None, CurrentTime);
        if (result == GrabSuccess)
            break;
        PlatformTime::sleepMs(kGrabRetryMs);
    }
    if (result != GrabSuccess)
        return false;
    // Escape needs the keyboard; without it the menu still closes on a click outside.
    XGrabKeyboard(display, popup, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    return trap.sync();
}

void X11Popup::detach()
{
    if (popup != 0 || gc != nullptr || image) {
        X11ErrorTrap trap(display);
        if (popup != 0) {
            XUngrabPointer(display, CurrentTime);
            XUngrabKeyboard(display, CurrentTime);
        }
        image.reset();
        if (gc != nullptr)
            XFreeGC(display, gc);
        if (popup != 0)
            XDestroyWindow(display, popup);
    }
    gc = nullptr;
    popup = 0;
    if (owner != nullptr) {
        auto& stack = owner->popups;
        stack.erase(std::remove(stack.begin(), stack.end(), this), stack.end());
    }
    owner = nullptr;
}

void X11Popup::present(const PixelBuffer& picture)
{
    if (popup == 0)
        return;
    X11ErrorTrap trap(display);
    CRect all(0, 0, image->width(), image->height());
    image->write(picture, all);
    image->put(popup, gc, all);
}

void X11Popup::showExposed()
{
    if (popup != 0 && !exposed.isEmpty())
        image->put(popup, gc, exposed);
    exposed = CRect();
    if (owner != nullptr)
        owner->showPending(false);
}

bool X11Popup::takeEvent(const XEvent& native, PlatformEvent& event)
{
    if (owner != nullptr && owner->takeHousekeeping(native)) {
        if (owner->windowGone) {
            event = PlatformEvent();
            event.type = PlatformEvent::Type::MenuDismiss;
            return true;
        }
        return false;
    }
    if (native.xany.window != popup)
        return false;  // input queued for the editor before the grab, or for a closed sub-menu
    switch (native.type) {
    case kXExpose:
        exposed.unite(CRect(native.xexpose.x, native.xexpose.y, native.xexpose.x + native.xexpose.width,
                            native.xexpose.y + native.xexpose.height));
        return false;
    case UnmapNotify:
    case DestroyNotify:
        event = PlatformEvent();
        event.type = PlatformEvent::Type::MenuDismiss;
        return true;
    default:
        break;
    }
    if (!X11Input::translate(native, event) || event.type == PlatformEvent::Type::Wheel)
        return false;
    return true;
}

bool X11Popup::waitEvent(PlatformEvent& event)
{
    while (popup != 0 && owner != nullptr && owner->opened) {
        bool got = false;
        {
            X11ErrorTrap trap(display);
            while (!got && XPending(display) > 0) {
                XEvent native;
                XNextEvent(display, &native);
                got = takeEvent(native, event);
            }
            // Motion is merged: only the latest position of a run of moves counts.
            while (got && event.type == PlatformEvent::Type::Motion && XPending(display) > 0) {
                XEvent next;
                XPeekEvent(display, &next);
                if (next.type != MotionNotify || next.xany.window != popup)
                    break;
                XNextEvent(display, &next);
                X11Input::translate(next, event);
            }
            showExposed();
            if (!trap.sync() && owner != nullptr && owner->windowGone)
                return false;
        }
        if (got)
            return true;
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, int(X11Window::kMinPresentMs));
    }
    return false;
}
