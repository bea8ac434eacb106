// The demonstration loop: four bars at 120 beats per minute of drums, bass and a chord pad, made the same
// way every time, peaking at -3 dBFS.
#pragma once

#include "tools/demo_loop/stereo_buffer.h"

class DemoLoop {
public:
    static constexpr double kTempo = 120.0;
    static constexpr int kBars = 4;
    static constexpr double kPeakDb = -3.0;

    static StereoBuffer render(double sampleRate);
};
