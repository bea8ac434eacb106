// The flanger's delay bookkeeping and its per-sample loop.
#include "dsp/flanger_unit.h"

#include <algorithm>
#include <cmath>

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

void FlangerUnit::setSampleRate(float sampleRateHz)
{
    if (!(sampleRateHz > 0.0f && sampleRateHz <= 1e7f))
        return;
    sampleRate = sampleRateHz;
    buffer.assign(static_cast<size_t>(sampleRateHz * 0.035f + 0.5f), 0.0f);
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
    const float offset = stereoOffset * 50.0f;
    if (offset == 0.0f)
        run<true>(left, right, count, increment, offset);
    else
        run<false>(left, right, count, increment, offset);
}

template <bool sameTaps>
void FlangerUnit::run(float* left, float* right, int count, float increment, float offset)
{
    // Working copies: the delay memory is float too, so its stores could otherwise alias the state.
    const SineTable& table = *sine;
    float* const memory = buffer.data();
    const int n = length;
    const float sweep = depth;
    const float rateHz = sampleRate;
    const float wet = mix;
    const float dryGain = 1.0f - wet;
    const float back = feedback;
    float phase = lfoPhase;
    int w = writeIndex;
    int readAt = readIndex;

    auto tap = [&](float p) {
        const float s = table.lookup(p);
        const float d = (s + 1.0f) * 0.5f * sweep * rateHz;
        const int j = static_cast<int>(d);
        const float f = d - static_cast<float>(j);
        int a = readAt - j + n;
        if (a >= n)
            a -= n;
        int b = a + 1;
        if (b >= n)
            b -= n;
        return (1.0f - f) * memory[b] + f * memory[a];
    };

    for (int i = 0; i < count; ++i) {
        phase += increment;
        if (phase >= 200.0f)
            phase -= 200.0f;
        const float tapL = tap(phase);
        float tapR = tapL;
        if (!sameTaps) {
            float p2 = offset + phase;
            if (p2 >= 200.0f)
                p2 -= 200.0f;
            tapR = tap(p2);
        }
        const float xL = left[i];
        const float xR = right[i];
        const float written = ((tapR + tapL) * back + (xR + xL)) * 0.5f;
        // Even with no feedback a NaN tap times 0 is NaN: one bad sample would circulate for good.
        memory[w] = std::isfinite(written) ? written : 0.0f;
        left[i] = tapL * wet + xL * dryGain;
        right[i] = tapR * wet + xR * dryGain;
        if (++w >= n)
            w = 0;
        if (++readAt >= n)
            readAt = 0;
    }
    lfoPhase = phase;
    writeIndex = w;
    readIndex = readAt;
}
