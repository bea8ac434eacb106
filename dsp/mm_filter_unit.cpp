// The multimode filter's coefficient update, its per-sample path and the limiter's recovery.
#include "dsp/mm_filter_unit.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

constexpr float kLowestHz = 80.0f;
constexpr float kHighestHz = 16000.0f;
constexpr float kRingCycle = 200.0f; // table positions per carrier cycle
constexpr float kSaturationKnee = 0.7f;
constexpr float kLimiterRecoverySeconds = 7.5f;

// The cutoff knob's curve: 0.5 gives about 1.3 kHz, 0.9 about 4 kHz, 0.99 about 8 kHz.
float cutoffCurveHz(float c)
{
    if (c >= 1.0f)
        return kHighestHz;
    if (!(c > 0.0f))
        return kLowestHz;
    float t = -0.25f * std::log10(1.0f - c);
    if (t > 1.0f)
        t = 1.0f;
    if (t < 1e-7f)
        t = 0.0f;
    return (kHighestHz - kLowestHz) * t + kLowestHz;
}

// Soft ceiling of the "Fat" types: untouched up to 0.7, exactly 1.0 at a wet value of q.
float saturated(float w, float q)
{
    if (w > kSaturationKnee) {
        float t = (1.0f - (w - kSaturationKnee) / (q - kSaturationKnee)) * 0.707107f;
        return (0.5f - t * t) * 0.6f + kSaturationKnee;
    }
    if (w < -kSaturationKnee) {
        float t = (1.0f - (-w - kSaturationKnee) / (q - kSaturationKnee)) * 0.707107f;
        return -((0.5f - t * t) * 0.6f + kSaturationKnee);
    }
    return w;
}

} // namespace

MmFilterUnit::MmFilterUnit() : sine_(SineTable::acquire())
{
    limiterFollower_.setAttackTime(0.0075f);
    limiterFollower_.setReleaseTime(0.05f);
    reset();
}

bool MmFilterUnit::setSampleRate(float rate)
{
    if (!(rate > 0.0f) || !std::isfinite(rate))
        return false;
    sampleRate_ = rate;
    cutoffFollower_.setSampleRate(rate);
    limiterFollower_.setSampleRate(rate);
    combLeft_.setSampleRate(rate);
    combRight_.setSampleRate(rate);
    reset();
    return true;
}

void MmFilterUnit::reset()
{
    fatLeft_.clearHistory();
    fatRight_.clearHistory();
    mainLeft_.clear();
    mainRight_.clear();
    boostLeft_.clear();
    boostRight_.clear();
    cutoffFollower_.reset();
    limiterFollower_.reset();
    // The carrier is stopped before the update, so that the update gives "Ring Mod" its frequency again.
    ringPhase_ = 0.0f;
    ringIncrement_ = 0.0f;
    updateCoefficients();
    limiterGain_ = 1.0f;
    limiterStep_ = 0.0f;
    combLeft_.reset();
    combRight_.reset();
}

bool MmFilterUnit::setType(int index)
{
    if (index < 0 || index >= kTypeCount)
        return false;
    type_ = index;
    updateCoefficients();
    reset();
    return true;
}

void MmFilterUnit::updateCoefficients()
{
    const float e = cutoffFollower_.value;
    const float c = (e * envAmount_ + (1.0f - envAmount_)) * cutoff_;
    const float f = cutoffCurveHz(c);
    const float q = wetQ();
    const float sr = sampleRate_;
    frequency_ = f;

    switch (type_) {
    case kLowPass:
        mainLeft_.setLowPass(sr, f, q, true);
        break;
    case kBandPass:
        mainLeft_.setBandPass(sr, f, q);
        boostLeft_.setPeaking(sr, f, 1.0f, q * 3.0f);
        break;
    case kHighPass:
        mainLeft_.setHighPass(sr, f, q, true);
        break;
    case kLowPassFat:
        fatLeft_.design(sr, f, q);
        fatRight_.copyDesign(fatLeft_);
        break;
    case kBandPassFat:
        mainLeft_.setBandPass(sr, f, q * 3.0f);
        boostLeft_.setPeaking(sr, f, 1.0f, q * 4.0f);
        break;
    case kHighPassFat:
        mainLeft_.setHighPass(sr, f, q * 3.0f, true);
        break;
    case kPeaking:
        mainLeft_.setPeaking(sr, f, 1.0f, q * 3.0f);
        break;
    case kNotch:
        mainLeft_.setNotch(sr, f, q - 0.99f, false);
        break;
    case kComb: {
        // Compared as floats, so an unchanged cutoff never asks for a crossfade.
        const float delay = 1.0f / f;
        for (CombDelay* comb : {&combLeft_, &combRight_}) {
            if (delay != comb->delayTime())
                comb->requestDelay(delay);
            comb->setFeedback(resonance_ * 0.99f);
        }
        break;
    }
    case kRingMod:
        ringIncrement_ = f * kRingCycle / sr;
        break;
    default:
        break;
    }
    mainRight_.copyCoefficients(mainLeft_);
    boostRight_.copyCoefficients(boostLeft_);
}

void MmFilterUnit::protect(float& wL, float& wR)
{
    if (type_ == kLowPassFat || type_ == kBandPassFat || type_ == kHighPassFat) {
        const float q = wetQ();
        wL = saturated(wL, q);
        wR = saturated(wR, q);
        return;
    }
    const float level = std::max(std::fabs(wL), std::fabs(wR));
    const float v = limiterFollower_.process(level);
    if (v > 1.0f) {
        const float r = 1.0f / v;
        if (r < limiterGain_) {
            limiterGain_ = r;
            limiterStep_ = (1.0f - r) / (sampleRate_ * kLimiterRecoverySeconds);
        }
    }
    if (limiterGain_ < 1.0f) {
        wL *= limiterGain_;
        wR *= limiterGain_;
        // A step below half a float step would leave a shallow reduction in place for good.
        const float next = limiterGain_ + limiterStep_;
        limiterGain_ = (next == limiterGain_) ? 1.0f : next;
    }
}

void MmFilterUnit::process(float* left, float* right, int count, float mix, float attackSeconds,
                           float decaySeconds, float envAmount, float cutoff, float resonance)
{
    if (count < 1)
        return;
    if (attackSeconds != attack_) {
        attack_ = attackSeconds;
        cutoffFollower_.setAttackTime(attackSeconds);
    }
    if (decaySeconds != decay_) {
        decay_ = decaySeconds;
        cutoffFollower_.setReleaseTime(decaySeconds);
    }
    const float mixStep = (mix - mix_) / static_cast<float>(count);
    const bool glide = cutoff != cutoff_;
    const float cutoffStep = glide ? (cutoff - cutoff_) / static_cast<float>(count) : 0.0f;
    int glideCounter = kGlideSteps;
    // While an envelope amount is set the filter follows the envelope once per call.
    if (envAmount_ != 0.0f || resonance != resonance_ || envAmount != envAmount_) {
        resonance_ = resonance;
        envAmount_ = envAmount;
        updateCoefficients();
    }

    fatLeft_.flushHistory();
    fatRight_.flushHistory();
    mainLeft_.flushState();
    mainRight_.flushState();
    boostLeft_.flushState();
    boostRight_.flushState();

    for (int i = 0; i < count; ++i) {
        const float xL = left[i];
        const float xR = right[i];
        cutoffFollower_.process((xR + xL) * 0.25f);

        float wL, wR;
        switch (type_) {
        case kLowPassFat:
            wL = fatLeft_.process(xL);
            wR = fatRight_.process(xR);
            break;
        case kBandPass:
        case kBandPassFat:
            wL = boostLeft_.tick(mainLeft_.tick(xL));
            wR = boostRight_.tick(mainRight_.tick(xR));
            break;
        case kComb:
            wL = combLeft_.process(xL);
            wR = combRight_.process(xR);
            break;
        case kRingMod: {
            ringPhase_ += ringIncrement_;
            // Back to 0, not down by a cycle; also catches a phase that is not a number.
            if (!(ringPhase_ < kRingCycle))
                ringPhase_ = 0.0f;
            const float s = sine_->lookup(ringPhase_);
            wL = s * xL;
            wR = s * xR;
            break;
        }
        default:
            wL = mainLeft_.tick(xL);
            wR = mainRight_.tick(xR);
            break;
        }
        protect(wL, wR);

        left[i] = wL * mix_ + (1.0f - mix_) * xL;
        right[i] = wR * mix_ + (1.0f - mix_) * xR;
        mix_ += mixStep;

        if (glide && --glideCounter == 0) {
            cutoff_ += cutoffStep * static_cast<float>(kGlideSteps);
            glideCounter = kGlideSteps;
            updateCoefficients();
        }
    }

    cutoff_ = cutoff;
    mix_ = mix;
    // A call that ends between two glide steps designs the cutoff it arrived at; with host blocks shorter
    // than a glide step the filter would otherwise never leave its old cutoff.
    if (glide && glideCounter != kGlideSteps)
        updateCoefficients();
}
