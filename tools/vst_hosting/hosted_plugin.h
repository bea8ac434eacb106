// One plug-in instance driven as a VST 2.x host drives it: opened through the module's entry point with our
// callback, then used only through the record and its dispatcher. Subclasses give the host's answers.
#pragma once

#include <vector>

#include "host/vst_interface.h"
#include "tools/vst_hosting/vst_module.h"

class HostedPlugin {
public:
    static constexpr VstIntPtr kHostVersion = 2400;

    HostedPlugin() = default;
    // Sends effClose if the plug-in is still open (a subclass closes in its own destructor, while its answers
    // still exist).
    virtual ~HostedPlugin();
    HostedPlugin(const HostedPlugin&) = delete;
    HostedPlugin& operator=(const HostedPlugin&) = delete;

    // Calls entry with our callback; false when it gives no plug-in record or one is open already.
    bool open(VstEntryProc entry);
    bool isOpen() const { return effect != nullptr; }
    AEffect* record() const { return effect; }

    // Requests to an instance that is not open answer 0.
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f);
    void setParameter(VstInt32 index, float value);
    float getParameter(VstInt32 index);
    // Hands the plug-in a copy of chunk, as a host holds its own copy of a song's data.
    VstIntPtr setChunk(const std::vector<unsigned char>& chunk, bool isPreset);
    // Sends effClose; the record must not be used afterwards. Answers what the dispatcher answered.
    VstIntPtr close();

protected:
    // The host's answer to a request of the plug-in (from is the record it passed, null from inside the
    // entry point). Here: the version, yes to want-MIDI, automate, begin/end edit, update display and idle.
    virtual VstIntPtr answer(AEffect* from, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                             float opt);

private:
    static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                              float opt);

    AEffect* effect = nullptr;
};
