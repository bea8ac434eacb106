// An audio file read through libsndfile as interleaved floats, full scale ±1 whatever the file holds.
#pragma once

#include <sndfile.h>

#include <cstddef>
#include <string>

class SoundFileReader {
public:
    // Throws a run failure naming the file: missing, unreadable format, more than two channels.
    explicit SoundFileReader(const std::string& path);
    ~SoundFileReader();
    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;

    int channels() const { return info.channels; }
    int sampleRate() const { return info.samplerate; }
    long long frames() const { return static_cast<long long>(info.frames); }
    int format() const { return info.format; }

    // Reads up to count frames into interleaved; answers the frames read (0 at the end). Throws when
    // the file breaks off before its stated end.
    std::size_t read(float* interleaved, std::size_t count);

private:
    std::string path;
    SNDFILE* file = nullptr;
    SF_INFO info{};
    long long position = 0;
};
