// The compressor's gain computer and per-sample loop.
#include "dsp/compress_unit.h"

#include <algorithm>
#include <cmath>

namespace {

// Amounts of 1 and above would make the drive infinite or negative.
float limitedAmount(float amount)
{
    if (!(amount >= 0.0f))
        return 0.0f;
    return std::min(amount, 0.99f);
}

// A negative or NaN release would drive the gain below zero or freeze it.
float limitedRelease(float seconds)
{
    return seconds >= 0.0f ? seconds : 0.0f;
}

} // namespace

CompressUnit::CompressUnit()
{
    follower.setAttackTime(0.03f);
    follower.setReleaseTime(0.08f);
}

void CompressUnit::setSampleRate(float rate)
{
    if (!(rate > 0.0f && rate <= 1e7f))
        return;
    sampleRate = rate;
    follower.setSampleRate(rate);
}

void CompressUnit::reset()
{
    gain = 1.0f;
    gainStep = 0.0f;
    follower.reset();
}

void CompressUnit::process(float* left, float* right, int count, float amountValue,
                           float releaseSeconds)
{
    // Amount and release are stored at the end, so both reach the sound one call later.
    const float drive = 1.0f / (1.0f - amount);
    const float releaseSamples = sampleRate * releaseTime;
    releaseTime = limitedRelease(releaseSeconds);
    if (count < 1 || !(sampleRate > 0.0f)) {
        amount = limitedAmount(amountValue);
        return;
    }

    if (mode != 0.0f)
        run<true>(left, right, count, drive, releaseSamples);
    else
        run<false>(left, right, count, drive, releaseSamples);
    amount = limitedAmount(amountValue);
}

template <bool useFollower>
void CompressUnit::run(float* left, float* right, int count, float drive, float releaseSamples)
{
    // Working copies: stores to the audio buffers could otherwise alias the state.
    PeakFollower detector = follower;
    float g = gain, step = gainStep;
    const float curveSpan = drive - 0.31f;
    for (int i = 0; i < count; ++i) {
        const float xL = left[i];
        const float xR = right[i];
        const float peak = std::max(std::fabs(xL), std::fabs(xR));
        const float level = useFollower ? detector.process(peak) : peak;
        float yL = xL * drive;
        float yR = xR * drive;
        const float lv = level * drive;
        if (lv > 0.31f) {
            const float t = (1.0f - (lv - 0.31f) / curveSpan) * 0.707107f;
            const float target = (0.5f - t * t) * 1.38f + 0.31f;
            float r = target / lv;
            // Beyond about twice full scale the curve folds below zero (and overflows for absurd
            // levels): a negative gain would invert the output for the whole release, a NaN one would
            // end all reduction for good. No output is the most the curve can ask for.
            if (!(r >= 0.0f))
                r = 0.0f;
            if (r < g) {
                g = r;
                step = (1.0f - r) / releaseSamples;
            }
        }
        if (g < 1.0f) {
            yL = yL * g;
            yR = yR * g;
            // A step below half a float step would leave a shallow reduction in place for good.
            const float next = g + step;
            g = next == g ? 1.0f : next;
        }
        left[i] = yL;
        right[i] = yR;
    }
    follower = detector;
    gain = g;
    gainStep = step;
}
