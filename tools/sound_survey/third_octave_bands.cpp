// Levels in third-octave bands of one stretch of sound, from a windowed FFT.
#include "tools/sound_survey/third_octave_bands.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kLowestCentreHz = 31.5;

} // namespace

ThirdOctaveBands::ThirdOctaveBands(int sampleRate) : window(kFrameSize), work(kFrameSize)
{
    for (int i = 0; i < kFrameSize; ++i)
        window[i] = 0.5 - 0.5 * std::cos(2.0 * kPi * i / kFrameSize);
    double binHz = static_cast<double>(sampleRate) / kFrameSize;
    for (int band = 0; band <= kBandCount; ++band) {
        double edgeHz = kLowestCentreHz * std::pow(2.0, (band - 0.5) / 3.0);
        int bin = static_cast<int>(std::ceil(edgeHz / binHz));
        firstBin.push_back(bin < kFrameSize / 2 ? bin : kFrameSize / 2);
    }
}

std::vector<float> ThirdOctaveBands::levels(const float* left, const float* right)
{
    std::vector<double> power(kBandCount, 0.0);
    for (const float* channel : {left, right}) {
        for (int i = 0; i < kFrameSize; ++i)
            work[i] = std::complex<double>(channel[i] * window[i], 0.0);
        transform(work);
        for (int band = 0; band < kBandCount; ++band) {
            for (int bin = firstBin[band]; bin < firstBin[band + 1]; ++bin)
                power[band] += std::norm(work[bin]);
        }
    }
    // Scaled so a full-scale sine in both channels reads about 0 dB in its band.
    double scale = 1.0 / (0.25 * kFrameSize * kFrameSize);
    std::vector<float> result(kBandCount);
    for (int band = 0; band < kBandCount; ++band) {
        double db = 10.0 * std::log10(power[band] * scale + 1e-30);
        result[band] = static_cast<float>(db < kFloorDb ? kFloorDb : db);
    }
    return result;
}

// In place, iterative radix 2.
void ThirdOctaveBands::transform(std::vector<std::complex<double>>& data) const
{
    const int n = static_cast<int>(data.size());
    for (int i = 1, j = 0; i < n; ++i) {
        int bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(data[i], data[j]);
    }
    for (int length = 2; length <= n; length <<= 1) {
        std::complex<double> step = std::polar(1.0, -2.0 * kPi / length);
        for (int start = 0; start < n; start += length) {
            std::complex<double> w(1.0, 0.0);
            for (int k = 0; k < length / 2; ++k) {
                std::complex<double> even = data[start + k];
                std::complex<double> odd = data[start + k + length / 2] * w;
                data[start + k] = even + odd;
                data[start + k + length / 2] = even - odd;
                w *= step;
            }
        }
    }
}
