// Steep band-pass of the chain's first stage; also hands back what it rejects for the band-reject mix.
#pragma once

#include "dsp/biquad_filter.h"

class BpFilterUnit {
public:
    BpFilterUnit();

    // Keeps the filter histories; a rate that is not a positive number is refused.
    bool setSampleRate(float rate);
    // Redesigns only: the histories run on, as nothing else ever clears them.
    void reset();

    // Filters left and right in place to the band lowHz..highHz; rejectLeft and rejectRight (count
    // samples each) receive input minus band. qLow and qHigh (0..1) sharpen the lower and upper edge.
    void process(float* left, float* right, float* rejectLeft, float* rejectRight, int count,
                 float lowHz, float highHz, float qLow, float qHigh);

private:
    enum Section { kHighL1, kHighR1, kHighL2, kHighR2, kLowL1, kLowR1, kLowL2, kLowR2, kSectionCount };

    void design();

    float lowFrequency_ = 0.0f;
    float highFrequency_ = 0.0f;
    float qLow_ = 0.0f;
    float qHigh_ = 0.0f;
    float sampleRate_ = 0.0f;
    BiquadFilter sections_[kSectionCount];
};
