// LFO stepping: the shared wave tables, the random levels and the slew.
#include "engine/lfo.h"

#include "engine/random_source.h"

#include <cmath>

namespace {

constexpr int kTableShapes = 5;
constexpr int kTableSize = 101;

struct WaveTables {
    float values[kTableShapes][kTableSize];

    WaveTables()
    {
        for (int i = 0; i < 100; ++i) {
            const float t = static_cast<float>(i) * 0.01f;
            values[0][i] = (std::sin(2.0f * t * 3.141592f) + 1.0f) * 0.5f;
            if (t <= 0.25f)
                values[1][i] = 2.0f * t + 0.5f;
            else if (t <= 0.75f)
                values[1][i] = 1.0f - 2.0f * (t - 0.25f);
            else
                values[1][i] = 2.0f * (t - 0.75f);
            values[2][i] = t;
            values[3][i] = 1.0f - t;
            values[4][i] = t < 0.5f ? 0.0f : 1.0f;
        }
        for (auto& table : values)
            table[100] = table[0];
    }
};

// Filled once for every LFO of every instance, never while another instance reads it.
const WaveTables& waveTables()
{
    static const WaveTables tables;
    return tables;
}

} // namespace

Lfo::Lfo(RandomSource& source) : random(source)
{
    waveTables();
    updateSteps();
}

void Lfo::updateSteps()
{
    // A float quotient kept in the 64-bit step, like every other operation on float fields.
    phaseStep = static_cast<double>(frequency / sampleRate);
    slewStep = 1.0f / (sampleRate * 0.01f);
}

void Lfo::setSampleRate(float rate)
{
    if (!std::isfinite(rate) || !(rate > 0.0f))
        return;
    sampleRate = rate;
    updateSteps();
}

void Lfo::setPhase(double p)
{
    phase = (p >= 0.0 && p < 1.0) ? p : 0.0;
}

void Lfo::setShape(int index)
{
    shape = index < 0 ? 0 : (index > kShapeCount - 1 ? kShapeCount - 1 : index);
}

float Lfo::randomLevel()
{
    return (static_cast<float>(random.next()) * RandomSource::kScale - 0.5f) * depth;
}

void Lfo::advance(int n)
{
    const double old = phase;
    phase += static_cast<double>(n) * phaseStep;
    // floor, not a single subtraction: a step of a whole cycle or more must still land in 0..1.
    phase -= std::floor(phase);
    if (!(phase >= 0.0 && phase < 1.0))
        phase = 0.0;

    const bool newHalfCycle = (old < 0.5 && 0.5 <= phase) || phase < old;
    const int kind = shape < 0 ? 0 : (shape > kShapeCount - 1 ? kShapeCount - 1 : shape);
    if (kind == kRandomSquare) {
        if (newHalfCycle)
            goal = randomLevel();
    } else if (kind == kRandomTriangle) {
        if (newHalfCycle) {
            randomPrevious = randomNext;
            randomNext = randomLevel();
        }
        double q = 2.0 * phase;
        if (q >= 1.0)
            q -= 1.0;
        goal = static_cast<float>((1.0 - q) * randomPrevious + q * randomNext);
    } else {
        const float* table = waveTables().values[kind];
        const double x = phase * 100.0;
        int i = static_cast<int>(x);
        if (i > 99)
            i = 99;
        const double f = x - i;
        goal = static_cast<float>(((1.0 - f) * table[i] + f * table[i + 1] - 0.5) * depth);
    }

    const float d = static_cast<float>(n) * slewStep;
    if (output < goal) {
        output += d;
        if (output > goal)
            output = goal;
    } else {
        output -= d;
        if (output < goal)
            output = goal;
    }
}
