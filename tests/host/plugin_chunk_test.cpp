// The host's save and restore of the plug-in's state through the chunk requests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "built_module.h"
#include "fx_bytes.h"
#include "vst_host/test_host.h"

namespace {

// Gives every program its own name and values through the host's requests alone.
void fillBank(TestHost& host)
{
    for (int p = 0; p < 64; ++p) {
        host.dispatch(effSetProgram, 0, p);
        std::string name = "Program " + std::to_string(p);
        host.dispatch(effSetProgramName, 0, 0, const_cast<char*>(name.c_str()));
        for (int i = 0; i < 53; ++i) {
            // List parameters (0..100) get list positions, everything else an arbitrary fraction.
            bool list = i == 14 || i == 33 || i == 34 || i == 39 || i == 40 || i == 44 || i == 45;
            float value = list
                ? static_cast<float>((p + i) % 7) / 100.0f
                : std::fmod(0.37f * static_cast<float>(p + 1) + 0.011f * static_cast<float>(i), 1.0f);
            host.setParameter(i, value);
        }
    }
    host.dispatch(effSetProgram, 0, 17);
}

// Compares chunks record by record: names and every value bit for bit, except in the programs that were
// applied to the engine again, whose values went through its range mapping once more.
void expectSameRecords(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b, int records,
                       std::vector<int> applied)
{
    ASSERT_EQ(a.size(), b.size());
    FxBytes fa{a}, fb{b};
    std::size_t offset = 0;
    for (int p = 0; p < records; ++p) {
        std::size_t nameLength = std::strlen(reinterpret_cast<const char*>(a.data()) + offset + 4);
        ASSERT_EQ(std::memcmp(a.data() + offset, b.data() + offset, 4 + nameLength + 1 + 4), 0) << p;
        std::size_t values = offset + 4 + nameLength + 1 + 4;
        bool mapped = std::find(applied.begin(), applied.end(), p) != applied.end();
        for (int i = 0; i < 53; ++i) {
            float va = fa.floatAt(values + 4 * static_cast<std::size_t>(i));
            float vb = fb.floatAt(values + 4 * static_cast<std::size_t>(i));
            if (mapped)
                EXPECT_FLOAT_EQ(va, vb) << p << " " << i;
            else
                EXPECT_EQ(va, vb) << p << " " << i;
        }
        offset = values + 53 * 4;
    }
    EXPECT_EQ(offset, a.size());
}

class PluginChunks : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(a.open());
        ASSERT_TRUE(b.open());
    }
    TestHost a{bareModule()};
    TestHost b{bareModule()};
};

} // namespace

TEST_F(PluginChunks, FreshChunksHaveTheirFixedSizes)
{
    void* data = nullptr;
    EXPECT_EQ(a.dispatch(effGetChunk, 0, 0, &data), 14400);
    EXPECT_NE(data, nullptr);
    void* program = nullptr;
    EXPECT_EQ(a.dispatch(effGetChunk, 1, 0, &program), 225);
    EXPECT_EQ(program, data); // the same buffer, handed out again
}

TEST_F(PluginChunks, BankChunkRestoresEveryProgramInAnotherInstance)
{
    fillBank(a);
    std::vector<unsigned char> saved = a.getChunk(false);
    b.clearRequests();
    EXPECT_EQ(b.setChunk(saved, false), static_cast<VstIntPtr>(saved.size()));
    EXPECT_EQ(b.count(audioMasterUpdateDisplay), 1u);
    EXPECT_EQ(b.dispatch(effGetProgram), 0); // b's current index stays
    b.dispatch(effSetProgram, 0, 17);
    expectSameRecords(saved, b.getChunk(false), 64, {0, 17});
    for (int i = 0; i < 53; ++i)
        EXPECT_FLOAT_EQ(b.getParameter(i), a.getParameter(i)) << i;
    EXPECT_EQ(b.text(effGetProgramName), "Program 17");
}

TEST_F(PluginChunks, ProgramChunkRestoresTheCurrentProgram)
{
    fillBank(a);
    std::vector<unsigned char> saved = a.getChunk(true);
    b.dispatch(effSetProgram, 0, 40);
    EXPECT_EQ(b.setChunk(saved, true), static_cast<VstIntPtr>(saved.size()));
    EXPECT_EQ(b.text(effGetProgramName), "Program 17");
    EXPECT_EQ(b.text(effGetProgramNameIndexed, 39), "Init");
    for (int i = 0; i < 53; ++i)
        EXPECT_FLOAT_EQ(b.getParameter(i), a.getParameter(i)) << i;
    expectSameRecords(saved, b.getChunk(true), 1, {0});
}

TEST_F(PluginChunks, BadOrEmptyChunks)
{
    a.setParameter(29, 1.0f);
    a.clearRequests();
    EXPECT_EQ(a.setChunk({}, false), 0);
    EXPECT_EQ(a.dispatch(effSetChunk, 0, 100, nullptr), 0);
    EXPECT_EQ(a.dispatch(effSetChunk, 0, -5, a.record()), 0);
    EXPECT_EQ(a.count(audioMasterUpdateDisplay), 0u);
    EXPECT_EQ(a.getParameter(29), 1.0f);

    // A first float of -1: the program ends with all values 0 and is still applied.
    std::vector<unsigned char> chunk = a.getChunk(true);
    const float minusOne = -1.0f;
    std::memcpy(chunk.data(), &minusOne, 4);
    EXPECT_EQ(a.setChunk(chunk, true), static_cast<VstIntPtr>(chunk.size()));
    EXPECT_EQ(a.count(audioMasterUpdateDisplay), 1u);
    EXPECT_EQ(a.getParameter(29), 0.0f);

    // A bank chunk cut short: what is there is read, nothing past it.
    fillBank(b);
    std::vector<unsigned char> bank = b.getChunk(false);
    bank.resize(bank.size() / 2 + 3);
    a.dispatch(effSetProgram, 0, 63);
    a.setParameter(31, 0.75f);
    a.dispatch(effSetProgram, 0, 0);
    VstIntPtr consumed = a.setChunk(bank, false);
    EXPECT_EQ(consumed, static_cast<VstIntPtr>(bank.size()));
    EXPECT_EQ(a.text(effGetProgramNameIndexed, 0), "Program 0");
    EXPECT_EQ(a.text(effGetProgramNameIndexed, 63), "Init");
    a.dispatch(effSetProgram, 0, 63);
    EXPECT_EQ(a.getParameter(31), 0.75f); // beyond the data: left as it was
}
