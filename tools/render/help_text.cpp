// The manual page --help prints.
#include "tools/render/help_text.h"

const char* const kRenderHelp = R"(NAME
    ravensoot-render - run audio files through the Raven Soot 3 plug-in

SYNOPSIS
    ravensoot-render [OPTIONS] INPUT OUTPUT
    ravensoot-render [--program N|NAME] [--bank FILE] [--set NAME=VALUE]... --list-params
    ravensoot-render [--bank FILE] --list-programs

DESCRIPTION
    Loads the built plug-in module through its entry point exactly as a VST 2.x host does, puts it
    into the sound the options ask for, and processes INPUT into OUTPUT block by block, so the result
    is what a DAW would record. WAV, AIFF, FLAC and Ogg Vorbis are read and written at any sample
    rate; the output's format follows from its name (.wav, .aif/.aiff, .flac, .ogg). A mono input is
    processed as a stereo pair of the same signal and written as stereo unless --mono is given.

    The sound is set up in this order: --bank, then --program, then --preset, then every --set in the
    order given. Without any of them the module's first program plays.

    At the end one line gives the peak and RMS level of input and output in dBFS.

OPTIONS
    --program N|NAME
        Select a program of the bank by its number (1 to 64, as --list-programs shows them) or its
        name (case does not matter; "Init 5" names an unnamed fifth program).
    --bank FILE.fxb
        Load a bank file into the plug-in before the program is selected.
    --preset FILE.fxp
        Load a program file into the current program.
    --set NAME=VALUE
        Set a parameter by its name (as --list-params shows it). VALUE is the host value from 0 to 1,
        or for a list parameter the entry's text: "MmFilterType=LowPass Fat", "Lfo1Shape=Triangle",
        "Lfo1Target=MmFilterCutoff". A synced LFO rate also takes its division: "Lfo1Rate=1/4".
        May be given many times. "MasterOn=0" bypasses the whole effect; an empty "Init" program has
        it off and its volume at 0, so start one with MasterOn=1 MasterMix=1 MasterVolume=1.
    --tempo BPM
        Tempo the host reports, for tempo-synced LFOs (20 to 999, default 120). The song plays from
        its start in 4/4.
    --block N
        Frames per host block (1 to 65536, default 512). The last block of a file may be shorter.
    --tail SECONDS
        Silence appended to the input so delays and envelopes ring out (default 0). As in any host,
        the plug-in passes its input straight through after half a second of silence, so whatever
        rings longer than that is cut there.
    --bits 16|24|32|float
        Sample format of the output. By default the input's, when the output format can hold it,
        otherwise 24-bit (Vorbis for Ogg). FLAC takes 16 or 24; Ogg takes none.
    --mono
        Write one channel: the average of the plug-in's two outputs.
    --module PATH
        The plug-in module to load. By default the one the build put beside this tool
        (build/vst/RavenSoot3.so).
    --list-programs
        Print the bank's programs, numbered as --program takes them, and exit.
    --list-params
        Print every parameter with its value and unit as a host shows them, after the options above
        have been applied, and exit.
    -q, --quiet
        Print no summary line.
    -h, --help
        Print this page.
    --version
        Print the version.

    Progress is drawn on standard error when it is a terminal and the file lasts more than a few
    seconds.

EXIT STATUS
    0   the output was written
    1   the run failed: a missing or unreadable file, an output that cannot be written, a module that
        cannot be loaded; OUTPUT is then left as it was
    2   the command line asks for something that does not exist: an unknown option, parameter or
        program, or a value out of range

    Every failure is reported in one line naming the file or option and the reason. The output is
    written to a temporary file beside OUTPUT and renamed only when complete.

EXAMPLES
    ravensoot-render --program 3 guitar.wav guitar-fx.wav
    ravensoot-render --set MasterOn=1 --set MasterMix=1 --set MasterVolume=0.9 \
        --set DistOn=1 --set DistTube=0.7 drums.flac drums-tube.flac
    ravensoot-render --bank mine.fxb --program "Dark Sweep" --tempo 96 --tail 2 loop.wav out.wav
    ravensoot-render --program 3 --list-params
)";
