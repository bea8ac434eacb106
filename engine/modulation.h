// The two LFOs as the engine drives them: their records' change hooks, tempo sync with phase
// re-lock, and attaching each LFO to its target record.
#pragma once

#include "engine/lfo.h"

class EngineBase;

class Modulation {
public:
    static constexpr int kLfoCount = 2;

    // Records and tempo come from the engine, which must outlive this object.
    explicit Modulation(EngineBase& engine);

    // The change hook for the LFO records (32..43); other indices are ignored.
    void parameterChanged(int index);
    // Sync update for LFO k (0 or 1): synced flag, frequency at the engine's tempo, re-lock.
    void syncUpdate(int k);
    // Detaches LFO k and attaches it to its target record if the rules allow.
    void assignTarget(int k);
    // Every synced LFO jumps to the phase the song position implies.
    void relockPhases();

    void setSampleRate(float rate);
    void advance(int n);

    Lfo& lfo(int k) { return lfos[k]; }
    const Lfo& lfo(int k) const { return lfos[k]; }

private:
    int record(int k, int offset) const;

    EngineBase& engine;
    Lfo lfos[kLfoCount];
};
