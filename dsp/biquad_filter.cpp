// Cookbook designs in double precision, stored as float.
#include "dsp/biquad_filter.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kHalfLn2 = 0.34657359027997264;

// Above about half the sample rate the designs turn unstable or produce NaN; the units ask for up to
// 20 kHz, which low sample rates cannot carry.
double limitedFrequency(float sampleRate, float frequencyHz)
{
    return std::min(static_cast<double>(frequencyHz), 0.46 * static_cast<double>(sampleRate));
}

struct DesignTerms {
    double cs;
    double sn;
    double alpha;
};

DesignTerms terms(float sampleRate, float frequencyHz, float qOrBandwidth, bool useQ)
{
    double w0 = 2.0 * kPi * limitedFrequency(sampleRate, frequencyHz) / static_cast<double>(sampleRate);
    double cs = std::cos(w0);
    double sn = std::sin(w0);
    double alpha = useQ ? sn / (2.0 * qOrBandwidth)
                        : sn * std::sinh(kHalfLn2 * qOrBandwidth * w0 / sn);
    return {cs, sn, alpha};
}

float flushed(double v)
{
    float f = static_cast<float>(v);
    return (f > -1e-15 && f < 1e-15) ? 0.0f : f;
}

} // namespace

void BiquadFilter::store(double nb0, double nb1, double nb2, double na0, double na1, double na2)
{
    // A request no section can carry (no sample rate yet, 0 Hz in the bandwidth form, Q of 0) keeps the
    // previous design instead of filling the section with NaN.
    const double q[5] = {nb0 / na0, nb1 / na0, nb2 / na0, na1 / na0, na2 / na0};
    for (double v : q)
        if (!std::isfinite(v))
            return;
    b0 = flushed(q[0]);
    b1 = flushed(q[1]);
    b2 = flushed(q[2]);
    a1 = flushed(q[3]);
    a2 = flushed(q[4]);
}

void BiquadFilter::setLowPass(float sampleRate, float frequencyHz, float qOrBandwidth, bool useQ)
{
    DesignTerms t = terms(sampleRate, frequencyHz, qOrBandwidth, useQ);
    double b = (1.0 - t.cs) * 0.5;
    store(b, 1.0 - t.cs, b, 1.0 + t.alpha, -2.0 * t.cs, 1.0 - t.alpha);
}

void BiquadFilter::setHighPass(float sampleRate, float frequencyHz, float qOrBandwidth, bool useQ)
{
    DesignTerms t = terms(sampleRate, frequencyHz, qOrBandwidth, useQ);
    double b = (1.0 + t.cs) * 0.5;
    store(b, -(1.0 + t.cs), b, 1.0 + t.alpha, -2.0 * t.cs, 1.0 - t.alpha);
}

void BiquadFilter::setNotch(float sampleRate, float frequencyHz, float qOrBandwidth, bool useQ)
{
    DesignTerms t = terms(sampleRate, frequencyHz, qOrBandwidth, useQ);
    store(1.0, -2.0 * t.cs, 1.0, 1.0 + t.alpha, -2.0 * t.cs, 1.0 - t.alpha);
}

void BiquadFilter::setBandPass(float sampleRate, float frequencyHz, float bandwidthOctaves)
{
    DesignTerms t = terms(sampleRate, frequencyHz, bandwidthOctaves, false);
    store(t.alpha, 0.0, -t.alpha, 1.0 + t.alpha, -2.0 * t.cs, 1.0 - t.alpha);
}

void BiquadFilter::setPeaking(float sampleRate, float frequencyHz, float bandwidthOctaves, float gainDb)
{
    DesignTerms t = terms(sampleRate, frequencyHz, bandwidthOctaves, false);
    double a = std::sqrt(std::pow(10.0, gainDb * 0.05));
    store(1.0 + t.alpha * a, -2.0 * t.cs, 1.0 - t.alpha * a, 1.0 + t.alpha / a, -2.0 * t.cs,
          1.0 - t.alpha / a);
}

void BiquadFilter::copyCoefficients(const BiquadFilter& other)
{
    b0 = other.b0;
    b1 = other.b1;
    b2 = other.b2;
    a1 = other.a1;
    a2 = other.a2;
}

void BiquadFilter::flushState()
{
    // A NaN or infinity that got in would otherwise circulate for the life of the plug-in.
    if (!std::isfinite(y1) || !std::isfinite(y2) || !std::isfinite(x1) || !std::isfinite(x2)) {
        clear();
        return;
    }
    if (y1 > -1e-15 && y1 < 1e-15) {
        y1 = 0.0f;
        y2 = 0.0f;
    }
}
