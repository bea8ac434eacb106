// The reusable plug-in frame: engine and program bank, the per-block processing frame with silence
// bypass and tempo tracking, the path of parameter changes, chunks, bank and program files.
#pragma once

#include <cstdint>

#include "host/audio_effect_x.h"

class EngineBase;
class PluginEditorLink;
class PluginProgram;

class PluginBase : public AudioEffectX {
public:
    static constexpr int kMaxPrograms = 64;
    static constexpr int kPathSize = 512;

    PluginBase(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
    ~PluginBase() override;

    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void process(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void setProgram(VstInt32 program) override;
    void setProgramName(char* name) override;
    // The full name (up to 64 bytes); "Init" is shown numbered ("Init 1").
    void getProgramName(char* name) override;
    // At most 32 bytes each, terminator included.
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    VstInt32 getChunk(void** data, bool isPreset) override;
    VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;
    void setSampleRate(float sampleRate) override;
    void suspend() override;
    VstInt32 resume() override;
    VstInt32 processEvents(VstEvents* events) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
    bool copyProgram(VstInt32 destination) override;
    bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override;
    VstIntPtr vendorSpecific(VstInt32 lArg, VstIntPtr lArg2, void* ptrArg, float floatArg) override;
    VstInt32 canDo(char* text) override;

    // One host block on the audio thread.
    virtual void processBlock(const float* inL, const float* inR, float* outL, float* outR, VstInt32 frames,
                              bool replacing);
    virtual void userHook();
    virtual void onParameterChanged(VstInt32 index);

    // Copies every parameter the engine marked changed into the current program and to the editor.
    void flushParameterChanges();
    void updateTimeInfo(bool force);

    void captureEngineValues(PluginProgram& program);
    void previousProgram();
    void nextProgram();
    void clearCurrentProgram();

    bool loadBankFile(const char* path);
    bool loadFactoryBank(int bank);
    bool saveBankFile(const char* path);
    bool loadProgramFile(const char* path);
    bool saveProgramFile(const char* path);

    EngineBase* getEngine() const { return engine; }
    PluginProgram* getProgramRecord(int index) const;
    int getBankCount() const { return bankCount; }
    const char* getModuleFolder() const { return moduleFolder; }
    const char* getModuleName() const { return moduleName; }
    const char* getBankPath() const { return bankPath; }
    std::int32_t getFxId() const { return fxId; }

    // The product editor registers here for parameter and program changes; nullptr unregisters.
    void setEditorLink(PluginEditorLink* link) { editorLink = link; }

protected:
    // Polls the engine's processing flag until the audio thread has left the engine (bounded).
    void waitForProcessing() const;
    bool validProgram(int index) const { return index >= 0 && index < kMaxPrograms && programs[index]; }

    PluginProgram* programs[kMaxPrograms] = {};
    EngineBase* engine = nullptr;
    unsigned char* chunkBuffer = nullptr;
    char moduleFolder[kPathSize] = {};
    char moduleName[kPathSize] = {};
    char bankPath[kPathSize] = {};
    std::uint32_t silenceCounter = 0;
    std::int32_t fxId = 0;
    std::int32_t bankCount = 1;
    // Taken when the plug-in is created; the product seeds its engine's random source with it.
    unsigned randomSeed = 0;
    PluginEditorLink* editorLink = nullptr;
    // Host position minus engine position right after the last forward: what the engine rounded away.
    double positionRounding = 0.0;
};
