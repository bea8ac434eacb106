// One plug-in instance driven the way a VST 2.x host drives it, with the host's answers under test control.
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

#include "host/vst_interface.h"
#include "vst_host/vst_module.h"

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

class TestHost {
public:
    explicit TestHost(const VstModule& module);
    // Sends effClose if the plug-in is still open.
    ~TestHost();
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    // Calls the entry point with our callback; false when the module gave no record.
    bool open();
    bool isOpen() const { return effect != nullptr; }
    AEffect* record() const { return effect; }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f);
    // A text request into a buffer of bufferSize bytes; fails the calling test if the plug-in wrote past it.
    std::string text(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, std::size_t bufferSize = 256);
    VstIntPtr canDo(const char* what);

    void setParameter(VstInt32 index, float value);
    float getParameter(VstInt32 index);
    void processReplacing(const float* inL, const float* inR, float* outL, float* outR, VstInt32 frames);
    void process(const float* inL, const float* inR, float* outL, float* outR, VstInt32 frames);
    // Hands MIDI messages (status, data1, data2, delta frames) to effProcessEvents.
    VstIntPtr sendMidi(const std::vector<VstMidiEvent>& events);
    static VstMidiEvent midi(unsigned char status, unsigned char data1, unsigned char data2,
                             VstInt32 delta = 0);

    // The chunk the plug-in hands out, copied; isPreset selects one program instead of the bank.
    std::vector<unsigned char> getChunk(bool isPreset);
    VstIntPtr setChunk(const std::vector<unsigned char>& chunk, bool isPreset);

    // Sends effClose; the record must not be used afterwards. Answers what the dispatcher answered.
    VstIntPtr close();

    // The host's answers.
    void setVersionAnswer(VstIntPtr answer);
    void setTransport(const HostTransport& transport);
    HostTransport transport() const;

    // Everything the plug-in asked of the host, in order.
    std::vector<HostRequest> requests() const;
    std::size_t count(VstInt32 opcode) const;
    void clearRequests();

private:
    static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                              float opt);
    VstIntPtr answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

    const VstModule& module;
    AEffect* effect = nullptr;
    mutable std::mutex mutex;
    std::vector<HostRequest> log;
    VstIntPtr versionAnswer = 2400;
    HostTransport hostTransport;
    VstTimeInfo timeInfo{};
};
