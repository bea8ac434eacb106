// The mouse button and modifier bits every view and platform layer speaks.
#pragma once

enum ButtonState : int {
    kLButton = 1,
    kMButton = 2,
    kRButton = 4,
    kShift = 8,
    kControl = 16,
    kAlt = 32,
    kApple = 64,
};

constexpr int kButtonMask = kLButton | kMButton | kRButton;
constexpr int kModifierMask = kShift | kControl | kAlt | kApple;
// The state a mouse handler is given when it should read the current one itself.
constexpr int kReadCurrentButtons = -1;
