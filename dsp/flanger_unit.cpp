// The flanger's delay bookkeeping and its per-sample loop.
#include "dsp/flanger_unit.h"

#include "dsp/float_lanes.h"

#include <algorithm>
#include <cmath>

namespace {

typedef int Int4 __attribute__((vector_size(16)));

// SineTable::lookup on four phases, lane by lane.
Float4 sineAt(const SineTable& table, Float4 phase)
{
    phase = phase >= 0.0f ? phase : 0.0f;
    phase = phase > 200.0f ? 200.0f : phase;
    Int4 i = __builtin_convertvector(phase, Int4);
    i = i > SineTable::kSize - 2 ? SineTable::kSize - 2 : i;
    const Float4 frac = phase - __builtin_convertvector(i, Float4);
    const float* t = table.values;
    const Float4 low = {t[i[0]], t[i[1]], t[i[2]], t[i[3]]};
    const Float4 high = {t[i[0] + 1], t[i[1] + 1], t[i[2] + 1], t[i[3] + 1]};
    return low + (high - low) * frac;
}

} // namespace

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

    int i = 0;
    // Four samples at a time when both taps are one: all four read before any writes, which gives what
    // the one-by-one order gives as long as no sample reads a slot written by the three before it,
    // that is while the shortest delay is over four samples.
    int lead = readAt - w;
    if (lead < 0)
        lead += n;
    if (sameTaps && n - lead > 4) {
        const Int4 lanes = {0, 1, 2, 3};
        for (; i + 4 <= count; i += 4) {
            Float4 p;
            for (int k = 0; k < 4; ++k) {
                phase += increment;
                if (phase >= 200.0f)
                    phase -= 200.0f;
                p[k] = phase;
            }
            const Float4 s = sineAt(table, p);
            const Float4 d = (s + 1.0f) * 0.5f * sweep * rateHz;
            const Int4 j = __builtin_convertvector(d, Int4);
            const Float4 f = d - __builtin_convertvector(j, Float4);
            Int4 r = readAt + lanes;
            r = r >= n ? r - n : r;
            Int4 a = r - j + n;
            a = a >= n ? a - n : a;
            Int4 b = a + 1;
            b = b >= n ? b - n : b;
            const Float4 atA = {memory[a[0]], memory[a[1]], memory[a[2]], memory[a[3]]};
            const Float4 atB = {memory[b[0]], memory[b[1]], memory[b[2]], memory[b[3]]};
            const Float4 tap = (1.0f - f) * atB + f * atA;
            const Float4 xL = load4(left + i);
            const Float4 xR = load4(right + i);
            Float4 written = ((tap + tap) * back + (xR + xL)) * 0.5f;
            written = written - written == 0.0f ? written : 0.0f;
            for (int k = 0; k < 4; ++k) {
                memory[w] = written[k];
                if (++w >= n)
                    w = 0;
            }
            store4(left + i, tap * wet + xL * dryGain);
            store4(right + i, tap * wet + xR * dryGain);
            readAt += 4;
            if (readAt >= n)
                readAt -= n;
        }
    }
    for (; i < count; ++i) {
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
