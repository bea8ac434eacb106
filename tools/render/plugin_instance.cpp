// One plug-in instance hosted as a DAW hosts it: opened through the entry point with our callback, driven
// only through the record and its dispatcher, told the tempo and the position of every block.
#include "tools/render/plugin_instance.h"

#include <cmath>
#include <cstring>

#include "tools/render/plugin_module.h"
#include "tools/render/tool_error.h"

namespace {

constexpr VstIntPtr kProcessLevelOffline = 4;
constexpr double kBeatsPerBar = 4.0;
// Room for any text request: the interface promises far less, a careless plug-in may write more.
constexpr std::size_t kTextRoom = 512;

} // namespace

PluginInstance::PluginInstance(const PluginModule& module)
{
    if (!open(module.entry()))
        throw runFailure(module.path() + ": the module made no plug-in");
    if (record()->numInputs > 2 || record()->numOutputs < 1 || record()->numOutputs > 2) {
        close();
        throw runFailure(module.path() + ": not a mono or stereo effect");
    }
    dispatch(effOpen);
}

PluginInstance::~PluginInstance()
{
    if (running)
        stop();
    close();
}

VstIntPtr PluginInstance::answer(AEffect* from, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                 float opt)
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
    default:
        return HostedPlugin::answer(from, opcode, index, value, ptr, opt);
    }
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
    AEffect* effect = record();
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

std::string PluginInstance::text(VstInt32 opcode, VstInt32 index, VstIntPtr value)
{
    char buffer[kTextRoom] = {};
    dispatch(opcode, index, value, buffer);
    buffer[kTextRoom - 1] = '\0';
    return buffer;
}

std::string PluginInstance::programName(int index)
{
    return text(effGetProgramNameIndexed, index, -1);
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

bool PluginInstance::setChunk(const std::vector<unsigned char>& chunk, bool preset)
{
    return !chunk.empty() && HostedPlugin::setChunk(chunk, preset) != 0;
}
