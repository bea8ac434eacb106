// A person at the X server: pointer and keys synthesised with XTest on a thread and connection of its own,
// while the test's own thread plays the host's user-interface thread.
#pragma once

#include "gui/c_rect.h"

#include "gui/platform/x11/x11_xlib.h"

#include <atomic>
#include <functional>
#include <thread>

class FakeUser {
public:
    using Script = std::function<void(FakeUser&)>;

    // Connects to the display DISPLAY names and runs script at once.
    explicit FakeUser(Script script);
    // Waits for the script to end.
    ~FakeUser();
    FakeUser(const FakeUser&) = delete;
    FakeUser& operator=(const FakeUser&) = delete;

    bool finished() const { return done.load(); }
    // False when a wait in the script ran out of time.
    bool allFound() const { return found.load(); }

    // Root coordinates; buttons 1 to 5.
    void moveTo(int x, int y);
    void press(int button);
    void release(int button);
    void click(int x, int y, int button = 1);
    // Press and release sent together: no hold, however loaded the machine, lasts long enough to repeat.
    void tap(int x, int y, int button = 1);
    void key(unsigned long keysym);
    void pause(int ms);
    // A mapped override-redirect window (a menu) on the root; 0 when none came within timeoutMs.
    Window waitForMenu(CRect& rootArea, int timeoutMs = 5000);
    bool waitUntilNoMenu(int timeoutMs = 5000);

private:
    void sync();

    Display* display = nullptr;
    std::atomic<bool> done{false};
    std::atomic<bool> found{true};
    std::thread worker;
};
