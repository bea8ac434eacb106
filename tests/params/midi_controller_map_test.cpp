// "MidiConfig.txt" read and written back, its parsing cases, safe saving, and where the file lives.
#include "params/midi_config_location.h"
#include "params/midi_controller_map.h"
#include "params/parameter_table.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

MidiControllerMap freshMap()
{
    const char* names[kAutomatableCount];
    for (int i = 0; i < kAutomatableCount; ++i)
        names[i] = kParameterTable[i].name;
    return MidiControllerMap(kAutomatableCount, names, nullptr);
}

TEST(MidiControllerMap, FreshMapHasTheHostParametersUnboundAndBindingMarksItChanged)
{
    MidiControllerMap map = freshMap();
    EXPECT_EQ(map.count(), 53);
    EXPECT_STREQ(map.name(1), "BpFilterLow");
    for (int i = 0; i < MidiControllerMap::kCapacity; ++i)
        ASSERT_EQ(map.controller(i), -1);
    EXPECT_EQ(map.find(-1, 66), 0);
    EXPECT_FALSE(map.changed());
    map.bind(9, 21);
    map.bind(12, 21);
    EXPECT_TRUE(map.changed());
    map.unbind(21);
    EXPECT_EQ(map.find(21, 66), -1);
    map.bind(-1, 5);
    map.bind(MidiControllerMap::kCapacity, 5);
    EXPECT_EQ(map.find(5, 66), -1);
}

TEST(MidiControllerMap, SavesOneLinePerEntryThatASecondReaderSees)
{
    TempFolder folder("midi-save");
    MidiControllerMap map = freshMap();
    map.bind(1, 74);
    ASSERT_TRUE(map.save(folder.file("MidiConfig.txt").c_str()));
    std::string text = folder.read("MidiConfig.txt");
    EXPECT_EQ(text.rfind("BpFilterOn -1\nBpFilterLow 74\nBpFilterHigh -1\n", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 53);

    MidiControllerMap again = freshMap();
    ASSERT_TRUE(again.load(folder.file("MidiConfig.txt").c_str()));
    EXPECT_EQ(again.count(), 53);
    EXPECT_EQ(again.controller(1), 74);
    EXPECT_EQ(again.find(74, 66), 1);
    // Only the temporary file's rename touched the folder: nothing else is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(MidiControllerMap, ParsingFollowsPositionsNotNames)
{
    TempFolder folder("midi-parse");
    // "Word" is not a number: entry 0 gets 0 and "Word" names entry 1; 40000 is out of range so
    // entry 2 keeps -1; a 70-character word is cut to 63 and its rest is not a separate entry; a trailing
    // name without a number counts as 0.
    std::string longWord(70, 'L');
    folder.write("MidiConfig.txt", "First Word 12\nThird 40000\n" + longWord + " 7\n-5 -5\nLast");
    MidiControllerMap map = freshMap();
    ASSERT_TRUE(map.load(folder.file("MidiConfig.txt").c_str()));
    EXPECT_EQ(map.count(), 6);
    EXPECT_STREQ(map.name(0), "First");
    EXPECT_EQ(map.controller(0), 0);
    EXPECT_STREQ(map.name(1), "Word");
    EXPECT_EQ(map.controller(1), 12);
    EXPECT_EQ(map.controller(2), -1);
    EXPECT_EQ(std::string(map.name(3)), std::string(63, 'L'));
    EXPECT_EQ(map.controller(3), 7);
    EXPECT_STREQ(map.name(4), "-5");
    EXPECT_EQ(map.controller(4), -5);
    EXPECT_EQ(map.find(12, 66), 1);
    EXPECT_STREQ(map.name(5), "Last");
    EXPECT_EQ(map.controller(5), 0);
}

TEST(MidiControllerMap, NameStartingWithAZeroByteSavesALineThatReadsBackInStep)
{
    TempFolder folder("midi-zero-name");
    const char text[] = "A 3\n\0\x02x 56\nC 7\n";
    folder.write("MidiConfig.txt", std::string(text, sizeof(text) - 1));
    MidiControllerMap map = freshMap();
    ASSERT_TRUE(map.load(folder.file("MidiConfig.txt").c_str()));
    ASSERT_EQ(map.count(), 3);
    ASSERT_TRUE(map.save(folder.file("MidiConfig.txt").c_str()));
    MidiControllerMap again = freshMap();
    ASSERT_TRUE(again.load(folder.file("MidiConfig.txt").c_str()));
    ASSERT_EQ(again.count(), 3);
    EXPECT_EQ(again.controller(1), 56);
    EXPECT_STREQ(again.name(2), "C");
    EXPECT_EQ(again.controller(2), 7);
}

TEST(MidiControllerMap, EmptyFileDisablesLookupMissingFileKeepsTheMapAndFailedSavesAnswerFalse)
{
    TempFolder folder("midi-empty");
    folder.write("MidiConfig.txt", "");
    MidiControllerMap map = freshMap();
    map.bind(3, 9);
    EXPECT_FALSE(map.load(folder.file("nothing.txt").c_str()));
    EXPECT_EQ(map.count(), 53);
    EXPECT_EQ(map.controller(3), 9);
    EXPECT_FALSE(map.save(folder.file("no-such-folder/MidiConfig.txt").c_str()));

    ASSERT_TRUE(map.load(folder.file("MidiConfig.txt").c_str()));
    EXPECT_EQ(map.count(), 0);
    EXPECT_EQ(map.find(-1, 66), -1);
    EXPECT_FALSE(map.save(folder.file("MidiConfig.txt").c_str()));
    EXPECT_EQ(folder.read("MidiConfig.txt"), "");
}

TEST(MidiControllerMap, ReadingStopsAtFiveHundredTwelveEntries)
{
    TempFolder folder("midi-many");
    std::string text;
    for (int i = 0; i < 600; ++i)
        text += "P" + std::to_string(i) + " " + std::to_string(i % 100) + "\n";
    folder.write("MidiConfig.txt", text);
    MidiControllerMap map = freshMap();
    EXPECT_FALSE(map.load(folder.file("MidiConfig.txt").c_str()));
    EXPECT_EQ(map.count(), 512);
    EXPECT_STREQ(map.name(511), "P511");
    EXPECT_FALSE(map.append("More"));
}

TEST(MidiConfigLocation, WritableOrMissingDataFolderKeepsEverythingThere)
{
    TempFolder folder("midi-location");
    std::string prefix = folder.path.string() + "/";
    MidiConfigLocation location(prefix.c_str());
    EXPECT_FALSE(location.usesUserFolder());
    EXPECT_EQ(std::string(location.readPath()), prefix + "MidiConfig.txt");
    EXPECT_EQ(std::string(location.writePath()), prefix + "MidiConfig.txt");
    EXPECT_FALSE(MidiConfigLocation::isReadOnlyFolder((prefix + "absent/").c_str()));
}

TEST(MidiConfigLocation, ReadOnlyDataFolderMovesTheBindingsToTheUserConfigFolder)
{
    TempFolder data("midi-system");
    TempFolder home("midi-xdg");
    std::string prefix = data.path.string() + "/";
    const char* old = std::getenv("XDG_CONFIG_HOME");
    std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", (home.path.string() + "/config").c_str(), 1);

    data.write("MidiConfig.txt", "BpFilterOn 5\n");
    MidiConfigLocation before(prefix.c_str(), true);
    std::string userFile = home.path.string() + "/config/RavenSoot/MidiConfig.txt";
    EXPECT_TRUE(before.usesUserFolder());
    EXPECT_EQ(std::string(before.readPath()), prefix + "MidiConfig.txt");
    EXPECT_EQ(std::string(before.writePath()), userFile);

    ASSERT_TRUE(before.prepareWriteFolder());
    MidiControllerMap map = freshMap();
    ASSERT_TRUE(map.save(before.writePath()));
    MidiConfigLocation after(prefix.c_str(), true);
    EXPECT_EQ(std::string(after.readPath()), userFile);

    if (old)
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

} // namespace
