// One plug-in instance driven the way a VST 2.x host drives it, with the host's answers under test control.
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

#include "tools/vst_hosting/hosted_plugin.h"

// One request the plug-in sent to the host.
struct HostRequest {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
    bool hadEffect; // the record pointer was passed (it is not for the version request)
};

// What the host reports through audioMasterGetTime.
struct HostTransport {
    bool answers = true; // false: the host gives no time information
    double tempo = 120.0;
    double ppqPos = 0.0;
    double samplePos = 0.0;
    bool playing = false;
};

class TestHost : public HostedPlugin {
public:
    explicit TestHost(const VstModule& module) : module(module) { }
    ~TestHost() override { close(); }

    // Calls the module's entry point with our callback; false when it gave no record.
    bool open() { return HostedPlugin::open(module.entry()); }

    // A text request into a buffer of bufferSize bytes; fails the calling test if the plug-in wrote past it.
    std::string text(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, std::size_t bufferSize = 256);
    VstIntPtr canDo(const char* what);
    // The index the plug-in gives a parameter name, or -1.
    int parameterIndex(const std::string& name);

    void processReplacing(const float* inL, const float* inR, float* outL, float* outR, VstInt32 frames);
    void process(const float* inL, const float* inR, float* outL, float* outR, VstInt32 frames);
    // Hands MIDI messages (status, data1, data2, delta frames) to effProcessEvents.
    VstIntPtr sendMidi(const std::vector<VstMidiEvent>& events);
    static VstMidiEvent midi(unsigned char status, unsigned char data1, unsigned char data2,
                             VstInt32 delta = 0);

    // The chunk the plug-in hands out, copied; isPreset selects one program instead of the bank.
    std::vector<unsigned char> getChunk(bool isPreset);

    // The host's answers.
    void setVersionAnswer(VstIntPtr answer);
    void setTransport(const HostTransport& transport);

    // Everything the plug-in asked of the host, in order.
    std::vector<HostRequest> requests() const;
    std::size_t count(VstInt32 opcode) const;
    void clearRequests();

protected:
    VstIntPtr answer(AEffect* from, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                     float opt) override;

private:
    const VstModule& module;
    mutable std::mutex mutex;
    std::vector<HostRequest> log;
    VstIntPtr versionAnswer = kHostVersion;
    HostTransport hostTransport;
    VstTimeInfo timeInfo{};
};
