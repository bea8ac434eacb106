// "MidiConfig.txt" read by MidiControllerMap::load; what was read must write and read back the same.
#include <cstring>
#include <filesystem>

#include "fuzz/fuzz_file.h"
#include "fuzz/fuzz_target.h"
#include "params/midi_controller_map.h"
#include "params/parameter_table.h"

namespace {

// The map writes through fsync: on a memory file system that costs nothing per input.
std::string scratchPath()
{
    std::filesystem::path folder = std::filesystem::is_directory("/dev/shm") ? "/dev/shm"
                                                                              : std::filesystem::temp_directory_path();
    return (folder / ("ravensoot-fuzz-" + std::to_string(getpid()) + ".txt")).string();
}

// Removed when the run ends.
struct ScratchFile {
    std::string path = scratchPath();
    ~ScratchFile() { std::filesystem::remove(path); }
};

} // namespace

void fuzzSeeds(FuzzSeeds& seeds)
{
    const char* names[kAutomatableCount];
    int numbers[kAutomatableCount];
    for (int i = 0; i < kAutomatableCount; ++i) {
        names[i] = kParameterTable[i].name;
        numbers[i] = i % 3 == 0 ? i + 20 : -1;
    }
    std::string path = scratchPath();
    MidiControllerMap(kAutomatableCount, names, numbers).save(path.c_str());
    seeds.addFile("learned.txt", path);
    MidiControllerMap(3, names, nullptr).save(path.c_str());
    seeds.addFile("short.txt", path);
    std::filesystem::remove(path);
}

void fuzzInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzFile file;
    static MidiControllerMap map(0, nullptr, nullptr);
    static MidiControllerMap again(0, nullptr, nullptr);
    map = MidiControllerMap(0, nullptr, nullptr);
    map.load(file.hold(data, size));
    FUZZ_CHECK(map.count() >= 0 && map.count() <= MidiControllerMap::kCapacity);
    for (int i = 0; i < map.count(); ++i)
        FUZZ_CHECK(std::memchr(map.name(i), 0, MidiControllerMap::kNameSize) != nullptr);
    if (map.count() < 1)
        return;
    static const ScratchFile scratch;
    const char* path = scratch.path.c_str();
    FUZZ_CHECK(map.save(path));
    again = MidiControllerMap(0, nullptr, nullptr);
    FUZZ_CHECK(again.load(path) == (map.count() < MidiControllerMap::kCapacity));
    FUZZ_CHECK(again.count() == map.count());
    for (int i = 0; i < map.count(); ++i) {
        // A name with a zero byte first is written as "Unnamed" so that its line keeps its place.
        const char* written = map.name(i)[0] != '\0' ? map.name(i) : "Unnamed";
        FUZZ_CHECK(std::strcmp(again.name(i), written) == 0);
        FUZZ_CHECK(again.controller(i) == map.controller(i));
    }
}
