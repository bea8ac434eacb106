// Measures a filter's steady-state gain with a sine probe, for comparison with analytic responses.
#pragma once

#include <cmath>

// tick: float(float), one sample through the filter under test, starting from clear state.
template <class Tick>
double measuredGainDb(Tick tick, double frequencyHz, double sampleRate)
{
    const double w = 2.0 * M_PI * frequencyHz / sampleRate;
    const int settle = 20000, measure = 44100;
    double in = 0.0, out = 0.0;
    for (int n = 0; n < settle + measure; ++n) {
        float x = static_cast<float>(std::sin(w * n));
        float y = tick(x);
        if (n >= settle) {
            in += double(x) * x;
            out += double(y) * y;
        }
    }
    return 10.0 * std::log10(out / in);
}

// The same for a stereo unit: process(float* left, float* right, int count) runs one sub-block of 64
// frames in place; the left channel is measured.
template <class Process>
double measuredBlockGainDb(Process process, double frequencyHz, double sampleRate)
{
    const double w = 2.0 * M_PI * frequencyHz / sampleRate;
    const int settle = 20000, measure = 44100;
    double in = 0.0, out = 0.0;
    const int blockSize = 64;
    float left[blockSize], right[blockSize], x[blockSize];
    for (int start = 0; start < settle + measure; start += blockSize) {
        for (int i = 0; i < blockSize; ++i)
            left[i] = right[i] = x[i] = static_cast<float>(std::sin(w * (start + i)));
        process(left, right, blockSize);
        if (start >= settle) {
            for (int i = 0; i < blockSize; ++i) {
                in += double(x[i]) * x[i];
                out += double(left[i]) * left[i];
            }
        }
    }
    return 10.0 * std::log10(out / in);
}
