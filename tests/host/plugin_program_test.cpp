// Program records: the byte layout, the defaults, and readers that stay in step over bad records.
#include "host/chunk_stream.h"
#include "host/product_program.h"

#include <gtest/gtest.h>

#include "fx_bytes.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

std::vector<unsigned char> written(PluginProgram& program)
{
    std::vector<unsigned char> buffer(ChunkStream::kCapacity);
    ChunkStream out;
    out.openMemoryWrite(buffer.data());
    program.write(out);
    buffer.resize(out.position());
    return buffer;
}

bool readInto(PluginProgram& program, const std::vector<unsigned char>& bytes, std::int32_t id,
              std::uint32_t* consumed = nullptr)
{
    ChunkStream in;
    in.openMemoryRead(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    bool ok = program.read(in, id);
    if (consumed)
        *consumed = in.position();
    return ok;
}

bool allZero(const PluginProgram& p)
{
    for (int i = 0; i < p.getCount(); ++i)
        if (p.getValue(i) != 0.0f)
            return false;
    return true;
}

} // namespace

TEST(PluginProgram, InitRecordIs225BytesAsLaidOut)
{
    ProductProgram program;
    program.setValue(0, 0.25f);
    program.setValue(52, 1.0f);
    FxBytes expected;
    expected.float32(3.0f);
    expected.chars("Init", 5);
    expected.littleEndian(53);
    expected.float32(0.25f);
    expected.zeros(51 * 4);
    expected.float32(1.0f);
    std::vector<unsigned char> bytes = written(program);
    EXPECT_EQ(bytes.size(), 225u);
    EXPECT_EQ(bytes, expected.bytes);
}

TEST(PluginProgram, ConstructionLeavesZerosAndClearBringsTheDefaults)
{
    ProductProgram program;
    EXPECT_TRUE(allZero(program));
    EXPECT_STREQ(program.getName(), "Init");
    EXPECT_EQ(program.getId(), 0x52615333);
    EXPECT_EQ(program.getFormatVersion(), 3.0f);

    program.setName("Keep Me");
    program.setValue(0, 1.0f);
    program.clear();
    EXPECT_STREQ(program.getName(), "Keep Me");
    EXPECT_EQ(program.getValue(0), 0.0f);
    EXPECT_EQ(program.getValue(2), 1.0f);
    EXPECT_EQ(program.getValue(13), 1.0f);
    EXPECT_EQ(program.getValue(22), 0.1f);
    EXPECT_EQ(program.getValue(33), 0.13f);
    EXPECT_EQ(program.getValue(36), 0.79f);
    EXPECT_EQ(program.getValue(45), 0.14f);
    EXPECT_EQ(program.getValue(46), 0.0f);
    int nonZero = 0;
    for (int i = 0; i < program.getCount(); ++i)
        nonZero += program.getValue(i) != 0.0f;
    EXPECT_EQ(nonZero, 23); // 25 defaults, two of which are 0
}

TEST(PluginProgram, BadVersionOrCountGivesZerosAndTheNextRecordStillReads)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        float version;
        bool named;
        std::int32_t count;
        const char* nameAfter;
        std::int32_t id;
        bool good;
    } cases[] = {
        {-1.0f, false, 53, "Init", kProductId, false}, // negative: no name field, values skipped
        {nan, false, 53, "Init", kProductId, false},
        {3.0f, true, 60, "Bad", kProductId, false}, // too many values: name taken, values skipped
        {3.0f, true, -5, "Bad", kProductId, false},
        {0.1f, false, 53, "Init", kProductId, true}, // 0.1 itself carries no name, values are good
        {3.0f, true, 60, "Bad", 0x41424344, true}, // another plug-in's record: name taken, whatever it counts
    };
    for (const Case& c : cases) {
        FxBytes bytes;
        bytes.record(c.named ? "Bad" : nullptr, 0.75f, c.count, c.version);
        bytes.record("Next", 0.25f);
        ChunkStream in;
        in.openMemoryRead(bytes.bytes.data(), static_cast<std::uint32_t>(bytes.bytes.size()));
        ProductProgram first, second;
        EXPECT_EQ(first.read(in, c.id), c.good) << c.version << " " << c.count;
        EXPECT_STREQ(first.getName(), c.nameAfter);
        if (c.version == 0.1f)
            EXPECT_EQ(first.getValue(52), 0.75f);
        else
            EXPECT_TRUE(allZero(first));
        EXPECT_TRUE(second.read(in, kProductId));
        EXPECT_STREQ(second.getName(), "Next") << c.version << " " << c.count;
        EXPECT_EQ(second.getValue(0), 0.25f);
    }
}

TEST(PluginProgram, TruncatedRecordsNeverReadPastTheData)
{
    ProductProgram source;
    source.setName("Cut");
    for (int i = 0; i < 53; ++i)
        source.setValue(i, 0.5f);
    std::vector<unsigned char> whole = written(source);
    for (std::size_t length = 0; length < whole.size(); ++length) {
        // A copy of exactly that length, so a read past it would touch no valid byte of ours.
        std::vector<unsigned char> cut(whole.begin(), whole.begin() + static_cast<long>(length));
        ProductProgram program;
        std::uint32_t consumed = 0;
        EXPECT_FALSE(readInto(program, cut, kProductId, &consumed)) << length;
        EXPECT_LE(consumed, length);
    }
    // Cut inside the values: those present are kept, the rest are 0.
    std::vector<unsigned char> half(whole.begin(), whole.begin() + 4 + 4 + 4 + 10 * 4);
    ProductProgram program;
    EXPECT_FALSE(readInto(program, half, kProductId));
    EXPECT_STREQ(program.getName(), "Cut");
    EXPECT_EQ(program.getValue(9), 0.5f);
    EXPECT_EQ(program.getValue(10), 0.0f);
}

TEST(PluginProgram, LongNamesAreCutToSixtyThreeCharacters)
{
    std::string longName(80, 'n');
    FxBytes bytes;
    bytes.record(longName.c_str(), 0.5f);
    ProductProgram program;
    EXPECT_TRUE(readInto(program, bytes.bytes, kProductId));
    EXPECT_EQ(std::string(program.getName()), std::string(63, 'n'));
    EXPECT_EQ(program.getValue(52), 0.5f);

    program.setName(longName.c_str());
    EXPECT_EQ(std::strlen(program.getName()), 63u);
}
