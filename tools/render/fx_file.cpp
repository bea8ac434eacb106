// A bank (.fxb) or program (.fxp) file as a host reads it for a plug-in whose programs are chunks: the
// big-endian header checked, the chunk behind it handed over whole.
#include "tools/render/fx_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "tools/render/tool_error.h"

namespace {

// Header sizes and the offset of the chunk's byte count in each.
constexpr std::size_t kBankHeader = 160;
constexpr std::size_t kProgramHeader = 60;
constexpr std::size_t kBankChunkSize = 156;
constexpr std::size_t kProgramChunkSize = 56;
constexpr std::size_t kFxIdOffset = 16;
// Larger than any bank of ours; a bigger file is not one.
constexpr std::size_t kLargestFile = 1 << 24;

std::uint32_t bigEndianAt(const std::vector<unsigned char>& bytes, std::size_t offset)
{
    return (static_cast<std::uint32_t>(bytes[offset]) << 24) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 16)
           | (static_cast<std::uint32_t>(bytes[offset + 2]) << 8) | static_cast<std::uint32_t>(bytes[offset + 3]);
}

bool tagAt(const std::vector<unsigned char>& bytes, std::size_t offset, const char* tag)
{
    return bytes.size() >= offset + 4 && std::memcmp(bytes.data() + offset, tag, 4) == 0;
}

std::string fourCharacters(std::uint32_t id)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        char c = static_cast<char>((id >> shift) & 0xFF);
        text += c >= 32 && c < 127 ? c : '?';
    }
    return text;
}

std::vector<unsigned char> wholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        throw runFailure(path + ": " + (errno == ENOENT ? std::string("no such file") : std::strerror(errno)));
    std::streamoff length = in.tellg();
    if (length < 0 || static_cast<std::size_t>(length) > kLargestFile)
        throw runFailure(path + ": not a bank or program file (unreadable or too large)");
    std::vector<unsigned char> bytes(static_cast<std::size_t>(length));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), length))
        throw runFailure(path + ": cannot read (" + std::strerror(errno) + ")");
    return bytes;
}

} // namespace

std::vector<unsigned char> FxFile::readChunk(const std::string& path, Kind kind, std::int32_t pluginId)
{
    std::vector<unsigned char> bytes = wholeFile(path);
    bool bank = kind == Kind::Bank;
    std::size_t header = bank ? kBankHeader : kProgramHeader;
    const char* chunkTag = bank ? "FBCh" : "FPCh";
    const char* valuesTag = bank ? "FxBk" : "FxCk";
    if (bytes.size() < header || !tagAt(bytes, 0, "CcnK")) {
        throw runFailure(path + (bank ? ": not a bank file (.fxb)" : ": not a program file (.fxp)"));
    }
    if (tagAt(bytes, 8, bank ? "FPCh" : "FBCh") || tagAt(bytes, 8, bank ? "FxCk" : "FxBk"))
        throw runFailure(path + (bank ? ": a program file, not a bank (give it to --preset)"
                                      : ": a bank file, not a program (give it to --bank)"));
    if (tagAt(bytes, 8, valuesTag))
        throw runFailure(path + ": holds a list of values, not a chunk; this plug-in saves chunks");
    if (!tagAt(bytes, 8, chunkTag))
        throw runFailure(path + (bank ? ": not a bank file (.fxb)" : ": not a program file (.fxp)"));
    std::uint32_t fileId = bigEndianAt(bytes, kFxIdOffset);
    if (static_cast<std::int32_t>(fileId) != pluginId)
        throw runFailure(path + ": made for another plug-in (id " + fourCharacters(fileId) + ", this one is "
                         + fourCharacters(static_cast<std::uint32_t>(pluginId)) + ")");
    std::uint32_t size = bigEndianAt(bytes, bank ? kBankChunkSize : kProgramChunkSize);
    if (size == 0 || size > bytes.size() - header)
        throw runFailure(path + ": cut short (the header promises " + std::to_string(size) + " bytes of data, "
                         + std::to_string(bytes.size() - header) + " follow)");
    return std::vector<unsigned char>(bytes.begin() + static_cast<std::ptrdiff_t>(header),
                                      bytes.begin() + static_cast<std::ptrdiff_t>(header + size));
}
