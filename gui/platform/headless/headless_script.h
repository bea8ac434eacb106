// Scripted input for the headless layer: a queue of steps and the pointer state they leave behind.
#pragma once

#include "gui/c_point.h"
#include "gui/c_rect.h"
#include "gui/platform/platform_event.h"

#include <cstdint>
#include <cstddef>
#include <deque>

class HeadlessScript {
public:
    struct Step {
        enum class Kind { kPress, kMove, kRelease, kWheel, kModifiers, kWait, kKey, kChoose, kDismiss };
        Kind kind = Kind::kMove;
        CPoint where;
        int32_t buttons = 0;
        float wheel = 0.0f;
        int32_t value = 0;  // milliseconds, key code, entry index or modifier bits
    };
    // Clock milliseconds one poll of a modal loop takes, so time passes while a loop spins.
    static constexpr int64_t kPollMs = 1;

    void add(const Step& step) { steps.push_back(step); }
    bool empty() const { return steps.empty(); }
    size_t pending() const { return steps.size(); }
    void clear() { steps.clear(); }

    // Outside modal loops: the next step as an event for the window (false when none is left or the step
    // is only state: modifiers and waits are applied and the next step taken).
    bool nextWindowEvent(PlatformEvent& event);
    // A modal loop's poll: a tick of the clock, then at most one step; a menu step, or an empty script,
    // lets go of every button so that no loop can wait forever.
    int32_t poll(CPoint& where);
    // A pop-up's next event, in pop-up coordinates (area is the pop-up in frame coordinates).
    bool nextPopupEvent(PlatformEvent& event, const CRect& area);

    CPoint position() const { return pointer; }
    int32_t state() const { return buttons | modifiers; }
    // Menu steps that came when no menu was open.
    int32_t strayMenuSteps() const { return stray; }

private:
    void apply(const Step& step);
    PlatformEvent eventFor(const Step& step) const;

    std::deque<Step> steps;
    CPoint pointer;
    int32_t buttons = 0;
    int32_t modifiers = 0;
    int64_t waitUntil = -1;
    int32_t stray = 0;
};
