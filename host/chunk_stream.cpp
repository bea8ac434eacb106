// The little-endian byte stream that programs, host chunks, bank files and program files go through.
#include "host/chunk_stream.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <new>

namespace {

std::atomic<unsigned> tempCounter{0};

std::uint32_t toLittle(const std::uint8_t* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8)
        | (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

} // namespace

ChunkStream::~ChunkStream()
{
    // Never closed: a half-written file is thrown away, the target stays as it was.
    if (streamMode == Mode::FileWrite)
        failure = true;
    close();
}

bool ChunkStream::openFileRead(const char* path)
{
    if (streamMode != Mode::Closed || !path)
        return false;
    file = std::fopen(path, "rb");
    if (!file)
        return false;
    buffer = new (std::nothrow) std::uint8_t[kCapacity];
    if (!buffer) {
        release();
        return false;
    }
    ownsBuffer = true;
    std::size_t got = std::fread(buffer, 1, kCapacity, file);
    if (got == 0 || got >= kCapacity) {
        release();
        return false;
    }
    dataSize = static_cast<std::uint32_t>(got);
    pos = 0;
    failure = false;
    streamMode = Mode::FileRead;
    return true;
}

bool ChunkStream::openFileWrite(const char* path)
{
    if (streamMode != Mode::Closed || !path || !*path)
        return false;
    targetPath = path;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tempPath = targetPath + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(tempCounter++);
        fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        tempPath.clear();
        return false;
    }
    file = fdopen(fd, "wb");
    buffer = new (std::nothrow) std::uint8_t[kCapacity];
    if (!file || !buffer) {
        if (!file)
            ::close(fd);
        failure = true;
        streamMode = Mode::FileWrite;
        ownsBuffer = buffer != nullptr;
        close();
        return false;
    }
    ownsBuffer = true;
    dataSize = kCapacity;
    pos = 0;
    failure = false;
    streamMode = Mode::FileWrite;
    return true;
}

bool ChunkStream::openMemoryRead(const void* data, std::uint32_t size)
{
    if (streamMode != Mode::Closed || !data)
        return false;
    buffer = static_cast<std::uint8_t*>(const_cast<void*>(data));
    ownsBuffer = false;
    dataSize = size;
    pos = 0;
    failure = false;
    streamMode = Mode::MemoryRead;
    return true;
}

bool ChunkStream::openMemoryWrite(void* target, std::uint32_t capacity)
{
    if (streamMode != Mode::Closed || !target)
        return false;
    buffer = static_cast<std::uint8_t*>(target);
    ownsBuffer = false;
    dataSize = capacity;
    pos = 0;
    failure = false;
    streamMode = Mode::MemoryWrite;
    return true;
}

bool ChunkStream::close()
{
    bool ok = !failure;
    if (streamMode == Mode::FileWrite) {
        if (file) {
            ok = ok && std::fwrite(buffer, 1, pos, file) == pos;
            ok = ok && std::fflush(file) == 0;
            ok = ok && fsync(fileno(file)) == 0;
            ok = (std::fclose(file) == 0) && ok;
            file = nullptr;
        } else {
            ok = false;
        }
        if (!tempPath.empty()) {
            if (ok)
                ok = std::rename(tempPath.c_str(), targetPath.c_str()) == 0;
            if (!ok)
                std::remove(tempPath.c_str());
        }
    }
    release();
    return ok;
}

void ChunkStream::release()
{
    if (file)
        std::fclose(file);
    file = nullptr;
    if (ownsBuffer)
        delete[] buffer;
    buffer = nullptr;
    ownsBuffer = false;
    pos = 0;
    dataSize = 0;
    streamMode = Mode::Closed;
    tempPath.clear();
    targetPath.clear();
}

void ChunkStream::writeRaw(const void* data, std::uint32_t count)
{
    bool writable = streamMode == Mode::FileWrite || streamMode == Mode::MemoryWrite;
    if (!writable || failure || count > dataSize - pos) {
        failure = true;
        return;
    }
    std::memcpy(buffer + pos, data, count);
    pos += count;
}

bool ChunkStream::readRaw(void* data, std::uint32_t count)
{
    bool readable = streamMode == Mode::FileRead || streamMode == Mode::MemoryRead;
    if (!readable || count > dataSize - pos) {
        std::memset(data, 0, count);
        if (readable)
            pos = dataSize;
        return false;
    }
    std::memcpy(data, buffer + pos, count);
    pos += count;
    return true;
}

void ChunkStream::writeInt32(std::int32_t value)
{
    std::uint32_t v = static_cast<std::uint32_t>(value);
    std::uint8_t bytes[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                             static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
    writeRaw(bytes, 4);
}

void ChunkStream::writeFloat32(float value)
{
    std::int32_t bits;
    std::memcpy(&bits, &value, 4);
    writeInt32(bits);
}

void ChunkStream::writeByte(std::uint8_t value)
{
    writeRaw(&value, 1);
}

void ChunkStream::writeString(const char* text)
{
    if (!text)
        text = "";
    writeRaw(text, static_cast<std::uint32_t>(std::strlen(text) + 1));
}

void ChunkStream::writeBytes(const void* data, std::uint32_t count)
{
    writeRaw(data, count);
}

void ChunkStream::writeInt32BigEndian(std::int32_t value)
{
    std::uint32_t v = static_cast<std::uint32_t>(value);
    std::uint8_t bytes[4] = {static_cast<std::uint8_t>(v >> 24), static_cast<std::uint8_t>(v >> 16),
                             static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
    writeRaw(bytes, 4);
}

void ChunkStream::overwriteInt32BigEndian(std::uint32_t offset, std::int32_t value)
{
    if (offset > pos || pos - offset < 4) {
        failure = true;
        return;
    }
    std::uint32_t end = pos;
    pos = offset;
    writeInt32BigEndian(value);
    pos = end;
}

bool ChunkStream::readInt32(std::int32_t& value)
{
    std::uint8_t bytes[4];
    bool ok = readRaw(bytes, 4);
    value = static_cast<std::int32_t>(toLittle(bytes));
    return ok;
}

bool ChunkStream::readFloat32(float& value)
{
    std::int32_t bits;
    bool ok = readInt32(bits);
    std::memcpy(&value, &bits, 4);
    return ok;
}

bool ChunkStream::readInt32BigEndian(std::int32_t& value)
{
    std::uint8_t bytes[4];
    bool ok = readRaw(bytes, 4);
    std::uint8_t swapped[4] = {bytes[3], bytes[2], bytes[1], bytes[0]};
    value = static_cast<std::int32_t>(toLittle(swapped));
    return ok;
}

bool ChunkStream::readBytes(void* data, std::uint32_t count)
{
    return readRaw(data, count);
}

bool ChunkStream::readString(char* text, std::size_t capacity)
{
    bool readable = streamMode == Mode::FileRead || streamMode == Mode::MemoryRead;
    std::size_t kept = 0;
    bool terminated = false;
    while (readable && pos < dataSize) {
        char c = static_cast<char>(buffer[pos++]);
        if (c == '\0') {
            terminated = true;
            break;
        }
        if (text && kept + 1 < capacity)
            text[kept++] = c;
    }
    if (text && capacity > 0)
        text[kept] = '\0';
    return terminated;
}

bool ChunkStream::skip(std::uint64_t count)
{
    std::uint64_t left = dataSize - pos;
    if (count > left) {
        pos = dataSize;
        return false;
    }
    pos += static_cast<std::uint32_t>(count);
    return true;
}

bool ChunkStream::seek(std::uint32_t offset)
{
    if (offset > dataSize)
        return false;
    pos = offset;
    return true;
}
