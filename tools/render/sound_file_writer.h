// An audio file written through libsndfile into a temporary file beside the target, renamed into place
// only when every frame landed: a failed or interrupted run never leaves a half-written file behind.
#pragma once

#include <sndfile.h>

#include <cstddef>
#include <string>

class SoundFileWriter {
public:
    // Throws a run failure naming the target when the folder cannot take a file or the format is refused.
    SoundFileWriter(const std::string& path, int format, int channels, int sampleRate);
    // Without commit() the temporary file is removed and the target stays as it was.
    ~SoundFileWriter();
    SoundFileWriter(const SoundFileWriter&) = delete;
    SoundFileWriter& operator=(const SoundFileWriter&) = delete;

    void write(const float* interleaved, std::size_t frames);
    // Closes the file and renames it to the target; throws when either fails.
    void commit();

private:
    void discard();

    std::string target;
    std::string temporary;
    SNDFILE* file = nullptr;
};
