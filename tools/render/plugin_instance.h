// One plug-in instance hosted as a DAW hosts it: opened through the entry point with our callback, driven
// only through the record and its dispatcher, told the tempo and the position of every block.
#pragma once

#include <string>
#include <vector>

#include "tools/vst_hosting/hosted_plugin.h"

class PluginModule;

class PluginInstance : public HostedPlugin {
public:
    // Calls the entry point and sends effOpen; throws a run failure when the module gives no plug-in.
    explicit PluginInstance(const PluginModule& module);
    // effMainsChanged 0 if running, then effClose.
    ~PluginInstance() override;

    // Before start(): the rate of the file and the largest block the host will hand over.
    void prepare(float sampleRateHz, int maximumBlock);
    void setTempo(double beatsPerMinute);
    void start();
    void stop();
    // One block of two channels; the time information the plug-in asks for describes its first frame.
    void process(float* const* inputs, float* const* outputs, int frames);

    int programCount() const { return record()->numPrograms; }
    int parameterCount() const { return record()->numParams; }
    VstInt32 uniqueId() const { return record()->uniqueID; }
    bool programsAreChunks() const { return (record()->flags & effFlagsProgramChunks) != 0; }

    std::string programName(int index);
    void setProgram(int index);
    std::string parameterName(int index);
    std::string parameterDisplay(int index);
    std::string parameterLabel(int index);
    // The bank (or, with preset, the current program) as a host restores it from a song.
    bool setChunk(const std::vector<unsigned char>& chunk, bool preset);

protected:
    VstIntPtr answer(AEffect* from, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                     float opt) override;

private:
    std::string text(VstInt32 opcode, VstInt32 index, VstIntPtr value = 0);
    void describePosition();

    bool running = false;
    float sampleRate = 44100.0f;
    int blockSize = 512;
    double tempo = 120.0;
    double framesDone = 0.0;
    VstTimeInfo timeInfo{};
};
