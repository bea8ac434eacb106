// LFO change hooks, sync update, phase re-lock and target assignment with the take-over rule.
#include "engine/modulation.h"

#include "engine/engine_base.h"
#include "params/parameter_table.h"

namespace {

enum LfoRecord { kOn, kTarget, kShape, kDepth, kRate, kSync };

} // namespace

Modulation::Modulation(EngineBase& owner)
    : engine(owner), lfos{Lfo(owner.random()), Lfo(owner.random())}
{
}

int Modulation::record(int k, int offset) const
{
    return kLfo1On + k * kLfoRecordsPerLfo + offset;
}

void Modulation::parameterChanged(int index)
{
    if (index < kLfo1On || index > kLfo2Sync)
        return;
    const int k = (index - kLfo1On) / kLfoRecordsPerLfo;
    switch ((index - kLfo1On) % kLfoRecordsPerLfo) {
    case kOn:
    case kTarget:
        assignTarget(k);
        break;
    case kShape:
        lfos[k].setShape(clampedTableIndex(engine.parameter(index)->targetValue(), Lfo::kShapeCount));
        break;
    case kDepth:
        lfos[k].depth = engine.parameter(index)->targetValue();
        break;
    default:
        syncUpdate(k);
        break;
    }
}

void Modulation::syncUpdate(int k)
{
    Parameter* rate = engine.parameter(record(k, kRate));
    const bool synced = engine.parameter(record(k, kSync))->target > 0.5f;
    lfos[k].synced = synced;
    rate->synced = synced;
    lfos[k].frequency = rate->rateHz(engine.getTempo());
    lfos[k].updateSteps();
    relockPhases();
}

void Modulation::relockPhases()
{
    const float position = static_cast<float>(engine.getSongPosition());
    for (int k = 0; k < kLfoCount; ++k)
        if (engine.parameter(record(k, kSync))->target > 0.5f)
            lfos[k].setPhase(engine.parameter(record(k, kRate))->syncedPhase(engine.getTempo(), position));
}

void Modulation::assignTarget(int k)
{
    Lfo* self = &lfos[k];
    for (const TargetEntry& entry : kTargetList) {
        Parameter* p = engine.parameter(entry.parameter);
        if (p->modulator == self)
            p->modulator = nullptr;
    }
    const int target = targetParameterIndex(engine.parameter(record(k, kTarget))->targetValue());
    const bool on = engine.parameter(record(k, kOn))->target > 0.5f;
    if (target >= 0 && on) {
        Parameter* p = engine.parameter(target);
        // While a program is applied (constraint off) LFO 1 may take LFO 2's target; otherwise a
        // modulated record is never taken over.
        if (p->modulator == nullptr || (!engine.isConstraintOn() && k == 0))
            p->modulator = self;
    }
    relockPhases();
}

void Modulation::setSampleRate(float rate)
{
    for (Lfo& l : lfos)
        l.setSampleRate(rate);
}

void Modulation::advance(int n)
{
    for (Lfo& l : lfos)
        l.advance(n);
}
