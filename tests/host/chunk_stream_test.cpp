// ChunkStream: byte order, reads that stop at the end of the data, and file writes that never leave a
// half-written file in place.
#include "host/chunk_stream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace {

std::string bytes(std::initializer_list<unsigned char> list)
{
    return std::string(list.begin(), list.end());
}

} // namespace

TEST(ChunkStream, WritesLittleEndianElementsAndBigEndianHeaderWords)
{
    std::vector<unsigned char> buffer(64, 0xEE);
    ChunkStream out;
    ASSERT_TRUE(out.openMemoryWrite(buffer.data(), 64));
    out.writeInt32(0x01020304);
    out.writeFloat32(3.0f);
    out.writeString("Hi");
    out.writeByte(7);
    out.writeInt32BigEndian(0x52615333);
    EXPECT_EQ(out.position(), 16u);
    EXPECT_TRUE(out.close());

    const unsigned char expected[]
        = {0x04, 0x03, 0x02, 0x01, 0x00, 0x00, 0x40, 0x40, 'H', 'i', 0, 7, 'R', 'a', 'S', '3'};
    EXPECT_EQ(std::vector<unsigned char>(buffer.begin(), buffer.begin() + 16),
              std::vector<unsigned char>(std::begin(expected), std::end(expected)));
    EXPECT_EQ(buffer[16], 0xEE);

    ChunkStream in;
    ASSERT_TRUE(in.openMemoryRead(buffer.data(), 16));
    std::int32_t i = 0;
    float f = 0.0f;
    char text[8];
    EXPECT_TRUE(in.readInt32(i));
    EXPECT_EQ(i, 0x01020304);
    EXPECT_TRUE(in.readFloat32(f));
    EXPECT_EQ(f, 3.0f);
    EXPECT_TRUE(in.readString(text, sizeof(text)));
    EXPECT_STREQ(text, "Hi");
    EXPECT_TRUE(in.skip(1));
    EXPECT_TRUE(in.readInt32BigEndian(i));
    EXPECT_EQ(i, 0x52615333);
}

TEST(ChunkStream, ReadsStopAtTheEndOfTheData)
{
    const unsigned char data[] = {1, 2, 3, 'a', 'b', 'c'};
    ChunkStream in;
    ASSERT_TRUE(in.openMemoryRead(data, 3));
    std::int32_t i = 99;
    EXPECT_FALSE(in.readInt32(i));
    EXPECT_EQ(i, 0);
    EXPECT_EQ(in.position(), 3u);
    EXPECT_FALSE(in.skip(1));

    // A text without its zero byte: what fits is kept, nothing past the data is read.
    ChunkStream text;
    ASSERT_TRUE(text.openMemoryRead(data + 3, 2));
    char name[8];
    EXPECT_FALSE(text.readString(name, sizeof(name)));
    EXPECT_STREQ(name, "ab");
    EXPECT_EQ(text.position(), 2u);
}

TEST(ChunkStream, FileWriteReplacesTheTargetOnlyWhenComplete)
{
    TempFolder folder("chunk-stream-write");
    std::string path = folder.file("bank.fxb");
    folder.write("bank.fxb", bytes({1, 2, 3}));
    {
        ChunkStream out;
        ASSERT_TRUE(out.openFileWrite(path.c_str()));
        out.writeInt32(5);
        EXPECT_EQ(folder.read("bank.fxb"), bytes({1, 2, 3})) << "target replaced before close";
        EXPECT_TRUE(out.close());
    }
    EXPECT_EQ(folder.read("bank.fxb"), bytes({5, 0, 0, 0}));
    {
        // Overflowing the stream is a failed write: the old file stays.
        ChunkStream out;
        ASSERT_TRUE(out.openFileWrite(path.c_str()));
        std::vector<unsigned char> tooMuch(ChunkStream::kCapacity + 1, 0);
        out.writeBytes(tooMuch.data(), static_cast<std::uint32_t>(tooMuch.size()));
        EXPECT_FALSE(out.close());
    }
    {
        // Destroyed without close: thrown away.
        ChunkStream out;
        ASSERT_TRUE(out.openFileWrite(path.c_str()));
        out.writeInt32(7);
    }
    EXPECT_EQ(folder.read("bank.fxb"), bytes({5, 0, 0, 0}));
    auto entries = std::filesystem::directory_iterator(folder.path);
    EXPECT_EQ(std::distance(begin(entries), end(entries)), 1) << "a temporary file was left behind";

    ChunkStream nowhere;
    EXPECT_FALSE(nowhere.openFileWrite(folder.file("missing/x.fxb").c_str()));
}

TEST(ChunkStream, FileReadRefusesEmptyAndOversizedFiles)
{
    TempFolder folder("chunk-stream-read");
    folder.write("empty.fxb", "");
    folder.write("large.fxb", std::string(ChunkStream::kCapacity, '\0'));
    folder.write("below.fxb", std::string(ChunkStream::kCapacity - 1, '\0'));
    ChunkStream in;
    for (const char* refused : {"empty.fxb", "large.fxb", "none.fxb"})
        EXPECT_FALSE(in.openFileRead(folder.file(refused).c_str())) << refused;
    ASSERT_TRUE(in.openFileRead(folder.file("below.fxb").c_str()));
    EXPECT_EQ(in.size(), ChunkStream::kCapacity - 1);
    EXPECT_TRUE(in.close());
}
