// The clock and sleeping on Linux; X11 has no double-click setting, so the usual 400 ms.
#include "gui/platform/platform_time.h"

#include <cerrno>
#include <ctime>

namespace {

constexpr int32_t kDoubleClickMs = 400;

}  // namespace

int64_t PlatformTime::nowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void PlatformTime::sleepMs(int32_t ms)
{
    if (ms <= 0)
        return;
    timespec left{ms / 1000, long(ms % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

int32_t PlatformTime::doubleClickMs()
{
    return kDoubleClickMs;
}
