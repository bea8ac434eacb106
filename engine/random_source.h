// The engine's random numbers: integers 0..32767 and the draws randomize and the LFOs build on them.
#pragma once

class RandomSource {
public:
    static constexpr int kMaximum = 32767;
    static constexpr int kFeedCapacity = 256;
    // 1/32767 as a float.
    static constexpr float kScale = 3.0518509e-5f;

    void seed(unsigned value) { state = value; }

    // 0..32767. Fed draws come first, in order; then the generator's own.
    int next();

    // Hands out these draws (each brought into 0..32767) before the generator's; the test seam for
    // known sequences. Replaces what was fed before; false if more than the capacity.
    bool feed(const int* draws, int count);
    int fedRemaining() const { return fedCount - fedNext; }

    float uniform(float a, float b);
    int integer(int a, int b);
    bool chance(float p);
    float gaussian(float mean, float spread, float low, float high);

private:
    unsigned state = 1;
    int fed[kFeedCapacity] = {};
    int fedCount = 0;
    int fedNext = 0;
};
