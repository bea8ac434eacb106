// NaN, infinity and denormals at the module's input with every section on: the output stays finite and
// limited throughout, and three seconds later it sounds as it does in an instance that got silence in their
// place. Huge finite values after that keep the output finite and limited too. (Each unit alone under the
// same abuse is the chain's own test.)
#include "reliability_host.h"

#include <limits>

namespace {

constexpr int kBlock = 256;
constexpr int kSettleBlocks = 3 * 44100 / kBlock; // longer than the slowest release
constexpr int kMeasureBlocks = 44100 / 4 / kBlock;

struct Burst {
    const char* name;
    float value;
};

const Burst kBursts[] = {
    {"NaN", std::numeric_limits<float>::quiet_NaN()},
    {"+Inf", std::numeric_limits<float>::infinity()},
    {"-Inf", -std::numeric_limits<float>::infinity()},
    {"denormal", 1e-40f},
};
const Burst kHugeBursts[] = {{"FLT_MAX", std::numeric_limits<float>::max()}, {"-1e30", -1e30f}};

// Two instances with every section on fed the same tone; one also gets bursts of a bad value.
class InputBurst : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(clean.open());
        ASSERT_TRUE(hit.open());
        for (TestHost* host : {&clean, &hit}) {
            switchEverythingOn(*host);
            host->dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
            host->dispatch(effMainsChanged, 0, 1);
        }
    }

    // Mean square of the output over the measured blocks after settling.
    static double settledPower(TestHost& host, long& position, int blocks)
    {
        double sum = 0.0;
        for (int b = 0; b < blocks; ++b) {
            StereoBlock block(kBlock);
            block.tone(position);
            position += kBlock;
            block.processReplacing(host);
            EXPECT_EQ(block.firstBadOutput(), -1);
            for (int i = 0; i < kBlock; ++i)
                sum += double(block.outL[i]) * block.outL[i] + double(block.outR[i]) * block.outR[i];
        }
        return sum / (2.0 * blocks * kBlock);
    }

    // The burst: the second half of one block in both channels, all of the next in the left one, then a
    // block of tone. The clean instance gets silence in its place.
    void runBurst(const Burst& burst, long& position)
    {
        for (int b = 0; b < 3; ++b) {
            StereoBlock hitBlock(kBlock);
            hitBlock.tone(position);
            StereoBlock cleanBlock(kBlock);
            cleanBlock.tone(position);
            position += kBlock;
            for (int i = b == 0 ? kBlock / 2 : 0; b < 2 && i < kBlock; ++i) {
                hitBlock.inL[i] = burst.value;
                cleanBlock.inL[i] = 0.0f;
                if (b == 0) {
                    hitBlock.inR[i] = burst.value;
                    cleanBlock.inR[i] = 0.0f;
                }
            }
            hitBlock.processReplacing(hit);
            cleanBlock.processReplacing(clean);
            ASSERT_EQ(hitBlock.firstBadOutput(), -1) << burst.name << " block " << b;
        }
    }

    TestHost clean{builtModule()};
    TestHost hit{builtModule()};
};

} // namespace

TEST_F(InputBurst, OutputStaysSoundAndRecovers)
{
    long position = 0;
    for (const Burst& burst : kBursts)
        runBurst(burst, position);
    long cleanPosition = position;
    settledPower(clean, cleanPosition, kSettleBlocks);
    settledPower(hit, position, kSettleBlocks);
    double expected = settledPower(clean, cleanPosition, kMeasureBlocks);
    double got = settledPower(hit, position, kMeasureBlocks);
    ASSERT_GT(expected, 1e-4);
    EXPECT_NEAR(10.0 * std::log10(got / expected), 0.0, 1.0) << "power " << got << " against " << expected;
    for (const Burst& burst : kHugeBursts)
        runBurst(burst, position);
    settledPower(hit, position, kMeasureBlocks);
}
