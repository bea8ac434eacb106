// The X11 platform window: a child of the host's window on a display connection of its own.
#pragma once

#include "gui/platform/platform_window.h"

#include "gui/platform/x11/x11_xlib.h"

#include <cstdint>
#include <memory>
#include <vector>

class X11Image;
class X11Popup;

class X11Window : public PlatformWindow {
public:
    // The fastest a window is repainted while a modal loop runs (about 60 times a second).
    static constexpr int64_t kMinPresentMs = 16;

    explicit X11Window(PlatformEventHandler& handler);
    ~X11Window() override;

    // parent is the host's X window id. Opens our own connection to the display the environment names,
    // creates the window directly under the parent with the parent's visual, and maps it.
    bool open(void* parent, int32_t width, int32_t height) override;
    // Destroys what we made; a host that destroyed its window first leaves ours already gone (BadWindow,
    // expected and trapped).
    void close() override;
    bool isOpen() const override { return opened; }
    void present(const PixelBuffer& backBuffer, const CRect& area) override;
    void pumpEvents(bool inputAllowed) override;
    int32_t queryPointer(CPoint& where) override;
    void pointerLocation(CPoint& where) override;
    std::unique_ptr<PlatformPopup> openPopup(const CRect& area) override;

    Window windowId() const { return window; }
    bool usesSharedMemory() const;

private:
    friend class X11Popup;

    // Exposure and destruction of our window; true when the event was one of those.
    bool takeHousekeeping(const XEvent& event);
    // Shows what was exposed, and presents that waited when their time has come (or now, with force).
    void showPending(bool force);
    void takeQueuedHousekeeping();
    void releaseAll();

    PlatformEventHandler& handler;
    Display* display = nullptr;
    Window window = 0;
    Window parent = 0;
    GC gc = nullptr;
    std::unique_ptr<X11Image> image;
    bool opened = false;
    bool windowGone = false;
    CRect exposed;
    CRect unshown;
    // A modal loop is polling (queryPointer since the last input pass): presents are paced.
    bool polling = false;
    int64_t lastShownMs = -1000;
    CPoint lastPointer;
    std::vector<X11Popup*> popups;  // innermost last
};
