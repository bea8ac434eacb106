// MIDI learn, the event queue's pacing and the bindings file as an engine reads and writes it.
#include "support/engine_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

namespace {

void send(ProductEngine& e, int status, int d1, int d2, int delta = 0)
{
    const unsigned char bytes[3] = {static_cast<unsigned char>(status), static_cast<unsigned char>(d1),
                                    static_cast<unsigned char>(d2)};
    e.queueMidiEvent(bytes, delta);
}

void runBlock(EngineFixture& f, int frames)
{
    std::vector<float> in(static_cast<size_t>(frames), 0.0f), outL(in.size()), outR(in.size());
    f.run(in, in, outL, outR);
}

void bind(EngineFixture& f, int index, int controller)
{
    f.engine->setMidiLearnIndex(index);
    send(*f.engine, 0xb0, controller, 0);
    f.engine->flushImmediateEvents(); // drops the learning message itself
}

TEST(MidiLearn, LearningMovesAControllerFromOneRecordToAnother)
{
    EngineFixture f("midi-move");
    bind(f, kDistMech, 21);
    EXPECT_EQ(f.engine->midiControllerMap().controller(kDistMech), 21);
    f.engine->setMidiLearnIndex(kDistTube);
    send(*f.engine, 0xb0, 21, 100);
    EXPECT_EQ(f.engine->getMidiLearnIndex(), -1);
    EXPECT_EQ(f.engine->midiControllerMap().controller(kDistMech), -1);
    EXPECT_EQ(f.engine->midiControllerMap().controller(kDistTube), 21);
    runBlock(f, 64);
    EXPECT_FLOAT_EQ(f.engine->getParameter(kDistTube), 100.0f * 0.007874016f);
}

TEST(MidiLearn, ANoteOnCompletesTheLearnWithItsNoteNumberAChannelModeControllerDoesNot)
{
    EngineFixture f("midi-note");
    f.engine->setMidiLearnIndex(kMmFilterRes);
    send(*f.engine, 0xb0, 123, 0);
    EXPECT_EQ(f.engine->getMidiLearnIndex(), kMmFilterRes);
    EXPECT_EQ(f.engine->midiControllerMap().find(123, 66), -1);
    send(*f.engine, 0x90, 60, 100);
    EXPECT_EQ(f.engine->midiControllerMap().controller(kMmFilterRes), 60);
    runBlock(f, 64);
    EXPECT_EQ(f.engine->getParameter(kMmFilterRes), 0.0f); // a note is not a controller message
    send(*f.engine, 0xb3, 60, 64); // any channel
    runBlock(f, 64);
    EXPECT_FLOAT_EQ(f.engine->getParameter(kMmFilterRes), 64.0f / 127.0f);
}

TEST(MidiLearn, DataBytesAreReadUnsignedAndMaskedAndTheQueueHoldsTenTwentyFourMessages)
{
    EngineFixture f("midi-mask");
    bind(f, kDistXcita, 5);
    send(*f.engine, 0xb0, 5 | 0x80, 0xff);
    runBlock(f, 64);
    EXPECT_EQ(f.engine->getParameter(kDistXcita), 1.0f);

    for (int i = 0; i < 1023; ++i)
        send(*f.engine, 0x90, 1, 1);
    send(*f.engine, 0xb0, 5, 0);
    send(*f.engine, 0xb0, 5, 127); // the 1025th: dropped
    f.engine->applyQueuedControllers();
    EXPECT_EQ(f.engine->getParameter(kDistXcita), 0.0f);
}

TEST(MidiLearn, OneQueuedEventPerSubBlockAndTheLeftoversAtTheBlockEnd)
{
    for (int frames : {64, 192}) {
        EngineFixture f("midi-pacing");
        bind(f, kMasterMix, 7);
        for (int value : {0, 127, 64})
            send(*f.engine, 0xb0, 7, value);
        runBlock(f, frames);
        const Parameter& mix = *f.engine->parameter(kMasterMix);
        const float t = 64.0f / 440.0f;
        float v = 1.0f - t; // ramped toward 0 over the first sub-block
        if (frames == 64) {
            // The later two landed after the block, the last one winning.
            EXPECT_FLOAT_EQ(mix.value, v);
            EXPECT_FLOAT_EQ(f.engine->getParameter(kMasterMix), 64.0f * 0.007874016f);
            EXPECT_EQ(mix.rampPosition, 0);
        } else {
            v = (1.0f - t) * v + t * 1.0f;                   // toward 1 from there
            v = (1.0f - t) * v + t * (64.0f * 0.007874016f); // toward 64/127
            EXPECT_FLOAT_EQ(mix.value, v);
        }
    }
}

TEST(MidiLearn, ImmediateEventsApplyOnFirstChannelThenTheQueueEmpties)
{
    EngineFixture f("midi-immediate");
    bind(f, kDistTube, 9);
    bind(f, kDistMech, 10);
    send(*f.engine, 0xb0, 9, 127, INT_MIN);
    send(*f.engine, 0xb1, 10, 127, INT_MIN); // second channel: taken but not applied
    send(*f.engine, 0xb0, 10, 127, 0);      // not immediate: dropped
    f.engine->flushImmediateEvents();
    EXPECT_EQ(f.engine->getParameter(kDistTube), 1.0f);
    EXPECT_EQ(f.engine->getParameter(kDistMech), 0.0f);
    runBlock(f, 64);
    EXPECT_EQ(f.engine->getParameter(kDistMech), 0.0f);
}

TEST(MidiLearn, PadAxisControllersDriveTheSelectedTargetAndFlipTheSquare)
{
    EngineFixture f("midi-xy");
    bind(f, kMorphXParam, 30);
    f.engine->setParameter(kMorphXParam, 0.13f);
    send(*f.engine, 0xb0, 30, 127);
    runBlock(f, 64);
    EXPECT_EQ(f.engine->getParameter(kMmFilterCutoff), 1.0f);
    EXPECT_FLOAT_EQ(f.engine->getParameter(kMorphXParam), 0.13f);
    EXPECT_EQ(f.engine->getParameter(kMorphSquare), 1.0f);
    send(*f.engine, 0xb0, 30, 0);
    runBlock(f, 64);
    EXPECT_EQ(f.engine->getParameter(kMmFilterCutoff), 0.0f);
    EXPECT_EQ(f.engine->getParameter(kMorphSquare), 0.0f);

    f.engine->setParameter(kMorphXParam, 0.4f); // selects nothing
    send(*f.engine, 0xb0, 30, 127);
    runBlock(f, 64);
    EXPECT_EQ(f.engine->getParameter(kMmFilterCutoff), 0.0f);
    EXPECT_EQ(f.engine->getParameter(kMorphSquare), 0.0f);
}

// A module folder with its data folder, holding "MidiConfig.txt" with `bindings` unless they are null.
struct ModuleFolder {
    ModuleFolder(const std::string& tag, const char* bindings) : folder(tag)
    {
        std::filesystem::create_directories(folder.path / "RavenSootData");
        if (bindings)
            folder.write("RavenSootData/MidiConfig.txt", bindings);
    }
    std::string bindings() const { return folder.read("RavenSootData/MidiConfig.txt"); }
    // An engine in the folder that learns `controller` for `index` and dies.
    void learn(int index, int controller, int value = 0) const
    {
        ProductEngine engine(folder.path.string().c_str());
        engine.setSampleRate(44100.0f);
        engine.setMidiLearnIndex(index);
        const unsigned char cc[3] = {0xb0, static_cast<unsigned char>(controller), static_cast<unsigned char>(value)};
        engine.queueMidiEvent(cc, 0);
        engine.applyQueuedControllers();
        EXPECT_FLOAT_EQ(engine.getParameter(index), value / 127.0f);
        EXPECT_GT(engine.midiControllerMap().count(), index);
    }
    TempFolder folder;
};

TEST(MidiConfigFile, BindingsAreReadAtConstructionAndWrittenOnlyWhenLearned)
{
    ModuleFolder module("midi-file", "BpFilterOn -1\nBpFilterLow 74\n");
    {
        ProductEngine engine(module.folder.path.string().c_str());
        EXPECT_EQ(std::string(engine.getMidiConfigPath()), module.folder.file("RavenSootData/MidiConfig.txt"));
        EXPECT_EQ(engine.midiControllerMap().count(), 2);
        EXPECT_EQ(engine.midiControllerMap().controller(kBpFilterLow), 74);
    }
    EXPECT_EQ(module.bindings(), "BpFilterOn -1\nBpFilterLow 74\n");
    // Beyond the two entries: the map grows to reach it, the new entries named after their records.
    module.learn(kDistTube, 21);
    const std::string text = module.bindings();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), kDistTube + 1);
    EXPECT_NE(text.find("\nDistMech -1\nDistTube 21\n"), std::string::npos) << text;
}

TEST(MidiConfigFile, AMissingFileIsWrittenFromTheFreshMapAndAnEmptyOneStillLetsLearningWork)
{
    ModuleFolder fresh("midi-fresh", nullptr);
    { ProductEngine engine(fresh.folder.path.string().c_str()); }
    const std::string text = fresh.bindings();
    EXPECT_EQ(text.rfind("BpFilterOn -1\nBpFilterLow -1\n", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 53);

    ModuleFolder empty("midi-emptyfile", "");
    empty.learn(kFlangerAmount, 40, 127);
    EXPECT_NE(empty.bindings().find("FlangerAmount 40\n"), std::string::npos);
}

} // namespace
