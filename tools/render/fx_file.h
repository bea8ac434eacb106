// A bank (.fxb) or program (.fxp) file as a host reads it for a plug-in whose programs are chunks: the
// big-endian header checked, the chunk behind it handed over whole.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class FxFile {
public:
    enum class Kind { Bank, Program };

    // Throws a run failure naming the file: missing, not this kind of file, another plug-in's, cut short.
    static std::vector<unsigned char> readChunk(const std::string& path, Kind kind, std::int32_t pluginId);
};
