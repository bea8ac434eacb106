// ravensoot-bank: builds the factory bank file from its source text.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/bank_builder/bank_builder.h"
#include "tools/bank_builder/bank_source.h"

namespace {

const char* const kHelp = R"(NAME
    ravensoot-bank - build a Raven Soot 3 bank file from its source text

SYNOPSIS
    ravensoot-bank SOURCE.txt OUTPUT.fxb
    ravensoot-bank --check SOURCE.txt
    ravensoot-bank --list SOURCE.txt

DESCRIPTION
    Reads the 64 programs of SOURCE.txt and writes them as a bank file that the plug-in loads (the
    factory bank is data/factory_bank.txt, built into RavenSootData/RavenSoot3PresetsA.fxb). The
    records are written by the plug-in's own program and bank code.

    The source is read line by line; "#" starts a comment.
        family NAME          the programs below belong to this family
        program NAME         starts a program: at most 23 printable characters, no two alike
        PARAMETER = VALUE    one setting of the program above, by the parameter's name
    A program starts from what "Clear Preset" gives; the parameters it does not name keep those values.
    A VALUE is
        a host value from 0 to 1                     MmFilterMix = 0.5
        on or off, for a switch                      DistOn = on
        a list entry by its text                     MmFilterType = LowPass Fat, Lfo1Shape = Triangle,
                                                     Lfo1Target = MmFilterCutoff
        a division, for a synced LFO rate            Lfo1Rate = 1/4
        the value a host shows, with its unit        BpFilterLow = 304 Hz, MmFilterCutoff = 1200 Hz,
                                                     MmFilterDecay = 0.8 s, CompressRelease = 300 ms,
                                                     MasterVolume = -3 dB, CompressAmount = -12 dB,
                                                     FlangerAmount = 40 %, Lfo2Rate = 0.5 Hz (unsynced)
    A band edge in Hz takes the nearest step of the plug-in's frequency scale.

OPTIONS
    --check     read the source and report its faults; write nothing
    --list      print the programs by family as a Markdown table, numbered from 1 as hosts show them
    -h, --help  print this page

EXIT STATUS
    0 done, 1 the source has faults (each reported as FILE:LINE: reason) or the output cannot be
    written (it is then left as it was), 2 bad arguments.
)";

constexpr int kMostFaultsShown = 25;

int usage(const std::string& message)
{
    std::fprintf(stderr, "ravensoot-bank: %s (see --help)\n", message.c_str());
    return 2;
}

int report(const std::vector<std::string>& faults)
{
    int shown = 0;
    for (const std::string& fault : faults) {
        if (shown++ == kMostFaultsShown) {
            std::fprintf(stderr, "ravensoot-bank: %zu more faults\n", faults.size() - kMostFaultsShown);
            break;
        }
        std::fprintf(stderr, "%s\n", fault.c_str());
    }
    return 1;
}

void list(const BankSource& source)
{
    std::printf("| family | programs |\n|---|---|\n");
    const std::vector<BankSource::Program>& programs = source.programs();
    for (std::size_t i = 0; i < programs.size(); ++i) {
        bool first = i == 0 || programs[i - 1].family != programs[i].family;
        bool last = i + 1 == programs.size() || programs[i + 1].family != programs[i].family;
        if (first)
            std::printf("| %s | ", programs[i].family.empty() ? "(none)" : programs[i].family.c_str());
        std::printf("%zu %s%s", i + 1, programs[i].name.c_str(), last ? " |\n" : ", ");
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0)) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (argc != 3)
        return usage("give SOURCE and OUTPUT, or --check or --list with SOURCE");
    std::string first = argv[1];
    bool check = first == "--check";
    bool listing = first == "--list";
    if (!check && !listing && !first.empty() && first[0] == '-')
        return usage("unknown option " + first);
    std::string sourcePath = check || listing ? argv[2] : argv[1];

    BankSource source;
    bool readable = source.read(sourcePath);
    BankBuilder builder;
    // Grammar and values are checked in one go, so one run names every fault.
    bool built = builder.build(source);
    if (!readable || !built) {
        std::vector<std::string> faults = source.errors();
        if (!source.programs().empty())
            faults.insert(faults.end(), builder.errors().begin(), builder.errors().end());
        return report(faults);
    }
    if (listing)
        list(source);
    if (check || listing)
        return 0;
    std::string output = argv[2];
    if (!builder.write(output)) {
        std::fprintf(stderr, "ravensoot-bank: %s: cannot be written\n", output.c_str());
        return 1;
    }
    return 0;
}
