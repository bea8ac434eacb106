// A 15-bit linear congruential generator and the uniform, integer, chance and gaussian draws.
#include "engine/random_source.h"

#include <cmath>

int RandomSource::next()
{
    if (fedNext < fedCount)
        return fed[fedNext++];
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7fffu);
}

bool RandomSource::feed(const int* draws, int count)
{
    fedCount = 0;
    fedNext = 0;
    if (draws == nullptr || count < 0 || count > kFeedCapacity)
        return false;
    for (int i = 0; i < count; ++i)
        fed[i] = draws[i] < 0 ? 0 : (draws[i] > kMaximum ? kMaximum : draws[i]);
    fedCount = count;
    return true;
}

float RandomSource::uniform(float a, float b)
{
    return static_cast<float>(next()) * (b - a) * kScale + a;
}

int RandomSource::integer(int a, int b)
{
    float x = static_cast<float>(next()) * static_cast<float>(b + 1 - a) * kScale + static_cast<float>(a);
    int i = static_cast<int>(x);
    if (i < a)
        i = a;
    if (i > b)
        i = b;
    return i;
}

bool RandomSource::chance(float p)
{
    return static_cast<float>(next()) * kScale < p;
}

float RandomSource::gaussian(float mean, float spread, float low, float high)
{
    // Polar method. A source that never lands inside the unit circle (only a fed one can) gives
    // the mean rather than spinning forever.
    float result = mean;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        float u1 = (2.0f * static_cast<float>(next()) - 32767.0f) / 32767.0f;
        float u2 = (2.0f * static_cast<float>(next()) - 32767.0f) / 32767.0f;
        float q = u1 * u1 + u2 * u2;
        if (q > 1.0f)
            continue;
        result = mean + spread * u1 * std::sqrt(-2.0f * std::log(q) / q);
        break;
    }
    if (result < low)
        result = low;
    if (result > high)
        result = high;
    return result;
}
