// Our own Xlib error handler for the span of our calls, the host's handler put back afterwards.
#pragma once

#include "gui/platform/x11/x11_xlib.h"

// Xlib's default handler exits the process, and the handler is process-wide: while a trap lives, errors on
// our display are counted instead; errors on other displays still go to the handler that was there before.
// Traps nest (the innermost counts). Only the user-interface thread makes them.
class X11ErrorTrap {
public:
    explicit X11ErrorTrap(Display* display);
    // Waits for the server to answer everything we sent, so that no error of ours reaches the host's handler.
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Waits for the server's answers; true when no error came since the trap was made (or last reset).
    bool sync();
    int errorCount() const { return errors; }
    // The error code of the last error (BadWindow, BadAccess, ...), 0 when none came.
    int lastError() const { return lastCode; }
    void reset() { errors = 0; lastCode = 0; }

    // Errors every trap has counted in this process, for tests that want none.
    static long totalErrors();

private:
    static int handle(Display* display, XErrorEvent* event);

    Display* display;
    XErrorHandler previous;
    X11ErrorTrap* outer;
    int errors = 0;
    int lastCode = 0;
};
