// The headless layer's clock: time moves only when a test (or a sleep, or a poll) moves it.
#pragma once

#include <cstdint>

class HeadlessClock {
public:
    static int64_t now();
    static void set(int64_t ms);
    static void advance(int64_t ms);
    // Milliseconds the toolkit has asked to sleep since the last reset.
    static int64_t slept();
    static void resetSlept();
    static void setDoubleClickMs(int32_t ms);
    static int32_t doubleClickMs();
};
