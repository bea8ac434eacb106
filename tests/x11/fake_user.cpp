// XTest input from a thread of its own.
#include "fake_user.h"

#include <X11/extensions/XTest.h>

#include <chrono>
#include <utility>
#include <vector>

namespace {

// The mapped override-redirect windows (menus) on the root, bottom to top, with their root areas.
std::vector<std::pair<Window, CRect>> menusOn(Display* display)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    std::vector<std::pair<Window, CRect>> menus;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i) {
            XWindowAttributes a;
            if (XGetWindowAttributes(display, children[i], &a) && a.override_redirect && a.map_state == IsViewable)
                menus.emplace_back(children[i], CRect(a.x, a.y, a.x + a.width, a.y + a.height));
        }
        XFree(children);
    }
    return menus;
}

}  // namespace

FakeUser::FakeUser(Script script)
{
    display = XOpenDisplay(nullptr);
    worker = std::thread([this, script] {
        if (display != nullptr)
            script(*this);
        else
            found = false;
        done = true;
    });
}

FakeUser::~FakeUser()
{
    if (worker.joinable())
        worker.join();
    if (display != nullptr)
        XCloseDisplay(display);
}

void FakeUser::sync()
{
    XSync(display, False);
}

void FakeUser::moveTo(int x, int y)
{
    XTestFakeMotionEvent(display, DefaultScreen(display), x, y, CurrentTime);
    sync();
}

void FakeUser::press(int button)
{
    XTestFakeButtonEvent(display, unsigned(button), True, CurrentTime);
    sync();
}

void FakeUser::release(int button)
{
    XTestFakeButtonEvent(display, unsigned(button), False, CurrentTime);
    sync();
}

void FakeUser::click(int x, int y, int button)
{
    moveTo(x, y);
    press(button);
    pause(30);
    release(button);
}

void FakeUser::tap(int x, int y, int button)
{
    moveTo(x, y);
    XTestFakeButtonEvent(display, unsigned(button), True, CurrentTime);
    XTestFakeButtonEvent(display, unsigned(button), False, CurrentTime);
    sync();
}

void FakeUser::key(unsigned long keysym)
{
    KeyCode code = XKeysymToKeycode(display, keysym);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    sync();
}

void FakeUser::pause(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

Window FakeUser::waitForMenu(CRect& rootArea, int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs; waited += 5) {
        std::vector<std::pair<Window, CRect>> menus = menusOn(display);
        if (!menus.empty()) {
            rootArea = menus.back().second;
            return menus.back().first;
        }
        pause(5);
    }
    found = false;
    return 0;
}

bool FakeUser::waitUntilNoMenu(int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs; waited += 5) {
        if (menusOn(display).empty())
            return true;
        pause(5);
    }
    found = false;
    return false;
}
