// ravensoot-demo-loop: writes the demonstration loop (8 s of stereo drums, bass and chords) to a WAV file.
#include <sndfile.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/demo_loop/demo_loop.h"

namespace {

const char* const kHelp = R"(NAME
    ravensoot-demo-loop - write the Raven Soot 3 demonstration loop

SYNOPSIS
    ravensoot-demo-loop [--rate HZ] OUTPUT.wav

DESCRIPTION
    Synthesises four bars at 120 beats per minute of drums, bass and a chord pad (Am9, Fmaj7, C add9,
    G6), 8 seconds of stereo that loop without a seam, and writes them as a 24-bit WAV file peaking at
    -3 dBFS. Every run writes the same samples; nothing is downloaded or sampled.

OPTIONS
    --rate HZ   sample rate (8000 to 192000, default 44100)
    -h, --help  print this page

EXIT STATUS
    0 written, 1 the file could not be written, 2 bad arguments.
)";

int usage(const std::string& message)
{
    std::fprintf(stderr, "ravensoot-demo-loop: %s\n", message.c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::string output;
    long rate = 44100;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (argument == "--rate") {
            if (i + 1 >= argc)
                return usage("--rate: needs a value");
            char* end = nullptr;
            rate = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || rate < 8000 || rate > 192000)
                return usage(std::string("--rate ") + argv[i] + ": not a rate from 8000 to 192000");
        } else if (!argument.empty() && argument[0] == '-') {
            return usage(argument + ": unknown option (see --help)");
        } else if (output.empty()) {
            output = argument;
        } else {
            return usage(argument + ": one output file only");
        }
    }
    if (output.empty())
        return usage("no output file given (see --help)");

    StereoBuffer loop = DemoLoop::render(static_cast<double>(rate));
    SF_INFO info{};
    info.channels = 2;
    info.samplerate = static_cast<int>(rate);
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_24;
    SNDFILE* file = sf_open(output.c_str(), SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "ravensoot-demo-loop: %s: cannot write (%s)\n", output.c_str(), sf_strerror(nullptr));
        return 1;
    }
    std::vector<float> samples = loop.interleaved();
    sf_count_t frames = static_cast<sf_count_t>(loop.frames());
    bool written = sf_writef_float(file, samples.data(), frames) == frames;
    if (sf_close(file) != 0 || !written) {
        std::remove(output.c_str());
        std::fprintf(stderr, "ravensoot-demo-loop: %s: cannot write (disk full?)\n", output.c_str());
        return 1;
    }
    return 0;
}
