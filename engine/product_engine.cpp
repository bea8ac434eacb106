// ProductEngine: construction, the signal chain in sub-blocks, the change hooks, sample rate,
// tempo and the band-edge constraint.
#include "engine/product_engine.h"

#include "engine/denormal_guard.h"
#include "engine/product_randomizer.h"

#include <cmath>
#include <memory>

namespace {

constexpr float kOutputLimit = 0.9999f;
constexpr float kVolumeCurve = 2.737f;

float limited(float x)
{
    if (x != x)
        return 0.0f;
    return x > kOutputLimit ? kOutputLimit : (x < -kOutputLimit ? -kOutputLimit : x);
}

float finiteOrZero(float x)
{
    return std::isfinite(x) ? x : 0.0f;
}

} // namespace

ProductEngine::ProductEngine(const char* moduleFolder) : EngineBase(moduleFolder), modulation(*this)
{
    for (int i = 0; i < kParameterCount; ++i) {
        const ParameterRow& row = kParameterTable[i];
        auto p = std::make_unique<Parameter>(row.kind, row.displayable, row.name, row.shortName,
                                             row.unit, row.minimum, row.maximum);
        if (i == kLfo1Rate || i == kLfo2Rate)
            p->setSyncList(kSyncDivisionCount, kLfoMinimumRateHz, kLfoMaximumRateHz,
                           kSyncDivisionLabels, kSyncDivisionFactors);
        table[i] = p.get();
        adoptParameter(std::move(p));
    }
    // The sweep runs 1 to 3 ms; both taps read the same phase, so left and right get one mid signal.
    flanger.minDelay = 0.001f;
    flanger.applyDelayRange();
    flanger.depth = 0.002f;
    flanger.applyDelayRange();
    flanger.stereoOffset = 0.0f;
    setAutomatableCount(kAutomatableCount);
    setUpDataFolder(getDataFolderName());
    setTempoAndPosition(120.0f, 0.0f);
}

void ProductEngine::resume()
{
    for (Parameter* p : table)
        p->snap();
    resetUnits();
}

void ProductEngine::setSampleRate(float rate)
{
    if (!std::isfinite(rate) || !(rate > 0.0f))
        return;
    EngineBase::setSampleRate(rate);
    bandPass.setSampleRate(rate);
    multimodeFilter.setSampleRate(rate);
    flanger.setSampleRate(rate);
    magicEq.setSampleRate(rate);
    exciter.setSampleRate(rate);
    compressor.setSampleRate(rate);
    modulation.setSampleRate(rate);
    for (Parameter* p : table)
        p->setSampleRate(rate);
}

void ProductEngine::resetUnits()
{
    bandPass.reset();
    multimodeFilter.reset();
    flanger.reset();
    magicEq.reset();
    exciter.reset();
    compressor.reset();
}

void ProductEngine::setTempoAndPosition(float newTempo, float position)
{
    const float keptTempo = std::isfinite(newTempo) && newTempo > 0.0f ? newTempo : tempo;
    const double keptPosition = std::isfinite(position) ? static_cast<double>(position) : songPosition;
    if (keptTempo == tempo && keptPosition == songPosition)
        return;
    EngineBase::setTempoAndPosition(newTempo, position);
    modulation.syncUpdate(0);
    modulation.syncUpdate(1);
}

void ProductEngine::randomize()
{
    ProductRandomizer(*this).run();
}

void ProductEngine::parameterChanged(int index, float value)
{
    switch (index) {
    case kMmFilterType:
        // Limited to the ten types: 10..100 would select a type without a wet path.
        multimodeFilter.setType(clampedTableIndex(record(kMmFilterType).targetValue(), kFilterTypeCount));
        break;
    case kMasterOn:
        setBypass(value < 0.5f);
        break;
    case kCompressMode:
        compressor.setMode(value < 0.5f ? 0.01f : 0.0f);
        break;
    case kMagicEQMode:
        magicEq.setMode(value > 0.5f);
        break;
    default:
        modulation.parameterChanged(index);
        break;
    }
}

void ProductEngine::constrainValue(int index, float& value)
{
    if (!isConstraintOn() || (index != kBpFilterLow && index != kBpFilterHigh))
        return;
    const float low = record(kBpFilterLow).getNormalized();
    const float high = record(kBpFilterHigh).getNormalized();
    if (record(kBpFilterLink).getNormalized() <= 0.5f) {
        if (index == kBpFilterLow && value > high)
            value = high;
        else if (index == kBpFilterHigh && value < low)
            value = low;
        return;
    }
    const float current = index == kBpFilterLow ? low : high;
    float d = value - current;
    if (d == 0.0f)
        return;
    // Bounds from both edges, so edges stored inverted (programs, randomize) still stay in 0..1.
    const float lowest = -(low < high ? low : high);
    const float highest = 1.0f - (low < high ? high : low);
    if (d < lowest)
        d = lowest;
    else if (d > highest)
        d = highest;
    value = current + d;
    const int other = index == kBpFilterLow ? kBpFilterHigh : kBpFilterLow;
    setConstraint(false);
    setParameter(other, (other == kBpFilterLow ? low : high) + d);
    setConstraint(true);
}

void ProductEngine::applyControllerValue(int index, float value)
{
    if (index != kMorphXParam && index != kMorphYParam) {
        EngineBase::applyControllerValue(index, value);
        return;
    }
    // A pad axis keeps its selection; the controller drives the selected record instead.
    const int target = targetParameterIndex(record(index).target);
    if (target < 0)
        return;
    setParameter(target, value);
    setParameter(kMorphSquare, record(kMorphSquare).getNormalized() == 0.0f ? 1.0f : 0.0f);
}

void ProductEngine::process(const float* inL, const float* inR, float* outL, float* outR, int frames,
                            bool replace)
{
    DenormalGuard denormals;
    if (frames > 0 && sampleRate > 0.0f)
        songPosition += static_cast<float>(frames) * tempo / (sampleRate * 60.0f);

    // Read only through their targets, but their ramps still run.
    record(kMmFilterType).advance(frames);
    for (int i = kLfo1On; i <= kLfo2Sync; ++i)
        record(i).advance(frames);

    const Sections on = readSections(frames);
    if (frames < 1 || inL == nullptr || inR == nullptr || outL == nullptr || outR == nullptr) {
        applyQueuedControllers();
        return;
    }

    for (int done = 0; done < frames;) {
        takeMidiEvent(done);
        const int n = frames - done < kSubBlock ? frames - done : kSubBlock;
        loadInput(inL + done, inR + done, n);
        if (on.bandPass)
            runBandPass(n);
        if (on.exciter)
            runExciter(n);
        if (on.bitCrusher)
            runBitCrusher(n);
        if (on.mech)
            runMech(n);
        if (on.multimodeFilter)
            runMultimodeFilter(n);
        if (on.flanger)
            runFlanger(n);
        if (on.tube)
            runTube(n);
        if (on.magicEq)
            runMagicEq(n);
        if (on.compressor)
            runCompressor(n);
        if (on.bandPass)
            mixBandReject(n);
        runMaster(n);
        writeOutput(outL + done, outR + done, n, replace);
        updateMeters(n);
        modulation.advance(n);
        done += n;
    }
    // One message per sub-block keeps the pacing; what is left still lands, in order, so a bound
    // parameter always ends at its controller's last value.
    applyQueuedControllers();
}

ProductEngine::Sections ProductEngine::readSections(int frames)
{
    Sections on;
    on.bandPass = record(kBpFilterOn).currentValue(frames) > 0.5f;
    if (record(kDistOn).currentValue(frames) > 0.5f) {
        on.bitCrusher = record(kDistBitCrusher).currentValue(frames) > 0.0f;
        on.mech = record(kDistMech).currentValue(frames) > 0.0f;
        on.tube = record(kDistTube).currentValue(frames) > 0.0f;
        on.exciter = record(kDistXcita).currentValue(frames) > 0.0f;
    }
    on.multimodeFilter = record(kMmFilterOn).currentValue(frames) > 0.5f;
    on.flanger = record(kFlangerOn).currentValue(frames) > 0.5f;
    on.magicEq = record(kMagicEQOn).currentValue(frames) > 0.5f;
    on.compressor = record(kCompressOn).currentValue(frames) > 0.5f;
    return on;
}

void ProductEngine::takeMidiEvent(int done)
{
    if (!events.hasNext() || static_cast<long long>(events.peek().delta) > done + 64LL)
        return;
    const MidiEvent event = events.take();
    if ((event.status & 0xf0) == 0xb0)
        applyController(event.data1, event.data2);
}

void ProductEngine::loadInput(const float* inL, const float* inR, int n)
{
    // A NaN or infinity from the host counts as silence everywhere, the dry path included.
    for (int i = 0; i < n; ++i) {
        const float l = finiteOrZero(inL[i]);
        const float r = finiteOrZero(inR[i]);
        left[i] = l;
        right[i] = r;
        dryLeft[i] = l;
        dryRight[i] = r;
    }
}

void ProductEngine::runBandPass(int n)
{
    const float lowHz = frequencyScaleHz(record(kBpFilterLow).currentValue(n));
    const float highHz = frequencyScaleHz(record(kBpFilterHigh).currentValue(n));
    const float qLow = record(kBpFilterQLow).currentValue(n);
    const float qHigh = record(kBpFilterQHigh).currentValue(n);
    bandPass.process(left, right, rejectLeft, rejectRight, n, lowHz, highHz, qLow, qHigh);
}

void ProductEngine::runExciter(int n)
{
    exciter.process(left, right, n, record(kDistXcita).currentValue(n));
}

void ProductEngine::runBitCrusher(int n)
{
    distortion.crush(left, right, n, record(kDistBitCrusher).currentValue(n));
}

void ProductEngine::runMech(int n)
{
    distortion.mech(left, right, n, record(kDistMech).currentValue(n));
}

void ProductEngine::runMultimodeFilter(int n)
{
    const float mix = record(kMmFilterMix).currentValue(n);
    const float attackSeconds = record(kMmFilterAttack).currentValue(n);
    const float decaySeconds = record(kMmFilterDecay).currentValue(n);
    const float envelope = record(kMmFilterEnv).currentValue(n);
    const float cutoff = record(kMmFilterCutoff).currentValue(n);
    const float resonance = record(kMmFilterRes).currentValue(n);
    multimodeFilter.process(left, right, n, mix, attackSeconds, decaySeconds, envelope, cutoff, resonance);
}

void ProductEngine::runFlanger(int n)
{
    const float amount = record(kFlangerAmount).currentValue(n);
    const float rateHz = record(kFlangerRate).currentValue(n);
    flanger.process(left, right, n, amount, rateHz, 0.0f);
}

void ProductEngine::runTube(int n)
{
    distortion.tube(left, right, n, record(kDistTube).currentValue(n));
}

void ProductEngine::runMagicEq(int n)
{
    const float amount = record(kMagicEQAmount).currentValue(n);
    const float tuneHz = record(kMagicEQTune).currentValue(n);
    magicEq.process(left, right, n, amount, tuneHz);
}

void ProductEngine::runCompressor(int n)
{
    const float requested = record(kCompressAmount).currentValue(n);
    const float amount = requested > 0.99f ? 0.99f : requested;
    const float releaseSeconds = record(kCompressRelease).currentValue(n) * 0.001f;
    compressor.process(left, right, n, amount, releaseSeconds);
}

void ProductEngine::mixBandReject(int n)
{
    const float target = record(kBpFilterBRMix).currentValue(n);
    const float step = (target - bandRejectMix) / static_cast<float>(n);
    float m = bandRejectMix;
    for (int i = 0; i < n; ++i) {
        left[i] += rejectLeft[i] * m;
        right[i] += rejectRight[i] * m;
        m += step;
    }
    // The increments do not land on the target in float; start the next sub-block exactly on it.
    bandRejectMix = target;
}

void ProductEngine::runMaster(int n)
{
    const float mixTarget = record(kMasterMix).currentValue(n);
    float volume = record(kMasterVolume).currentValue(n);
    // A host value below 0 would raise a negative base to a fractional power: NaN.
    if (!(volume > 0.0f))
        volume = 0.0f;
    const float gainTarget = std::pow(volume, kVolumeCurve);
    const float gainStep = (gainTarget - outputGain) / static_cast<float>(n);
    const float mixStep = (mixTarget - dryWetMix) / static_cast<float>(n);
    float gain = outputGain;
    float mix = dryWetMix;
    for (int i = 0; i < n; ++i) {
        left[i] = ((1.0f - mix) * dryLeft[i] + mix * left[i]) * gain;
        right[i] = ((1.0f - mix) * dryRight[i] + mix * right[i]) * gain;
        gain += gainStep;
        mix += mixStep;
    }
    outputGain = gainTarget;
    dryWetMix = mixTarget;
    for (int i = 0; i < n; ++i) {
        left[i] = limited(left[i]);
        right[i] = limited(right[i]);
    }
}

void ProductEngine::writeOutput(float* outL, float* outR, int n, bool replace) const
{
    if (replace) {
        for (int i = 0; i < n; ++i) {
            outL[i] = left[i];
            outR[i] = right[i];
        }
        return;
    }
    for (int i = 0; i < n; ++i) {
        outL[i] += left[i];
        outR[i] += right[i];
    }
}

void ProductEngine::updateMeters(int n)
{
    const float fall = static_cast<float>(2 * n) / sampleRate;
    float peakL = getPeakLeft() - fall;
    float peakR = getPeakRight() - fall;
    for (int i = 0; i < n; i += 8) {
        if (left[i] > peakL || left[i] < -peakL)
            peakL = std::fabs(left[i]);
        if (right[i] > peakR || right[i] < -peakR)
            peakR = std::fabs(right[i]);
    }
    storePeaks(peakL < 0.0f ? 0.0f : peakL, peakR < 0.0f ? 0.0f : peakR);
}
