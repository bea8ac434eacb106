// A plug-in module loaded with dlopen, and its entry point found as hosts look for it.
#include "tools/vst_hosting/vst_module.h"

#include <dlfcn.h>

VstModule::VstModule(const std::string& path) : modulePath(path)
{
    // RTLD_LOCAL: the module's symbols must not be able to meet another module's.
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        message = reason ? reason : "dlopen failed";
    }
}

VstModule::~VstModule()
{
    if (handle)
        dlclose(handle);
}

void* VstModule::symbol(const char* name) const
{
    return handle ? dlsym(handle, name) : nullptr;
}

VstEntryProc VstModule::entry() const
{
    void* found = symbol("VSTPluginMain");
    if (!found)
        found = symbol("main");
    return reinterpret_cast<VstEntryProc>(found);
}
