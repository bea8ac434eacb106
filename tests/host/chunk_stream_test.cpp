// ChunkStream's files: writes that never leave a half-written file in place, and reads that refuse what
// cannot be a bank. (Its byte order and bounded reads are checked through the program records and bank files
// it carries, byte for byte and cut at every length.)
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
