// One input or window event, the portable form every platform layer translates its native events into.
#pragma once

#include "gui/c_point.h"
#include "gui/c_rect.h"

#include <cstdint>

struct PlatformEvent {
    enum class Type {
        ButtonPress,    // buttons: the state including the pressed button and the modifiers
        ButtonRelease,  // buttons: the state after the release
        Motion,
        Wheel,          // wheel: notches, positive away from the user
        KeyPress,       // key: one of the Key values below, or a character code
        Expose,         // area: to be shown again
        MenuChoose,     // pop-up menus only: index of the entry chosen without the pointer
        MenuDismiss,    // pop-up menus only: closed without a choice (click outside, focus lost)
    };
    enum Key : int32_t { kKeyEscape = 0x1b, kKeyReturn = 0x0d };

    Type type = Type::Motion;
    CPoint where;         // frame coordinates, or pop-up coordinates for pop-up events
    int32_t buttons = 0;  // button_state.h bits
    float wheel = 0.0f;
    int32_t key = 0;
    int32_t index = -1;
    CRect area;
};
