// The little-endian byte stream that programs, host chunks, bank files and program files go through.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

class ChunkStream {
public:
    // Room for a whole bank; a file of this size or more is refused.
    static constexpr std::uint32_t kCapacity = 1536000;

    enum class Mode { Closed, FileRead, FileWrite, MemoryRead, MemoryWrite };

    ChunkStream() = default;
    ~ChunkStream();
    ChunkStream(const ChunkStream&) = delete;
    ChunkStream& operator=(const ChunkStream&) = delete;

    bool openFileRead(const char* path);
    // Writes into a temporary file beside path; close() puts it in place only when every byte landed.
    bool openFileWrite(const char* path);
    bool openMemoryRead(const void* data, std::uint32_t size);
    bool openMemoryWrite(void* buffer, std::uint32_t capacity = kCapacity);
    // False when a file write failed or ran out of room; the target file is then untouched.
    bool close();

    void writeInt32(std::int32_t value);
    void writeFloat32(float value);
    void writeByte(std::uint8_t value);
    void writeString(const char* text);
    void writeBytes(const void* data, std::uint32_t count);
    void writeInt32BigEndian(std::int32_t value);
    // Replaces four bytes already written (a size field known only at the end).
    void overwriteInt32BigEndian(std::uint32_t offset, std::int32_t value);

    // Reads answer false at the end of the data; the value is then 0 and the stream stays at the end.
    bool readInt32(std::int32_t& value);
    bool readFloat32(float& value);
    bool readInt32BigEndian(std::int32_t& value);
    bool readBytes(void* data, std::uint32_t count);
    // Takes the text up to and including its zero byte; keeps at most capacity - 1 characters of it.
    // Without a zero byte before the end of the data it keeps what fits and answers false.
    bool readString(char* text, std::size_t capacity);
    // Moves on by count bytes, never past the end; false when fewer were left.
    bool skip(std::uint64_t count);
    // Moves to an offset within the data; false (and no move) past its end.
    bool seek(std::uint32_t offset);

    std::uint32_t position() const { return pos; }
    std::uint32_t size() const { return dataSize; }
    bool failed() const { return failure; }
    Mode mode() const { return streamMode; }

private:
    bool readRaw(void* data, std::uint32_t count);
    void writeRaw(const void* data, std::uint32_t count);
    void release();

    std::FILE* file = nullptr;
    std::uint32_t pos = 0;
    std::uint32_t dataSize = 0; // readable bytes, or room for writing
    std::uint8_t* buffer = nullptr;
    Mode streamMode = Mode::Closed;
    bool ownsBuffer = false;
    bool failure = false;
    std::string targetPath;
    std::string tempPath;
};
