// Tests on a real X server: the host's own connection and windows, its error handler, reading pixels back.
#pragma once

// gtest first: Xlib's macros (None, Bool, Status) would rewrite its names.
#include <gtest/gtest.h>

#include "fake_user.h"
#include "gui/pixel_buffer.h"
#include "xvfb_server.h"

#include "gui/platform/x11/x11_xlib.h"

#include <dirent.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

class X11Fixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        XvfbServer& server = XvfbServer::shared();
        if (!server.running())
            GTEST_SKIP() << "No X server for this test: " << server.failure();
        for (int attempt = 0; attempt < 3 && host == nullptr; ++attempt) {
            host = XOpenDisplay(server.displayName().c_str());
            if (host == nullptr)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ASSERT_NE(host, nullptr) << "cannot connect to " << server.displayName();
        hostErrors = 0;
        hostDisplay = host;
        XSetErrorHandler(&X11Fixture::hostHandler);
    }

    void TearDown() override
    {
        if (host == nullptr)
            return;
        // The plug-in put the host's handler back after every call, and no error of its reached it.
        EXPECT_EQ(XSetErrorHandler(&X11Fixture::hostHandler), &X11Fixture::hostHandler);
        for (Window window : parents)
            XDestroyWindow(host, window);
        XSync(host, False);
        EXPECT_EQ(hostErrors, 0);
        XCloseDisplay(host);
    }

    // Errors of the fake user's own connection (a menu closing while it looks at it) are not the plug-in's.
    static int hostHandler(Display* display, XErrorEvent*)
    {
        if (display == hostDisplay)
            hostErrors++;
        return 0;
    }

    // A top-level window made and mapped the way a host makes the one it hands to an editor.
    Window makeParent(int x, int y, int width, int height, int depth = 0)
    {
        int screen = DefaultScreen(host);
        XVisualInfo info{};
        info.visual = DefaultVisual(host, screen);
        info.depth = DefaultDepth(host, screen);
        if (depth != 0 && !XMatchVisualInfo(host, screen, depth, TrueColor, &info))
            return 0;
        XSetWindowAttributes attributes{};
        attributes.colormap = XCreateColormap(host, DefaultRootWindow(host), info.visual, AllocNone);
        attributes.background_pixel = 0;
        attributes.border_pixel = 0;
        Window window = XCreateWindow(host, DefaultRootWindow(host), x, y, unsigned(width), unsigned(height), 0,
                                      info.depth, InputOutput, info.visual,
                                      CWColormap | CWBackPixel | CWBorderPixel, &attributes);
        XMapWindow(host, window);
        XSync(host, False);
        parents.push_back(window);
        return window;
    }

    static void* handle(Window window) { return reinterpret_cast<void*>(uintptr_t(window)); }

    std::vector<Window> children(Window parent)
    {
        Window root = 0, up = 0, *list = nullptr;
        unsigned int count = 0;
        std::vector<Window> found;
        if (XQueryTree(host, parent, &root, &up, &list, &count)) {
            found.assign(list, list + count);
            XFree(list);
        }
        return found;
    }

    CPoint rootPosition(Window window)
    {
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(host, window, DefaultRootWindow(host), 0, 0, &x, &y, &child);
        return CPoint(x, y);
    }

    // What a window shows, read from the server, as BGRA; alpha is the window's own alpha bits when its
    // visual has them (32-bit ARGB), 255 otherwise.
    PixelBuffer readBack(Window window)
    {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(host, window, &attributes))
            return PixelBuffer();
        XImage* image = XGetImage(host, window, 0, 0, unsigned(attributes.width), unsigned(attributes.height),
                                  AllPlanes, ZPixmap);
        if (image == nullptr)
            return PixelBuffer();
        const Visual* visual = attributes.visual;
        unsigned long colourBits = visual->red_mask | visual->green_mask | visual->blue_mask;
        PixelBuffer shown(attributes.width, attributes.height);
        for (int y = 0; y < attributes.height; ++y) {
            for (int x = 0; x < attributes.width; ++x) {
                unsigned long p = XGetPixel(image, x, y);
                auto channel = [p](unsigned long mask) {
                    int shift = 0;
                    while (((mask >> shift) & 1ul) == 0)
                        shift++;
                    return uint8_t((p & mask) >> shift);
                };
                uint8_t alpha = attributes.depth == 32 ? uint8_t((p & ~colourBits) >> 24) : 255;
                shown.row(y)[x] = PixelBuffer::pack(channel(visual->red_mask), channel(visual->green_mask),
                                                    channel(visual->blue_mask), alpha);
            }
        }
        XDestroyImage(image);
        return shown;
    }

    // Pixels that differ, the expected picture taken as opaque.
    static int differences(const PixelBuffer& shown, const PixelBuffer& expected)
    {
        if (shown.width() != expected.width() || shown.height() != expected.height())
            return -1;
        int count = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                count += shown.pixel(x, y) != (expected.pixel(x, y) | 0xFF000000u) ? 1 : 0;
        return count;
    }

    static int openFiles()
    {
        int count = 0;
        if (DIR* folder = opendir("/proc/self/fd")) {
            while (readdir(folder) != nullptr)
                count++;
            closedir(folder);
        }
        return count;
    }

    // Shared-memory segments this process made that still exist (the list is the whole system's).
    static int sharedSegments()
    {
        std::ifstream list("/proc/sysvipc/shm");
        std::string line;
        std::getline(list, line);  // the heading
        int count = 0;
        while (std::getline(list, line)) {
            std::istringstream fields(line);
            std::string key, id, permissions, size;
            long creator = 0;
            fields >> key >> id >> permissions >> size >> creator;
            count += creator == long(getpid()) ? 1 : 0;
        }
        return count;
    }

    // Plays the host's user-interface thread (idle about every 10 ms) until the user's script has ended.
    static void idleWhile(const FakeUser& user, const std::function<void()>& idle)
    {
        while (!user.finished()) {
            idle();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        idle();
    }

    Display* host = nullptr;
    std::vector<Window> parents;
    static inline int hostErrors = 0;
    static inline Display* hostDisplay = nullptr;
};
