// What the survey measures in one sound file: levels, time at the output limit and the spectrum over time.
#pragma once

#include <string>
#include <vector>

struct SoundFigures {
    double peakDb = 0.0;
    double rmsDb = 0.0;
    // Share of samples (0..1) at the plug-in's output limit of 0.9999, give or take the file's rounding.
    double limitShare = 0.0;
    // Third-octave levels in dB, one row per frame of ThirdOctaveBands::kFrameSize samples.
    std::vector<std::vector<float>> frames;

    // False with a reason when the file cannot be read or is not a stereo or mono sound.
    bool read(const std::string& path, std::string& reason);

    // Mean over the frames both files have of the RMS difference of their band levels, in dB: how far
    // apart two renders of the same input sound, moment by moment.
    static double spectralDistance(const SoundFigures& a, const SoundFigures& b);
};
