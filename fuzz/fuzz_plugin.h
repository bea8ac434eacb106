// One plug-in object built in the fuzz program itself and kept for the whole run, behind a host that
// answers only the version request.
#pragma once

#include "host/product_plugin.h"

inline VstIntPtr fuzzQuietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

inline ProductPlugin& fuzzPlugin()
{
    // Never destroyed: it would write "MidiConfig.txt" beside the fuzz program on the way out.
    static ProductPlugin* plugin = [] {
        ProductPlugin* made = new ProductPlugin(&fuzzQuietHost);
        made->setSampleRate(44100.0f);
        made->resume();
        return made;
    }();
    return *plugin;
}
