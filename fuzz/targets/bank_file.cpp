// Bank files (.fxb) read by loadBankFile.
#include <filesystem>

#include "fuzz/fuzz_file.h"
#include "fuzz/fuzz_plugin.h"
#include "fuzz/record_checks.h"

void fuzzSeeds(FuzzSeeds& seeds)
{
    ProductPlugin& plugin = fuzzPlugin();
    std::string path = (std::filesystem::temp_directory_path() / ("ravensoot-seed-" + std::to_string(getpid()) + ".fxb")).string();
    FuzzSeeds chunks;
    RecordChecks::chunkSeeds(plugin.getAeffect(), chunks);
    plugin.saveBankFile(path.c_str());
    seeds.addFile("named.fxb", path);
    plugin.clearCurrentProgram();
    plugin.setProgramName(const_cast<char*>("Init"));
    plugin.saveBankFile(path.c_str());
    seeds.addFile("cleared.fxb", path);
    std::filesystem::remove(path);
}

void fuzzInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzFile file;
    ProductPlugin& plugin = fuzzPlugin();
    if (plugin.loadBankFile(file.hold(data, size)))
        FUZZ_CHECK(plugin.getProgram() == 0);
    RecordChecks::stateIsSound(plugin.getAeffect());
}
