// A menu surface of the X11 layer: an override-redirect window at the pointer that grabs pointer and keyboard.
#pragma once

#include "gui/platform/platform_window.h"

#include "gui/platform/x11/x11_xlib.h"

#include <memory>

class X11Image;
class X11Window;

class X11Popup : public PlatformPopup {
public:
    // area is in the owner's frame coordinates; the window is placed in root coordinates, moved so that it
    // stays on the screen.
    X11Popup(X11Window& owner, const CRect& area);
    ~X11Popup() override;

    // False when the window could not be made or the pointer could not be grabbed (without the grab a click
    // outside would never reach us, and the menu would never close).
    bool isShown() const { return popup != 0; }
    // Where the window went, in root coordinates.
    CRect placedArea() const { return placed; }

    void present(const PixelBuffer& image) override;
    bool waitEvent(PlatformEvent& event) override;

    // The owner is closing: our resources go with its display.
    void detach();

private:
    bool grab();
    bool takeEvent(const XEvent& native, PlatformEvent& event);
    void showExposed();

    X11Window* owner;
    Display* display;
    Window popup = 0;
    GC gc = nullptr;
    std::unique_ptr<X11Image> image;
    CRect placed;
    CRect exposed;
};
