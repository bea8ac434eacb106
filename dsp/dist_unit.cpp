// Bit crusher, "Mech" and tube curves in float32, constants as the sound was tuned with.
#include "dsp/dist_unit.h"

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

float mechCurve(float x, float drive, float slope)
{
    float v = x * drive;
    if (v > kMechKnee)
        return (v - kMechKnee) * slope + kMechKnee;
    if (v < -kMechKnee)
        return -((-v - kMechKnee) * slope + kMechKnee);
    return v;
}

float tubeCurve(float x, float drive)
{
    float v = x * drive;
    if (v > kTubeKnee) {
        float t = (1.0f - (v - kTubeKnee) / (drive - kTubeKnee)) * kTubeRoot;
        return (0.5f - t * t) * kTubeSpan + kTubeKnee;
    }
    if (v < -kTubeKnee) {
        float t = (1.0f - (-v - kTubeKnee) / (drive - kTubeKnee)) * kTubeRoot;
        return -((0.5f - t * t) * kTubeSpan + kTubeKnee);
    }
    return v;
}

} // namespace

void DistUnit::crush(float* left, float* right, int count, float amount)
{
    bits_ = static_cast<int>((1.0f - heldAmount(amount)) * 15.0f + 1.0f);
    const float scale = std::ldexp(1.0f, bits_);
    const float step = 1.0f / scale;
    for (float* channel : {left, right}) {
        for (int i = 0; i < count; ++i) {
            float v = channel[i] * scale;
            // Ties to even under the default rounding mode: 0.25 at one bit becomes 0, not 0.5.
            channel[i] = std::nearbyint(v) * step;
        }
    }
}

void DistUnit::mech(float* left, float* right, int count, float amount)
{
    mechAmount_ = heldAmount(amount);
    const float drive = mechAmount_ * 10.0f + 1.0f;
    const float slope = 0.25f / (drive - kMechKnee);
    for (int i = 0; i < count; ++i)
        left[i] = mechCurve(left[i], drive, slope);
    for (int i = 0; i < count; ++i)
        right[i] = mechCurve(right[i], drive, slope);
}

void DistUnit::tube(float* left, float* right, int count, float amount)
{
    tubeAmount_ = heldAmount(amount);
    const float drive = tubeAmount_ * 4.0f + 1.0f;
    for (int i = 0; i < count; ++i)
        left[i] = tubeCurve(left[i], drive);
    for (int i = 0; i < count; ++i)
        right[i] = tubeCurve(right[i], drive);
}
