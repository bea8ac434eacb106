// Fourth-order high-pass into fourth-order low-pass per channel, redesigned only when a setting moves.
#include "dsp/bp_filter_unit.h"

#include <cmath>

BpFilterUnit::BpFilterUnit()
{
    design();
}

bool BpFilterUnit::setSampleRate(float rate)
{
    if (!(rate > 0.0f) || !std::isfinite(rate))
        return false;
    sampleRate_ = rate;
    design();
    return true;
}

void BpFilterUnit::reset()
{
    design();
}

void BpFilterUnit::design()
{
    // 1.6 octaves at qLow 0 is a flat edge; 0.6 at qLow 1 leaves a resonant bump.
    sections_[kHighL1].setHighPass(sampleRate_, lowFrequency_, (1.0f - qLow_) + 0.6f, false);
    sections_[kHighR1].copyCoefficients(sections_[kHighL1]);
    sections_[kHighL2].copyCoefficients(sections_[kHighL1]);
    sections_[kHighR2].copyCoefficients(sections_[kHighL1]);

    sections_[kLowL1].setLowPass(sampleRate_, highFrequency_, qHigh_ * 1.5f + 0.25f, true);
    sections_[kLowR1].copyCoefficients(sections_[kLowL1]);
    sections_[kLowL2].copyCoefficients(sections_[kLowL1]);
    sections_[kLowR2].copyCoefficients(sections_[kLowL1]);
}

void BpFilterUnit::process(float* left, float* right, float* rejectLeft, float* rejectRight, int count,
                           float lowHz, float highHz, float qLow, float qHigh)
{
    if (count < 1)
        return;
    if (lowHz != lowFrequency_ || highHz != highFrequency_ || qLow != qLow_ || qHigh != qHigh_) {
        lowFrequency_ = lowHz;
        highFrequency_ = highHz;
        qLow_ = qLow;
        qHigh_ = qHigh;
        design();
    }
    for (BiquadFilter& s : sections_)
        s.flushState();
    processChannel(left, rejectLeft, count, 0);
    processChannel(right, rejectRight, count, 1);
}

void BpFilterUnit::processChannel(float* samples, float* reject, int count, int channel)
{
    // Every right-channel section sits one place after its left-channel twin.
    BiquadFilter& high1 = sections_[kHighL1 + channel];
    BiquadFilter& high2 = sections_[kHighL2 + channel];
    BiquadFilter& low1 = sections_[kLowL1 + channel];
    BiquadFilter& low2 = sections_[kLowL2 + channel];
    for (int i = 0; i < count; ++i) {
        float x = samples[i];
        float y = low2.tick(low1.tick(high2.tick(high1.tick(x))));
        samples[i] = y;
        reject[i] = x - y;
    }
}
