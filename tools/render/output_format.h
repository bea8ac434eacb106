// The file format an output is written in: the container from its name, the samples from --bits or the input.
#pragma once

#include <string>

class OutputFormat {
public:
    static bool validBits(const std::string& bits);
    // Throws a usage error for a name without a known extension, or a container that cannot hold bits.
    static void check(const std::string& path, const std::string& bits);
    // The libsndfile format word: the input's sample format when the container can hold it, else
    // 24-bit (Vorbis for Ogg).
    static int choose(const std::string& path, const std::string& bits, int inputFormat, int channels,
                      int sampleRate);
    // "WAV float", "FLAC 24-bit", ... for messages.
    static std::string describe(int format);
};
