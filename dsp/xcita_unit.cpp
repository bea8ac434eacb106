// The exciter's 7 kHz band, its level follower and the gain it drives.
#include "dsp/xcita_unit.h"

#include <cmath>

namespace {

constexpr float kBandHz = 7000.0f;
constexpr float kMaxGain = 3.0f;
constexpr float kClip = 0.999f;

float clipped(float v)
{
    if (v > kClip)
        return kClip;
    if (v < -kClip)
        return -kClip;
    return v;
}

} // namespace

XcitaUnit::XcitaUnit()
{
    follower_.setAttackTime(0.01f);
    follower_.setReleaseTime(0.1f);
}

bool XcitaUnit::setSampleRate(float rate)
{
    if (!(rate > 0.0f) || !std::isfinite(rate))
        return false;
    sampleRate_ = rate;
    follower_.setSampleRate(rate);
    follower_.reset();
    highPassLeft_.clear();
    highPassRight_.clear();
    design();
    return true;
}

void XcitaUnit::reset()
{
    follower_.reset();
    highPassLeft_.clear();
    highPassRight_.clear();
    design();
}

void XcitaUnit::design()
{
    highPassLeft_.setHighPass(sampleRate_, kBandHz, 1.0f, false);
    highPassRight_.setHighPass(sampleRate_, kBandHz, 1.0f, false);
}

void XcitaUnit::process(float* left, float* right, int count, float amount)
{
    amount_ = amount;
    highPassLeft_.flushState();
    highPassRight_.flushState();
    for (int i = 0; i < count; ++i) {
        const float xL = left[i];
        const float xR = right[i];
        const float hL = highPassLeft_.tick(xL);
        const float hR = highPassRight_.tick(xR);
        // The follower takes the magnitude of the signed sum.
        const float e = follower_.process((hR + hL) * 300.0f * 0.5f);
        float g = e * 10.0f;
        if (g > kMaxGain)
            g = kMaxGain;
        const float yL = clipped(hL * g + xL);
        const float yR = clipped(hR * g + xR);
        left[i] = (1.0f - amount_) * xL + amount_ * yL;
        right[i] = (1.0f - amount_) * xR + amount_ * yR;
    }
}
