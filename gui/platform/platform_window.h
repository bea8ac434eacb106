// The whole platform surface the toolkit uses: a window that shows the back buffer, input, pop-ups.
#pragma once

#include "gui/c_point.h"
#include "gui/c_rect.h"
#include "gui/pixel_buffer.h"
#include "gui/platform/platform_event.h"

#include <cstdint>
#include <memory>

class PlatformEventHandler {
public:
    virtual ~PlatformEventHandler() = default;
    virtual void handlePlatformEvent(const PlatformEvent& event) = 0;
};

// A surface outside the window (menus) that the toolkit draws and polls itself.
class PlatformPopup {
public:
    virtual ~PlatformPopup() = default;
    // image is the pop-up's whole content, of the size it was opened with.
    virtual void present(const PixelBuffer& image) = 0;
    // Waits for the next pop-up event: pointer events in pop-up coordinates (a press outside has
    // coordinates outside the pop-up), Escape, MenuChoose or MenuDismiss. False when the pop-up
    // cannot go on; the caller treats that as dismissed.
    virtual bool waitEvent(PlatformEvent& event) = 0;
};

class PlatformWindow {
public:
    // Defined by the one platform layer the build links.
    static std::unique_ptr<PlatformWindow> create(PlatformEventHandler& handler);

    virtual ~PlatformWindow() = default;

    // Creates the window as a child of parent (the host's window handle; the headless layer keeps it only).
    virtual bool open(void* parent, int32_t width, int32_t height) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Shows area (frame coordinates) of the back buffer, which is as large as the window.
    virtual void present(const PixelBuffer& backBuffer, const CRect& area) = 0;
    // Delivers pending native events to the handler. With inputAllowed false a modal loop is running:
    // only housekeeping (exposures) happens and input is left for the loop's own polling.
    virtual void pumpEvents(bool inputAllowed) = 0;
    // A modal loop's poll: answers the button and modifier bits now, where in frame coordinates.
    virtual int32_t queryPointer(CPoint& where) = 0;
    // Where the pointer is now (frame coordinates), without polling for input.
    virtual void pointerLocation(CPoint& where) = 0;
    // A pop-up at area (frame coordinates; it may extend beyond the window). Null when none can be made.
    virtual std::unique_ptr<PlatformPopup> openPopup(const CRect& area) = 0;
};
