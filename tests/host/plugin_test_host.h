// A host callback for plug-ins built in the test program itself: it records every request and answers the
// version and (under test control) the time.
#pragma once

#include <functional>
#include <vector>

#include "host/product_plugin.h"

struct HostCall {
    VstInt32 opcode;
    VstInt32 index;
    float opt;
};

struct InProcessHost {
    static std::vector<HostCall>& requests()
    {
        static std::vector<HostCall> log;
        return log;
    }
    static VstTimeInfo*& timeInfo()
    {
        static VstTimeInfo* info = nullptr;
        return info;
    }
    // What the host does when the plug-in asks it to idle (some hosts call the editor's idle from there).
    static std::function<void()>& onIdle()
    {
        static std::function<void()> idle;
        return idle;
    }
    static VstIntPtr callback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt)
    {
        requests().push_back({opcode, index, opt});
        if (opcode == audioMasterIdle && onIdle())
            onIdle()();
        if (opcode == audioMasterVersion)
            return 2400;
        if (opcode == audioMasterGetTime)
            return reinterpret_cast<VstIntPtr>(timeInfo());
        return 0;
    }
    static std::vector<HostCall> calls(VstInt32 opcode)
    {
        std::vector<HostCall> found;
        for (const HostCall& call : requests())
            if (call.opcode == opcode)
                found.push_back(call);
        return found;
    }
    static std::size_t count(VstInt32 opcode) { return calls(opcode).size(); }
};
