// Drives ravensoot-bank end to end: values written with units reach the module as a host then shows
// them, and faulty sources are refused with their line and reason and no file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "host/module_copy.h"
#include "support/temp_folder.h"
#include "tool_run.h"
#include "vst_host/test_host.h"

namespace {

const std::string kTool = RAVENSOOT_BANK_TOOL;

// A source of 64 programs: the given settings in the first, the rest plain.
std::string source(const std::string& firstProgram)
{
    std::string text = "family Tests\nprogram First\n" + firstProgram;
    for (int i = 2; i <= 64; ++i)
        text += "program Number " + std::to_string(i) + "\n  MasterMix = 0.5\n";
    return text;
}

} // namespace

TEST(BankTool, ValuesWithUnitsReachTheModuleAsAHostShowsThem)
{
    ModuleCopy copy("bank-tool-values", true);
    copy.folder.write("bank.txt", source("  BpFilterOn = on\n  BpFilterLow = 304 Hz\n  BpFilterHigh = 3355 Hz\n"
                                         "  MmFilterType = Comb\n  MmFilterCutoff = 4060 Hz\n"
                                         "  MmFilterDecay = 0.8 s\n  CompressRelease = 300 ms\n"
                                         "  CompressAmount = -20 dB\n  MasterVolume = -6 dB\n  MasterMix = 40 %\n"
                                         "  Lfo1Rate = 1/4\n  Lfo2Sync = off\n  Lfo2Rate = 4.01 Hz\n"
                                         "  Lfo1Target = FlangerAmount\n  Lfo2Shape = Random Square\n"));
    ToolRun run = runTool(kTool, {copy.folder.file("bank.txt"), copy.dataFile("RavenSoot3PresetsA.fxb")},
                          copy.folder.file("run"));
    ASSERT_EQ(run.status, 0) << run.err;

    VstModule module(copy.path);
    ASSERT_TRUE(module.loaded()) << module.error();
    TestHost host(module);
    ASSERT_TRUE(host.open());
    EXPECT_EQ(host.text(effGetProgramName), "First");
    EXPECT_EQ(host.text(effGetProgramNameIndexed, 63), "Number 64");
    const std::pair<int, const char*> shown[] = {{1, "304"}, {2, "3355"}, {18, "4060"}, {16, "0.8"}, {28, "300.0"},
        {27, "-20"}, {31, "-6"}, {30, "40"}, {36, "1/4 bars"}, {42, "4.0 Hz"}};
    for (const auto& [index, text] : shown)
        EXPECT_EQ(host.text(effGetParamDisplay, index), text) << index;
    EXPECT_EQ(host.getParameter(14), 0.08f);
    EXPECT_EQ(host.getParameter(33), 0.15f);
    EXPECT_EQ(host.getParameter(40), 0.05f);
    // What the source leaves out is what "Clear Preset" gives.
    EXPECT_EQ(host.getParameter(3), 0.5f);
    EXPECT_EQ(host.getParameter(29), 1.0f);
}

TEST(BankTool, FaultySourcesAreRefusedLineByLineAndWriteNothing)
{
    TempFolder folder("bank-tool-faults");
    folder.write("bad.txt", source("  Nope = 1\n  MmFilterType = LowPass Slim\n  MasterVolume = 3 dB\n"
                                   "  Lfo1Rate = 2 Hz\n  CompressAmount = 50 %\n  MasterMix = 1.5\n"
                                   "program number 2\nprogram A name far longer than hosts show\n"));
    ToolRun run = runTool(kTool, {folder.file("bad.txt"), folder.file("bank.fxb")}, folder.file("run"));
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(std::filesystem::exists(folder.file("bank.fxb")));
    const std::string file = folder.file("bad.txt");
    for (const std::string& fault :
         {file + ":3: \"Nope\" is no parameter", file + ":4: MmFilterType = LowPass Slim is none of LowPass,",
          file + ":5: MasterVolume = 3 dB is above 0 dB", file + ":6: Lfo1Rate = 2 Hz is no division",
          file + ":7: CompressAmount = 50 % has the unit \"%\"", file + ":8: MasterMix = 1.5 is outside 0 to 1",
          file + ":11: the name \"Number 2\" is taken by the program on line 9", file + ":10: the name \"A name far longer than hosts show\" has 33",
          file + ": holds 66 programs"})
        EXPECT_NE(run.err.find(fault), std::string::npos) << fault << "\n" << run.err;

    EXPECT_EQ(runTool(kTool, {"--bogus", file}, folder.file("run")).status, 2);
}
