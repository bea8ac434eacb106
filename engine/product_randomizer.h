// Randomize: new values for the sections that are switched on, the LFOs and the XY pad's targets.
#pragma once

class EngineBase;
class RandomSource;

class ProductRandomizer {
public:
    explicit ProductRandomizer(EngineBase& engine);

    void run();

private:
    bool sectionOn(int switchIndex) const;
    void set(int index, float value);
    // A target-list position chosen with the weights the product favours.
    int randomTarget();
    // k = integer part of uniform(0, 3); 3 keeps `kept`.
    int pickOfThree(int first, int second, int third, int kept);
    void randomizeLfo(int firstRecord);

    EngineBase& engine;
    RandomSource& random;
};
