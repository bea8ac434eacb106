// X input in the toolkit's terms: button and modifier bits, wheel notches, the two keys menus use.
#pragma once

#include "gui/platform/platform_event.h"

#include "gui/platform/x11/x11_xlib.h"

#include <cstdint>

class X11Input {
public:
    // The server has already applied the user's button mapping, so buttons are taken as they come:
    // 1 left, 2 middle, 3 right; Shift, Control, Mod1 (Alt) and Mod4 (the logo key) as modifiers.
    static int32_t stateBits(unsigned int state);
    // The bit of one button, 0 for the wheel and other buttons.
    static int32_t buttonBit(unsigned int button);
    // A pointer or key event of a window as the toolkit's event, in that window's coordinates. Buttons 4 and 5
    // are wheel notches (4 away from the user); presses carry the state with the pressed button, releases the
    // state after the release. False for events the toolkit has no use for (other buttons, other keys).
    static bool translate(const XEvent& native, PlatformEvent& event);
};
