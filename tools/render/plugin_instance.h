// One plug-in instance hosted as a DAW hosts it: opened through the entry point with our callback, driven
// only through the record and its dispatcher, told the tempo and the position of every block.
#pragma once

#include <string>
#include <vector>

#include "host/vst_interface.h"

class PluginModule;

class PluginInstance {
public:
    // Calls the entry point and sends effOpen; throws a run failure when the module gives no plug-in.
    explicit PluginInstance(const PluginModule& module);
    // effMainsChanged 0 if running, then effClose.
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    // Before start(): the rate of the file and the largest block the host will hand over.
    void prepare(float sampleRateHz, int maximumBlock);
    void setTempo(double beatsPerMinute);
    void start();
    void stop();
    // One block of two channels; the time information the plug-in asks for describes its first frame.
    void process(float* const* inputs, float* const* outputs, int frames);

    int programCount() const { return effect->numPrograms; }
    int parameterCount() const { return effect->numParams; }
    VstInt32 uniqueId() const { return effect->uniqueID; }
    bool programsAreChunks() const { return (effect->flags & effFlagsProgramChunks) != 0; }

    std::string programName(int index);
    void setProgram(int index);
    std::string parameterName(int index);
    std::string parameterDisplay(int index);
    std::string parameterLabel(int index);
    void setParameter(int index, float normalized);
    float getParameter(int index);
    // The bank (or, with preset, the current program) as a host restores it from a song.
    bool setChunk(const std::vector<unsigned char>& chunk, bool preset);

private:
    static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                              float opt);
    VstIntPtr answer(VstInt32 opcode, void* ptr);
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f);
    std::string text(VstInt32 opcode, VstInt32 index);
    void describePosition();

    AEffect* effect = nullptr;
    bool running = false;
    float sampleRate = 44100.0f;
    int blockSize = 512;
    double tempo = 120.0;
    double framesDone = 0.0;
    VstTimeInfo timeInfo{};
};
