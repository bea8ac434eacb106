// EngineBase: record access, the changed flags, MIDI learn and controller application, the paths.
#include "engine/engine_base.h"

#include "engine/path_separator.h"
#include "params/fixed_text.h"
#include "params/value_text.h"

#include <cmath>
#include <cstdio>
#include <sys/stat.h>

namespace {

constexpr float kControllerScale = 0.007874016f; // 1/127: 127 gives exactly 1.0
constexpr int kLearnLimit = 123;                  // controllers 123..127 are channel-mode messages

bool fileExists(const char* path)
{
    struct stat info;
    return stat(path, &info) == 0;
}

} // namespace

EngineBase::EngineBase(const char* folder) : controllerMap(0, nullptr, nullptr)
{
    for (auto& flag : changed)
        flag.store(false);
    copyFixedText(moduleFolder, kPathSize, folder);
    midiConfigPath[0] = '\0';
    dataFolderPrefix[0] = '\0';
}

EngineBase::~EngineBase()
{
    // Save only what this instance learned, or a first file: a second instance closing later must
    // not overwrite bindings the first one learned.
    if (configLocation == nullptr)
        return;
    if (controllerMap.changed() || !fileExists(configLocation->writePath())) {
        configLocation->prepareWriteFolder();
        controllerMap.save(configLocation->writePath());
    }
}

void EngineBase::adoptParameter(std::unique_ptr<Parameter> record)
{
    if (total < kMaxParameters && record != nullptr)
        records[total++] = std::move(record);
}

void EngineBase::setUpDataFolder(const char* dataFolderName)
{
    const char* names[kMaxParameters];
    int count = automatable < total ? automatable : total;
    for (int i = 0; i < count; ++i)
        names[i] = records[i]->name;
    controllerMap = MidiControllerMap(count, names, nullptr);

    int length = std::snprintf(dataFolderPrefix, sizeof dataFolderPrefix, "%s%c%s%c", moduleFolder,
                               kPathSeparator, dataFolderName, kPathSeparator);
    if (length < 0 || length >= kPathSize) {
        // A cut path would name some other folder: no data folder, no bindings file.
        dataFolderPrefix[0] = '\0';
        return;
    }
    configLocation = std::make_unique<MidiConfigLocation>(dataFolderPrefix);
    copyFixedText(midiConfigPath, kPathSize, configLocation->writePath());
    controllerMap.load(configLocation->readPath());
}

Parameter* EngineBase::parameter(int index) const
{
    return index >= 0 && index < total ? records[index].get() : nullptr;
}

void EngineBase::setParameter(int index, float value)
{
    Parameter* record = parameter(index);
    if (record == nullptr || !std::isfinite(value))
        return;
    constrainValue(index, value);
    // The value goes in before the flag: a flush on the other thread that takes the flag then reads
    // the new value, never the old one with the flag already gone.
    record->setNormalized(value);
    changed[index].store(true);
    parameterChanged(index, value);
}

float EngineBase::getParameter(int index) const
{
    Parameter* record = parameter(index);
    return record ? record->getNormalized() : 0.0f;
}

void EngineBase::getParameterName(int index, char* text, int size) const
{
    Parameter* record = parameter(index);
    copyFixedText(text, size, record ? record->name : "");
}

void EngineBase::getParameterShortName(int index, char* text, int size) const
{
    Parameter* record = parameter(index);
    copyFixedText(text, size, record ? record->shortName : "");
}

void EngineBase::getParameterLabel(int index, char* text, int size) const
{
    Parameter* record = parameter(index);
    copyFixedText(text, size, record ? record->unit : "");
}

void EngineBase::getParameterDisplay(int index, char* text, int size) const
{
    Parameter* record = parameter(index);
    if (record == nullptr) {
        copyFixedText(text, size, "");
        return;
    }
    formatValue(*record, text, size);
}

bool EngineBase::isChanged(int index) const
{
    return index >= 0 && index < kMaxParameters && changed[index].load();
}

bool EngineBase::takeChanged(int index)
{
    return index >= 0 && index < kMaxParameters && changed[index].exchange(false);
}

void EngineBase::markChanged(int index)
{
    if (index >= 0 && index < kMaxParameters)
        changed[index].store(true);
}

void EngineBase::clearPeakLevels()
{
    storePeaks(0.0f, 0.0f);
}

void EngineBase::storePeaks(float left, float right)
{
    peakLeft.store(left, std::memory_order_relaxed);
    peakRight.store(right, std::memory_order_relaxed);
}

void EngineBase::process(const float*, const float*, float*, float*, int, bool) {}

void EngineBase::setSampleRate(float rate)
{
    if (std::isfinite(rate) && rate > 0.0f)
        sampleRate = rate;
}

void EngineBase::setTempoAndPosition(float newTempo, float position)
{
    if (std::isfinite(newTempo) && newTempo > 0.0f)
        tempo = newTempo;
    if (std::isfinite(position))
        songPosition = position;
}

void EngineBase::randomize()
{
    for (int i = 0; i < automatable && i < total; ++i)
        records[i]->setNormalized(randomSource.uniform(0.0f, 1.0f));
}

void EngineBase::constrainValue(int, float&) {}

void EngineBase::parameterChanged(int, float) {}

void EngineBase::queueMidiEvent(const unsigned char* bytes, int deltaFrames)
{
    if (bytes == nullptr)
        return;
    const int status = bytes[0];
    const int data1 = bytes[1] & 0x7f;
    const int data2 = bytes[2] & 0x7f;

    int learn = midiLearnIndex.load();
    if (learn != -1 && (status & 0xb0) != 0 && data1 < kLearnLimit) {
        controllerMap.unbind(data1);
        if (learn >= 0 && learn < MidiControllerMap::kCapacity) {
            // An index past the map's end grows it, so a short or empty file cannot stop learning.
            while (controllerMap.count() <= learn && controllerMap.count() < total)
                controllerMap.append(records[controllerMap.count()]->name);
            controllerMap.bind(learn, data1);
        }
        // Leaves a learn the editor armed meanwhile in place.
        midiLearnIndex.compare_exchange_strong(learn, -1);
    }
    events.push({deltaFrames, static_cast<std::uint8_t>(status), static_cast<std::uint8_t>(data1),
                 static_cast<std::uint8_t>(data2)});
}

void EngineBase::applyController(int controllerNumber, int value)
{
    int index = controllerMap.find(controllerNumber, total);
    if (index < 0)
        return;
    applyControllerValue(index, static_cast<float>(value) * kControllerScale);
}

void EngineBase::applyControllerValue(int index, float value)
{
    setParameter(index, value);
}

void EngineBase::flushImmediateEvents()
{
    while (events.hasNext() && events.peek().delta == -2147483647 - 1) {
        MidiEvent event = events.take();
        if (event.status == 0xb0)
            applyController(event.data1, event.data2);
    }
    events.clear();
}

void EngineBase::applyQueuedControllers()
{
    while (events.hasNext()) {
        MidiEvent event = events.take();
        if ((event.status & 0xf0) == 0xb0)
            applyController(event.data1, event.data2);
    }
    events.clear();
}
