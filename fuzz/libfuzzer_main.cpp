// libFuzzer's entry points for one target; with RAVENSOOT_FUZZ_SEEDS=<folder> it writes its seeds there
// and stops, which is how scripts/fuzz.sh fills a fresh corpus.
#include <filesystem>
#include <fstream>

#include "fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const char* folder = std::getenv("RAVENSOOT_FUZZ_SEEDS");
    if (!folder)
        return 0;
    std::filesystem::create_directories(folder);
    FuzzSeeds seeds;
    fuzzSeeds(seeds);
    for (const auto& [name, bytes] : seeds.all()) {
        std::ofstream out(std::filesystem::path(folder) / ("seed-" + name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::printf("wrote %zu seeds to %s\n", seeds.all().size(), folder);
    std::exit(0);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzInput(data, size);
    return 0;
}
