// ChunkStream: byte order, reads that stop at the end of the data, and file writes that never leave a
// half-written file in place.
#include "host/chunk_stream.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string scratchFolder(const char* name)
{
    std::string folder = std::string(RAVENSOOT_BINARY_DIR) + "/test_scratch/" + name;
    std::string command = "rm -rf '" + folder + "' && mkdir -p '" + folder + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return folder;
}

std::vector<unsigned char> fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

int entriesIn(const std::string& folder)
{
    int n = 0;
    DIR* dir = opendir(folder.c_str());
    while (dirent* e = dir ? readdir(dir) : nullptr)
        n += std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0;
    if (dir)
        closedir(dir);
    return n;
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
    std::string folder = scratchFolder("chunk_stream_write");
    std::string path = folder + "/bank.fxb";
    writeFile(path, {1, 2, 3});

    {
        ChunkStream out;
        ASSERT_TRUE(out.openFileWrite(path.c_str()));
        out.writeInt32(5);
        EXPECT_EQ(fileBytes(path), (std::vector<unsigned char>{1, 2, 3})) << "target replaced before close";
        EXPECT_TRUE(out.close());
    }
    EXPECT_EQ(fileBytes(path), (std::vector<unsigned char>{5, 0, 0, 0}));

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
    EXPECT_EQ(fileBytes(path), (std::vector<unsigned char>{5, 0, 0, 0}));
    EXPECT_EQ(entriesIn(folder), 1) << "a temporary file was left behind";

    ChunkStream nowhere;
    EXPECT_FALSE(nowhere.openFileWrite((folder + "/missing/x.fxb").c_str()));
}

TEST(ChunkStream, FileReadRefusesEmptyAndOversizedFiles)
{
    std::string folder = scratchFolder("chunk_stream_read");
    std::string empty = folder + "/empty.fxb";
    writeFile(empty, {});
    std::string large = folder + "/large.fxb";
    writeFile(large, std::vector<unsigned char>(ChunkStream::kCapacity, 0));
    std::string justBelow = folder + "/below.fxb";
    writeFile(justBelow, std::vector<unsigned char>(ChunkStream::kCapacity - 1, 0));

    ChunkStream in;
    EXPECT_FALSE(in.openFileRead(empty.c_str()));
    EXPECT_FALSE(in.openFileRead(large.c_str()));
    EXPECT_FALSE(in.openFileRead((folder + "/none.fxb").c_str()));
    ASSERT_TRUE(in.openFileRead(justBelow.c_str()));
    EXPECT_EQ(in.size(), ChunkStream::kCapacity - 1);
    EXPECT_TRUE(in.close());
}
