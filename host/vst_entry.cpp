// The module's entry points, under both names Linux hosts look for.
#include "host/product_plugin.h"

namespace {

AEffect* createPlugin(audioMasterCallback audioMaster)
{
    // A host scanning plug-ins calls this in a separate process with a time-out: keep it cheap, no
    // window-system connection and no threads.
    if (!audioMaster || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
        return nullptr;
    ProductPlugin* plugin = nullptr;
    try {
        plugin = new ProductPlugin(audioMaster);
    } catch (...) {
        return nullptr;
    }
    if (ProductPlugin::editorCreationFailed()) {
        delete plugin;
        return nullptr;
    }
    return plugin->getAeffect();
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback audioMaster)
{
    return createPlugin(audioMaster);
}

// The older name; C++ reserves "main" for programs, so the symbol is named through the assembler.
__attribute__((visibility("default"))) AEffect* vstMainEntry(audioMasterCallback audioMaster) __asm__("main");

AEffect* vstMainEntry(audioMasterCallback audioMaster)
{
    return createPlugin(audioMaster);
}
}
