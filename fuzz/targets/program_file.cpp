// Program files (.fxp) read by loadProgramFile.
#include <filesystem>

#include "fuzz/fuzz_file.h"
#include "fuzz/fuzz_plugin.h"
#include "fuzz/record_checks.h"

void fuzzSeeds(FuzzSeeds& seeds)
{
    ProductPlugin& plugin = fuzzPlugin();
    auto folder = std::filesystem::temp_directory_path() / ("ravensoot-seed-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    FuzzSeeds chunks;
    RecordChecks::chunkSeeds(plugin.getAeffect(), chunks);
    // The file's name becomes the program's: a short one, and one longer than the header's 28 bytes.
    const char* names[] = {"Warm Pad.fxp", "A preset name longer than the header field.fxp"};
    for (const char* name : names) {
        std::string path = (folder / name).string();
        plugin.saveProgramFile(path.c_str());
        seeds.addFile(name, path);
    }
    std::filesystem::remove_all(folder);
}

void fuzzInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzFile file;
    ProductPlugin& plugin = fuzzPlugin();
    VstInt32 current = plugin.getProgram();
    plugin.loadProgramFile(file.hold(data, size));
    FUZZ_CHECK(plugin.getProgram() == current);
    RecordChecks::stateIsSound(plugin.getAeffect());
}
