// The error trap: a stack of traps on the user-interface thread, the innermost one receiving our errors.
#include "gui/platform/x11/x11_error_trap.h"

namespace {

X11ErrorTrap* innermost = nullptr;
long countedErrors = 0;

}  // namespace

// Every request on our display is made under a trap and answered before the trap ends, so nothing of ours
// is outstanding when the next one starts.
X11ErrorTrap::X11ErrorTrap(Display* display) : display(display), outer(innermost)
{
    previous = XSetErrorHandler(&X11ErrorTrap::handle);
    innermost = this;
}

X11ErrorTrap::~X11ErrorTrap()
{
    if (display != nullptr)
        XSync(display, False);
    innermost = outer;
    XSetErrorHandler(previous);
}

bool X11ErrorTrap::sync()
{
    if (display != nullptr)
        XSync(display, False);
    return errors == 0;
}

long X11ErrorTrap::totalErrors()
{
    return countedErrors;
}

int X11ErrorTrap::handle(Display* display, XErrorEvent* event)
{
    for (X11ErrorTrap* trap = innermost; trap != nullptr; trap = trap->outer) {
        if (trap->display == display) {
            trap->errors++;
            trap->lastCode = event->error_code;
            countedErrors++;
            return 0;
        }
    }
    // Another connection's error (the host's): its own handler decides.
    X11ErrorTrap* outermost = innermost;
    while (outermost != nullptr && outermost->outer != nullptr)
        outermost = outermost->outer;
    if (outermost != nullptr && outermost->previous != nullptr && outermost->previous != &X11ErrorTrap::handle)
        return outermost->previous(display, event);
    return 0;
}
