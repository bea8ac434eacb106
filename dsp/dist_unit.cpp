// Bit crusher, "Mech" and tube curves in float32, constants as the sound was tuned with.
#include "dsp/dist_unit.h"

#include "dsp/float_lanes.h"

#include <cmath>
#include <initializer_list>

namespace {

float heldAmount(float amount)
{
    if (!(amount >= 0.0f))
        return 0.0f;
    return amount > 1.0f ? 1.0f : amount;
}

// float32 on purpose: with these values full scale lands on exactly 1.0. 0.707107 squared is a hair above
// 0.5, which leaves a step of about -2.3e-7 where the curve leaves the straight line.
constexpr float kTubeKnee = 0.6f;
constexpr float kTubeRoot = 0.707107f;
constexpr float kTubeSpan = 0.79999995f;

constexpr float kMechKnee = 0.75f;

// Adding and taking away 2^23 leaves a magnitude below it rounded to an integer, ties to even, under
// the default rounding mode; larger magnitudes are integers already.
constexpr float kRoundingBias = 8388608.0f;

typedef int Int4 __attribute__((vector_size(16)));

float magnitude(float v)
{
    return std::fabs(v);
}

Float4 magnitude(Float4 v)
{
    return reinterpret_cast<Float4>(reinterpret_cast<Int4>(v) & 0x7fffffff);
}

float withSignOf(float magnitudeValue, float sign)
{
    return std::copysign(magnitudeValue, sign);
}

Float4 withSignOf(Float4 magnitudeValue, Float4 sign)
{
    return reinterpret_cast<Float4>(reinterpret_cast<Int4>(magnitudeValue) |
                                    (reinterpret_cast<Int4>(sign) & static_cast<int>(0x80000000u)));
}

// Each curve is written once for a single sample and for four: every lane takes the branch the
// single sample would, through the same float operations.
template <class T>
T crushed(T x, float scale, float step)
{
    const T v = x * scale;
    const T a = magnitude(v);
    const T rounded = (a + kRoundingBias) - kRoundingBias;
    return (a < kRoundingBias ? withSignOf(rounded, v) : v) * step;
}

template <class T>
T mechCurve(T x, float drive, float slope)
{
    const T v = x * drive;
    const T m = v < 0.0f ? -v : v;
    const T bent = (m - kMechKnee) * slope + kMechKnee;
    return v > kMechKnee ? bent : (v < -kMechKnee ? -bent : v);
}

template <class T>
T tubeCurve(T x, float drive)
{
    const T v = x * drive;
    const T m = v < 0.0f ? -v : v;
    const T t = (1.0f - (m - kTubeKnee) / (drive - kTubeKnee)) * kTubeRoot;
    const T bent = (0.5f - t * t) * kTubeSpan + kTubeKnee;
    return v > kTubeKnee ? bent : (v < -kTubeKnee ? -bent : v);
}

// Four samples at a time, the rest one by one.
template <class Curve>
void shape(float* left, float* right, int count, Curve curve)
{
    for (float* channel : {left, right}) {
        int i = 0;
        for (; i + 4 <= count; i += 4)
            store4(channel + i, curve(load4(channel + i)));
        for (; i < count; ++i)
            channel[i] = curve(channel[i]);
    }
}

} // namespace

void DistUnit::crush(float* left, float* right, int count, float amount)
{
    bits_ = static_cast<int>((1.0f - heldAmount(amount)) * 15.0f + 1.0f);
    const float scale = std::ldexp(1.0f, bits_);
    const float step = 1.0f / scale;
    // Ties to even: 0.25 at one bit becomes 0, not 0.5.
    shape(left, right, count, [&](auto x) { return crushed(x, scale, step); });
}

void DistUnit::mech(float* left, float* right, int count, float amount)
{
    mechAmount_ = heldAmount(amount);
    const float drive = mechAmount_ * 10.0f + 1.0f;
    const float slope = 0.25f / (drive - kMechKnee);
    shape(left, right, count, [&](auto x) { return mechCurve(x, drive, slope); });
}

void DistUnit::tube(float* left, float* right, int count, float amount)
{
    tubeAmount_ = heldAmount(amount);
    const float drive = tubeAmount_ * 4.0f + 1.0f;
    shape(left, right, count, [&](auto x) { return tubeCurve(x, drive); });
}
