// What the survey measures in one sound file: levels, time at the output limit and the spectrum over time.
#include "tools/sound_survey/sound_figures.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>

#include "tools/sound_survey/third_octave_bands.h"

namespace {

// A 24-bit file holds the limit 0.9999 as 0.99989986; anything this close to full scale counts.
constexpr float kAtLimit = 0.9998f;

double decibels(double value)
{
    return value > 0.0 ? 20.0 * std::log10(value) : -INFINITY;
}

} // namespace

bool SoundFigures::read(const std::string& path, std::string& reason)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        reason = sf_strerror(nullptr);
        return false;
    }
    std::vector<float> samples(static_cast<std::size_t>(info.frames * info.channels));
    sf_count_t got = sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    if (info.channels < 1 || info.channels > 2 || got < 1) {
        reason = "holds no mono or stereo sound";
        return false;
    }
    std::size_t count = static_cast<std::size_t>(got);
    std::vector<float> left(count), right(count);
    for (std::size_t i = 0; i < count; ++i) {
        left[i] = samples[i * static_cast<std::size_t>(info.channels)];
        right[i] = samples[i * static_cast<std::size_t>(info.channels) + static_cast<std::size_t>(info.channels - 1)];
    }

    double peak = 0.0;
    double energy = 0.0;
    std::size_t atLimit = 0;
    for (const std::vector<float>* channel : {&left, &right}) {
        for (float x : *channel) {
            double magnitude = std::fabs(x);
            peak = std::max(peak, magnitude);
            energy += magnitude * magnitude;
            atLimit += std::fabs(x) >= kAtLimit ? 1 : 0;
        }
    }
    peakDb = decibels(peak);
    rmsDb = decibels(std::sqrt(energy / (2.0 * static_cast<double>(count))));
    limitShare = static_cast<double>(atLimit) / (2.0 * static_cast<double>(count));

    ThirdOctaveBands bands(info.samplerate);
    frames.clear();
    for (std::size_t start = 0; start + ThirdOctaveBands::kFrameSize <= count; start += ThirdOctaveBands::kFrameSize)
        frames.push_back(bands.levels(left.data() + start, right.data() + start));
    return true;
}

double SoundFigures::spectralDistance(const SoundFigures& a, const SoundFigures& b)
{
    std::size_t count = std::min(a.frames.size(), b.frames.size());
    if (count == 0)
        return 0.0;
    double total = 0.0;
    for (std::size_t f = 0; f < count; ++f) {
        double squares = 0.0;
        for (int band = 0; band < ThirdOctaveBands::kBandCount; ++band) {
            double d = a.frames[f][static_cast<std::size_t>(band)] - b.frames[f][static_cast<std::size_t>(band)];
            squares += d * d;
        }
        total += std::sqrt(squares / ThirdOctaveBands::kBandCount);
    }
    return total / static_cast<double>(count);
}
