// Repeats a step while a mouse button stays held: at the press, then whenever more than 333 ms have passed
// (the selectors' arrows and the program steppers).
#pragma once

#include <cstdint>
#include <functional>

class CDrawContext;
class CFrame;

class PressRepeater {
public:
    static constexpr int64_t kRepeatMs = 333;

    // Runs step at once, then again while any button is held, painting after each step; the frame's paced
    // idle pass runs between checks.
    static void run(CFrame* frame, CDrawContext* context, const std::function<void()>& step);
};
