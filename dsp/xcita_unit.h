// Exciter: adds a compressed, clipped copy of the content above 7 kHz.
#pragma once

#include "dsp/biquad_filter.h"
#include "dsp/peak_follower.h"

class XcitaUnit {
public:
    XcitaUnit();

    // A rate that is not a positive number is refused.
    bool setSampleRate(float rate);
    void reset();
    // amount 0..1 blends dry into the excited signal.
    void process(float* left, float* right, int count, float amount);

private:
    void design();

    float amount_ = 0.0f;
    float sampleRate_ = 0.0f;
    BiquadFilter highPassLeft_;
    BiquadFilter highPassRight_;
    PeakFollower follower_;
};
