// One plug-in instance hosted as a DAW hosts it: opened through the entry point with our callback, driven
// only through the record and its dispatcher, told the tempo and the position of every block.
#include "tools/render/plugin_instance.h"

#include <cmath>
#include <cstring>

#include "tools/render/plugin_module.h"
#include "tools/render/tool_error.h"

namespace {

// The entry point may call back before the record exists to carry our pointer.
thread_local PluginInstance* instanceBeingOpened = nullptr;

constexpr VstIntPtr kHostVersion = 2400;
constexpr VstIntPtr kProcessLevelOffline = 4;
constexpr double kBeatsPerBar = 4.0;
// Room for any text request: the interface promises far less, a careless plug-in may write more.
constexpr std::size_t kTextRoom = 512;

} // namespace

PluginInstance::PluginInstance(const PluginModule& module)
{
    instanceBeingOpened = this;
    AEffect* created = module.entry()(&PluginInstance::callback);
    instanceBeingOpened = nullptr;
    if (!created || created->magic != kEffectMagic)
        throw runFailure(module.path() + ": the module made no plug-in");
    if (created->numInputs > 2 || created->numOutputs < 1 || created->numOutputs > 2) {
        created->dispatcher(created, effClose, 0, 0, nullptr, 0.0f);
        throw runFailure(module.path() + ": not a mono or stereo effect");
    }
    created->user = this;
    effect = created;
    dispatch(effOpen);
}

PluginInstance::~PluginInstance()
{
    if (running)
        stop();
    dispatch(effClose);
}

VstIntPtr PluginInstance::callback(AEffect* effect, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float)
{
    PluginInstance* host
        = effect && effect->user ? static_cast<PluginInstance*>(effect->user) : instanceBeingOpened;
    if (opcode == audioMasterVersion)
        return kHostVersion;
    return host ? host->answer(opcode, ptr) : 0;
}

VstIntPtr PluginInstance::answer(VstInt32 opcode, void* ptr)
{
    switch (opcode) {
    case audioMasterGetTime:
        return reinterpret_cast<VstIntPtr>(&timeInfo);
    case audioMasterGetSampleRate:
        return static_cast<VstIntPtr>(sampleRate);
    case audioMasterGetBlockSize:
        return blockSize;
    case audioMasterGetCurrentProcessLevel:
        return kProcessLevelOffline;
    case audioMasterCanDo:
        return ptr && std::strcmp(static_cast<const char*>(ptr), "sendVstTimeInfo") == 0 ? 1 : 0;
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

VstIntPtr PluginInstance::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

void PluginInstance::prepare(float sampleRateHz, int maximumBlock)
{
    sampleRate = sampleRateHz;
    blockSize = maximumBlock;
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRateHz);
    dispatch(effSetBlockSize, 0, maximumBlock);
    describePosition();
}

void PluginInstance::setTempo(double beatsPerMinute)
{
    tempo = beatsPerMinute;
    describePosition();
}

void PluginInstance::start()
{
    framesDone = 0.0;
    describePosition();
    dispatch(effMainsChanged, 0, 1);
    running = true;
}

void PluginInstance::stop()
{
    dispatch(effMainsChanged, 0, 0);
    running = false;
}

// The song plays from its start at the given tempo in 4/4, one beat a quarter note.
void PluginInstance::describePosition()
{
    double beats = framesDone / sampleRate * tempo / 60.0;
    std::memset(&timeInfo, 0, sizeof(timeInfo));
    timeInfo.samplePos = framesDone;
    timeInfo.sampleRate = sampleRate;
    timeInfo.ppqPos = beats;
    timeInfo.tempo = tempo;
    timeInfo.barStartPos = std::floor(beats / kBeatsPerBar) * kBeatsPerBar;
    timeInfo.timeSigNumerator = 4;
    timeInfo.timeSigDenominator = 4;
    timeInfo.flags = kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid;
}

void PluginInstance::process(float* const* inputs, float* const* outputs, int frames)
{
    describePosition();
    float** in = const_cast<float**>(inputs);
    float** out = const_cast<float**>(outputs);
    if (effect->flags & effFlagsCanReplacing) {
        effect->processReplacing(effect, in, out, frames);
    } else {
        // An accumulating plug-in adds to what the outputs hold.
        for (int channel = 0; channel < effect->numOutputs; ++channel)
            std::memset(out[channel], 0, static_cast<std::size_t>(frames) * sizeof(float));
        effect->process(effect, in, out, frames);
    }
    framesDone += frames;
}

std::string PluginInstance::text(VstInt32 opcode, VstInt32 index)
{
    char buffer[kTextRoom] = {};
    dispatch(opcode, index, 0, buffer);
    buffer[kTextRoom - 1] = '\0';
    return buffer;
}

std::string PluginInstance::programName(int index)
{
    char buffer[kTextRoom] = {};
    dispatch(effGetProgramNameIndexed, index, -1, buffer);
    buffer[kTextRoom - 1] = '\0';
    return buffer;
}

void PluginInstance::setProgram(int index)
{
    dispatch(effSetProgram, 0, index);
}

std::string PluginInstance::parameterName(int index)
{
    return text(effGetParamName, index);
}

std::string PluginInstance::parameterDisplay(int index)
{
    return text(effGetParamDisplay, index);
}

std::string PluginInstance::parameterLabel(int index)
{
    return text(effGetParamLabel, index);
}

void PluginInstance::setParameter(int index, float normalized)
{
    effect->setParameter(effect, index, normalized);
}

float PluginInstance::getParameter(int index)
{
    return effect->getParameter(effect, index);
}

bool PluginInstance::setChunk(const std::vector<unsigned char>& chunk, bool preset)
{
    if (chunk.empty())
        return false;
    // The plug-in may keep reading from the block while it applies it: hand it a copy we own.
    std::vector<unsigned char> copy(chunk);
    return dispatch(effSetChunk, preset ? 1 : 0, static_cast<VstIntPtr>(copy.size()), copy.data()) != 0;
}
