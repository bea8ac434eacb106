// The plug-in frame: construction, parameter path, the per-block frame, events, identity answers.
#include "host/plugin_base.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <new>

#include "engine/engine_base.h"
#include "host/aeff_editor.h"
#include "host/chunk_stream.h"
#include "host/module_path.h"
#include "host/plugin_editor_link.h"
#include "host/plugin_program.h"
#include "params/fixed_text.h"

namespace {

// The UI thread gives up waiting for the audio thread after this many polls and goes on regardless.
constexpr long kProcessingPolls = 1L << 30;
// Input below this at both ends of a block counts as silence.
constexpr float kSilenceThreshold = 3e-5f;
constexpr std::uint32_t kSilenceCounterModulo = 1u << 28;
// Tempo, position, playing state and bar validity.
constexpr VstInt32 kTimeInfoRequest
    = kVstTransportChanged | kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstBarsValid;
constexpr double kPositionJump = 0.001;
constexpr VstInt32 kWheelVendor = vstFourCC('s', 't', 'C', 'A');
constexpr VstIntPtr kWheelRequest = vstFourCC('W', 'h', 'e', 'e');

bool isSilent(float sample)
{
    return std::fabs(sample) < kSilenceThreshold;
}

} // namespace

PluginBase::PluginBase(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : AudioEffectX(audioMaster, numPrograms, numParams)
{
    char path[kPathSize];
    if (!ModulePath::modulePath(path, sizeof(path)))
        path[0] = '\0';
    ModulePath::split(path, moduleFolder, sizeof(moduleFolder), moduleName, sizeof(moduleName));
    chunkBuffer = new (std::nothrow) unsigned char[ChunkStream::kCapacity];
    programsAreChunks(true);
    setNumInputs(2);
    setNumOutputs(2);
    canProcessReplacing(true);
    hasVu(false);
    hasClip(false);
    canMono(true);
    randomSeed = static_cast<unsigned>(std::time(nullptr));
}

PluginBase::~PluginBase()
{
    delete[] chunkBuffer;
    for (PluginProgram*& program : programs) {
        delete program;
        program = nullptr;
    }
}

void PluginBase::waitForProcessing() const
{
    for (long i = 0; i < kProcessingPolls && engine->isProcessing(); ++i) {
    }
}

void PluginBase::setParameter(VstInt32 index, float value)
{
    if (!engine || index < 0 || index >= engine->parameterCount())
        return;
    waitForProcessing();
    engine->setParameter(index, value);
    if (validProgram(curProgram))
        programs[curProgram]->setValue(index, engine->getParameter(index));
    onParameterChanged(index);
    flushParameterChanges();
}

float PluginBase::getParameter(VstInt32 index)
{
    return engine ? engine->getParameter(index) : 0.0f;
}

void PluginBase::flushParameterChanges()
{
    if (!engine)
        return;
    PluginProgram* current = validProgram(curProgram) ? programs[curProgram] : nullptr;
    for (int i = 0; i < engine->parameterCount(); ++i) {
        if (!engine->takeChanged(i))
            continue;
        float value = engine->getParameter(i);
        if (current && i < numParams)
            current->setValue(i, value);
        if (editorLink)
            editorLink->setParameter(i, value);
    }
}

void PluginBase::process(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    if (inputs && outputs)
        processBlock(inputs[0], inputs[1], outputs[0], outputs[1], sampleFrames, false);
}

void PluginBase::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    if (inputs && outputs)
        processBlock(inputs[0], inputs[1], outputs[0], outputs[1], sampleFrames, true);
}

void PluginBase::processBlock(const float* inL, const float* inR, float* outL, float* outR, VstInt32 frames,
                              bool replacing)
{
    if (!engine)
        return;
    if (frames <= 0) {
        // No sample is touched, but the block still ends the queued controllers' wait, as any block does.
        engine->setProcessing(true);
        engine->applyQueuedControllers();
        engine->setProcessing(false);
        flushParameterChanges();
        return;
    }
    if (!inL || !inR || !outL || !outR)
        return;
    std::uint32_t n = static_cast<std::uint32_t>(frames);
    if (isSilent(inL[0]) && isSilent(inR[0]) && isSilent(inL[n - 1]) && isSilent(inR[n - 1]))
        silenceCounter = (silenceCounter + n) % kSilenceCounterModulo;
    else
        silenceCounter = 0;
    float tail = engine->getSilenceTime() * sampleRate;
    std::uint32_t tailFrames = tail >= 0.0f && tail < 4.0e9f ? static_cast<std::uint32_t>(tail) : 0xFFFFFFFFu;

    // Raise the flag before looking at bypass: randomize sets bypass and then waits for the flag to drop,
    // so it never rewrites the engine in the middle of a block.
    engine->setProcessing(true);
    bool run = !engine->isBypassed() && silenceCounter <= tailFrames;
    if (run) {
        updateTimeInfo(false);
        engine->process(inL, inR, outL, outR, frames, replacing);
    } else {
        // Learned controllers still act while audio passes through (one may switch the effect back on).
        engine->applyQueuedControllers();
    }
    engine->setProcessing(false);
    flushParameterChanges();
    if (run)
        return;

    engine->clearPeakLevels();
    if (replacing) {
        if (outL != inL)
            std::memmove(outL, inL, n * sizeof(float));
        if (outR != inR)
            std::memmove(outR, inR, n * sizeof(float));
    } else {
        for (std::uint32_t i = 0; i < n; ++i) {
            outL[i] += inL[i];
            outR[i] += inR[i];
        }
    }
}

void PluginBase::updateTimeInfo(bool force)
{
    if (!engine)
        return;
    VstTimeInfo* info = getTimeInfo(kTimeInfoRequest);
    if (!info) {
        if (force) {
            engine->setTempoAndPosition(120.0f, 0.0);
            positionRounding = 0.0;
        }
        return;
    }
    float tempo = static_cast<float>(info->tempo);
    // In double: a float position has steps of 0.004 quarter notes from 32,768 on, which would look
    // like a jump on every block. The engine is handed a float position, so the rounding it keeps is
    // remembered and left out of the comparison.
    double position = info->ppqPos;
    if (!(position >= 0.0))
        position = 0.0;
    bool tempoChanged = tempo != engine->getTempo();
    bool playing = (info->flags & kVstTransportPlaying) != 0;
    bool jumped = std::fabs(position - (engine->getSongPosition() + positionRounding)) > kPositionJump;
    if (force || tempoChanged || (playing && jumped)) {
        engine->setTempoAndPosition(tempo, position);
        positionRounding = position - engine->getSongPosition();
        if (!(std::fabs(positionRounding) < 1.0))
            positionRounding = 0.0;
    }
}

void PluginBase::setSampleRate(float rate)
{
    if (!std::isfinite(rate) || !(rate > 0.0f))
        return;
    AudioEffectX::setSampleRate(rate);
    if (engine)
        engine->setSampleRate(rate);
}

void PluginBase::suspend()
{
    if (!engine)
        return;
    engine->setProcessing(false);
    engine->suspend();
    engine->clearPeakLevels();
}

VstInt32 PluginBase::resume()
{
    if (!engine)
        return 0;
    engine->setProcessing(false);
    silenceCounter = 0;
    updateTimeInfo(true);
    engine->resume();
    bool wanted = wantEvents(1);
    engine->clearPeakLevels();
    return wanted ? 1 : 0;
}

VstInt32 PluginBase::processEvents(VstEvents* events)
{
    if (!engine)
        return 1;
    engine->flushImmediateEvents();
    flushParameterChanges();
    if (!events)
        return 1;
    for (VstInt32 i = 0; i < events->numEvents; ++i) {
        const VstEvent* event = events->events[i];
        if (!event || event->type != kVstMidiType)
            continue;
        const VstMidiEvent* midi = reinterpret_cast<const VstMidiEvent*>(event);
        const unsigned char bytes[3]
            = {static_cast<unsigned char>(midi->midiData[0]), static_cast<unsigned char>(midi->midiData[1]),
               static_cast<unsigned char>(midi->midiData[2])};
        engine->queueMidiEvent(bytes, midi->deltaFrames);
    }
    return 1;
}

void PluginBase::getParameterLabel(VstInt32 index, char* label)
{
    if (!label)
        return;
    label[0] = '\0';
    if (engine)
        engine->getParameterLabel(index, label, kHostParameterTextBytes);
}

void PluginBase::getParameterDisplay(VstInt32 index, char* text)
{
    if (!text)
        return;
    text[0] = '\0';
    if (engine)
        engine->getParameterDisplay(index, text, kHostParameterTextBytes);
}

void PluginBase::getParameterName(VstInt32 index, char* text)
{
    if (!text)
        return;
    text[0] = '\0';
    if (engine)
        engine->getParameterName(index, text, kHostParameterTextBytes);
}

bool PluginBase::getOutputProperties(VstInt32 index, VstPinProperties* properties)
{
    if (!properties || index < 0 || index > 1)
        return false;
    std::snprintf(properties->label, sizeof(properties->label), "RS %1d", static_cast<int>(index + 1));
    properties->flags = kVstPinIsActive | kVstPinIsStereo;
    return true;
}

bool PluginBase::getEffectName(char* name)
{
    copyFixedText(name, kVstMaxEffectNameLen, "Raven Audio Plugin");
    return true;
}

bool PluginBase::getVendorString(char* text)
{
    copyFixedText(text, kVstMaxVendorStrLen, "Raven Audio");
    return true;
}

bool PluginBase::getProductString(char* text)
{
    return getEffectName(text);
}

VstInt32 PluginBase::getVendorVersion()
{
    return 1;
}

VstIntPtr PluginBase::vendorSpecific(VstInt32 lArg, VstIntPtr lArg2, void*, float floatArg)
{
    if (editor && lArg == kWheelVendor && lArg2 == kWheelRequest)
        return editor->onWheel(floatArg) ? 1 : 0;
    return 0;
}

VstInt32 PluginBase::canDo(char* text)
{
    if (!text)
        return -1;
    static const char* const kCan[] = {"receiveVstEvents", "receiveVstMidiEvent", "receiveVstTimeInfo"};
    for (const char* can : kCan) {
        if (std::strcmp(text, can) == 0)
            return 1;
    }
    return -1;
}

void PluginBase::userHook()
{ }

void PluginBase::onParameterChanged(VstInt32)
{ }
