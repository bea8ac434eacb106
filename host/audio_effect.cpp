// The basic layer of the plug-in interface: the record, its trampolines and requests 0..24.
#include "host/audio_effect.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "host/aeff_editor.h"
#include "host/host_text.h"
#include "params/fixed_text.h"

namespace {

constexpr VstInt32 kDefaultUniqueId = vstFourCC('N', 'o', 'E', 'f');
constexpr VstIntPtr kIdentifyAnswer = vstFourCC('N', 'v', 'E', 'f');

// Fixed-point text without the C locale's decimal comma, cut to the interface's 8 bytes.
void formatFixed(double value, int decimals, char* text)
{
    if (!text)
        return;
    char buffer[64];
    auto result
        = std::to_chars(buffer, buffer + sizeof(buffer) - 1, value, std::chars_format::fixed, decimals);
    *result.ptr = '\0';
    copyFixedText(text, kVstMaxParamStrLen, result.ec == std::errc() ? buffer : "Huge!");
}

AudioEffect* objectOf(AEffect* e)
{
    return e ? static_cast<AudioEffect*>(e->object) : nullptr;
}

} // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : audioMaster(audioMaster), numPrograms(numPrograms), numParams(numParams)
{
    std::memset(&cEffect, 0, sizeof(cEffect));
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = &AudioEffect::dispatchEffect;
    cEffect.process = &AudioEffect::processEffect;
    cEffect.setParameter = &AudioEffect::setParameterEffect;
    cEffect.getParameter = &AudioEffect::getParameterEffect;
    cEffect.processReplacing = &AudioEffect::processReplacingEffect;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = kDefaultUniqueId;
    cEffect.version = 1;
}

AudioEffect::~AudioEffect()
{
    delete editor;
    editor = nullptr;
}

VstIntPtr AudioEffect::dispatchEffect(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                      float opt)
{
    AudioEffect* effect = objectOf(e);
    if (!effect)
        return 0;
    if (opcode == effClose) {
        effect->dispatcher(opcode, index, value, ptr, opt);
        delete effect;
        return 1;
    }
    return effect->dispatcher(opcode, index, value, ptr, opt);
}

void AudioEffect::processEffect(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames)
{
    if (AudioEffect* effect = objectOf(e))
        effect->process(inputs, outputs, sampleFrames);
}

void AudioEffect::processReplacingEffect(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames)
{
    if (AudioEffect* effect = objectOf(e))
        effect->processReplacing(inputs, outputs, sampleFrames);
}

void AudioEffect::setParameterEffect(AEffect* e, VstInt32 index, float value)
{
    if (AudioEffect* effect = objectOf(e))
        effect->setParameter(index, value);
}

float AudioEffect::getParameterEffect(AEffect* e, VstInt32 index)
{
    AudioEffect* effect = objectOf(e);
    return effect ? effect->getParameter(index) : 0.0f;
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    // Texts go through a scratch field first, so an operation may write its full text and the host
    // still receives no more than its buffer holds.
    char scratch[256] = {};
    char* hostText = static_cast<char*>(ptr);
    switch (opcode) {
    case effOpen:
        open();
        return 0;
    case effClose:
        close();
        return 0;
    case effSetProgram:
        if (value >= 0 && value < numPrograms)
            setProgram(static_cast<VstInt32>(value));
        return 0;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
        if (hostText) {
            HostText::readFromHost(scratch, sizeof(scratch), hostText, kHostStringReadLimit);
            setProgramName(scratch);
        }
        return 0;
    case effGetProgramName:
        if (hostText) {
            getProgramName(scratch);
            copyFixedText(hostText, kHostProgramNameBytes, scratch);
        }
        return 0;
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
        if (hostText) {
            if (opcode == effGetParamLabel)
                getParameterLabel(index, scratch);
            if (opcode == effGetParamDisplay)
                getParameterDisplay(index, scratch);
            if (opcode == effGetParamName)
                getParameterName(index, scratch);
            copyFixedText(hostText, kHostParameterTextBytes, scratch);
        }
        return 0;
    case effGetVu:
        return static_cast<VstIntPtr>(getVu() * 32767.0f);
    case effSetSampleRate:
        setSampleRate(opt);
        return 0;
    case effSetBlockSize:
        setBlockSize(static_cast<VstInt32>(value));
        return 0;
    case effMainsChanged:
        if (value == 0) {
            suspend();
        } else {
            resume();
        }
        return 0;
    case effEditGetRect:
        if (!editor || !ptr)
            return 0;
        return editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
    case effEditOpen:
        return editor ? (editor->open(ptr) ? 1 : 0) : 0;
    case effEditClose:
        if (editor)
            editor->close();
        return 0;
    case effEditIdle:
        if (editor)
            editor->idle();
        return 0;
    case effIdentify:
        return kIdentifyAnswer;
    case effGetChunk:
        if (!ptr)
            return 0;
        return getChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk:
        if (value < 0 || value > 0x7FFFFFFF)
            return 0;
        return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
    default:
        return 0;
    }
}

void AudioEffect::setParameter(VstInt32, float)
{ }

float AudioEffect::getParameter(VstInt32)
{
    return 0.0f;
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value)
{
    setParameter(index, value);
    if (index < 0 || index >= numParams)
        return;
    // Tell the host what the plug-in really holds after its own constraints, never outside 0..1.
    float held = getParameter(index);
    if (!(held >= 0.0f))
        held = 0.0f;
    if (held > 1.0f)
        held = 1.0f;
    callHost(audioMasterAutomate, index, 0, nullptr, held);
}

void AudioEffect::process(float**, float**, VstInt32)
{ }

void AudioEffect::processReplacing(float**, float**, VstInt32)
{ }

void AudioEffect::open()
{ }

void AudioEffect::close()
{ }

VstInt32 AudioEffect::getProgram()
{
    return curProgram;
}

void AudioEffect::setProgram(VstInt32 program)
{
    curProgram = program;
}

void AudioEffect::setProgramName(char*)
{ }

void AudioEffect::getProgramName(char* name)
{
    if (name)
        *name = '\0';
}

void AudioEffect::getParameterLabel(VstInt32, char* label)
{
    if (label)
        *label = '\0';
}

void AudioEffect::getParameterDisplay(VstInt32, char* text)
{
    if (text)
        *text = '\0';
}

void AudioEffect::getParameterName(VstInt32, char* text)
{
    if (text)
        *text = '\0';
}

float AudioEffect::getVu()
{
    return 0.0f;
}

VstInt32 AudioEffect::getChunk(void**, bool)
{
    return 0;
}

VstInt32 AudioEffect::setChunk(void*, VstInt32, bool)
{
    return 0;
}

void AudioEffect::setSampleRate(float rate)
{
    sampleRate = rate;
}

void AudioEffect::setBlockSize(VstInt32 size)
{
    blockSize = size;
}

void AudioEffect::suspend()
{ }

VstInt32 AudioEffect::resume()
{
    return 0;
}

void AudioEffect::setUniqueID(VstInt32 id)
{
    cEffect.uniqueID = id;
}

void AudioEffect::setNumInputs(VstInt32 inputs)
{
    cEffect.numInputs = inputs;
}

void AudioEffect::setNumOutputs(VstInt32 outputs)
{
    cEffect.numOutputs = outputs;
}

void AudioEffect::hasVu(bool state)
{
    setFlag(effFlagsHasVu, state);
}

void AudioEffect::hasClip(bool state)
{
    setFlag(effFlagsHasClip, state);
}

void AudioEffect::canMono(bool state)
{
    setFlag(effFlagsCanMono, state);
}

void AudioEffect::canProcessReplacing(bool state)
{
    setFlag(effFlagsCanReplacing, state);
}

void AudioEffect::programsAreChunks(bool state)
{
    setFlag(effFlagsProgramChunks, state);
}

void AudioEffect::setRealtimeQualities(VstInt32 qualities)
{
    cEffect.realQualities = qualities;
}

void AudioEffect::setOfflineQualities(VstInt32 qualities)
{
    cEffect.offQualities = qualities;
}

void AudioEffect::setInitialDelay(VstInt32 delay)
{
    cEffect.initialDelay = delay;
}

float AudioEffect::getSampleRate()
{
    return sampleRate;
}

VstInt32 AudioEffect::getBlockSize()
{
    return blockSize;
}

VstInt32 AudioEffect::getMasterVersion()
{
    return static_cast<VstInt32>(callHost(audioMasterVersion));
}

VstInt32 AudioEffect::getCurrentUniqueId()
{
    return static_cast<VstInt32>(callHost(audioMasterCurrentId));
}

void AudioEffect::masterIdle()
{
    callHost(audioMasterIdle);
}

bool AudioEffect::isInputConnected(VstInt32 input)
{
    // The host answers 0 for a connected pin.
    return audioMaster && callHost(audioMasterPinConnected, input, 0) == 0;
}

bool AudioEffect::isOutputConnected(VstInt32 output)
{
    return audioMaster && callHost(audioMasterPinConnected, output, 1) == 0;
}

void AudioEffect::dB2string(float value, char* text)
{
    if (value <= 0.0f) {
        copyFixedText(text, kVstMaxParamStrLen, "-oo");
        return;
    }
    formatFixed(20.0 * std::log10(static_cast<double>(value)), 2, text);
}

void AudioEffect::Hz2string(float samples, char* text)
{
    if (samples == 0.0f) {
        copyFixedText(text, kVstMaxParamStrLen, "0");
        return;
    }
    formatFixed(static_cast<double>(sampleRate) / samples, 2, text);
}

void AudioEffect::ms2string(float samples, char* text)
{
    formatFixed(static_cast<double>(samples) * 1000.0 / static_cast<double>(sampleRate), 2, text);
}

void AudioEffect::float2string(float value, char* text)
{
    formatFixed(value, 2, text);
}

void AudioEffect::long2string(long value, char* text)
{
    if (!text)
        return;
    if (value >= 10000000L || value <= -1000000L) {
        copyFixedText(text, kVstMaxParamStrLen, "Huge!");
        return;
    }
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof(buffer) - 1, value);
    *result.ptr = '\0';
    copyFixedText(text, kVstMaxParamStrLen, buffer);
}

void AudioEffect::setEditor(AEffEditor* newEditor)
{
    editor = newEditor;
    hasEditor(newEditor != nullptr);
}

void AudioEffect::hasEditor(bool state)
{
    setFlag(effFlagsHasEditor, state);
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    return audioMaster ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

void AudioEffect::setFlag(VstInt32 flag, bool state)
{
    if (state) {
        cEffect.flags |= flag;
    } else {
        cEffect.flags &= ~flag;
    }
}
