// The scripted clock, and the platform time calls answered from it.
#include "gui/platform/headless/headless_clock.h"

#include "gui/platform/platform_time.h"

#include <atomic>

namespace {

std::atomic<int64_t> clockMs{0};
std::atomic<int64_t> sleptMs{0};
// X11 has no system setting either; the layer for real windows uses the same value.
std::atomic<int32_t> doubleClickTime{400};

}  // namespace

int64_t HeadlessClock::now()
{
    return clockMs.load();
}

void HeadlessClock::set(int64_t ms)
{
    clockMs.store(ms);
}

void HeadlessClock::advance(int64_t ms)
{
    if (ms > 0)
        clockMs.fetch_add(ms);
}

int64_t HeadlessClock::slept()
{
    return sleptMs.load();
}

void HeadlessClock::resetSlept()
{
    sleptMs.store(0);
}

void HeadlessClock::setDoubleClickMs(int32_t ms)
{
    doubleClickTime.store(ms);
}

int32_t HeadlessClock::doubleClickMs()
{
    return doubleClickTime.load();
}

int64_t PlatformTime::nowMs()
{
    return HeadlessClock::now();
}

void PlatformTime::sleepMs(int32_t ms)
{
    if (ms <= 0)
        return;
    sleptMs.fetch_add(ms);
    HeadlessClock::advance(ms);
}

int32_t PlatformTime::doubleClickMs()
{
    return HeadlessClock::doubleClickMs();
}
