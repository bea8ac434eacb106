// Runs a fuzz target without libFuzzer: its seeds, then every file under the folders or files named on
// the command line (saved inputs that once failed).
#include <filesystem>

#include "fuzz/fuzz_target.h"

int main(int argc, char** argv)
{
    FuzzSeeds seeds;
    fuzzSeeds(seeds);
    std::size_t runs = 0;
    for (const auto& [name, bytes] : seeds.all()) {
        fuzzInput(bytes.data(), bytes.size());
        ++runs;
    }
    for (int i = 1; i < argc; ++i) {
        std::filesystem::path given(argv[i]);
        if (!std::filesystem::exists(given))
            continue;
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(given)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(given))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
        } else {
            files.push_back(given);
        }
        for (const auto& file : files) {
            FuzzSeeds::Bytes bytes = FuzzSeeds::readFile(file.string());
            fuzzInput(bytes.data(), bytes.size());
            ++runs;
        }
    }
    std::printf("replayed %zu inputs (%zu seeds)\n", runs, seeds.all().size());
    return runs > 0 ? 0 : 1;
}
