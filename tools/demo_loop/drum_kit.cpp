// The loop's drums, each hit synthesised from sines and seeded noise, so every run makes the same samples.
#include "tools/demo_loop/drum_kit.h"

#include <cmath>

namespace {

constexpr double kTwoPi = 6.28318530717958647692;

std::vector<double> silence(double seconds, double rate)
{
    return std::vector<double>(static_cast<std::size_t>(seconds * rate), 0.0);
}

} // namespace

DrumKit::DrumKit(double sampleRate) : rate(sampleRate)
{ }

// xorshift32: the same hiss on every machine and every run.
double DrumKit::noise()
{
    noiseState ^= noiseState << 13;
    noiseState ^= noiseState >> 17;
    noiseState ^= noiseState << 5;
    return static_cast<double>(noiseState) / 2147483648.0 - 1.0;
}

// A sine swept down from 150 Hz to 48 Hz gives the body; a few milliseconds of noise the beater.
std::vector<double> DrumKit::kick()
{
    std::vector<double> sound = silence(0.45, rate);
    double phase = 0.0;
    for (std::size_t i = 0; i < sound.size(); ++i) {
        double t = static_cast<double>(i) / rate;
        double frequency = 48.0 + 102.0 * std::exp(-t / 0.035);
        phase += kTwoPi * frequency / rate;
        double body = std::sin(phase) * std::exp(-t / 0.22);
        double click = t < 0.004 ? noise() * 0.3 * (1.0 - t / 0.004) : 0.0;
        // A 2 ms fade-in keeps the onset from clicking.
        double attack = std::fmin(1.0, t / 0.002);
        sound[i] = (body + click) * attack;
    }
    return sound;
}

// Two damped tones for the shell, brightened noise for the wires.
std::vector<double> DrumKit::snare()
{
    std::vector<double> sound = silence(0.3, rate);
    double previous = 0.0;
    for (std::size_t i = 0; i < sound.size(); ++i) {
        double t = static_cast<double>(i) / rate;
        double shell = (0.6 * std::sin(kTwoPi * 185.0 * t) + 0.3 * std::sin(kTwoPi * 330.0 * t)) * std::exp(-t / 0.06);
        double white = noise();
        double bright = white - 0.7 * previous;
        previous = white;
        double wires = 0.55 * bright * std::exp(-t / 0.1);
        double attack = std::fmin(1.0, t / 0.001);
        sound[i] = (shell + wires) * attack;
    }
    return sound;
}

// Noise through two differencing stages leaves only the top of the spectrum.
std::vector<double> DrumKit::hat(bool open)
{
    double decay = open ? 0.16 : 0.03;
    std::vector<double> sound = silence(open ? 0.5 : 0.12, rate);
    double previous = 0.0;
    double previousStage = 0.0;
    for (std::size_t i = 0; i < sound.size(); ++i) {
        double t = static_cast<double>(i) / rate;
        double white = noise();
        double stage = white - previous;
        previous = white;
        double top = stage - 0.5 * previousStage;
        previousStage = stage;
        sound[i] = 0.25 * top * std::exp(-t / decay);
    }
    return sound;
}
