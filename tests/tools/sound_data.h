// Audio files for the tool tests, written and read straight through libsndfile.
#pragma once

#include <sndfile.h>

#include <string>
#include <vector>

struct SoundData {
    int channels = 0;
    int sampleRate = 0;
    std::vector<float> samples; // interleaved

    long long frames() const { return channels ? static_cast<long long>(samples.size()) / channels : 0; }
    float at(long long frame, int channel) const
    {
        return samples[static_cast<std::size_t>(frame * channels + channel)];
    }
};

inline bool writeSound(const std::string& path, const SoundData& sound, int format = SF_FORMAT_WAV | SF_FORMAT_FLOAT)
{
    SF_INFO info{};
    info.channels = sound.channels;
    info.samplerate = sound.sampleRate;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    sf_count_t written = sf_writef_float(file, sound.samples.data(), sound.frames());
    return sf_close(file) == 0 && written == sound.frames();
}

// Empty (no channels) when the file cannot be read.
inline SoundData readSound(const std::string& path)
{
    SoundData sound;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return sound;
    sound.samples.resize(static_cast<std::size_t>(info.frames * info.channels));
    sf_count_t got = sf_readf_float(file, sound.samples.data(), info.frames);
    sf_close(file);
    sound.samples.resize(static_cast<std::size_t>(got * info.channels));
    sound.channels = info.channels;
    sound.sampleRate = info.samplerate;
    return sound;
}
