// The randomize steps, in the order the draws must come.
#include "engine/product_randomizer.h"

#include "engine/engine_base.h"
#include "params/parameter_table.h"

namespace {

constexpr int kMaxSecondAxisDraws = 50;

} // namespace

ProductRandomizer::ProductRandomizer(EngineBase& owner) : engine(owner), random(owner.random()) {}

bool ProductRandomizer::sectionOn(int switchIndex) const
{
    return engine.parameter(switchIndex)->targetValue() > 0.5f;
}

void ProductRandomizer::set(int index, float value)
{
    engine.setParameter(index, value);
}

void ProductRandomizer::run()
{
    engine.setConstraint(false);

    if (sectionOn(kBpFilterOn)) {
        set(kBpFilterLow, random.chance(0.3f) ? random.gaussian(0.0f, 0.3f, 0.0f, 0.8f) : 0.0f);
        set(kBpFilterHigh, random.chance(0.3f) ? random.gaussian(1.0f, 0.3f, 0.3f, 1.0f) : 1.0f);
        set(kBpFilterQLow, random.uniform(0.0f, 1.0f));
        set(kBpFilterQHigh, random.uniform(0.0f, 1.0f));
        set(kBpFilterBRMix, random.gaussian(0.0f, 0.5f, 0.0f, 1.0f));
    }
    if (sectionOn(kDistOn)) {
        set(kDistBitCrusher, random.gaussian(0.0f, 0.5f, 0.0f, 1.0f));
        set(kDistMech, random.gaussian(0.0f, 0.3f, 0.0f, 1.0f));
        set(kDistTube, random.gaussian(0.0f, 0.7f, 0.0f, 1.0f));
        set(kDistXcita, random.gaussian(0.0f, 1.0f, 0.0f, 1.0f));
    }
    if (sectionOn(kMmFilterOn)) {
        set(kMmFilterMix, random.gaussian(1.0f, 0.5f, 0.0f, 1.0f));
        const float types = static_cast<float>(random.integer(0, 9)) * 0.01f;
        set(kMmFilterType, random.uniform(0.0f, types));
        set(kMmFilterAttack, random.uniform(0.0f, 1.0f));
        set(kMmFilterDecay, random.uniform(0.0f, 1.0f));
        set(kMmFilterEnv, random.gaussian(0.0f, 0.5f, 0.0f, 1.0f));
        set(kMmFilterCutoff, random.uniform(0.0f, 1.0f));
        set(kMmFilterRes, random.gaussian(0.0f, 1.5f, 0.0f, 1.0f));
    }
    if (sectionOn(kFlangerOn)) {
        set(kFlangerAmount, random.uniform(0.0f, 1.0f));
        set(kFlangerRate, random.uniform(0.0f, 1.0f));
    }
    if (sectionOn(kMagicEQOn)) {
        set(kMagicEQAmount, random.uniform(0.0f, 1.0f));
        set(kMagicEQTune, random.uniform(0.0f, 1.0f));
    }
    if (sectionOn(kCompressOn)) {
        set(kCompressAmount, random.uniform(0.0f, 1.0f));
        set(kCompressRelease, random.uniform(0.0f, 1.0f));
    }
    if (sectionOn(kLfo1On))
        randomizeLfo(kLfo1On);
    if (sectionOn(kLfo2On))
        randomizeLfo(kLfo2On);

    const int a = randomTarget();
    int b = randomTarget();
    for (int draws = 1; b == a && draws < kMaxSecondAxisDraws; ++draws)
        b = randomTarget();
    // No constraint or change hook for the axes, but they are marked changed so the current
    // program receives them like every other randomized value.
    engine.parameter(kMorphXParam)->setNormalized(static_cast<float>(a) * 0.01f);
    engine.parameter(kMorphYParam)->setNormalized(static_cast<float>(b) * 0.01f);
    engine.markChanged(kMorphXParam);
    engine.markChanged(kMorphYParam);

    engine.setConstraint(true);
}

void ProductRandomizer::randomizeLfo(int first)
{
    set(first + 1, static_cast<float>(randomTarget()) * 0.01f);
    const float shapes = static_cast<float>(random.integer(0, 6)) * 0.01f;
    set(first + 2, random.uniform(0.0f, shapes));
    set(first + 3, random.uniform(0.0f, 1.0f));
    set(first + 4, random.uniform(0.0f, 1.0f));
    set(first + 5, random.chance(0.9f) ? 1.0f : 0.0f);
}

int ProductRandomizer::pickOfThree(int first, int second, int third, int kept)
{
    switch (static_cast<int>(random.uniform(0.0f, 3.0f))) {
    case 0:
        return first;
    case 1:
        return second;
    case 2:
        return third;
    default:
        return kept;
    }
}

int ProductRandomizer::randomTarget()
{
    int t = kMmFilterCutoff;
    if (engine.parameter(kMmFilterOn)->targetValue() > 0.5f) {
        if (random.chance(0.5f))
            t = kMmFilterCutoff;
        else if (engine.getParameter(kMmFilterEnv) > 0.0f && random.chance(0.3f))
            t = random.chance(0.5f) ? kMmFilterAttack : kMmFilterDecay;
        else
            t = pickOfThree(kMmFilterEnv, kMmFilterMix, kMmFilterRes, t);
    } else {
        if (random.chance(0.5f))
            t = random.chance(0.7f) ? kBpFilterHigh : kBpFilterLow;
        else
            t = pickOfThree(kBpFilterQLow, kBpFilterQHigh, kBpFilterBRMix, t);
    }
    return targetListPosition(t);
}
