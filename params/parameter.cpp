// Parameter record: mapping, smoothing, modulation and the LFO rate arithmetic.
#include "params/parameter.h"

#include "params/fixed_text.h"

#include <cmath>

Parameter::Parameter(int kind, bool displayable, const char* name, const char* shortName,
                     const char* unit, float minimum, float maximum)
    : kind(kind), minimum(minimum), maximum(maximum), value(minimum), target(minimum),
      displayable(displayable)
{
    copyFixedText(this->name, kTextSize, name);
    copyFixedText(this->shortName, kTextSize, shortName);
    copyFixedText(this->unit, kTextSize, unit);
}

void Parameter::setSyncList(int count, float minimumRateHz, float maximumRateHz,
                            const char* const* labels, const float* factors)
{
    if (count < 0 || labels == nullptr || factors == nullptr)
        count = 0;
    if (count > kMaxListCount)
        count = kMaxListCount;
    listCount = count;
    for (int i = 0; i < count; ++i) {
        listFactors[i] = factors[i];
        copyFixedText(listNames[i], kTextSize, labels[i]);
    }
    minimumRate = minimumRateHz;
    maximumRate = maximumRateHz;
}

void Parameter::setSampleRate(float rate)
{
    if (!(rate > 0.0f) || !std::isfinite(rate))
        return;
    sampleRate = rate;
    // In double on purpose: float x float would give 441 at 44.1 kHz where 440 is wanted.
    rampLength = static_cast<int>(static_cast<double>(rate) * static_cast<double>(rampTime));
}

float Parameter::toEngine(float normalized) const
{
    if (isUnitRange())
        return normalized;
    float x = (maximum - minimum) * normalized + minimum;
    if (kind == 0)
        x = std::trunc(x + 0.5f);
    return x;
}

float Parameter::toNormalized(float engineValue) const
{
    if (isUnitRange())
        return engineValue;
    return (engineValue - minimum) / (maximum - minimum);
}

void Parameter::setNormalized(float normalized)
{
    if (!std::isfinite(normalized))
        return;
    float x = toEngine(normalized);
    if (!std::isfinite(x) || x == target)
        return;
    target = x;
    rampStart = value;
    rampPosition = 0;
}

void Parameter::snap()
{
    value = target;
    rampStart = target;
    rampPosition = rampLength;
}

void Parameter::advance(int frames)
{
    if (frames <= 0 || value == target)
        return;
    rampPosition += frames;
    float t = 1.0f;
    if (rampLength > 0 && rampPosition < rampLength)
        t = static_cast<float>(rampPosition) / static_cast<float>(rampLength);
    value = (1.0f - t) * rampStart + t * target;
}

float Parameter::modulated(float x) const
{
    if (modulator == nullptr)
        return x;
    // The offset moves the host position, so targets beyond 0..1 (seconds, Hz, ms) sweep their whole
    // range; for 0..1 records this is the plain sum limited to 0..1. Rounded in this order: host
    // position, plus the offset, limited, back to engine units.
    float position = toNormalized(x) + modulator->output;
    if (position < 0.0f)
        position = 0.0f;
    if (position > 1.0f)
        position = 1.0f;
    return toEngine(position);
}

int Parameter::divisionIndex() const
{
    if (listCount <= 0)
        return 0;
    float x = (1.0f - target) * static_cast<float>(listCount);
    if (!(x >= 0.0f))
        return 0;
    if (x >= static_cast<float>(listCount - 1))
        return listCount - 1;
    return static_cast<int>(x);
}

float Parameter::rateHz(float tempo) const
{
    if (synced && listCount > 0) {
        float factor = listFactors[divisionIndex()];
        return 1.0f / (factor * 4.0f * 60.0f / tempo);
    }
    return minimumRate + (maximumRate - minimumRate) * target;
}

float Parameter::syncedPhase(float tempo, float positionBeats) const
{
    static_cast<void>(tempo);
    if (!synced || listCount <= 0)
        return -1.0f;
    float p = positionBeats / (listFactors[divisionIndex()] * 4.0f);
    p = p - std::trunc(p);
    if (p >= 1.0f)
        p -= 1.0f;
    return p;
}
