// The limiter of the Magic EQ and the multimode filter: a followed level above full scale pulls the gain
// down to its reciprocal at once, and the gain climbs back to unity on a straight line over 7.5 s.
#pragma once

#include "dsp/float_lanes.h"
#include "dsp/peak_follower.h"

#include <cmath>

class PeakLimiter {
public:
    static constexpr float kRecoverySeconds = 7.5f;

    PeakLimiter()
    {
        follower.setAttackTime(0.0075f);
        follower.setReleaseTime(0.05f);
    }

    // Unity gain again; the follower keeps its level.
    void restart()
    {
        gain = 1.0f;
        step = 0.0f;
    }

    // One stereo sample, both channels by the louder one's level; recoverySamples is the sample rate
    // times kRecoverySeconds, worked out once per call by the caller.
    FloatPair apply(FloatPair w, float recoverySamples)
    {
        const float wL = std::fabs(w[0]), wR = std::fabs(w[1]);
        const float v = follower.process(wL < wR ? wR : wL);
        if (v > 1.0f) {
            const float r = 1.0f / v;
            if (r < gain) {
                gain = r;
                step = (1.0f - r) / recoverySamples;
            }
        }
        if (gain < 1.0f) {
            w *= gain;
            // A step below half a float step would leave a shallow reduction in place for good.
            const float next = gain + step;
            gain = next == gain ? 1.0f : next;
        }
        return w;
    }

    PeakFollower follower;
    float gain = 1.0f;
    float step = 0.0f;
};
