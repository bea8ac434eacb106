// The stateless shapers of the distortion group: bit crusher, "Mech" two-slope limiter, tube saturation.
#pragma once

class DistUnit {
public:
    // Each stage works in place on one sub-block; amount 0..1 (outside values are held to that range).

    // Quantises to 16 bits at amount 0 down to 1 bit at amount 1, rounding ties to even; no clipping.
    void crush(float* left, float* right, int count, float amount);
    // Drive 1..11 into a hard knee at 0.75; full scale comes out at exactly 1.0.
    void mech(float* left, float* right, int count, float amount);
    // Drive 1..5 into a parabola above 0.6 that tops out at 1.0 at full scale and folds back beyond.
    void tube(float* left, float* right, int count, float amount);

    int bits() const { return bits_; }
    float mechAmount() const { return mechAmount_; }
    float tubeAmount() const { return tubeAmount_; }

private:
    int bits_ = 0;
    float mechAmount_ = 0.0f;
    float tubeAmount_ = 0.0f;
};
