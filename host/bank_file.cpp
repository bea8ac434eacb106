// The .fxb bank file and .fxp program file formats: big-endian headers around our program records.
#include "host/bank_file.h"

#include <cstring>

#include "host/chunk_stream.h"
#include "host/module_path.h"
#include "host/plugin_program.h"
#include "host/vst_interface.h"

namespace {

constexpr std::int32_t kChunkMagic = vstFourCC('C', 'c', 'n', 'K');
constexpr std::int32_t kBankMagic = vstFourCC('F', 'B', 'C', 'h');
constexpr std::int32_t kProgramMagic = vstFourCC('F', 'P', 'C', 'h');
// Offsets of the size fields other hosts' loaders rely on.
constexpr std::uint32_t kByteSizeOffset = 4;
constexpr std::uint32_t kBankChunkSizeOffset = 156;
constexpr std::uint32_t kProgramChunkSizeOffset = 56;
// The byte count at offset 4 leaves out the magic word and itself.
constexpr std::int32_t kUncountedBytes = 8;

bool readMagic(ChunkStream& stream, std::uint32_t offset, std::int32_t expected)
{
    std::int32_t word = 0;
    return stream.seek(offset) && stream.readInt32BigEndian(word) && word == expected;
}

} // namespace

void BankFile::writeBank(ChunkStream& stream, PluginProgram* const* programs, int count, std::int32_t fxId)
{
    stream.writeInt32BigEndian(kChunkMagic);
    stream.writeInt32BigEndian(0);
    stream.writeInt32BigEndian(kBankMagic);
    stream.writeInt32BigEndian(1);
    stream.writeInt32BigEndian(fxId);
    stream.writeInt32BigEndian(1);
    stream.writeInt32BigEndian(count);
    for (int i = 0; i < 128; ++i)
        stream.writeByte(0);
    stream.writeInt32BigEndian(0);
    for (int i = 0; i < count; ++i)
        programs[i]->write(stream);
    std::int32_t total = static_cast<std::int32_t>(stream.position());
    stream.overwriteInt32BigEndian(kByteSizeOffset, total - kUncountedBytes);
    stream.overwriteInt32BigEndian(kBankChunkSizeOffset, total - static_cast<std::int32_t>(kBankHeaderBytes));
}

void BankFile::writeProgram(ChunkStream& stream, PluginProgram& program, std::int32_t fxId)
{
    stream.writeInt32BigEndian(kChunkMagic);
    stream.writeInt32BigEndian(0);
    stream.writeInt32BigEndian(kProgramMagic);
    stream.writeInt32BigEndian(1);
    stream.writeInt32BigEndian(fxId);
    stream.writeInt32BigEndian(1);
    stream.writeInt32BigEndian(program.getCount());
    // Zero-filled, and without a terminator when the name fills the field.
    char field[kHeaderNameBytes] = {};
    std::size_t length = std::strlen(program.getName());
    std::memcpy(field, program.getName(), length < sizeof(field) ? length : sizeof(field));
    stream.writeBytes(field, kHeaderNameBytes);
    stream.writeInt32BigEndian(0);
    program.write(stream);
    std::int32_t total = static_cast<std::int32_t>(stream.position());
    stream.overwriteInt32BigEndian(kByteSizeOffset, total - kUncountedBytes);
    stream.overwriteInt32BigEndian(kProgramChunkSizeOffset,
                                   total - static_cast<std::int32_t>(kProgramHeaderBytes));
}

bool BankFile::readBankHeader(ChunkStream& stream, std::int32_t& fxId, std::int32_t& count)
{
    if (stream.size() < kBankHeaderBytes || !readMagic(stream, 0, kChunkMagic)
        || !readMagic(stream, 8, kBankMagic))
        return false;
    stream.seek(16);
    stream.readInt32BigEndian(fxId);
    stream.seek(24);
    stream.readInt32BigEndian(count);
    return stream.seek(kBankHeaderBytes);
}

bool BankFile::readProgramHeader(ChunkStream& stream, std::int32_t& fxId)
{
    if (stream.size() < kProgramHeaderBytes || !readMagic(stream, 0, kChunkMagic)
        || !readMagic(stream, 8, kProgramMagic))
        return false;
    stream.seek(16);
    stream.readInt32BigEndian(fxId);
    return stream.seek(kProgramHeaderBytes);
}

void BankFile::programNameFromPath(const char* path, char* name, std::size_t capacity)
{
    if (!name || capacity == 0)
        return;
    name[0] = '\0';
    if (!path)
        return;
    const char* separator = std::strrchr(path, kPathSeparator);
    const char* start = separator ? separator + 1 : path;
    const char* dot = std::strrchr(start, '.');
    if (!dot)
        return;
    std::size_t length = static_cast<std::size_t>(dot - start);
    if (length >= capacity)
        length = capacity - 1;
    std::memcpy(name, start, length);
    name[length] = '\0';
}
