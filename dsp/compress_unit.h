// Drive-and-limit compressor: input drive, a fixed soft curve to a 1.0 ceiling, linked stereo gain.
#pragma once

#include "dsp/peak_follower.h"

class CompressUnit {
public:
    CompressUnit();

    void setSampleRate(float rate);
    void reset();
    // Not 0: level from the peak follower; 0: level from the sample itself.
    void setMode(float value) { mode = value; }
    // amount 0..0.99 sets the drive 1 / (1 - amount); releaseSeconds the gain recovery time.
    // Both take effect one call later.
    void process(float* left, float* right, int count, float amount, float releaseSeconds);

    float amount = 0.0f;
    float mode = 0.01f;
    float releaseTime = 0.0f; // seconds
    float sampleRate = 0.0f;
    float gain = 1.0f;
    float gainStep = 0.0f;
    PeakFollower follower;

private:
    template <bool useFollower>
    void run(float* left, float* right, int count, float drive, float releaseSamples);
};
