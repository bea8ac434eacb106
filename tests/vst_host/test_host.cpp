// One plug-in instance driven the way a VST 2.x host drives it, with the host's answers under test control.
#include "vst_host/test_host.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr unsigned char kGuard = 0xA5;
constexpr std::size_t kGuardBytes = 64;

} // namespace

VstIntPtr TestHost::answer(AEffect* from, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    std::lock_guard<std::mutex> lock(mutex);
    log.push_back({opcode, index, value, opt, from != nullptr});
    switch (opcode) {
    case audioMasterVersion:
        return versionAnswer;
    case audioMasterGetTime: {
        if (!hostTransport.answers)
            return 0;
        std::memset(&timeInfo, 0, sizeof(timeInfo));
        timeInfo.samplePos = hostTransport.samplePos;
        timeInfo.sampleRate = 44100.0;
        timeInfo.ppqPos = hostTransport.ppqPos;
        timeInfo.tempo = hostTransport.tempo;
        timeInfo.timeSigNumerator = 4;
        timeInfo.timeSigDenominator = 4;
        timeInfo.flags = kVstPpqPosValid | kVstTempoValid | kVstTimeSigValid
            | (hostTransport.playing ? kVstTransportPlaying : 0);
        return reinterpret_cast<VstIntPtr>(&timeInfo);
    }
    default:
        return HostedPlugin::answer(from, opcode, index, value, ptr, opt);
    }
}

std::string TestHost::text(VstInt32 opcode, VstInt32 index, VstIntPtr value, std::size_t bufferSize)
{
    std::vector<unsigned char> buffer(bufferSize + kGuardBytes, kGuard);
    dispatch(opcode, index, value, buffer.data());
    for (std::size_t i = bufferSize; i < buffer.size(); ++i) {
        if (buffer[i] != kGuard) {
            ADD_FAILURE() << "opcode " << opcode << " wrote past a host buffer of " << bufferSize << " bytes";
            break;
        }
    }
    const char* start = reinterpret_cast<const char*>(buffer.data());
    return std::string(start, strnlen(start, bufferSize));
}

VstIntPtr TestHost::canDo(const char* what)
{
    return dispatch(effCanDo, 0, 0, const_cast<char*>(what));
}

int TestHost::parameterIndex(const std::string& name)
{
    for (VstInt32 i = 0; isOpen() && i < record()->numParams; ++i)
        if (text(effGetParamName, i) == name)
            return i;
    return -1;
}

void TestHost::processReplacing(const float* inL, const float* inR, float* outL, float* outR, VstInt32 frames)
{
    float* inputs[2] = {const_cast<float*>(inL), const_cast<float*>(inR)};
    float* outputs[2] = {outL, outR};
    if (AEffect* effect = record())
        effect->processReplacing(effect, inputs, outputs, frames);
}

void TestHost::process(const float* inL, const float* inR, float* outL, float* outR, VstInt32 frames)
{
    float* inputs[2] = {const_cast<float*>(inL), const_cast<float*>(inR)};
    float* outputs[2] = {outL, outR};
    if (AEffect* effect = record())
        effect->process(effect, inputs, outputs, frames);
}

VstMidiEvent TestHost::midi(unsigned char status, unsigned char data1, unsigned char data2, VstInt32 delta)
{
    VstMidiEvent event;
    std::memset(&event, 0, sizeof(event));
    event.type = kVstMidiType;
    event.byteSize = sizeof(VstMidiEvent);
    event.deltaFrames = delta;
    event.midiData[0] = static_cast<char>(status);
    event.midiData[1] = static_cast<char>(data1);
    event.midiData[2] = static_cast<char>(data2);
    return event;
}

VstIntPtr TestHost::sendMidi(const std::vector<VstMidiEvent>& events)
{
    // VstEvents ends in a variable array of pointers: lay it out in one block as hosts do.
    std::vector<unsigned char> block(sizeof(VstEvents) + events.size() * sizeof(VstEvent*));
    VstEvents* list = reinterpret_cast<VstEvents*>(block.data());
    std::vector<VstMidiEvent> copies(events);
    list->numEvents = static_cast<VstInt32>(copies.size());
    for (std::size_t i = 0; i < copies.size(); ++i)
        list->events[i] = reinterpret_cast<VstEvent*>(&copies[i]);
    return dispatch(effProcessEvents, 0, 0, list);
}

std::vector<unsigned char> TestHost::getChunk(bool isPreset)
{
    void* data = nullptr;
    VstIntPtr size = dispatch(effGetChunk, isPreset ? 1 : 0, 0, &data);
    if (!data || size <= 0)
        return {};
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    return std::vector<unsigned char>(bytes, bytes + size);
}

void TestHost::setVersionAnswer(VstIntPtr answer)
{
    std::lock_guard<std::mutex> lock(mutex);
    versionAnswer = answer;
}

void TestHost::setTransport(const HostTransport& transport)
{
    std::lock_guard<std::mutex> lock(mutex);
    hostTransport = transport;
}

std::vector<HostRequest> TestHost::requests() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return log;
}

std::size_t TestHost::count(VstInt32 opcode) const
{
    std::lock_guard<std::mutex> lock(mutex);
    std::size_t n = 0;
    for (const HostRequest& r : log)
        n += r.opcode == opcode ? 1 : 0;
    return n;
}

void TestHost::clearRequests()
{
    std::lock_guard<std::mutex> lock(mutex);
    log.clear();
}
