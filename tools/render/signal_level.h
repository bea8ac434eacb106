// Peak and RMS of all the samples a file holds, in dBFS (a full-scale square wave reads 0 dBFS for both).
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <string>

class SignalLevel {
public:
    void add(const float* samples, std::size_t count)
    {
        for (std::size_t i = 0; i < count; ++i) {
            double x = samples[i];
            double magnitude = std::fabs(x);
            if (magnitude > peak)
                peak = magnitude;
            sumOfSquares += x * x;
        }
        samplesSeen += count;
    }

    double peakDb() const { return decibels(peak); }
    double rmsDb() const
    {
        return decibels(samplesSeen ? std::sqrt(sumOfSquares / static_cast<double>(samplesSeen)) : 0.0);
    }

    // "-3.0", or "-inf" for silence.
    static std::string text(double db)
    {
        if (!std::isfinite(db))
            return "-inf";
        char buffer[32];
        std::snprintf(buffer, sizeof(buffer), "%.1f", db);
        return buffer;
    }

private:
    static double decibels(double amplitude) { return amplitude > 0.0 ? 20.0 * std::log10(amplitude) : -INFINITY; }

    double peak = 0.0;
    double sumOfSquares = 0.0;
    std::size_t samplesSeen = 0;
};
