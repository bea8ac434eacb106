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

double bandwidthAlpha(const BiquadFilter::Angle& a, float bandwidthOctaves)
{
    return a.sn * std::sinh(kHalfLn2 * bandwidthOctaves * a.w0 / a.sn);
}

DesignTerms terms(float sampleRate, float frequencyHz, float qOrBandwidth, bool useQ)
{
    const BiquadFilter::Angle a = BiquadFilter::angleOf(sampleRate, frequencyHz);
    double alpha = useQ ? a.sn / (2.0 * qOrBandwidth) : bandwidthAlpha(a, qOrBandwidth);
    return {a.cs, a.sn, alpha};
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

BiquadFilter::Angle BiquadFilter::angleOf(float sampleRate, float frequencyHz)
{
    double w0 = 2.0 * kPi * limitedFrequency(sampleRate, frequencyHz) / static_cast<double>(sampleRate);
    return {w0, std::cos(w0), std::sin(w0)};
}

double BiquadFilter::peakingAmplitude(float gainDb)
{
    return std::sqrt(std::pow(10.0, gainDb * 0.05));
}

void BiquadFilter::setBandPass(float sampleRate, float frequencyHz, float bandwidthOctaves)
{
    setBandPass(angleOf(sampleRate, frequencyHz), bandwidthOctaves);
}

void BiquadFilter::setBandPass(const Angle& angle, float bandwidthOctaves)
{
    double alpha = bandwidthAlpha(angle, bandwidthOctaves);
    store(alpha, 0.0, -alpha, 1.0 + alpha, -2.0 * angle.cs, 1.0 - alpha);
}

void BiquadFilter::setPeaking(float sampleRate, float frequencyHz, float bandwidthOctaves, float gainDb)
{
    setPeaking(angleOf(sampleRate, frequencyHz), bandwidthOctaves, peakingAmplitude(gainDb));
}

void BiquadFilter::setPeaking(const Angle& angle, float bandwidthOctaves, double a)
{
    double alpha = bandwidthAlpha(angle, bandwidthOctaves);
    store(1.0 + alpha * a, -2.0 * angle.cs, 1.0 - alpha * a, 1.0 + alpha / a, -2.0 * angle.cs,
          1.0 - alpha / a);
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
