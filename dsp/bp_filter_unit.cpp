// Fourth-order high-pass into fourth-order low-pass per channel, redesigned only when a setting moves.
#include "dsp/bp_filter_unit.h"

#include "dsp/biquad_pair.h"

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

    // Both channels at once, in the lanes of float pairs; the sections live in locals meanwhile. All
    // four high-pass sections carry one design and all four low-pass sections another, so one set of
    // coefficients serves each kind and leaves registers for the histories.
    const BiquadPair::Coefficients high = BiquadPair::coefficientsOf(sections_[kHighL1]);
    const BiquadPair::Coefficients low = BiquadPair::coefficientsOf(sections_[kLowL1]);
    BiquadPair high1(sections_[kHighL1], sections_[kHighR1]);
    BiquadPair high2(sections_[kHighL2], sections_[kHighR2]);
    BiquadPair low1(sections_[kLowL1], sections_[kLowR1]);
    BiquadPair low2(sections_[kLowL2], sections_[kLowR2]);
    for (int i = 0; i < count; ++i) {
        const FloatPair x = loadPair(left, right, i);
        const FloatPair y = low2.tick(low, low1.tick(low, high2.tick(high, high1.tick(high, x))));
        storePair(left, right, i, y);
        storePair(rejectLeft, rejectRight, i, x - y);
    }
    high1.storeState(sections_[kHighL1], sections_[kHighR1]);
    high2.storeState(sections_[kHighL2], sections_[kHighR2]);
    low1.storeState(sections_[kLowL1], sections_[kLowR1]);
    low2.storeState(sections_[kLowL2], sections_[kLowR2]);
}
