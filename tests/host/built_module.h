// The built module, loaded once for all the tests of a program.
#pragma once

#include "module_copy.h"
#include "tools/vst_hosting/vst_module.h"

inline const VstModule& builtModule()
{
    static VstModule module(RAVENSOOT_MODULE_PATH);
    return module;
}

// The built module alone in a folder without its data, so every program starts as an empty "Init".
inline const VstModule& bareModule()
{
    static ModuleCopy copy("bare-module", false);
    static VstModule module(copy.path);
    return module;
}
