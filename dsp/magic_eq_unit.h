// Low-end enhancer: a +10 dB bell at the tune frequency, a 40 Hz high-pass, then a clipper or a limiter.
#pragma once

#include "dsp/biquad_filter.h"
#include "dsp/peak_limiter.h"

class MagicEQUnit {
public:
    void setSampleRate(float rate);
    void reset();
    // true: hard clip at full scale; false: peak limiter with 7.5 s recovery.
    void setMode(bool clip) { clipMode = clip; }
    // amount 0..1 wet share, tuneHz the centre of the boost.
    void process(float* left, float* right, int count, float amount, float tuneHz);

    float amount = 0.0f;
    float tune = 0.0f; // Hz, last designed
    float sampleRate = 0.0f;
    BiquadFilter highPassLeft;
    BiquadFilter boostLeft;
    BiquadFilter highPassRight;
    BiquadFilter boostRight;
    // Its follower keeps the 44.1 kHz steps at every rate: setSampleRate leaves it alone.
    PeakLimiter limiter;
    bool clipMode = false;

private:
    void designBoost();
    void design();
    void clearSections();
    template <bool clip>
    void run(float* left, float* right, int count);
};
