// One LFO: seven shapes, a phase that runs free or is set from the song position, and an output
// that slews at most 1.0 per 10 ms toward the shape's value.
#pragma once

#include "params/modulator.h"

class RandomSource;

class Lfo : public Modulator {
public:
    static constexpr int kShapeCount = 7;
    static constexpr int kRandomSquare = 5;
    static constexpr int kRandomTriangle = 6;

    // The random shapes draw from the engine's source.
    explicit Lfo(RandomSource& random);

    void updateSteps();
    // phase = p if 0 <= p < 1, otherwise 0.
    void setPhase(double p);
    // Moves on by n samples; called at the end of every sub-block.
    void advance(int n);

    void setShape(int index);
    void setSampleRate(float rate);

    int shape = 0;
    bool synced = false;
    float frequency = 1.0f;
    float depth = 0.0f;
    double phase = 0.0;
    double phaseStep = 1.0;
    float sampleRate = 1.0f;
    float goal = 0.0f;
    float slewStep = 100.0f;
    float randomPrevious = 0.0f;
    float randomNext = 0.0f;

private:
    float randomLevel();

    RandomSource& random;
};
