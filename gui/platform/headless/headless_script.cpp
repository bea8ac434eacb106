// How scripted steps turn into pointer state and events.
#include "gui/platform/headless/headless_script.h"

#include "gui/button_state.h"
#include "gui/platform/headless/headless_clock.h"

using Kind = HeadlessScript::Step::Kind;

namespace {

bool isMenuStep(Kind kind)
{
    return kind == Kind::kChoose || kind == Kind::kDismiss || kind == Kind::kKey;
}

}  // namespace

void HeadlessScript::apply(const Step& step)
{
    switch (step.kind) {
    case Kind::kPress:
        pointer = step.where;
        buttons |= step.buttons & kButtonMask;
        break;
    case Kind::kMove:
    case Kind::kWheel:
        pointer = step.where;
        break;
    case Kind::kRelease:
        buttons &= ~step.buttons;
        break;
    case Kind::kModifiers:
        modifiers = step.value & kModifierMask;
        break;
    case Kind::kWait:
        waitUntil = HeadlessClock::now() + step.value;
        break;
    default:
        break;
    }
}

PlatformEvent HeadlessScript::eventFor(const Step& step) const
{
    PlatformEvent event;
    event.where = pointer;
    event.buttons = state();
    switch (step.kind) {
    case Kind::kPress:
        event.type = PlatformEvent::Type::ButtonPress;
        break;
    case Kind::kRelease:
        event.type = PlatformEvent::Type::ButtonRelease;
        break;
    case Kind::kWheel:
        event.type = PlatformEvent::Type::Wheel;
        event.wheel = step.wheel;
        break;
    case Kind::kKey:
        event.type = PlatformEvent::Type::KeyPress;
        event.key = step.value;
        break;
    case Kind::kChoose:
        event.type = PlatformEvent::Type::MenuChoose;
        event.index = step.value;
        break;
    case Kind::kDismiss:
        event.type = PlatformEvent::Type::MenuDismiss;
        break;
    default:
        event.type = PlatformEvent::Type::Motion;
        break;
    }
    return event;
}

bool HeadlessScript::nextWindowEvent(PlatformEvent& event)
{
    while (!steps.empty()) {
        Step step = steps.front();
        steps.pop_front();
        if (step.kind == Kind::kWait) {
            HeadlessClock::advance(step.value);
            continue;
        }
        if (step.kind == Kind::kChoose || step.kind == Kind::kDismiss) {
            stray++;
            continue;
        }
        apply(step);
        if (step.kind == Kind::kModifiers)
            continue;
        event = eventFor(step);
        return true;
    }
    return false;
}

int32_t HeadlessScript::poll(CPoint& where)
{
    HeadlessClock::advance(kPollMs);
    if (waitUntil >= 0 && HeadlessClock::now() < waitUntil) {
        where = pointer;
        return state();
    }
    waitUntil = -1;
    if (steps.empty() || isMenuStep(steps.front().kind)) {
        buttons = 0;
    } else {
        apply(steps.front());
        steps.pop_front();
    }
    where = pointer;
    return state();
}

bool HeadlessScript::nextPopupEvent(PlatformEvent& event, const CRect& area)
{
    while (!steps.empty()) {
        Step step = steps.front();
        steps.pop_front();
        if (step.kind == Kind::kWait) {
            HeadlessClock::advance(step.value);
            continue;
        }
        apply(step);
        if (step.kind == Kind::kModifiers || step.kind == Kind::kWheel)
            continue;
        event = eventFor(step);
        event.where.offset(-area.left, -area.top);
        return true;
    }
    return false;
}
