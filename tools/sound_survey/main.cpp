// ravensoot-survey: measures renders of one input against that input and against each other.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/sound_survey/sound_figures.h"

namespace {

const char* const kHelp = R"(NAME
    ravensoot-survey - compare renders of one input with the input and with each other

SYNOPSIS
    ravensoot-survey [OPTIONS] REFERENCE FILE...

DESCRIPTION
    Reads REFERENCE (the dry input) and each FILE (the input rendered through one sound each, all of
    the same length and sample rate) and prints one line per FILE: peak and RMS level in dBFS, the RMS
    level against the reference, the share of samples at the plug-in's output limit, and how far its
    spectrum lies from the previous FILE's and from the reference's. The spectral distance compares
    third-octave band levels frame by frame (4096 samples), so two sweeps at different rates differ
    even where their average spectra agree; it is the mean RMS difference of the bands in dB.

    A note marks a FILE that breaks one of the limits below; the last line counts them.

OPTIONS
    --quiet-below DB     note a file whose RMS lies more than DB under the reference (default 12)
    --loud-above DB      note a file whose RMS lies more than DB over the reference (default 6)
    --limit-above PCT    note a file with more than PCT percent of its samples at the limit (default 0.5)
    --alike-below DB     note a file less than DB from the previous one (default 2)
    -h, --help           print this page

EXIT STATUS
    0 measured (whatever the notes say), 1 a file cannot be read, 2 bad arguments.
)";

struct Limits {
    double quietBelow = 12.0;
    double loudAbove = 6.0;
    double limitAbove = 0.5;
    double alikeBelow = 2.0;
};

int usage(const std::string& message)
{
    std::fprintf(stderr, "ravensoot-survey: %s (see --help)\n", message.c_str());
    return 2;
}

bool number(const char* text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0' && std::isfinite(value) && value >= 0.0;
}

std::string baseName(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string notes(const SoundFigures& file, const SoundFigures& reference, double toPrevious, bool first,
                  const Limits& limits)
{
    std::string text;
    auto add = [&text](const char* note) { text += (text.empty() ? "" : ", ") + std::string(note); };
    double level = file.rmsDb - reference.rmsDb;
    if (level < -limits.quietBelow)
        add("quiet");
    if (level > limits.loudAbove)
        add("loud");
    if (file.limitShare * 100.0 > limits.limitAbove)
        add("at the limit");
    if (!first && toPrevious < limits.alikeBelow)
        add("like the previous");
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    Limits limits;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            std::fputs(kHelp, stdout);
            return 0;
        }
        double* target = arg == "--quiet-below"   ? &limits.quietBelow
                         : arg == "--loud-above"  ? &limits.loudAbove
                         : arg == "--limit-above" ? &limits.limitAbove
                         : arg == "--alike-below" ? &limits.alikeBelow
                                                  : nullptr;
        if (target) {
            if (i + 1 >= argc || !number(argv[i + 1], *target))
                return usage(arg + " needs a number of 0 or more");
            ++i;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usage("unknown option " + arg);
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.size() < 2)
        return usage("give the reference and at least one file");

    std::vector<SoundFigures> figures(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        std::string reason;
        if (!figures[i].read(paths[i], reason)) {
            std::fprintf(stderr, "ravensoot-survey: %s: %s\n", paths[i].c_str(), reason.c_str());
            return 1;
        }
    }

    const SoundFigures& reference = figures[0];
    std::printf("%-36s %7s %7s %7s %7s %8s %7s  %s\n", "file", "peak", "RMS", "vs ref", "limit%", "to prev",
                "to ref", "notes");
    std::printf("%-36s %7.1f %7.1f %7s %7s %8s %7s\n", baseName(paths[0]).c_str(), reference.peakDb,
                reference.rmsDb, "", "", "", "");
    int noted = 0;
    for (std::size_t i = 1; i < paths.size(); ++i) {
        const SoundFigures& file = figures[i];
        double toPrevious = i > 1 ? SoundFigures::spectralDistance(file, figures[i - 1]) : 0.0;
        double toReference = SoundFigures::spectralDistance(file, reference);
        std::string note = notes(file, reference, toPrevious, i == 1, limits);
        noted += note.empty() ? 0 : 1;
        char previous[16] = "";
        if (i > 1)
            std::snprintf(previous, sizeof previous, "%.1f", toPrevious);
        std::printf("%-36s %7.1f %7.1f %+7.1f %7.2f %8s %7.1f  %s\n", baseName(paths[i]).c_str(), file.peakDb,
                    file.rmsDb, file.rmsDb - reference.rmsDb, file.limitShare * 100.0, previous, toReference,
                    note.c_str());
    }
    std::printf("%zu files, %d with notes\n", paths.size() - 1, noted);
    return 0;
}
