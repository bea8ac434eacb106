// Raven Soot 3 itself: creates the engine, the 64 programs with the factory bank, and names the effect.
#include "host/product_plugin.h"

#include <atomic>
#include <cstdio>

#include "editor/c_effect_editor.h"
#include "engine/product_engine.h"
#include "host/aeff_editor.h"
#include "host/plugin_editor_link.h"
#include "host/product_program.h"
#include "params/fixed_text.h"

namespace {

std::atomic<bool> editorFailed{false};

} // namespace

ProductPlugin::ProductPlugin(audioMasterCallback audioMaster)
    : PluginBase(audioMaster, kPrograms, kParameters)
{
    ProductEngine* productEngine = new ProductEngine(moduleFolder);
    productEngine->random().seed(randomSeed);
    engine = productEngine;
    engine->setSampleRate(44100.0f);
    bankCount = 1;
    if (std::snprintf(bankPath, sizeof(bankPath), "%s%sPresets.fxb", engine->getDataFolderPrefix(),
                      moduleName)
        >= static_cast<int>(sizeof(bankPath)))
        bankPath[0] = '\0';
    for (PluginProgram*& program : programs)
        program = new ProductProgram;
    loadFactoryBank(0);
    fxId = kProductId;
    setUniqueID(kProductId);
    curProgram = -1;
    setProgram(0);
    // The editor reads only the size of the default skin's background here; without it the plug-in
    // claims no editor.
    try {
        new CEffectEditor(this);
    } catch (...) {
        noteEditorCreationFailed();
    }
    suspend();
}

ProductPlugin::~ProductPlugin()
{
    AEffEditor* ownEditor = editor;
    editorLink = nullptr;
    setEditor(nullptr);
    delete ownEditor;
    delete engine;
    engine = nullptr;
}

bool ProductPlugin::getEffectName(char* name)
{
    copyFixedText(name, kVstMaxEffectNameLen, "Raven Soot 3");
    return true;
}

void ProductPlugin::onParameterChanged(VstInt32)
{ }

bool ProductPlugin::editorCreationFailed()
{
    return editorFailed.load();
}

void ProductPlugin::noteEditorCreationFailed()
{
    editorFailed.store(true);
}
