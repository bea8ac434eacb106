// Sine probes through the whole engine and the cookbook responses they are checked against.
#pragma once

#include "engine/product_engine.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

// Gain in dB from the left input to the left output for a sine of `amplitude` on both channels, after
// a settling time; measured over one second, a whole number of cycles for whole-hertz probes.
inline double engineGainDb(ProductEngine& e, double hz, double amplitude = 0.25, int settle = 8192)
{
    const double rate = e.getSampleRate();
    const int measure = static_cast<int>(rate);
    const int block = 512;
    std::vector<float> in(block), outL(block), outR(block);
    double inPower = 0.0, outPower = 0.0;
    for (int start = 0; start < settle + measure; start += block) {
        const int n = std::min(block, settle + measure - start);
        for (int i = 0; i < n; ++i)
            in[i] = static_cast<float>(amplitude * std::sin(2.0 * M_PI * hz * (start + i) / rate));
        e.process(in.data(), in.data(), outL.data(), outR.data(), n, true);
        for (int i = 0; i < n && start >= settle; ++i) {
            inPower += double(in[i]) * in[i];
            outPower += double(outL[i]) * outL[i];
        }
    }
    return 10.0 * std::log10(outPower / inPower);
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
