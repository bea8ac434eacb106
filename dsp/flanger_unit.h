// Mono-fed flanger: the mid signal through a short delay swept by a sine LFO, blended with each channel.
#pragma once

#include "dsp/sine_table.h"

#include <memory>
#include <vector>

class FlangerUnit {
public:
    FlangerUnit();

    // Call after writing minDelay or depth.
    void applyDelayRange();
    // Allocates 35 ms of delay memory.
    void setSampleRate(float sampleRateHz);
    void reset();
    // amount 0..1 (at most half wet), rateHz the sweep rate, feedback the share of the taps fed back.
    void process(float* left, float* right, int count, float amount, float rateHz, float feedback);

    float minDelay = 0.0012f;  // seconds
    float depth = 0.0043f;     // seconds of sweep above minDelay
    float rate = 2.0f;         // Hz
    float stereoOffset = 1.0f; // right tap's phase lead in quarter cycles
    float feedback = 0.0f;
    float mix = 0.5f;
    std::vector<float> buffer;
    int length = 1;
    int writeIndex = 0;
    int readIndex = 0; // runs ahead of writeIndex by the depth
    float sampleRate = 0.0f;
    float lfoPhase = 0.0f; // sine table positions, 0..200
    std::shared_ptr<const SineTable> sine;

private:
    int samplesOf(float seconds, int atLeast, int atMost) const;
    void restartIndices();
    bool canSweep() const;
    template <bool sameTaps>
    void run(float* left, float* right, int count, float increment, float offset);
};
