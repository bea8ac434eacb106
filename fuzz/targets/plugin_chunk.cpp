// Host chunks handed to the plug-in object's setChunk: the first byte chooses program (odd) or bank.
#include "fuzz/fuzz_plugin.h"
#include "fuzz/record_checks.h"

void fuzzSeeds(FuzzSeeds& seeds)
{
    RecordChecks::chunkSeeds(fuzzPlugin().getAeffect(), seeds);
}

void fuzzInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return;
    ProductPlugin& plugin = fuzzPlugin();
    bool isPreset = (data[0] & 1) != 0;
    std::vector<std::uint8_t> chunk(data + 1, data + size);
    VstInt32 consumed = plugin.setChunk(chunk.empty() ? nullptr : chunk.data(), static_cast<VstInt32>(chunk.size()), isPreset);
    FUZZ_CHECK(consumed >= 0 && static_cast<std::size_t>(consumed) <= chunk.size());
    RecordChecks::stateIsSound(plugin.getAeffect());
    RecordChecks::chunkReadsBack(plugin.getAeffect(), isPreset);
}
