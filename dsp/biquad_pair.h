// The left and right sections of one stereo biquad run side by side in float pairs, held in locals
// for the length of a sample loop.
#pragma once

#include "dsp/biquad_filter.h"
#include "dsp/float_lanes.h"

class BiquadPair {
public:
    BiquadPair() = default;
    BiquadPair(const BiquadFilter& left, const BiquadFilter& right)
        : b0{left.b0, right.b0}, b1{left.b1, right.b1}, b2{left.b2, right.b2}, a1{left.a1, right.a1},
          a2{left.a2, right.a2}, x1{left.x1, right.x1}, x2{left.x2, right.x2}, y1{left.y1, right.y1},
          y2{left.y2, right.y2}
    {
    }

    struct Coefficients {
        FloatPair b0, b1, b2, a1, a2;
    };

    // One section's design in both lanes, for sections known to share it.
    static Coefficients coefficientsOf(const BiquadFilter& s)
    {
        return {splat(s.b0), splat(s.b1), splat(s.b2), splat(s.a1), splat(s.a2)};
    }

    // With a shared design instead of this pair's own; the same sum.
    FloatPair tick(const Coefficients& c, FloatPair x)
    {
        FloatPair y = c.b0 * x + c.b1 * x1 + c.b2 * x2 - c.a1 * y1 - c.a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

    // Summed in the order BiquadFilter::tick sums, lane by lane.
    FloatPair tick(FloatPair x)
    {
        FloatPair y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

    // Hands the histories back to the sections; the coefficients were only read.
    void storeState(BiquadFilter& left, BiquadFilter& right) const
    {
        left.x1 = x1[0];
        right.x1 = x1[1];
        left.x2 = x2[0];
        right.x2 = x2[1];
        left.y1 = y1[0];
        right.y1 = y1[1];
        left.y2 = y2[0];
        right.y2 = y2[1];
    }

private:
    FloatPair b0 = {}, b1 = {}, b2 = {}, a1 = {}, a2 = {};
    FloatPair x1 = {}, x2 = {}, y1 = {}, y2 = {};
};
