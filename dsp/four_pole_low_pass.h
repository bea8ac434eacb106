// Resonant 24 dB/octave low-pass: two second-order sections from a Butterworth prototype.
#pragma once

class FourPoleLowPass {
public:
    FourPoleLowPass() = default;
    virtual ~FourPoleLowPass() = default;
    FourPoleLowPass(const FourPoleLowPass&) = default;
    FourPoleLowPass& operator=(const FourPoleLowPass&) = default;

    // q = 1 is the plain Butterworth response; larger q raises a resonant peak at the cutoff.
    // The history is left alone so that a running filter can be redesigned without a click.
    void design(float sampleRate, float cutoffHz, float q);

    float process(float x)
    {
        float out = x * gain;
        for (int s = 0; s < 2; ++s) {
            const float* c = coefficients + 4 * s;
            float& h1 = history[2 * s];
            float& h2 = history[2 * s + 1];
            out = out - h1 * c[0];
            float w = out - h2 * c[1];
            out = w + h1 * c[2] + h2 * c[3];
            h2 = h1;
            h1 = w;
        }
        return out;
    }

    void clearHistory();
    // Called once per processing call, never per sample.
    void flushHistory();
    // Gives this filter the other's gain, coefficients and section count (the other channel's design).
    void copyDesign(const FourPoleLowPass& other);

    static constexpr int kMaxSections = 4;

    int sectionCount = 0;
    float history[2 * kMaxSections] = {};             // per section: newest, older
    float gain = 1.0f;
    float coefficients[4 * kMaxSections] = {};        // per section: beta1, beta2, alpha1, alpha2
};
