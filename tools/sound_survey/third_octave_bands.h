// Levels in third-octave bands of one stretch of sound, from a windowed FFT.
#pragma once

#include <complex>
#include <vector>

class ThirdOctaveBands {
public:
    static constexpr int kFrameSize = 4096;
    // Centres 31.5 Hz to 16 kHz.
    static constexpr int kBandCount = 28;
    // Levels below this count as this, so silence in both files is no difference.
    static constexpr float kFloorDb = -100.0f;

    explicit ThirdOctaveBands(int sampleRate);

    // kFrameSize samples of each channel in, one level in dB per band out.
    std::vector<float> levels(const float* left, const float* right);

private:
    void transform(std::vector<std::complex<double>>& data) const;

    std::vector<double> window;
    std::vector<int> firstBin; // per band, and one past the last band
    std::vector<std::complex<double>> work;
};
