// X button, modifier and key mapping.
#include "gui/platform/x11/x11_input.h"

#include "gui/button_state.h"

#include <X11/keysym.h>

int32_t X11Input::stateBits(unsigned int state)
{
    int32_t bits = 0;
    if (state & Button1Mask)
        bits |= kLButton;
    if (state & Button2Mask)
        bits |= kMButton;
    if (state & Button3Mask)
        bits |= kRButton;
    if (state & ShiftMask)
        bits |= kShift;
    if (state & ControlMask)
        bits |= kControl;
    if (state & Mod1Mask)
        bits |= kAlt;
    if (state & Mod4Mask)
        bits |= kApple;
    return bits;
}

int32_t X11Input::buttonBit(unsigned int button)
{
    switch (button) {
    case Button1:
        return kLButton;
    case Button2:
        return kMButton;
    case Button3:
        return kRButton;
    default:
        return 0;
    }
}

bool X11Input::translate(const XEvent& native, PlatformEvent& event)
{
    event = PlatformEvent();
    switch (native.type) {
    case kXButtonPress:
    case kXButtonRelease: {
        const XButtonEvent& button = native.xbutton;
        event.where = CPoint(button.x, button.y);
        if (button.button == Button4 || button.button == Button5) {
            if (native.type == kXButtonRelease)
                return false;
            event.type = PlatformEvent::Type::Wheel;
            event.wheel = button.button == Button4 ? 1.0f : -1.0f;
            event.buttons = stateBits(button.state);
            return true;
        }
        int32_t bit = buttonBit(button.button);
        if (bit == 0)
            return false;
        if (native.type == kXButtonPress) {
            event.type = PlatformEvent::Type::ButtonPress;
            event.buttons = stateBits(button.state) | bit;
        } else {
            event.type = PlatformEvent::Type::ButtonRelease;
            event.buttons = stateBits(button.state) & ~bit;
        }
        return true;
    }
    case MotionNotify:
        event.type = PlatformEvent::Type::Motion;
        event.where = CPoint(native.xmotion.x, native.xmotion.y);
        event.buttons = stateBits(native.xmotion.state);
        return true;
    case kXKeyPress: {
        XKeyEvent key = native.xkey;
        KeySym symbol = XLookupKeysym(&key, 0);
        event.type = PlatformEvent::Type::KeyPress;
        event.where = CPoint(key.x, key.y);
        event.buttons = stateBits(key.state);
        if (symbol == XK_Escape)
            event.key = PlatformEvent::kKeyEscape;
        else if (symbol == XK_Return || symbol == XK_KP_Enter)
            event.key = PlatformEvent::kKeyReturn;
        else
            return false;
        return true;
    }
    default:
        return false;
    }
}
