// The built module, loaded once for all the tests of a program.
#pragma once

#include "vst_host/vst_module.h"

inline const VstModule& builtModule()
{
    static VstModule module(RAVENSOOT_MODULE_PATH);
    return module;
}
