// Sine probes: test tones, a stage's measured gain, and the cookbook responses the gains are checked against.
#pragma once

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

inline std::vector<float> sineWave(int n, double hz, double amplitude, double rate = 44100.0)
{
    std::vector<float> v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        v[i] = static_cast<float>(amplitude * std::sin(2.0 * M_PI * hz * i / rate));
    return v;
}

// Gain in dB from the left input to the left output for a sine on both channels, measured over one second
// (whole cycles for whole-hertz probes) after `settle` samples. process(float* left, float* right, int n)
// runs in place, n at most `block`.
template <class Process>
double sineGainDb(Process process, double hz, double rate, double amplitude = 1.0, int settle = 20000,
                  int block = 64)
{
    const int measure = static_cast<int>(rate);
    std::vector<float> in(block), left(block), right(block);
    double inPower = 0.0, outPower = 0.0;
    for (int start = 0; start < settle + measure; start += block) {
        const int n = std::min(block, settle + measure - start);
        for (int i = 0; i < n; ++i)
            in[i] = left[i] = right[i] = static_cast<float>(amplitude * std::sin(2.0 * M_PI * hz * (start + i) / rate));
        process(left.data(), right.data(), n);
        for (int i = 0; i < n && start >= settle; ++i) {
            inPower += double(in[i]) * in[i];
            outPower += double(left[i]) * left[i];
        }
    }
    return 10.0 * std::log10(outPower / inPower);
}

// The same for a one-sample filter: tick(float) -> float.
template <class Tick>
double tickGainDb(Tick tick, double hz, double rate)
{
    return sineGainDb([&](float* l, float*, int n) { std::transform(l, l + n, l, tick); }, hz, rate);
}

// Cookbook sections in double, as their designs intend them: magnitude at a frequency, in dB.
struct Cookbook {
    double b0, b1, b2, a0, a1, a2;

    double gainDb(double hz, double rate) const
    {
        const std::complex<double> z1 = std::polar(1.0, -2.0 * M_PI * hz / rate);
        const std::complex<double> h = (b0 + b1 * z1 + b2 * z1 * z1) / (a0 + a1 * z1 + a2 * z1 * z1);
        return 20.0 * std::log10(std::abs(h));
    }

    static double bandwidthAlpha(double w0, double octaves)
    {
        return std::sin(w0) * std::sinh(std::log(2.0) / 2.0 * octaves * w0 / std::sin(w0));
    }
    static Cookbook lowPassQ(double hz, double q, double rate)
    {
        const double w0 = 2.0 * M_PI * hz / rate, c = std::cos(w0), alpha = std::sin(w0) / (2.0 * q);
        return {(1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha};
    }
    static Cookbook highPassBandwidth(double hz, double octaves, double rate)
    {
        const double w0 = 2.0 * M_PI * hz / rate, c = std::cos(w0), alpha = bandwidthAlpha(w0, octaves);
        return {(1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha};
    }
    static Cookbook peaking(double hz, double octaves, double gainDb, double rate)
    {
        const double w0 = 2.0 * M_PI * hz / rate, c = std::cos(w0), alpha = bandwidthAlpha(w0, octaves);
        const double a = std::pow(10.0, gainDb / 40.0);
        return {1 + alpha * a, -2 * c, 1 - alpha * a, 1 + alpha / a, -2 * c, 1 - alpha / a};
    }
};

// The Magic EQ's wet path: the +10 dB one-octave bell at tuneHz, then the 0.5-octave 40 Hz high-pass.
inline double magicEqWetDb(double tuneHz, double hz, double rate = 44100.0)
{
    return Cookbook::peaking(tuneHz, 1.0, 10.0, rate).gainDb(hz, rate) +
           Cookbook::highPassBandwidth(40.0, 0.5, rate).gainDb(hz, rate);
}
