// Second-order IIR section with the cookbook designs the units share.
#pragma once

class BiquadFilter {
public:
    BiquadFilter() = default;
    virtual ~BiquadFilter() = default;
    BiquadFilter(const BiquadFilter&) = default;
    BiquadFilter& operator=(const BiquadFilter&) = default;

    // useQ: the third argument is the quality factor; otherwise a bandwidth in octaves.
    void setLowPass(float sampleRate, float frequencyHz, float qOrBandwidth, bool useQ);
    void setHighPass(float sampleRate, float frequencyHz, float qOrBandwidth, bool useQ);
    void setNotch(float sampleRate, float frequencyHz, float qOrBandwidth, bool useQ);
    void setBandPass(float sampleRate, float frequencyHz, float bandwidthOctaves);
    void setPeaking(float sampleRate, float frequencyHz, float bandwidthOctaves, float gainDb);

    // The angle terms of a design and the peaking bell's amplitude, for owners that design several
    // sections at one frequency or keep one gain: the same numbers the calls above compute.
    struct Angle {
        double w0, cs, sn;
    };
    static Angle angleOf(float sampleRate, float frequencyHz);
    static double peakingAmplitude(float gainDb);
    void setBandPass(const Angle& angle, float bandwidthOctaves);
    void setPeaking(const Angle& angle, float bandwidthOctaves, double amplitude);

    float tick(float x)
    {
        float y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

    void clear() { y1 = y2 = x1 = x2 = 0.0f; }
    void copyCoefficients(const BiquadFilter& other);
    // Called once per processing call, never per sample.
    void flushState();

    float b0 = 0.0f, b1 = 0.0f, b2 = 0.0f;
    float a1 = 0.0f, a2 = 0.0f;
    float y1 = 0.0f, y2 = 0.0f;
    float x1 = 0.0f, x2 = 0.0f;

private:
    void store(double nb0, double nb1, double nb2, double na0, double na1, double na2);
};
