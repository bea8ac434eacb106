// Drives ravensoot-render end to end on generated files: lengths, channels, levels, failures, and the
// same samples as our own test host gets from the module for the same settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "host/built_module.h"
#include "host/fx_bytes.h"
#include "sound_data.h"
#include "support/temp_folder.h"
#include "tool_run.h"
#include "vst_host/test_host.h"

namespace {

const std::string kTool = RAVENSOOT_RENDER_TOOL;
constexpr float kPi = 3.14159265f;

// Every unit and LFO off and the master fully wet, whatever the first program of the bank holds:
// the output is then the input times the volume curve.
const std::vector<std::string> kPlainChain = {
    "--set", "BpFilterOn=0", "--set", "DistOn=0",   "--set", "MmFilterOn=0", "--set", "FlangerOn=0",
    "--set", "MagicEQOn=0",  "--set", "CompressOn=0", "--set", "Lfo1On=0",   "--set", "Lfo2On=0",
    "--set", "MasterOn=1",   "--set", "MasterMix=1"};

// The master volume's gain reaches its target within the first sub-block; compare after this.
constexpr long long kSettled = 1024;

float volumeGain(float hostValue)
{
    return std::pow(hostValue, 2.737f);
}

SoundData tones(int channels, int sampleRate, long long frames)
{
    SoundData sound;
    sound.channels = channels;
    sound.sampleRate = sampleRate;
    for (long long i = 0; i < frames; ++i) {
        float t = static_cast<float>(i) / static_cast<float>(sampleRate);
        sound.samples.push_back(0.5f * std::sin(2.0f * kPi * 330.0f * t));
        if (channels == 2)
            sound.samples.push_back(0.4f * std::sin(2.0f * kPi * 550.0f * t + 1.0f));
    }
    return sound;
}

std::vector<std::string> with(std::vector<std::string> arguments, const std::vector<std::string>& more)
{
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

class RenderTool : public ::testing::Test {
protected:
    RenderTool() : folder("render-tool") { }

    ToolRun render(const std::vector<std::string>& arguments) { return runTool(kTool, arguments, folder.file("run")); }

    std::set<std::string> filesInFolder() const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path))
            names.insert(entry.path().filename().string());
        return names;
    }

    TempFolder folder;
};

TEST_F(RenderTool, MonoInputIsWrittenAsStereoAndVolumeZeroIsSilence)
{
    SoundData input = tones(1, 44100, 44100);
    ASSERT_TRUE(writeSound(folder.file("mono.wav"), input, SF_FORMAT_WAV | SF_FORMAT_PCM_16));

    ToolRun silent
        = render(with(kPlainChain, {"--set", "MasterVolume=0", folder.file("mono.wav"), folder.file("silent.wav")}));
    ASSERT_EQ(silent.status, 0) << silent.err;
    SoundData output = readSound(folder.file("silent.wav"));
    ASSERT_EQ(output.channels, 2);
    ASSERT_EQ(output.frames(), 44100);
    for (float sample : output.samples)
        ASSERT_EQ(sample, 0.0f);

    // Asked for mono, the two equal sides average back to the input, sample for sample in 16 bits.
    ToolRun mono = render(with(kPlainChain, {"--set", "MasterVolume=1", "--mono", folder.file("mono.wav"),
                                             folder.file("mono-out.wav")}));
    ASSERT_EQ(mono.status, 0) << mono.err;
    SoundData back = readSound(folder.file("mono-out.wav"));
    ASSERT_EQ(back.channels, 1);
    ASSERT_EQ(back.frames(), 44100);
    SoundData original = readSound(folder.file("mono.wav"));
    for (long long i = kSettled; i < 44100; ++i)
        ASSERT_EQ(back.at(i, 0), original.at(i, 0)) << "frame " << i;
}

TEST_F(RenderTool, BadRunsExitAsDocumentedWithOneLineAndLeaveTheOutputAlone)
{
    ASSERT_TRUE(writeSound(folder.file("in.wav"), tones(2, 44100, 4410)));
    folder.write("text.wav", "not audio at all\n");
    const std::string in = folder.file("in.wav");
    const std::string out = folder.file("out.wav");
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string named; // the message must name this
    };
    const std::vector<Case> cases = {
        {{folder.file("missing.wav"), out}, 1, "missing.wav"},
        {{folder.file("text.wav"), out}, 1, "text.wav"},
        {{in, folder.file("no-such-folder/out.wav")}, 1, "no-such-folder/out.wav"},
        {{"--module", folder.file("none.so"), in, out}, 1, "none.so"},
        {{"--set", "NoSuchParameter=1", in, out}, 2, "NoSuchParameter"},
        {{"--set", "MasterVolume=1.5", in, out}, 2, "MasterVolume"},
        {{"--set", "MmFilterType=Wobble", in, out}, 2, "Wobble"},
        {{"--program", "No Such Program", in, out}, 2, "No Such Program"},
        {{"--program", "65", in, out}, 2, "65"},
        {{"--program", "3E9", in, out}, 2, "3E9"},
        {{"--frobnicate", in, out}, 2, "--frobnicate"},
        {{"--block", "0", in, out}, 2, "--block"},
        {{in, folder.file("out.mp3")}, 2, "out.mp3"},
        {{in}, 2, "in.wav"},
    };
    for (const Case& c : cases) {
        folder.write("out.wav", "earlier output");
        std::set<std::string> before = filesInFolder();
        ToolRun run = render(c.arguments);
        SCOPED_TRACE(c.named);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
        EXPECT_EQ(folder.read("out.wav"), "earlier output");
        EXPECT_EQ(filesInFolder(), before);
    }
}

// The record a bank or program file holds for our plug-in: every parameter given, so the files fully
// decide the sound.
void plainRecord(FxBytes& file, const char* name, float volume)
{
    file.float32(3.0f);
    file.chars(name, std::strlen(name) + 1);
    file.littleEndian(53);
    for (int i = 0; i < 53; ++i) {
        bool on = i == 29 || i == 30; // MasterOn, MasterMix
        file.float32(i == 31 ? volume : on ? 1.0f : 0.0f);
    }
}

void patchBigEndian(FxBytes& file, std::size_t offset, std::size_t value)
{
    for (int i = 0; i < 4; ++i)
        file.bytes[offset + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * (3 - i)));
}

float measuredGain(const SoundData& input, const SoundData& output)
{
    long long i = kSettled + 37;
    return output.at(i, 0) / input.at(i, 0);
}

TEST_F(RenderTool, BankAndProgramFilesLoadAsAHostLoadsThem)
{
    constexpr std::int32_t kId = 0x52615333;
    FxBytes bank;
    bank.bankHeader(kId, 64);
    for (int p = 0; p < 64; ++p)
        plainRecord(bank, p == 2 ? "Quiet" : "Loud", p == 2 ? 0.5f : 1.0f);
    patchBigEndian(bank, 4, bank.bytes.size() - 8);
    patchBigEndian(bank, 156, bank.bytes.size() - 160);
    ASSERT_TRUE(bank.save(folder.file("test.fxb")));

    FxBytes preset; // a program file: the bank header cut to its 60 bytes
    preset.bankHeader(kId, 53, "FPCh");
    preset.bytes.resize(60);
    plainRecord(preset, "Softer", 0.25f);
    patchBigEndian(preset, 4, preset.bytes.size() - 8);
    patchBigEndian(preset, 56, preset.bytes.size() - 60);
    ASSERT_TRUE(preset.save(folder.file("test.fxp")));

    SoundData input = tones(2, 44100, 4410);
    ASSERT_TRUE(writeSound(folder.file("in.wav"), input));
    const std::string in = folder.file("in.wav");
    const float expected[] = {volumeGain(0.5f), volumeGain(0.5f), volumeGain(0.25f)};
    const std::vector<std::vector<std::string>> runs = {
        {"--bank", folder.file("test.fxb"), "--program", "3"},
        {"--bank", folder.file("test.fxb"), "--program", "quiet"},
        {"--bank", folder.file("test.fxb"), "--preset", folder.file("test.fxp")},
    };
    for (std::size_t r = 0; r < runs.size(); ++r) {
        ToolRun run = render(with(runs[r], {in, folder.file("out.wav")}));
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NEAR(measuredGain(input, readSound(folder.file("out.wav"))), expected[r], 1e-5f) << "run " << r;
    }

    ToolRun swapped = render({"--bank", folder.file("test.fxp"), in, folder.file("swapped.wav")});
    EXPECT_EQ(swapped.status, 1);
    EXPECT_NE(swapped.err.find("test.fxp"), std::string::npos) << swapped.err;
    EXPECT_FALSE(std::filesystem::exists(folder.file("swapped.wav")));
}

TEST_F(RenderTool, ListParamsShowsTheValuesSetAsAHostShowsThem)
{
    ToolRun run = render({"--set", "MasterVolume=0.5", "--set", "MmFilterType=LowPass Fat", "--set",
                          "Lfo1Target=FlangerAmount", "--list-params"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("MasterVolume     -16 dB\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("MmFilterType     3  (LowPass Fat)\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Lfo1Target       15  (FlangerAmnt)\n"), std::string::npos) << run.out;
}

// Settings that reach into modulation and tempo: a synced LFO on the master volume, a mix, a filter type
// and the distortion, which count the same whichever units are wired in yet.
struct HostSetting {
    const char* text;
    int index;
    float hostValue;
};

const HostSetting kRichSettings[] = {
    {"MasterOn=1", 29, 1.0f},
    {"MasterMix=0.7", 30, 0.7f},
    {"MasterVolume=0.8", 31, 0.8f},
    {"DistOn=1", 7, 1.0f},
    {"DistTube=0.6", 10, 0.6f},
    {"MmFilterOn=1", 12, 1.0f},
    {"MmFilterType=LowPass Fat", 14, 0.03f},
    {"Lfo1On=1", 32, 1.0f},
    {"Lfo1Target=MasterVol", 33, 0.22f},
    {"Lfo1Shape=Triangle", 34, 0.01f},
    {"Lfo1Depth=0.9", 35, 0.9f},
    {"Lfo1Sync=1", 37, 1.0f},
    {"Lfo1Rate=1/4", 36, 1.0f - 10.5f / 33.0f},
    {"Lfo2On=0", 38, 0.0f},
};

TEST_F(RenderTool, OutputEqualsWhatTheTestHostGetsFromTheModule)
{
    // 48 kHz, so that a rate not handed on to the module shows in the synced LFO.
    constexpr int kRate = 48000;
    constexpr int kBlock = 300;
    constexpr double kTempo = 100.0;
    constexpr long long kFrames = 57330;
    constexpr long long kTail = 4800;
    SoundData input = tones(2, kRate, kFrames);
    ASSERT_TRUE(writeSound(folder.file("in.wav"), input));
    std::vector<std::string> arguments = {"--tempo", "100", "--block", "300", "--tail", "0.1"};
    for (const HostSetting& s : kRichSettings)
        arguments = with(arguments, {"--set", s.text});
    ToolRun run = render(with(arguments, {folder.file("in.wav"), folder.file("out.wav")}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("output peak"), std::string::npos) << run.out;
    SoundData rendered = readSound(folder.file("out.wav"));
    ASSERT_EQ(rendered.channels, 2);
    EXPECT_EQ(rendered.sampleRate, kRate);
    ASSERT_EQ(rendered.frames(), kFrames + kTail);

    TestHost host(builtModule());
    ASSERT_TRUE(host.open());
    host.dispatch(effOpen);
    host.dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(kRate));
    host.dispatch(effSetBlockSize, 0, kBlock);
    for (const HostSetting& s : kRichSettings)
        host.setParameter(s.index, s.hostValue);
    HostTransport transport;
    transport.tempo = kTempo;
    transport.playing = true;
    host.setTransport(transport);
    host.dispatch(effMainsChanged, 0, 1);
    std::vector<float> inL(kBlock), inR(kBlock), outL(kBlock), outR(kBlock);
    for (long long done = 0; done < kFrames + kTail; done += kBlock) {
        int n = static_cast<int>(std::min<long long>(kBlock, kFrames + kTail - done));
        for (int i = 0; i < n; ++i) {
            bool fromFile = done + i < kFrames;
            inL[i] = fromFile ? input.at(done + i, 0) : 0.0f;
            inR[i] = fromFile ? input.at(done + i, 1) : 0.0f;
        }
        transport.samplePos = static_cast<double>(done);
        transport.ppqPos = static_cast<double>(done) / kRate * kTempo / 60.0;
        host.setTransport(transport);
        host.processReplacing(inL.data(), inR.data(), outL.data(), outR.data(), n);
        for (int i = 0; i < n; ++i) {
            ASSERT_EQ(rendered.at(done + i, 0), outL[i]) << "frame " << done + i;
            ASSERT_EQ(rendered.at(done + i, 1), outR[i]) << "frame " << done + i;
        }
    }
    host.dispatch(effMainsChanged, 0, 0);
}

} // namespace
