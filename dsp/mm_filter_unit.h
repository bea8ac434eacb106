// Multimode filter: ten filter types with an envelope-driven, glided cutoff, protection and dry/wet.
#pragma once

#include "dsp/biquad_filter.h"
#include "dsp/comb_delay.h"
#include "dsp/four_pole_low_pass.h"
#include "dsp/peak_follower.h"
#include "dsp/peak_limiter.h"
#include "dsp/sine_table.h"

#include <limits>
#include <memory>

class MmFilterUnit {
public:
    // Indices of the type menu, in its order.
    enum Type {
        kLowPass,
        kBandPass,
        kHighPass,
        kLowPassFat,
        kBandPassFat,
        kHighPassFat,
        kPeaking,
        kNotch,
        kComb,
        kRingMod,
        kTypeCount
    };

    MmFilterUnit();

    // Allocates the combs' one-second lines, then resets; a rate that is not a positive number is refused.
    bool setSampleRate(float rate);
    // Clears every history and restarts limiter, combs and ring carrier; the settings stay.
    void reset();
    // Designs the new type and resets, so it starts from silence; an index outside 0..9 is refused.
    bool setType(int index);

    // mix, envAmount, cutoff and resonance in 0..1; attackSeconds and decaySeconds are the envelope's
    // times for a full-scale rise and fall. Cutoff and mix glide across the call.
    void process(float* left, float* right, int count, float mix, float attackSeconds, float decaySeconds,
                 float envAmount, float cutoff, float resonance);

    int type() const { return type_; }
    // Frequency of the last coefficient update, in Hz.
    float cutoffHz() const { return frequency_; }

private:
    static constexpr int kGlideSteps = 16;

    // Where a type's wet signal comes from.
    enum class Wet { kMain, kBandBoost, kFourPole, kComb, kRing };

    void updateCoefficients();
    double peakingAmplitude(float gainDb);
    float wetQ() const { return resonance_ * 6.0f + 1.0f; }
    void runSegment(float* left, float* right, int begin, int end, float mixStep);
    template <Wet wet, bool saturate>
    void run(float* left, float* right, int begin, int end, float mixStep);

    FourPoleLowPass fatLeft_, fatRight_;
    BiquadFilter mainLeft_, mainRight_;
    BiquadFilter boostLeft_, boostRight_;
    PeakFollower cutoffFollower_;
    PeakLimiter limiter_;
    CombDelay combLeft_, combRight_;
    float sampleRate_ = 0.0f;
    int type_ = kLowPass;
    float envAmount_ = 0.0f;
    float cutoff_ = 0.0f;
    float resonance_ = 0.0f;
    float mix_ = 0.0f;
    float attack_ = 0.0f;
    float decay_ = 0.0f;
    std::shared_ptr<const SineTable> sine_;
    float ringPhase_ = 0.0f;
    float ringIncrement_ = 0.0f;
    float frequency_ = 0.0f;
    // The last bell gain in dB and its amplitude; NaN matches no gain, so the first one is worked out.
    float peakGainDb_ = std::numeric_limits<float>::quiet_NaN();
    double peakAmplitude_ = 1.0;
};
