// Magic EQ designs and its per-sample loop.
#include "dsp/magic_eq_unit.h"

#include "dsp/biquad_pair.h"

#include <algorithm>
#include <cmath>

void MagicEQUnit::designBoost()
{
    // Tune 0 (nothing processed yet) has no bell; its coefficients would be NaN.
    if (!(tune > 0.0f))
        return;
    boostLeft.setPeaking(sampleRate, tune, 1.0f, 10.0f);
    boostRight.copyCoefficients(boostLeft);
}

void MagicEQUnit::design()
{
    designBoost();
    highPassLeft.setHighPass(sampleRate, 40.0f, 0.5f, false);
    highPassRight.copyCoefficients(highPassLeft);
}

void MagicEQUnit::clearSections()
{
    highPassLeft.clear();
    boostLeft.clear();
    highPassRight.clear();
    boostRight.clear();
}

void MagicEQUnit::setSampleRate(float rate)
{
    if (!(rate > 0.0f && rate <= 1e7f))
        return;
    sampleRate = rate;
    design();
    clearSections();
    limiter.restart();
}

void MagicEQUnit::reset()
{
    if (sampleRate > 0.0f)
        design();
    clearSections();
    limiter.restart();
}

void MagicEQUnit::process(float* left, float* right, int count, float amountValue, float tuneHz)
{
    if (!(sampleRate > 0.0f))
        return;
    if (tuneHz != tune && tuneHz > 0.0f) {
        tune = tuneHz;
        designBoost();
    }
    if (!(tune > 0.0f))
        return;
    amount = amountValue;

    highPassLeft.flushState();
    boostLeft.flushState();
    highPassRight.flushState();
    boostRight.flushState();

    if (clipMode)
        run<true>(left, right, count);
    else
        run<false>(left, right, count);
}

template <bool clip>
void MagicEQUnit::run(float* left, float* right, int count)
{
    // Both channels side by side in float pairs, the state in locals: stores to the audio buffers
    // could otherwise alias it and force a reload of every filter field per sample.
    BiquadPair boost(boostLeft, boostRight);
    BiquadPair high(highPassLeft, highPassRight);
    PeakLimiter lim = limiter;
    const FloatPair wetGain = splat(amount);
    const FloatPair dryGain = splat(1.0f - amount);
    const float limitSteps = sampleRate * PeakLimiter::kRecoverySeconds;

    for (int i = 0; i < count; ++i) {
        const FloatPair x = loadPair(left, right, i);
        FloatPair w = high.tick(boost.tick(x));
        if (clip) {
            w = w < -1.0f ? -1.0f : w;
            w = 1.0f < w ? 1.0f : w;
        } else {
            w = lim.apply(w, limitSteps);
        }
        storePair(left, right, i, dryGain * x + wetGain * w);
    }

    boost.storeState(boostLeft, boostRight);
    high.storeState(highPassLeft, highPassRight);
    limiter = lim;
}
