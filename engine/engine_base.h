// The generic engine: parameter records and their host access, the MIDI queue and learn, the
// coordination flags the plug-in core and the editor share with the audio thread.
#pragma once

#include "engine/midi_event_queue.h"
#include "engine/random_source.h"
#include "params/midi_config_location.h"
#include "params/midi_controller_map.h"
#include "params/parameter.h"

#include <atomic>
#include <memory>

class EngineBase {
public:
    static constexpr int kMaxParameters = 66;
    static constexpr int kPathSize = 512;

    explicit EngineBase(const char* moduleFolder);
    virtual ~EngineBase();
    EngineBase(const EngineBase&) = delete;
    EngineBase& operator=(const EngineBase&) = delete;

    virtual void process(const float* inL, const float* inR, float* outL, float* outR, int frames,
                         bool replace);
    virtual void suspend() {}
    virtual void resume() {}
    virtual void setSampleRate(float rate);
    virtual float getVersion() const { return 0.0f; }
    virtual float getProgramVersion() const { return 0.0f; }
    virtual void resetUnits() {}
    virtual void setTempoAndPosition(float tempo, float position);
    virtual const char* getEngineName() const { return ""; }
    virtual void randomize();
    virtual void constrainValue(int index, float& value);
    virtual void parameterChanged(int index, float value);
    virtual const char* getDataFolderName() const { return "Data"; }
    virtual void flushImmediateEvents();

    // Constrain, mark changed, store, run the change hook. Out-of-range indices and non-finite
    // values are ignored.
    void setParameter(int index, float value);
    // The record's target as a host value; 0 outside 0..65.
    float getParameter(int index) const;

    int parameterCount() const { return total; }
    int automatableCount() const { return automatable; }
    Parameter* parameter(int index) const;

    // Texts by index copied into the caller's buffer of size bytes (empty for a bad index).
    void getParameterName(int index, char* text, int size) const;
    void getParameterShortName(int index, char* text, int size) const;
    void getParameterLabel(int index, char* text, int size) const;
    void getParameterDisplay(int index, char* text, int size) const;

    // bytes: status, data 1, data 2.
    void queueMidiEvent(const unsigned char* bytes, int deltaFrames);
    // Applies every queued controller message in order and empties the queue; for blocks the
    // plug-in core passes through without processing.
    void applyQueuedControllers();

    bool isProcessing() const { return processing.load(); }
    void setProcessing(bool on) { processing.store(on); }
    bool isBypassed() const { return bypass.load(); }
    void setBypass(bool on) { bypass.store(on); }
    bool isChanged(int index) const;
    // Reads and clears one changed flag atomically.
    bool takeChanged(int index);
    void markChanged(int index);
    int getMidiLearnIndex() const { return midiLearnIndex.load(); }
    void setMidiLearnIndex(int index) { midiLearnIndex.store(index); }
    bool isConstraintOn() const { return constraintOn.load(); }
    void setConstraint(bool on) { constraintOn.store(on); }

    float getSilenceTime() const { return silenceTime; }
    float getTempo() const { return tempo; }
    double getSongPosition() const { return songPosition; }
    float getSampleRate() const { return sampleRate; }
    float getPeakLeft() const { return peakLeft.load(std::memory_order_relaxed); }
    float getPeakRight() const { return peakRight.load(std::memory_order_relaxed); }
    void clearPeakLevels();

    const char* getModuleFolder() const { return moduleFolder; }
    const char* getDataFolderPrefix() const { return dataFolderPrefix; }
    // The file the MIDI bindings are written to.
    const char* getMidiConfigPath() const { return midiConfigPath; }

    RandomSource& random() { return randomSource; }
    MidiControllerMap& midiControllerMap() { return controllerMap; }

protected:
    // The product's table: records are owned from here on; the first `automatableRecords` are the
    // host's.
    void adoptParameter(std::unique_ptr<Parameter> record);
    void setAutomatableCount(int count) { automatable = count; }
    // Builds the data-folder prefix and the configuration path, then reads the bindings of the
    // automatable records.
    void setUpDataFolder(const char* dataFolderName);

    // Where a controller's value goes once its record is found; the product reroutes some records.
    virtual void applyControllerValue(int index, float value);
    // One controller message: look up its record, then apply the value.
    void applyController(int controllerNumber, int value);

    void storePeaks(float left, float right);

    MidiEventQueue events;
    float tempo = -1.0f;
    double songPosition = -1.0;
    float sampleRate = 0.0f;

private:
    std::unique_ptr<Parameter> records[kMaxParameters];
    int total = 0;
    int automatable = 0;
    MidiControllerMap controllerMap;
    std::atomic<bool> processing{false};
    std::atomic<bool> changed[kMaxParameters];
    char moduleFolder[kPathSize];
    char midiConfigPath[kPathSize];
    char dataFolderPrefix[kPathSize];
    std::atomic<float> peakLeft{0.0f};
    std::atomic<float> peakRight{0.0f};
    std::atomic<int> midiLearnIndex{-1};
    std::atomic<bool> constraintOn{false};
    std::atomic<bool> bypass{false};
    float silenceTime = 0.5f;
    std::unique_ptr<MidiConfigLocation> configLocation;
    RandomSource randomSource;
};
