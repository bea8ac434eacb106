// Raven Soot 3 itself: creates the engine, the 64 programs with the factory bank, and names the effect.
#pragma once

#include "host/plugin_base.h"

class ProductPlugin : public PluginBase {
public:
    static constexpr VstInt32 kPrograms = 64;
    static constexpr VstInt32 kParameters = 53;

    explicit ProductPlugin(audioMasterCallback audioMaster);
    // The editor goes before the engine it reads from.
    ~ProductPlugin() override;

    bool getEffectName(char* name) override;
    void onParameterChanged(VstInt32 index) override;

    // Set for good once the editor could not be created; every later entry call in this module then
    // answers none.
    static bool editorCreationFailed();

protected:
    static void noteEditorCreationFailed();
};
