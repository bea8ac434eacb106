// Bilinear transform of the fourth-order Butterworth prototype, prewarped, designed in double.
#include "dsp/four_pole_low_pass.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// The two pole pairs of a fourth-order Butterworth: 2 sin(pi/8) and 2 sin(3 pi/8).
constexpr double kPoleTerms[2] = {0.765367, 1.847759};

double flushed(double v)
{
    return (v > -1e-15 && v < 1e-15) ? 0.0 : v;
}

} // namespace

void FourPoleLowPass::design(float sampleRate, float cutoffHz, float q)
{
    const double fs = sampleRate;
    // Above about half the sample rate tan() turns negative and the sections unstable.
    const double fc = std::min(static_cast<double>(cutoffHz), 0.46 * fs);
    const double pi = 4.0 * std::atan(1.0);
    const double wp = 2.0 * fs * std::tan(pi * fc / fs);

    double k = 1.0;
    double c[2][4];
    for (int s = 0; s < 2; ++s) {
        double a0 = 1.0, a1 = 0.0, a2 = 0.0;
        double b0 = 1.0, b1 = kPoleTerms[s] / q, b2 = 1.0;
        a2 = a2 / (wp * wp);
        a1 = a1 / wp;
        b2 = b2 / (wp * wp);
        b1 = b1 / wp;
        const double fs2 = fs * fs;
        const double ad = 4.0 * a2 * fs2 + 2.0 * a1 * fs + a0;
        const double bd = 4.0 * b2 * fs2 + 2.0 * b1 * fs + b0;
        k = k * ad / bd;
        c[s][0] = flushed((2.0 * b0 - 8.0 * b2 * fs2) / bd);
        c[s][1] = flushed((4.0 * b2 * fs2 - 2.0 * b1 * fs + b0) / bd);
        c[s][2] = flushed((2.0 * a0 - 8.0 * a2 * fs2) / ad);
        c[s][3] = flushed((4.0 * a2 * fs2 - 2.0 * a1 * fs + a0) / ad);
    }

    // No sample rate yet, 0 Hz or a q of 0: keep the previous design rather than store NaN.
    if (!std::isfinite(k))
        return;
    for (const auto& section : c)
        for (double v : section)
            if (!std::isfinite(v))
                return;

    sectionCount = 0;
    std::fill(std::begin(coefficients), std::end(coefficients), 0.0f);
    for (const auto& section : c) {
        if (sectionCount < kMaxSections) {
            for (int i = 0; i < 4; ++i)
                coefficients[4 * sectionCount + i] = static_cast<float>(section[i]);
        }
        ++sectionCount;
    }
    gain = static_cast<float>(flushed(k));
}

void FourPoleLowPass::clearHistory()
{
    std::fill(std::begin(history), std::end(history), 0.0f);
}

void FourPoleLowPass::flushHistory()
{
    for (int i = 0; i < 2 * sectionCount; ++i)
        if (history[i] > -1e-15 && history[i] < 1e-15)
            history[i] = 0.0f;
    // A NaN or infinity that got in would otherwise circulate for the life of the plug-in.
    for (float& h : history)
        if (!std::isfinite(h))
            h = 0.0f;
}

void FourPoleLowPass::copyDesign(const FourPoleLowPass& other)
{
    sectionCount = other.sectionCount;
    gain = other.gain;
    std::copy(std::begin(other.coefficients), std::end(other.coefficients), std::begin(coefficients));
}
