// A progress bar on standard error, drawn only when that is a terminal and the file is long enough to wait for.
#pragma once

#include <cstdio>

class ProgressBar {
public:
    ProgressBar(long long totalFrames, int sampleRate);
    // Clears the bar's line so the messages after it start clean.
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void update(long long framesDone);

private:
    long long total;
    bool shown;
    int lastPercent = -1;
};
