// Checks the demonstration loop: the same file on every run, 8 s of stereo at 44.1 kHz peaking at -3 dBFS.
#include <gtest/gtest.h>

#include <cmath>

#include "sound_data.h"
#include "support/temp_folder.h"
#include "tool_run.h"

TEST(DemoLoop, EveryRunWritesTheSameEightSecondsOfStereoPeakingAtMinusThreeDb)
{
    TempFolder folder("demo-loop");
    ASSERT_EQ(runTool(RAVENSOOT_DEMO_LOOP_TOOL, {folder.file("a.wav")}, folder.file("run")).status, 0);
    ASSERT_EQ(runTool(RAVENSOOT_DEMO_LOOP_TOOL, {folder.file("b.wav")}, folder.file("run")).status, 0);
    EXPECT_EQ(folder.read("a.wav"), folder.read("b.wav"));

    SoundData loop = readSound(folder.file("a.wav"));
    ASSERT_EQ(loop.channels, 2);
    EXPECT_EQ(loop.sampleRate, 44100);
    EXPECT_EQ(loop.frames(), 8 * 44100);
    float peak = 0.0f;
    double leftEnergy = 0.0;
    double rightEnergy = 0.0;
    for (long long i = 0; i < loop.frames(); ++i) {
        peak = std::fmax(peak, std::fmax(std::fabs(loop.at(i, 0)), std::fabs(loop.at(i, 1))));
        leftEnergy += loop.at(i, 0) * loop.at(i, 0);
        rightEnergy += loop.at(i, 1) * loop.at(i, 1);
    }
    EXPECT_NEAR(20.0 * std::log10(peak), -3.0, 0.05);
    // Both sides carry the mix, neither is a copy of the other.
    EXPECT_NEAR(10.0 * std::log10(leftEnergy / rightEnergy), 0.0, 3.0);
    EXPECT_NE(loop.at(1000, 0), loop.at(1000, 1));
}
