// The demonstration loop: four bars at 120 beats per minute of drums, bass and a chord pad, made the same
// way every time, peaking at -3 dBFS.
#include "tools/demo_loop/demo_loop.h"

#include <cmath>
#include <vector>

#include "tools/demo_loop/drum_kit.h"
#include "tools/demo_loop/tone_voices.h"

namespace {

constexpr int kStepsPerBar = 16;

struct Bar {
    int bassNote;
    std::vector<int> chord;
};

// Am9, Fmaj7, C add9, G6: one chord a bar over its root.
const Bar kHarmony[DemoLoop::kBars] = {
    {45, {57, 60, 64, 67, 71}},
    {41, {53, 57, 60, 64}},
    {48, {55, 60, 62, 64, 67}},
    {43, {55, 59, 62, 64}},
};

// Sixteenth steps of one bar; the last bar fills with sixteenth hats and a pickup snare.
const std::vector<int> kKickSteps = {0, 7, 8, 10};
const std::vector<int> kSnareSteps = {4, 12};
const int kOpenHatStep = 14;
// Bass notes: step and length in steps.
const std::vector<std::pair<int, int>> kBassRhythm = {{0, 3}, {3, 3}, {8, 2}, {10, 4}, {14, 2}};

} // namespace

StereoBuffer DemoLoop::render(double sampleRate)
{
    double stepSeconds = 60.0 / kTempo / 4.0;
    double barSeconds = stepSeconds * kStepsPerBar;
    auto frameOf = [&](int bar, int step) {
        return static_cast<std::size_t>(std::lround((bar * kStepsPerBar + step) * stepSeconds * sampleRate));
    };
    StereoBuffer loop(static_cast<std::size_t>(std::lround(kBars * barSeconds * sampleRate)));

    DrumKit drums(sampleRate);
    std::vector<double> kick = drums.kick();
    std::vector<double> snare = drums.snare();
    std::vector<double> ghostSnare = drums.snare();
    std::vector<double> closedHat = drums.hat(false);
    std::vector<double> openHat = drums.hat(true);
    ToneVoices tones(sampleRate);

    for (int bar = 0; bar < kBars; ++bar) {
        bool fill = bar == kBars - 1;
        for (int step : kKickSteps)
            loop.addMono(kick, frameOf(bar, step), step == 7 ? 0.55 : 0.95, 0.0);
        for (int step : kSnareSteps)
            loop.addMono(snare, frameOf(bar, step), 0.6, 0.05);
        if (fill)
            loop.addMono(ghostSnare, frameOf(bar, 15), 0.25, 0.05);
        for (int step = 0; step < kStepsPerBar; ++step) {
            bool eighth = step % 2 == 0;
            if (step == kOpenHatStep)
                loop.addMono(openHat, frameOf(bar, step), 0.5, 0.35);
            else if (eighth || (fill && step >= 8))
                loop.addMono(closedHat, frameOf(bar, step), eighth ? 0.5 : 0.3, 0.35);
        }

        const Bar& harmony = kHarmony[bar];
        for (const auto& [step, length] : kBassRhythm)
            loop.addMono(tones.bass(harmony.bassNote, length * stepSeconds), frameOf(bar, step), 0.4, 0.0);
        // Each side of the pad a few cents apart gives it width; it rings a little into the next bar.
        double padSeconds = barSeconds + 0.1;
        loop.addMono(tones.pad(harmony.chord, padSeconds, -7.0), frameOf(bar, 0), 0.65, -0.7);
        loop.addMono(tones.pad(harmony.chord, padSeconds, 7.0), frameOf(bar, 0), 0.65, 0.7);
    }

    loop.scale(std::pow(10.0, kPeakDb / 20.0) / loop.peak());
    return loop;
}
