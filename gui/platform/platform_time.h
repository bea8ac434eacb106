// The clock, sleeping and the double-click time, answered by the platform layer the build picks.
#pragma once

#include <cstdint>

class PlatformTime {
public:
    // Milliseconds on a monotonic clock (never the process's CPU time), counted from an arbitrary start.
    static int64_t nowMs();
    static void sleepMs(int32_t ms);
    // The system's double-click time in milliseconds.
    static int32_t doubleClickMs();
};
