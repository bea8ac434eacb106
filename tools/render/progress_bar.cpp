// A progress bar on standard error, drawn only when that is a terminal and the file is long enough to wait for.
#include "tools/render/progress_bar.h"

#include <unistd.h>

#include <string>

namespace {

// Shorter files finish before a bar would be read.
constexpr double kSecondsWorthABar = 5.0;
constexpr int kBarWidth = 40;

} // namespace

ProgressBar::ProgressBar(long long totalFrames, int sampleRate)
    : total(totalFrames),
      shown(isatty(STDERR_FILENO) && totalFrames > 0
            && static_cast<double>(totalFrames) > kSecondsWorthABar * sampleRate)
{ }

ProgressBar::~ProgressBar()
{
    if (shown && lastPercent >= 0)
        std::fprintf(stderr, "\r%*s\r", kBarWidth + 8, "");
}

void ProgressBar::update(long long framesDone)
{
    if (!shown)
        return;
    int percent = static_cast<int>(framesDone * 100 / total);
    if (percent == lastPercent)
        return;
    lastPercent = percent;
    int filled = percent * kBarWidth / 100;
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kBarWidth - filled), '.');
    std::fprintf(stderr, "\r[%s] %3d%%", bar.c_str(), percent);
    std::fflush(stderr);
}
