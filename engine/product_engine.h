// Raven Soot's engine: the 66 records, the LFOs and the signal chain run in sub-blocks of 64 frames.
#pragma once

#include "dsp/bp_filter_unit.h"
#include "dsp/compress_unit.h"
#include "dsp/dist_unit.h"
#include "dsp/flanger_unit.h"
#include "dsp/magic_eq_unit.h"
#include "dsp/mm_filter_unit.h"
#include "dsp/xcita_unit.h"
#include "engine/engine_base.h"
#include "engine/modulation.h"
#include "params/parameter_table.h"

class ProductEngine : public EngineBase {
public:
    static constexpr int kSubBlock = 64;

    explicit ProductEngine(const char* moduleFolder);
    ~ProductEngine() override = default;

    void process(const float* inL, const float* inR, float* outL, float* outR, int frames,
                 bool replace) override;
    void resume() override;
    void setSampleRate(float rate) override;
    float getVersion() const override { return 3.1f; }
    float getProgramVersion() const override { return 3.0f; }
    void resetUnits() override;
    void setTempoAndPosition(float tempo, float position) override;
    const char* getEngineName() const override { return "RavenSoot"; }
    void randomize() override;
    void constrainValue(int index, float& value) override;
    void parameterChanged(int index, float value) override;
    const char* getDataFolderName() const override { return "RavenSootData"; }

    Lfo& lfo(int k) { return modulation.lfo(k); }

    // Unit settings the change hooks set, read back from the units.
    int filterType() const { return multimodeFilter.type(); }
    float compressorMode() const { return compressor.mode; }
    bool magicEqClipMode() const { return magicEq.clipMode; }
    // What the units last received, for displays and checks.
    const MmFilterUnit& multimodeFilterUnit() const { return multimodeFilter; }
    const MagicEQUnit& magicEqUnit() const { return magicEq; }
    const CompressUnit& compressorUnit() const { return compressor; }

protected:
    void applyControllerValue(int index, float value) override;

private:
    struct Sections {
        bool bandPass = false;
        bool exciter = false;
        bool bitCrusher = false;
        bool mech = false;
        bool multimodeFilter = false;
        bool flanger = false;
        bool tube = false;
        bool magicEq = false;
        bool compressor = false;
    };

    Parameter& record(int index) { return *table[index]; }
    Sections readSections(int frames);
    void takeMidiEvent(int done);
    void loadInput(const float* inL, const float* inR, int n);
    void runBandPass(int n);
    void runExciter(int n);
    void runBitCrusher(int n);
    void runMech(int n);
    void runMultimodeFilter(int n);
    void runFlanger(int n);
    void runTube(int n);
    void runMagicEq(int n);
    void runCompressor(int n);
    void mixBandReject(int n);
    void runMaster(int n);
    void writeOutput(float* outL, float* outR, int n, bool replace) const;
    void updateMeters(int n);

    // Built in this order, the LFOs after the units.
    BpFilterUnit bandPass;
    DistUnit distortion;
    MmFilterUnit multimodeFilter;
    FlangerUnit flanger;
    MagicEQUnit magicEq;
    XcitaUnit exciter;
    CompressUnit compressor;
    Modulation modulation;
    Parameter* table[kParameterCount] = {};

    float left[kSubBlock] = {};
    float right[kSubBlock] = {};
    float rejectLeft[kSubBlock] = {};
    float rejectRight[kSubBlock] = {};
    // The input of the sub-block with non-finite samples as 0: the dry side of the master mix.
    float dryLeft[kSubBlock] = {};
    float dryRight[kSubBlock] = {};
    float bandRejectMix = 0.0f;
    float outputGain = 0.0f;
    float dryWetMix = 0.0f;
};
