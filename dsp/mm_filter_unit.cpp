// The multimode filter's coefficient update and its per-sample path.
#include "dsp/mm_filter_unit.h"

#include "dsp/biquad_pair.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

constexpr float kLowestHz = 80.0f;
constexpr float kHighestHz = 16000.0f;
constexpr float kRingCycle = 200.0f; // table positions per carrier cycle
constexpr float kSaturationKnee = 0.7f;

// The cutoff knob's curve: 0.5 gives about 1.3 kHz, 0.9 about 4 kHz, 0.99 about 8 kHz.
float cutoffCurveHz(float c)
{
    if (c >= 1.0f)
        return kHighestHz;
    if (!(c > 0.0f))
        return kLowestHz;
    float t = -0.25f * std::log10(1.0f - c);
    if (t > 1.0f)
        t = 1.0f;
    if (t < 1e-7f)
        t = 0.0f;
    return (kHighestHz - kLowestHz) * t + kLowestHz;
}

// Soft ceiling of the "Fat" types: untouched up to 0.7, exactly 1.0 at a wet value of q; both lanes
// take the branch the scalar curve would.
FloatPair saturated(FloatPair w, float q)
{
    const FloatPair m = w < 0.0f ? -w : w;
    const FloatPair t = (1.0f - (m - kSaturationKnee) / (q - kSaturationKnee)) * 0.707107f;
    const FloatPair bent = (0.5f - t * t) * 0.6f + kSaturationKnee;
    return w > kSaturationKnee ? bent : (w < -kSaturationKnee ? -bent : w);
}

// The two channels' four-pole filters side by side, as FourPoleLowPass::process runs them.
class FourPolePair {
public:
    FourPolePair() = default;
    FourPolePair(const FourPoleLowPass& left, const FourPoleLowPass& right)
    {
        gain = FloatPair{left.gain, right.gain};
        for (int k = 0; k < 4; ++k) {
            c[k] = FloatPair{left.coefficients[k], right.coefficients[k]};
            c[4 + k] = FloatPair{left.coefficients[4 + k], right.coefficients[4 + k]};
            h[k] = FloatPair{left.history[k], right.history[k]};
        }
    }

    FloatPair process(FloatPair x)
    {
        FloatPair out = x * gain;
        for (int s = 0; s < 2; ++s) {
            FloatPair& h1 = h[2 * s];
            FloatPair& h2 = h[2 * s + 1];
            out = out - h1 * c[4 * s];
            const FloatPair w = out - h2 * c[4 * s + 1];
            out = w + h1 * c[4 * s + 2] + h2 * c[4 * s + 3];
            h2 = h1;
            h1 = w;
        }
        return out;
    }

    void storeState(FourPoleLowPass& left, FourPoleLowPass& right) const
    {
        for (int k = 0; k < 4; ++k) {
            left.history[k] = h[k][0];
            right.history[k] = h[k][1];
        }
    }

private:
    FloatPair gain = {};
    FloatPair c[8] = {};
    FloatPair h[4] = {};
};

} // namespace

MmFilterUnit::MmFilterUnit() : sine_(SineTable::acquire())
{
    reset();
}

bool MmFilterUnit::setSampleRate(float rate)
{
    if (!(rate > 0.0f) || !std::isfinite(rate))
        return false;
    sampleRate_ = rate;
    cutoffFollower_.setSampleRate(rate);
    limiter_.follower.setSampleRate(rate);
    combLeft_.setSampleRate(rate);
    combRight_.setSampleRate(rate);
    reset();
    return true;
}

void MmFilterUnit::reset()
{
    fatLeft_.clearHistory();
    fatRight_.clearHistory();
    mainLeft_.clear();
    mainRight_.clear();
    boostLeft_.clear();
    boostRight_.clear();
    cutoffFollower_.reset();
    limiter_.follower.reset();
    // The carrier is stopped before the update, so that the update gives "Ring Mod" its frequency again.
    ringPhase_ = 0.0f;
    ringIncrement_ = 0.0f;
    updateCoefficients();
    limiter_.restart();
    combLeft_.reset();
    combRight_.reset();
}

bool MmFilterUnit::setType(int index)
{
    if (index < 0 || index >= kTypeCount)
        return false;
    type_ = index;
    updateCoefficients();
    reset();
    return true;
}

double MmFilterUnit::peakingAmplitude(float gainDb)
{
    // The bell's gain follows the resonance alone, not the gliding cutoff: worked out once per gain.
    if (gainDb != peakGainDb_) {
        peakGainDb_ = gainDb;
        peakAmplitude_ = BiquadFilter::peakingAmplitude(gainDb);
    }
    return peakAmplitude_;
}

void MmFilterUnit::updateCoefficients()
{
    const float e = cutoffFollower_.value;
    const float c = (e * envAmount_ + (1.0f - envAmount_)) * cutoff_;
    const float f = cutoffCurveHz(c);
    const float q = wetQ();
    const float sr = sampleRate_;
    frequency_ = f;

    switch (type_) {
    case kLowPass:
        mainLeft_.setLowPass(sr, f, q, true);
        break;
    case kBandPass: {
        // Both sections at one frequency: one angle for the two designs.
        const BiquadFilter::Angle angle = BiquadFilter::angleOf(sr, f);
        mainLeft_.setBandPass(angle, q);
        boostLeft_.setPeaking(angle, 1.0f, peakingAmplitude(q * 3.0f));
        break;
    }
    case kHighPass:
        mainLeft_.setHighPass(sr, f, q, true);
        break;
    case kLowPassFat:
        fatLeft_.design(sr, f, q);
        fatRight_.copyDesign(fatLeft_);
        break;
    case kBandPassFat: {
        const BiquadFilter::Angle angle = BiquadFilter::angleOf(sr, f);
        mainLeft_.setBandPass(angle, q * 3.0f);
        boostLeft_.setPeaking(angle, 1.0f, peakingAmplitude(q * 4.0f));
        break;
    }
    case kHighPassFat:
        mainLeft_.setHighPass(sr, f, q * 3.0f, true);
        break;
    case kPeaking:
        mainLeft_.setPeaking(BiquadFilter::angleOf(sr, f), 1.0f, peakingAmplitude(q * 3.0f));
        break;
    case kNotch:
        mainLeft_.setNotch(sr, f, q - 0.99f, false);
        break;
    case kComb: {
        // Compared as floats, so an unchanged cutoff never asks for a crossfade.
        const float delay = 1.0f / f;
        for (CombDelay* comb : {&combLeft_, &combRight_}) {
            if (delay != comb->delayTime())
                comb->requestDelay(delay);
            comb->setFeedback(resonance_ * 0.99f);
        }
        break;
    }
    case kRingMod:
        ringIncrement_ = f * kRingCycle / sr;
        break;
    default:
        break;
    }
    mainRight_.copyCoefficients(mainLeft_);
    boostRight_.copyCoefficients(boostLeft_);
}

void MmFilterUnit::process(float* left, float* right, int count, float mix, float attackSeconds,
                           float decaySeconds, float envAmount, float cutoff, float resonance)
{
    if (count < 1)
        return;
    if (attackSeconds != attack_) {
        attack_ = attackSeconds;
        cutoffFollower_.setAttackTime(attackSeconds);
    }
    if (decaySeconds != decay_) {
        decay_ = decaySeconds;
        cutoffFollower_.setReleaseTime(decaySeconds);
    }
    const float mixStep = (mix - mix_) / static_cast<float>(count);
    const bool glide = cutoff != cutoff_;
    const float cutoffStep = glide ? (cutoff - cutoff_) / static_cast<float>(count) : 0.0f;
    int glideCounter = kGlideSteps;
    // While an envelope amount is set the filter follows the envelope once per call.
    if (envAmount_ != 0.0f || resonance != resonance_ || envAmount != envAmount_) {
        resonance_ = resonance;
        envAmount_ = envAmount;
        updateCoefficients();
    }

    fatLeft_.flushHistory();
    fatRight_.flushHistory();
    mainLeft_.flushState();
    mainRight_.flushState();
    boostLeft_.flushState();
    boostRight_.flushState();

    // Runs of samples between two glide steps, each with the coefficients of its step.
    for (int done = 0; done < count;) {
        const int end = glide ? std::min(count, done + glideCounter) : count;
        runSegment(left, right, done, end, mixStep);
        if (glide) {
            glideCounter -= end - done;
            if (glideCounter == 0) {
                cutoff_ += cutoffStep * static_cast<float>(kGlideSteps);
                glideCounter = kGlideSteps;
                updateCoefficients();
            }
        }
        done = end;
    }

    cutoff_ = cutoff;
    mix_ = mix;
    // A call that ends between two glide steps designs the cutoff it arrived at; with host blocks shorter
    // than a glide step the filter would otherwise never leave its old cutoff.
    if (glide && glideCounter != kGlideSteps)
        updateCoefficients();
}

void MmFilterUnit::runSegment(float* left, float* right, int begin, int end, float mixStep)
{
    switch (type_) {
    case kLowPassFat:
        run<Wet::kFourPole, true>(left, right, begin, end, mixStep);
        break;
    case kBandPass:
        run<Wet::kBandBoost, false>(left, right, begin, end, mixStep);
        break;
    case kBandPassFat:
        run<Wet::kBandBoost, true>(left, right, begin, end, mixStep);
        break;
    case kHighPassFat:
        run<Wet::kMain, true>(left, right, begin, end, mixStep);
        break;
    case kComb:
        run<Wet::kComb, false>(left, right, begin, end, mixStep);
        break;
    case kRingMod:
        run<Wet::kRing, false>(left, right, begin, end, mixStep);
        break;
    default:
        run<Wet::kMain, false>(left, right, begin, end, mixStep);
        break;
    }
}

template <MmFilterUnit::Wet wet, bool saturate>
void MmFilterUnit::run(float* left, float* right, int begin, int end, float mixStep)
{
    // Both channels side by side in float pairs, the state in locals: stores to the audio buffers
    // could otherwise alias it.
    // Only what the type uses is loaded: a segment may be as short as one glide step.
    constexpr bool usesMain = wet == Wet::kMain || wet == Wet::kBandBoost;
    constexpr bool usesBoost = wet == Wet::kBandBoost;
    constexpr bool usesFat = wet == Wet::kFourPole;
    BiquadPair main = usesMain ? BiquadPair(mainLeft_, mainRight_) : BiquadPair();
    BiquadPair boost = usesBoost ? BiquadPair(boostLeft_, boostRight_) : BiquadPair();
    FourPolePair fat = usesFat ? FourPolePair(fatLeft_, fatRight_) : FourPolePair();
    PeakFollower envelope = cutoffFollower_;
    PeakLimiter limiter = limiter_;
    float phase = ringPhase_;
    const float increment = ringIncrement_;
    const float q = wetQ();
    const float limitSteps = sampleRate_ * PeakLimiter::kRecoverySeconds;
    float mix = mix_;

    for (int i = begin; i < end; ++i) {
        const FloatPair x = loadPair(left, right, i);
        envelope.process((x[1] + x[0]) * 0.25f);

        FloatPair w;
        if (wet == Wet::kFourPole) {
            w = fat.process(x);
        } else if (wet == Wet::kBandBoost) {
            w = boost.tick(main.tick(x));
        } else if (wet == Wet::kComb) {
            w = FloatPair{combLeft_.process(x[0]), combRight_.process(x[1])};
        } else if (wet == Wet::kRing) {
            phase += increment;
            // Back to 0, not down by a cycle; also catches a phase that is not a number.
            if (!(phase < kRingCycle))
                phase = 0.0f;
            w = x * sine_->lookup(phase);
        } else {
            w = main.tick(x);
        }

        if (saturate) {
            // Most wet values sit below the knee; the curve's division is only worth it above.
            const auto over = (w > kSaturationKnee) | (w < -kSaturationKnee);
            if (over[0] | over[1])
                w = saturated(w, q);
        } else {
            w = limiter.apply(w, limitSteps);
        }

        storePair(left, right, i, w * mix + (1.0f - mix) * x);
        mix += mixStep;
    }

    if (usesMain)
        main.storeState(mainLeft_, mainRight_);
    if (usesBoost)
        boost.storeState(boostLeft_, boostRight_);
    if (usesFat)
        fat.storeState(fatLeft_, fatRight_);
    cutoffFollower_ = envelope;
    limiter_ = limiter;
    ringPhase_ = phase;
    mix_ = mix;
}
