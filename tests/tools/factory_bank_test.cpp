// Checks the factory bank as it ships: the committed file is the one the source builds, and through the
// module each of its 64 programs has a distinct name that fits every host and turns the demonstration loop
// into finite sound at a sane level.
#include <gtest/gtest.h>

#include <strings.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/built_module.h"
#include "sound_data.h"
#include "support/temp_folder.h"
#include "tool_run.h"
#include "vst_host/test_host.h"

namespace {

std::string bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

double rmsDb(const std::vector<float>& left, const std::vector<float>& right)
{
    double energy = 0.0;
    for (std::size_t i = 0; i < left.size(); ++i)
        energy += left[i] * left[i] + right[i] * right[i];
    return 10.0 * std::log10(energy / (2.0 * static_cast<double>(left.size())) + 1e-30);
}

} // namespace

TEST(FactoryBank, CommittedFileIsTheOneTheSourceBuilds)
{
    std::string built = bytesOf(RAVENSOOT_BANK_BUILT);
    ASSERT_FALSE(built.empty());
    EXPECT_TRUE(built == bytesOf(std::string(RAVENSOOT_SOURCE_DIR) + "/data/RavenSootData/RavenSoot3PresetsA.fxb"))
        << "data/factory_bank.txt changed: refresh the committed bank with make bank";
}

TEST(FactoryBank, EveryProgramHasItsOwnNameAndRendersTheLoopFiniteAndAtASaneLevel)
{
    TempFolder folder("factory-bank");
    ASSERT_EQ(runTool(RAVENSOOT_DEMO_LOOP_TOOL, {folder.file("loop.wav")}, folder.file("run")).status, 0);
    SoundData loop = readSound(folder.file("loop.wav"));
    ASSERT_EQ(loop.channels, 2);
    const std::size_t frames = static_cast<std::size_t>(loop.frames());
    std::vector<float> inL(frames), inR(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        inL[i] = loop.samples[2 * i];
        inR[i] = loop.samples[2 * i + 1];
    }
    const double dryDb = rmsDb(inL, inR);

    constexpr int kBlock = 512;
    std::vector<std::string> names;
    for (int program = 0; program < 64; ++program) {
        TestHost host(builtModule());
        ASSERT_TRUE(host.open());
        host.dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(loop.sampleRate));
        host.dispatch(effSetBlockSize, 0, kBlock);
        host.dispatch(effSetProgram, 0, program);
        host.dispatch(effMainsChanged, 0, 1);
        std::vector<float> outL(frames), outR(frames);
        for (std::size_t done = 0; done < frames; done += kBlock) {
            int n = static_cast<int>(std::min<std::size_t>(kBlock, frames - done));
            host.processReplacing(&inL[done], &inR[done], &outL[done], &outR[done], n);
        }
        std::size_t bad = 0, atLimit = 0;
        for (std::size_t i = 0; i < frames; ++i) {
            for (float x : {outL[i], outR[i]}) {
                bad += std::isfinite(x) ? 0 : 1;
                atLimit += std::fabs(x) >= 0.9999f ? 1 : 0;
            }
        }
        // Named, distinctly and short enough for every host.
        std::string name = host.text(effGetProgramName);
        EXPECT_TRUE(!name.empty() && name != "Init" && name.size() <= 23u) << program << ": " << name;
        for (std::size_t j = 0; j < names.size(); ++j)
            EXPECT_NE(strcasecmp(names[j].c_str(), name.c_str()), 0) << "programs " << j << " and " << program;
        names.push_back(name);
        EXPECT_EQ(bad, 0u) << name;
        // Within 12 dB under the loop and a few over it, and rarely at the output limit.
        double level = rmsDb(outL, outR) - dryDb;
        EXPECT_GT(level, -12.0) << name;
        EXPECT_LT(level, 6.0) << name;
        EXPECT_LT(static_cast<double>(atLimit) / (2.0 * static_cast<double>(frames)), 0.005) << name;
    }
}
