// The loop's pitched parts: a soft chord pad and a round bass, additive tones with smooth envelopes.
#include "tools/demo_loop/tone_voices.h"

#include <cmath>

namespace {

constexpr double kTwoPi = 6.28318530717958647692;
constexpr int kPadHarmonics = 8;
// Harmonics above this would only add fizz (and alias at low sample rates).
constexpr double kHighestPartialHz = 6000.0;

// Rises in attack, falls to sustain over decay, and fades out over the last release seconds.
double envelope(double t, double length, double attack, double decay, double sustain, double release)
{
    double level = t < attack ? t / attack : sustain + (1.0 - sustain) * std::exp(-(t - attack) / decay);
    double untilEnd = length - t;
    if (untilEnd < release)
        level *= std::fmax(0.0, untilEnd / release);
    return level;
}

} // namespace

ToneVoices::ToneVoices(double sampleRate) : rate(sampleRate)
{ }

double ToneVoices::frequencyOf(double midiNote)
{
    return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0);
}

std::vector<double> ToneVoices::pad(const std::vector<int>& notes, double seconds, double detuneCents) const
{
    std::vector<double> sound(static_cast<std::size_t>(seconds * rate), 0.0);
    for (int note : notes) {
        double frequency = frequencyOf(note + detuneCents / 100.0);
        for (int k = 1; k <= kPadHarmonics && k * frequency < kHighestPartialHz; ++k) {
            // Falling like a mellow saw, with the upper partials dying away sooner than the fundamental.
            double amplitude = 1.0 / std::pow(static_cast<double>(k), 1.6);
            double fade = 0.9 / k;
            double step = kTwoPi * k * frequency / rate;
            for (std::size_t i = 0; i < sound.size(); ++i) {
                double t = static_cast<double>(i) / rate;
                sound[i] += amplitude * std::exp(-t / (fade + 0.4)) * std::sin(step * static_cast<double>(i));
            }
        }
    }
    for (std::size_t i = 0; i < sound.size(); ++i) {
        double t = static_cast<double>(i) / rate;
        sound[i] *= envelope(t, seconds, 0.03, 0.8, 0.55, 0.12) / static_cast<double>(notes.size());
    }
    return sound;
}

std::vector<double> ToneVoices::bass(int note, double seconds) const
{
    std::vector<double> sound(static_cast<std::size_t>(seconds * rate), 0.0);
    double step = kTwoPi * frequencyOf(note) / rate;
    for (std::size_t i = 0; i < sound.size(); ++i) {
        double t = static_cast<double>(i) / rate;
        double phase = step * static_cast<double>(i);
        double tone = std::sin(phase) + 0.35 * std::sin(2.0 * phase) + 0.12 * std::sin(3.0 * phase);
        sound[i] = tone * envelope(t, seconds, 0.005, 0.25, 0.6, 0.03);
    }
    return sound;
}
