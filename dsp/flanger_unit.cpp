// The flanger's delay bookkeeping and its per-sample loop.
#include "dsp/flanger_unit.h"

#include <algorithm>

FlangerUnit::FlangerUnit() : sine(SineTable::acquire()) {}

int FlangerUnit::samplesOf(float seconds, int atLeast, int atMost) const
{
    // Clamped in float first: settings outside the buffer must not turn into wild indices.
    float v = seconds * sampleRate + 0.5f;
    if (!(v >= static_cast<float>(atLeast)))
        return atLeast;
    if (v >= static_cast<float>(atMost))
        return atMost;
    return static_cast<int>(v);
}

void FlangerUnit::applyDelayRange()
{
    const int capacity = std::max(1, static_cast<int>(buffer.size()));
    length = samplesOf(minDelay + depth, 1, capacity);
    if (readIndex >= length)
        readIndex = 0;
    writeIndex = readIndex - samplesOf(depth, 0, length - 1);
    if (writeIndex < 0)
        writeIndex += length;
}

void FlangerUnit::restartIndices()
{
    const int capacity = std::max(1, static_cast<int>(buffer.size()));
    length = samplesOf(minDelay + depth, 1, capacity);
    writeIndex = 0;
    readIndex = samplesOf(depth, 0, length - 1);
}

void FlangerUnit::setSampleRate(float rate)
{
    if (!(rate > 0.0f && rate <= 1e7f))
        return;
    sampleRate = rate;
    buffer.assign(static_cast<size_t>(rate * 0.035f + 0.5f), 0.0f);
    lfoPhase = 0.0f;
    restartIndices();
}

void FlangerUnit::reset()
{
    std::fill(buffer.begin(), buffer.end(), 0.0f);
    lfoPhase = 0.0f;
    restartIndices();
}

bool FlangerUnit::canSweep() const
{
    // The taps reach depth * sampleRate behind readIndex; that must stay inside the delay in use.
    return sampleRate > 0.0f && static_cast<int>(buffer.size()) >= length && depth >= 0.0f &&
           depth * sampleRate + 2.0f < static_cast<float>(length);
}

float FlangerUnit::tap(float phase) const
{
    float s = sine->lookup(phase);
    float d = (s + 1.0f) * 0.5f * depth * sampleRate;
    int j = static_cast<int>(d);
    float f = d - static_cast<float>(j);
    int a = readIndex - j + length;
    if (a >= length)
        a -= length;
    int b = a + 1;
    if (b >= length)
        b -= length;
    return (1.0f - f) * buffer[b] + f * buffer[a];
}

void FlangerUnit::process(float* left, float* right, int count, float amount, float rateHz,
                          float feedbackShare)
{
    rate = rateHz;
    mix = amount * 0.5f;
    feedback = feedbackShare;
    if (!canSweep())
        return;

    float increment = rate * 200.0f / sampleRate;
    // A rate the table cannot follow would leave the phase stuck outside it for good.
    if (!(increment >= 0.0f && increment < 200.0f))
        increment = 0.0f;
    const float dryGain = 1.0f - mix;
    const float offset = stereoOffset * 50.0f;
    const bool sameTaps = offset == 0.0f;

    for (int i = 0; i < count; ++i) {
        lfoPhase += increment;
        if (lfoPhase >= 200.0f)
            lfoPhase -= 200.0f;
        const float tapL = tap(lfoPhase);
        float tapR = tapL;
        if (!sameTaps) {
            float p2 = offset + lfoPhase;
            if (p2 >= 200.0f)
                p2 -= 200.0f;
            tapR = tap(p2);
        }
        const float xL = left[i];
        const float xR = right[i];
        buffer[writeIndex] = ((tapR + tapL) * feedback + (xR + xL)) * 0.5f;
        left[i] = tapL * mix + xL * dryGain;
        right[i] = tapR * mix + xR * dryGain;
        if (++writeIndex >= length)
            writeIndex = 0;
        if (++readIndex >= length)
            readIndex = 0;
    }
}
