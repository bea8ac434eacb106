// Host chunks through the built module's entry point and dispatcher (effSetChunk), as a host restores a
// song: the first byte chooses program (odd) or bank.
#include "fuzz/record_checks.h"
#include "vst_host/test_host.h"

namespace {

TestHost& host()
{
    static VstModule module(RAVENSOOT_MODULE_PATH);
    // Left open for the whole run, like the plug-in object of the other chunk target.
    static TestHost* opened = [] {
        TestHost* made = new TestHost(module);
        FUZZ_CHECK(made->open());
        made->dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
        made->dispatch(effMainsChanged, 0, 1);
        return made;
    }();
    return *opened;
}

} // namespace

void fuzzSeeds(FuzzSeeds& seeds)
{
    RecordChecks::chunkSeeds(host().record(), seeds);
}

void fuzzInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return;
    TestHost& h = host();
    bool isPreset = (data[0] & 1) != 0;
    std::vector<unsigned char> chunk(data + 1, data + size);
    VstIntPtr consumed = h.setChunk(chunk, isPreset);
    FUZZ_CHECK(consumed >= 0 && static_cast<std::size_t>(consumed) <= chunk.size());
    RecordChecks::stateIsSound(h.record());
    h.clearRequests();
}
