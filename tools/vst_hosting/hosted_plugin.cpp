// One plug-in instance driven as a VST 2.x host drives it.
#include "tools/vst_hosting/hosted_plugin.h"

namespace {

// Requests that arrive while the entry point runs carry no record that could lead to us yet.
thread_local HostedPlugin* beingOpened = nullptr;

} // namespace

HostedPlugin::~HostedPlugin()
{
    close();
}

bool HostedPlugin::open(VstEntryProc entry)
{
    if (!entry || effect)
        return false;
    beingOpened = this;
    AEffect* created = entry(&HostedPlugin::callback);
    beingOpened = nullptr;
    if (!created || created->magic != kEffectMagic)
        return false;
    created->user = this;
    effect = created;
    return true;
}

VstIntPtr HostedPlugin::callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                 float opt)
{
    HostedPlugin* host = effect && effect->user ? static_cast<HostedPlugin*>(effect->user) : beingOpened;
    if (!host)
        return opcode == audioMasterVersion ? kHostVersion : 0;
    return host->answer(effect, opcode, index, value, ptr, opt);
}

VstIntPtr HostedPlugin::answer(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    switch (opcode) {
    case audioMasterVersion:
        return kHostVersion;
    case audioMasterWantMidi:
    case audioMasterAutomate:
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
    case audioMasterUpdateDisplay:
    case audioMasterIdle:
        return 1;
    default:
        return 0;
    }
}

VstIntPtr HostedPlugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    return effect ? effect->dispatcher(effect, opcode, index, value, ptr, opt) : 0;
}

void HostedPlugin::setParameter(VstInt32 index, float value)
{
    if (effect)
        effect->setParameter(effect, index, value);
}

float HostedPlugin::getParameter(VstInt32 index)
{
    return effect ? effect->getParameter(effect, index) : 0.0f;
}

VstIntPtr HostedPlugin::setChunk(const std::vector<unsigned char>& chunk, bool isPreset)
{
    // The plug-in may keep reading from the block while it applies it: hand it a copy we own.
    std::vector<unsigned char> copy(chunk);
    return dispatch(effSetChunk, isPreset ? 1 : 0, static_cast<VstIntPtr>(copy.size()),
                    copy.empty() ? nullptr : copy.data());
}

VstIntPtr HostedPlugin::close()
{
    if (!effect)
        return 0;
    AEffect* closing = effect;
    effect = nullptr;
    return closing->dispatcher(closing, effClose, 0, 0, nullptr, 0.0f);
}
