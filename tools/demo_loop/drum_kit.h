// The loop's drums, each hit synthesised from sines and seeded noise, so every run makes the same samples.
#pragma once

#include <cstdint>
#include <vector>

class DrumKit {
public:
    explicit DrumKit(double sampleRate);

    std::vector<double> kick();
    std::vector<double> snare();
    std::vector<double> hat(bool open);

private:
    double noise();

    double rate;
    std::uint32_t noiseState = 0x2545F491u;
};
