// The extended layer of the plug-in interface: requests 25..76 and the wrappers of the host's requests.
#include "host/audio_effect_x.h"

#include <cmath>

#include "host/aeff_editor.h"
#include "host/host_text.h"
#include "params/fixed_text.h"

AudioEffectX::AudioEffectX(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : AudioEffect(audioMaster, numPrograms, numParams)
{ }

AudioEffectX::~AudioEffectX() = default;

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    char scratch[256] = {};
    char* hostText = static_cast<char*>(ptr);
    switch (opcode) {
    case effProcessEvents:
        return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated:
        return canParameterBeAutomated(index) ? 1 : 0;
    case effString2Parameter:
        if (!hostText)
            return 0;
        HostText::readFromHost(scratch, sizeof(scratch), hostText, kHostStringReadLimit);
        return string2parameter(index, scratch) ? 1 : 0;
    case effGetNumProgramCategories:
        return getNumCategories();
    case effGetProgramNameIndexed: {
        if (!hostText)
            return 0;
        bool known = getProgramNameIndexed(static_cast<VstInt32>(value), index, scratch);
        if (known)
            copyFixedText(hostText, kHostProgramNameBytes, scratch);
        return known ? 1 : 0;
    }
    case effCopyProgram:
        return copyProgram(index) ? 1 : 0;
    case effConnectInput:
        inputConnected(index, value != 0);
        return 1;
    case effConnectOutput:
        outputConnected(index, value != 0);
        return 1;
    case effGetInputProperties:
        return ptr && getInputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetOutputProperties:
        return ptr && getOutputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetPlugCategory:
        return getPlugCategory();
    case effGetCurrentPosition:
        return reportCurrentPosition();
    case effGetDestinationBuffer:
        return reinterpret_cast<VstIntPtr>(reportDestinationBuffer());
    case effOfflineNotify:
        return offlineNotify(ptr, static_cast<VstInt32>(value), index != 0) ? 1 : 0;
    case effOfflinePrepare:
        return offlinePrepare(ptr, static_cast<VstInt32>(value)) ? 1 : 0;
    case effOfflineRun:
        return offlineRun(ptr, static_cast<VstInt32>(value)) ? 1 : 0;
    case effProcessVarIo:
        return processVariableIo(ptr) ? 1 : 0;
    case effSetSpeakerArrangement:
        return setSpeakerArrangement(reinterpret_cast<void*>(value), ptr) ? 1 : 0;
    case effSetBlockSizeAndSampleRate:
        setBlockSizeAndSampleRate(static_cast<VstInt32>(value), opt);
        return 1;
    case effSetBypass:
        return setBypass(value != 0) ? 1 : 0;
    case effGetEffectName:
        if (!hostText || !getEffectName(scratch))
            return 0;
        copyFixedText(hostText, kVstMaxEffectNameLen, scratch);
        return 1;
    case effGetErrorText:
        if (!hostText || !getErrorText(scratch))
            return 0;
        copyFixedText(hostText, kVstMaxLabelLen, scratch);
        return 1;
    case effGetVendorString:
        if (!hostText || !getVendorString(scratch))
            return 0;
        copyFixedText(hostText, kVstMaxVendorStrLen, scratch);
        return 1;
    case effGetProductString:
        if (!hostText || !getProductString(scratch))
            return 0;
        copyFixedText(hostText, kVstMaxProductStrLen, scratch);
        return 1;
    case effGetVendorVersion:
        return getVendorVersion();
    case effVendorSpecific:
        return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
        if (!hostText)
            return -1;
        HostText::readFromHost(scratch, sizeof(scratch), hostText, kHostStringReadLimit);
        return canDo(scratch);
    case effGetTailSize:
        return getGetTailSize();
    case effIdle:
        return fxIdle();
    case effGetIcon:
        return reinterpret_cast<VstIntPtr>(getIcon());
    case effSetViewPosition:
        return setViewPosition(index, static_cast<VstInt32>(value)) ? 1 : 0;
    case effGetParameterProperties:
        return ptr && getParameterProperties(index, ptr) ? 1 : 0;
    case effKeysRequired:
        return keysRequired() ? 0 : 1;
    case effGetVstVersion:
        return getVstVersion();
    case effEditKeyDown:
    case effEditKeyUp: {
        if (!editor)
            return 0;
        VstKeyCode key;
        key.character = index;
        key.virt = static_cast<unsigned char>(value & 0xFF);
        // The modifiers come as a float; a NaN or huge one (a confused host) counts as none.
        const bool convertible = opt > -2147483648.0f && opt < 2147483648.0f;
        key.modifier = static_cast<unsigned char>((convertible ? static_cast<int>(opt) : 0) & 0xFF);
        return opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key);
    }
    case effSetEditKnobMode:
        if (!editor)
            return 0;
        editor->setKnobMode(static_cast<int>(value));
        return 1;
    case effGetMidiProgramName:
        return getMidiProgramName(index, ptr);
    case effGetCurrentMidiProgram:
        return getCurrentMidiProgram(index, ptr);
    case effGetMidiProgramCategory:
        return getMidiProgramCategory(index, ptr);
    case effHasMidiProgramsChanged:
        return hasMidiProgramsChanged(index) ? 1 : 0;
    case effGetMidiKeyName:
        return getMidiKeyName(index, ptr) ? 1 : 0;
    case effBeginSetProgram:
        return beginSetProgram() ? 1 : 0;
    case effEndSetProgram:
        return endSetProgram() ? 1 : 0;
    case effGetSpeakerArrangement:
        return getSpeakerArrangement(reinterpret_cast<void**>(value), static_cast<void**>(ptr)) ? 1 : 0;
    case effShellGetNextPlugin:
        return getNextShellPlugin(hostText);
    case effStartProcess:
        return startProcess();
    case effStopProcess:
        return stopProcess();
    case effSetTotalSampleToProcess:
        return setTotalSampleToProcess(static_cast<VstInt32>(value));
    case effSetPanLaw:
        return setPanLaw(static_cast<VstInt32>(value), opt) ? 1 : 0;
    case effBeginLoadBank:
        return beginLoadBank(ptr);
    case effBeginLoadProgram:
        return beginLoadProgram(ptr);
    default:
        if (opcode >= effProcessEvents)
            return 0;
        return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    }
}

AEffEditor* AudioEffectX::getEditor()
{
    return editor;
}

bool AudioEffectX::wantEvents(VstInt32 filter)
{
    return callHost(audioMasterWantMidi, 0, filter) != 0;
}

VstTimeInfo* AudioEffectX::getTimeInfo(VstInt32 filter)
{
    return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter));
}

VstInt32 AudioEffectX::tempoAt(VstInt32 pos)
{
    return static_cast<VstInt32>(callHost(audioMasterTempoAt, 0, pos));
}

VstInt32 AudioEffectX::processEvents(VstEvents*)
{
    return 0;
}

VstInt32 AudioEffectX::getNumAutomatableParameters()
{
    return static_cast<VstInt32>(callHost(audioMasterGetNumAutomatableParameters));
}

VstInt32 AudioEffectX::getParameterQuantization()
{
    return static_cast<VstInt32>(callHost(audioMasterGetParameterQuantization));
}

bool AudioEffectX::canParameterBeAutomated(VstInt32)
{
    return true;
}

bool AudioEffectX::string2parameter(VstInt32, char*)
{
    return false;
}

float AudioEffectX::getChannelParameter(VstInt32, VstInt32)
{
    return 0.0f;
}

VstInt32 AudioEffectX::getNumCategories()
{
    return 1;
}

bool AudioEffectX::getProgramNameIndexed(VstInt32, VstInt32, char*)
{
    return false;
}

bool AudioEffectX::copyProgram(VstInt32)
{
    return false;
}

bool AudioEffectX::ioChanged()
{
    return callHost(audioMasterIOChanged) != 0;
}

bool AudioEffectX::needIdle()
{
    return callHost(audioMasterNeedIdle) != 0;
}

bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height)
{
    return callHost(audioMasterSizeWindow, width, height) != 0;
}

double AudioEffectX::updateSampleRate()
{
    VstIntPtr rate = callHost(audioMasterGetSampleRate);
    if (rate > 0)
        sampleRate = static_cast<float>(rate);
    return sampleRate;
}

VstInt32 AudioEffectX::updateBlockSize()
{
    VstIntPtr size = callHost(audioMasterGetBlockSize);
    if (size > 0)
        blockSize = static_cast<VstInt32>(size);
    return blockSize;
}

VstInt32 AudioEffectX::getInputLatency()
{
    return static_cast<VstInt32>(callHost(audioMasterGetInputLatency));
}

VstInt32 AudioEffectX::getOutputLatency()
{
    return static_cast<VstInt32>(callHost(audioMasterGetOutputLatency));
}

AEffect* AudioEffectX::getPreviousPlug(VstInt32 input)
{
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetPreviousPlug, 0, input));
}

AEffect* AudioEffectX::getNextPlug(VstInt32 output)
{
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetNextPlug, 0, output));
}

void AudioEffectX::inputConnected(VstInt32, bool)
{ }

void AudioEffectX::outputConnected(VstInt32, bool)
{ }

bool AudioEffectX::getInputProperties(VstInt32, VstPinProperties*)
{
    return false;
}

bool AudioEffectX::getOutputProperties(VstInt32, VstPinProperties*)
{
    return false;
}

VstInt32 AudioEffectX::getPlugCategory()
{
    return (cEffect.flags & effFlagsIsSynth) ? kPlugCategSynth : kPlugCategUnknown;
}

VstInt32 AudioEffectX::willProcessReplacing()
{
    return static_cast<VstInt32>(callHost(audioMasterWillReplaceOrAccumulate));
}

VstInt32 AudioEffectX::getCurrentProcessLevel()
{
    return static_cast<VstInt32>(callHost(audioMasterGetCurrentProcessLevel));
}

VstInt32 AudioEffectX::getAutomationState()
{
    return static_cast<VstInt32>(callHost(audioMasterGetAutomationState));
}

void AudioEffectX::wantAsyncOperation(bool state)
{
    setFlag(effFlagsExtIsAsync, state);
}

void AudioEffectX::hasExternalBuffer(bool state)
{
    setFlag(effFlagsExtHasBuffer, state);
}

VstInt32 AudioEffectX::reportCurrentPosition()
{
    return 0;
}

float* AudioEffectX::reportDestinationBuffer()
{
    return nullptr;
}

bool AudioEffectX::offlineRead(void* offline, VstInt32 option, bool readSource)
{
    return callHost(audioMasterOfflineRead, readSource ? 1 : 0, option, offline) != 0;
}

bool AudioEffectX::offlineWrite(void* offline, VstInt32 option)
{
    return callHost(audioMasterOfflineWrite, 0, option, offline) != 0;
}

bool AudioEffectX::offlineStart(void* audioFiles, VstInt32 numAudioFiles, VstInt32 numNewAudioFiles)
{
    return callHost(audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, audioFiles) != 0;
}

VstInt32 AudioEffectX::offlineGetCurrentPass()
{
    return static_cast<VstInt32>(callHost(audioMasterOfflineGetCurrentPass));
}

VstInt32 AudioEffectX::offlineGetCurrentMetaPass()
{
    return static_cast<VstInt32>(callHost(audioMasterOfflineGetCurrentMetaPass));
}

bool AudioEffectX::offlineNotify(void*, VstInt32, bool)
{
    return false;
}

bool AudioEffectX::offlinePrepare(void*, VstInt32)
{
    return false;
}

bool AudioEffectX::offlineRun(void*, VstInt32)
{
    return false;
}

VstInt32 AudioEffectX::offlineGetNumPasses()
{
    return 0;
}

VstInt32 AudioEffectX::offlineGetNumMetaPasses()
{
    return 0;
}

void AudioEffectX::setOutputSamplerate(float rate)
{
    callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, rate);
}

void* AudioEffectX::getInputSpeakerArrangement()
{
    return reinterpret_cast<void*>(callHost(audioMasterGetInputSpeakerArrangement));
}

void* AudioEffectX::getOutputSpeakerArrangement()
{
    return reinterpret_cast<void*>(callHost(audioMasterGetOutputSpeakerArrangement));
}

bool AudioEffectX::getHostVendorString(char* text)
{
    if (text)
        *text = '\0';
    return text && callHost(audioMasterGetVendorString, 0, 0, text) != 0;
}

bool AudioEffectX::getHostProductString(char* text)
{
    if (text)
        *text = '\0';
    return text && callHost(audioMasterGetProductString, 0, 0, text) != 0;
}

VstInt32 AudioEffectX::getHostVendorVersion()
{
    return static_cast<VstInt32>(callHost(audioMasterGetVendorVersion));
}

VstIntPtr AudioEffectX::hostVendorSpecific(VstInt32 lArg1, VstIntPtr lArg2, void* ptrArg, float floatArg)
{
    return callHost(audioMasterVendorSpecific, lArg1, lArg2, ptrArg, floatArg);
}

VstInt32 AudioEffectX::canHostDo(char* text)
{
    return text ? static_cast<VstInt32>(callHost(audioMasterCanDo, 0, 0, text)) : 0;
}

void AudioEffectX::isSynth(bool state)
{
    setFlag(effFlagsIsSynth, state);
}

void AudioEffectX::noTail(bool state)
{
    setFlag(effFlagsNoSoundInStop, state);
}

VstInt32 AudioEffectX::getHostLanguage()
{
    return static_cast<VstInt32>(callHost(audioMasterGetLanguage));
}

void* AudioEffectX::openWindow(void* window)
{
    return reinterpret_cast<void*>(callHost(audioMasterOpenWindow, 0, 0, window));
}

bool AudioEffectX::closeWindow(void* window)
{
    return callHost(audioMasterCloseWindow, 0, 0, window) != 0;
}

void* AudioEffectX::getDirectory()
{
    return reinterpret_cast<void*>(callHost(audioMasterGetDirectory));
}

bool AudioEffectX::updateDisplay()
{
    return callHost(audioMasterUpdateDisplay) != 0;
}

bool AudioEffectX::processVariableIo(void*)
{
    return false;
}

bool AudioEffectX::setSpeakerArrangement(void*, void*)
{
    return false;
}

bool AudioEffectX::getSpeakerArrangement(void** pluginInput, void** pluginOutput)
{
    if (pluginInput)
        *pluginInput = nullptr;
    if (pluginOutput)
        *pluginOutput = nullptr;
    return false;
}

void AudioEffectX::setBlockSizeAndSampleRate(VstInt32 size, float rate)
{
    blockSize = size;
    // Only stored, as the interface has it; a rate that is no rate is ignored like in setSampleRate.
    if (std::isfinite(rate) && rate > 0.0f)
        sampleRate = rate;
}

bool AudioEffectX::setBypass(bool)
{
    return false;
}

bool AudioEffectX::getEffectName(char*)
{
    return false;
}

bool AudioEffectX::getErrorText(char*)
{
    return false;
}

bool AudioEffectX::getVendorString(char*)
{
    return false;
}

bool AudioEffectX::getProductString(char*)
{
    return false;
}

VstInt32 AudioEffectX::getVendorVersion()
{
    return 0;
}

VstIntPtr AudioEffectX::vendorSpecific(VstInt32, VstIntPtr, void*, float)
{
    return 0;
}

VstInt32 AudioEffectX::canDo(char*)
{
    return 0;
}

void* AudioEffectX::getIcon()
{
    return nullptr;
}

bool AudioEffectX::setViewPosition(VstInt32, VstInt32)
{
    return false;
}

VstInt32 AudioEffectX::getGetTailSize()
{
    return 0;
}

VstInt32 AudioEffectX::fxIdle()
{
    return 0;
}

bool AudioEffectX::getParameterProperties(VstInt32, void*)
{
    return false;
}

bool AudioEffectX::keysRequired()
{
    return false;
}

VstInt32 AudioEffectX::getVstVersion()
{
    return 2300;
}

VstInt32 AudioEffectX::getMidiProgramName(VstInt32, void*)
{
    return 0;
}

VstInt32 AudioEffectX::getCurrentMidiProgram(VstInt32, void*)
{
    return -1;
}

VstInt32 AudioEffectX::getMidiProgramCategory(VstInt32, void*)
{
    return 0;
}

bool AudioEffectX::hasMidiProgramsChanged(VstInt32)
{
    return false;
}

bool AudioEffectX::getMidiKeyName(VstInt32, void*)
{
    return false;
}

bool AudioEffectX::beginSetProgram()
{
    return false;
}

bool AudioEffectX::endSetProgram()
{
    return false;
}

bool AudioEffectX::beginEdit(VstInt32 index)
{
    if (index < 0 || index >= numParams)
        return false;
    return callHost(audioMasterBeginEdit, index) != 0;
}

bool AudioEffectX::endEdit(VstInt32 index)
{
    if (index < 0 || index >= numParams)
        return false;
    return callHost(audioMasterEndEdit, index) != 0;
}

bool AudioEffectX::openFileSelector(void* fileSelect)
{
    return fileSelect && callHost(audioMasterOpenFileSelector, 0, 0, fileSelect) != 0;
}

VstInt32 AudioEffectX::setTotalSampleToProcess(VstInt32 value)
{
    return value;
}

// Not a shell: the host's buffer is left as it was.
VstInt32 AudioEffectX::getNextShellPlugin(char*)
{
    return 0;
}

VstInt32 AudioEffectX::startProcess()
{
    return 0;
}

VstInt32 AudioEffectX::stopProcess()
{
    return 0;
}

bool AudioEffectX::setPanLaw(VstInt32, float)
{
    return false;
}

VstInt32 AudioEffectX::beginLoadBank(void*)
{
    return 0;
}

VstInt32 AudioEffectX::beginLoadProgram(void*)
{
    return 0;
}

bool AudioEffectX::allocateArrangement(void** arrangement, VstInt32)
{
    if (arrangement)
        *arrangement = nullptr;
    return false;
}

bool AudioEffectX::deallocateArrangement(void** arrangement)
{
    if (arrangement)
        *arrangement = nullptr;
    return false;
}

bool AudioEffectX::copySpeaker(void*, void*)
{
    return false;
}

bool AudioEffectX::matchArrangement(void**, void*)
{
    return false;
}
