// The exciter's 7 kHz band, its level follower and the gain it drives.
#include "dsp/xcita_unit.h"

#include "dsp/biquad_pair.h"

#include <cmath>

namespace {

constexpr float kBandHz = 7000.0f;
constexpr float kMaxGain = 3.0f;
constexpr float kClip = 0.999f;

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
    // Both channels side by side in float pairs, the state in locals for the loop.
    BiquadPair highPass(highPassLeft_, highPassRight_);
    PeakFollower follower = follower_;
    const FloatPair wet = splat(amount_);
    const FloatPair dry = splat(1.0f - amount_);
    for (int i = 0; i < count; ++i) {
        const FloatPair x = loadPair(left, right, i);
        const FloatPair h = highPass.tick(x);
        // The follower takes the magnitude of the signed sum.
        const float e = follower.process((h[1] + h[0]) * 300.0f * 0.5f);
        float g = e * 10.0f;
        if (g > kMaxGain)
            g = kMaxGain;
        FloatPair y = h * g + x;
        y = y > kClip ? kClip : y;
        y = y < -kClip ? -kClip : y;
        storePair(left, right, i, dry * x + wet * y);
    }
    highPass.storeState(highPassLeft_, highPassRight_);
    follower_ = follower;
}
