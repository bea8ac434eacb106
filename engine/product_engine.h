// Raven Soot's engine: the 66 records, the LFOs and the signal chain run in sub-blocks of 64 frames.
#pragma once

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

    // Unit settings the change hooks derive; the units take them over when they are wired in.
    int filterType() const { return multimodeType; }
    float compressorMode() const { return compressMode; }
    bool magicEqClipMode() const { return magicEqClip; }

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

    int multimodeType = 0;
    float compressMode = 0.0f;
    bool magicEqClip = false;
};
