// Xlib for the X11 layer, with the event-type macros that collide with the toolkit's names made constants.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

// Xlib spells event types as macros (ButtonPress, Expose, ...), which would rewrite PlatformEvent::Type's
// members of the same names; every file of this layer includes Xlib through here and uses these instead.
constexpr int kXButtonPress = ButtonPress;
constexpr int kXButtonRelease = ButtonRelease;
constexpr int kXKeyPress = KeyPress;
constexpr int kXExpose = Expose;
#undef ButtonPress
#undef ButtonRelease
#undef KeyPress
#undef Expose
