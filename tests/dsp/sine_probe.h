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
