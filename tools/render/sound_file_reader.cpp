// An audio file read through libsndfile as interleaved floats, full scale ±1 whatever the file holds.
#include "tools/render/sound_file_reader.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "tools/render/tool_error.h"

SoundFileReader::SoundFileReader(const std::string& path) : path(path)
{
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        throw runFailure(path + ": " + (errno == ENOENT ? std::string("no such file") : std::strerror(errno)));
    if (S_ISDIR(status.st_mode))
        throw runFailure(path + ": is a folder, not an audio file");
    file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        throw runFailure(path + ": unreadable format (" + sf_strerror(nullptr) + ")");
    if (info.channels < 1 || info.channels > 2) {
        int channels = info.channels;
        sf_close(file);
        file = nullptr;
        throw runFailure(path + ": " + std::to_string(channels) + " channels; only mono and stereo files are taken");
    }
    if (info.samplerate <= 0) {
        sf_close(file);
        file = nullptr;
        throw runFailure(path + ": no sample rate in the file");
    }
}

SoundFileReader::~SoundFileReader()
{
    if (file)
        sf_close(file);
}

std::size_t SoundFileReader::read(float* interleaved, std::size_t count)
{
    sf_count_t got = sf_readf_float(file, interleaved, static_cast<sf_count_t>(count));
    if (got < 0)
        got = 0;
    position += got;
    if (got < static_cast<sf_count_t>(count) && position < frames())
        throw runFailure(path + ": cut short after " + std::to_string(position) + " of "
                         + std::to_string(frames()) + " frames (" + sf_strerror(file) + ")");
    return static_cast<std::size_t>(got);
}
