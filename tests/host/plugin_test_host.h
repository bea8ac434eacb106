// A ProductPlugin built in the test program itself, with a host callback that records and answers.
#pragma once

#include <memory>
#include <vector>

#include "host/product_plugin.h"

struct InProcessHost {
    static std::vector<VstInt32>& requests()
    {
        static std::vector<VstInt32> log;
        return log;
    }
    static VstTimeInfo*& timeInfo()
    {
        static VstTimeInfo* info = nullptr;
        return info;
    }
    static VstIntPtr callback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
    {
        requests().push_back(opcode);
        if (opcode == audioMasterVersion)
            return 2400;
        if (opcode == audioMasterGetTime)
            return reinterpret_cast<VstIntPtr>(timeInfo());
        return 0;
    }
    static std::size_t count(VstInt32 opcode)
    {
        std::size_t n = 0;
        for (VstInt32 r : requests())
            n += r == opcode;
        return n;
    }
};
