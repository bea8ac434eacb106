// The .fxb bank file and .fxp program file formats: big-endian headers around our program records.
#pragma once

#include <cstddef>
#include <cstdint>

class ChunkStream;
class PluginProgram;

class BankFile {
public:
    static constexpr std::uint32_t kBankHeaderBytes = 160;
    static constexpr std::uint32_t kProgramHeaderBytes = 60;
    static constexpr int kHeaderNameBytes = 28;

    // Header and records; the size fields hold the true byte counts.
    static void writeBank(ChunkStream& stream, PluginProgram* const* programs, int count, std::int32_t fxId);
    static void writeProgram(ChunkStream& stream, PluginProgram& program, std::int32_t fxId);

    // Check the magic words and read the header's id (and a bank's program count); the stream is left at
    // the first record.
    static bool readBankHeader(ChunkStream& stream, std::int32_t& fxId, std::int32_t& count);
    static bool readProgramHeader(ChunkStream& stream, std::int32_t& fxId);

    // The file's base name: after the last separator, up to the last "." after it; empty without one.
    static void programNameFromPath(const char* path, char* name, std::size_t capacity);
};
