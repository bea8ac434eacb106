// The loop's pitched parts: a soft chord pad and a round bass, additive tones with smooth envelopes.
#pragma once

#include <vector>

class ToneVoices {
public:
    explicit ToneVoices(double sampleRate);

    // All notes of a chord (MIDI numbers) held for seconds, detuned by cents (one side of the stereo pad).
    std::vector<double> pad(const std::vector<int>& notes, double seconds, double detuneCents) const;
    std::vector<double> bass(int note, double seconds) const;

    static double frequencyOf(double midiNote);

private:
    double rate;
};
