// XTest input from a thread of its own.
#include "fake_user.h"

#include <X11/extensions/XTest.h>

#include <chrono>

namespace {

bool isMappedMenu(Display* display, Window window, CRect& area)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        return false;
    if (!attributes.override_redirect || attributes.map_state != IsViewable)
        return false;
    area = CRect(attributes.x, attributes.y, attributes.x + attributes.width, attributes.y + attributes.height);
    return true;
}

Window findMenu(Display* display, CRect& area)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    Window menu = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
        // The topmost one: children come bottom to top.
        for (unsigned int i = count; i-- > 0 && menu == 0;)
            if (isMappedMenu(display, children[i], area))
                menu = children[i];
        XFree(children);
    }
    return menu;
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
        Window menu = findMenu(display, rootArea);
        if (menu != 0)
            return menu;
        pause(5);
    }
    found = false;
    return 0;
}

bool FakeUser::waitUntilNoMenu(int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs; waited += 5) {
        if (countMenus(display) == 0)
            return true;
        pause(5);
    }
    found = false;
    return false;
}

int FakeUser::countMenus(Display* display)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    int menus = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
        CRect area;
        for (unsigned int i = 0; i < count; ++i)
            menus += isMappedMenu(display, children[i], area) ? 1 : 0;
        XFree(children);
    }
    return menus;
}
