// Drives ravensoot-survey on noise whose figures are known: a copy 6 dB down, a copy held at the limit.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "sound_data.h"
#include "support/temp_folder.h"
#include "tool_run.h"

namespace {

// White noise from a fixed seed, so every third-octave band carries sound.
SoundData noise(float gain, float clipAt)
{
    SoundData sound;
    sound.channels = 2;
    sound.sampleRate = 44100;
    unsigned state = 12345;
    for (int i = 0; i < 2 * 44100; ++i) {
        state = state * 1664525u + 1013904223u;
        float x = gain * 0.5f * (static_cast<float>(state >> 8) / 8388608.0f - 1.0f);
        sound.samples.push_back(std::fmax(-clipAt, std::fmin(clipAt, x)));
    }
    return sound;
}

// The figures of one file's line: peak, RMS, against the reference, limit %, to previous (when given), to reference.
std::vector<double> figures(const std::string& out, const std::string& file)
{
    std::istringstream lines(out);
    std::string line;
    std::vector<double> numbers;
    while (std::getline(lines, line)) {
        if (line.compare(0, file.size(), file) != 0)
            continue;
        std::istringstream words(line.substr(file.size()));
        for (double value; words >> value;)
            numbers.push_back(value);
    }
    return numbers;
}

} // namespace

TEST(SurveyTool, LevelsLimitShareAndDistancesOfKnownSounds)
{
    TempFolder folder("survey-tool");
    ASSERT_TRUE(writeSound(folder.file("dry.wav"), noise(1.0f, 1.0f)));
    ASSERT_TRUE(writeSound(folder.file("down.wav"), noise(0.5f, 1.0f)));
    // Uniform noise four times full scale held at the limit: three samples in four sit at 0.9999.
    ASSERT_TRUE(writeSound(folder.file("hot.wav"), noise(8.0f, 0.9999f)));
    ToolRun run = runTool(RAVENSOOT_SURVEY_TOOL, {folder.file("dry.wav"), folder.file("down.wav"), folder.file("hot.wav")},
                          folder.file("run"));
    ASSERT_EQ(run.status, 0) << run.err;

    std::vector<double> down = figures(run.out, "down.wav");
    ASSERT_EQ(down.size(), 5u) << run.out;
    EXPECT_NEAR(down[2], -6.0, 0.05);
    EXPECT_EQ(down[3], 0.0);
    EXPECT_NEAR(down[4], 6.0, 0.05); // every band 6 dB down
    std::vector<double> hot = figures(run.out, "hot.wav");
    ASSERT_EQ(hot.size(), 6u) << run.out;
    EXPECT_NEAR(hot[3], 75.0, 1.0);
    EXPECT_NE(run.out.find("at the limit"), std::string::npos);
    EXPECT_NE(run.out.find("2 files, 1 with notes"), std::string::npos);

    EXPECT_EQ(runTool(RAVENSOOT_SURVEY_TOOL, {folder.file("dry.wav")}, folder.file("run")).status, 2);
    EXPECT_EQ(runTool(RAVENSOOT_SURVEY_TOOL, {folder.file("dry.wav"), folder.file("none.wav")}, folder.file("run")).status, 1);
}
