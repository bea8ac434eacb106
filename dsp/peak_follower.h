// Envelope follower that moves toward the input magnitude along straight-line slopes.
#pragma once

#include <limits>

class PeakFollower {
public:
    // Times in seconds for a full-scale rise or fall; the steps use the follower's current sample rate.
    void setAttackTime(float seconds)
    {
        attackTime = seconds;
        attackStep = 1.0f / (seconds * sampleRate);
    }
    void setReleaseTime(float seconds)
    {
        releaseTime = seconds;
        releaseStep = 1.0f / (seconds * sampleRate);
    }

    void setSampleRate(float rate)
    {
        sampleRate = rate;
        value = 0.0f;
        attackStep = 1.0f / (attackTime * rate);
        releaseStep = 1.0f / (releaseTime * rate);
    }

    void reset() { value = 0.0f; }

    // Inputs may be signed; a negative input acts through its magnitude.
    float process(float x)
    {
        float b = value - releaseStep;
        float d = 0.0f;
        if (x > b)
            d = x - b;
        else if (x < -b)
            d = -x - b;
        if (d > attackStep)
            d = attackStep;
        float v = b + d;
        if (!(v >= 0.0f)) // also catches NaN
            v = 0.0f;
        value = v;
        return v;
    }

    float sampleRate = 44100.0f;
    float attackTime = 0.0f;
    float releaseTime = 0.0f;
    float value = 0.0f;
    float attackStep = std::numeric_limits<float>::infinity();
    float releaseStep = std::numeric_limits<float>::infinity();
};
