// One thread processes audio without a pause while another changes parameters, programs and chunks and
// opens and closes the editor (in-process also bank and program files and MIDI learn): no crash, no deadlock, every replacing
// output sample finite and within ±0.9999. RAVENSOOT_STRESS_SECONDS sets the time (default 2 s).
#include "reliability_host.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <thread>

#include "engine/engine_base.h"
#include "host/product_plugin.h"
#include "support/temp_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

double stressSeconds()
{
    const char* text = std::getenv("RAVENSOOT_STRESS_SECONDS");
    double seconds = text ? std::atof(text) : 2.0;
    return seconds > 0.0 ? seconds : 2.0;
}

struct AudioCounts {
    std::atomic<long> blocks{0};
    std::atomic<long> badSamples{0};
    std::atomic<bool> done{false};
};

// The host's audio thread: blocks of changing size, a MIDI list with controllers before some of them.
void audioThread(AEffect* effect, const std::atomic<bool>& stop, AudioCounts& counts)
{
    StereoBlock block(1024);
    std::minstd_rand random(7);
    long position = 0;
    const int sizes[] = {1, 64, 128, 256, 333, 512, 1024};
    while (!stop.load()) {
        if (random() % 4 == 0) {
            VstMidiEvent events[2] = {TestHost::midi(0xB0, static_cast<unsigned char>(random() % 128),
                                                     static_cast<unsigned char>(random() % 128)),
                                      TestHost::midi(0x90, 60, 100, 5)};
            unsigned char list[sizeof(VstEvents) + sizeof(VstEvent*)];
            VstEvents* eventList = reinterpret_cast<VstEvents*>(list);
            eventList->numEvents = 2;
            eventList->events[0] = reinterpret_cast<VstEvent*>(&events[0]);
            eventList->events[1] = reinterpret_cast<VstEvent*>(&events[1]);
            effect->dispatcher(effect, effProcessEvents, 0, 0, eventList, 0.0f);
        }
        int frames = sizes[random() % 7];
        block.tone(position);
        position += frames;
        float* ins[2] = {block.inL.data(), block.inR.data()};
        float* outs[2] = {block.outL.data(), block.outR.data()};
        effect->processReplacing(effect, ins, outs, frames);
        for (int i = 0; i < frames; ++i) {
            float l = block.outL[static_cast<std::size_t>(i)];
            float r = block.outR[static_cast<std::size_t>(i)];
            if (!(std::fabs(l) <= 0.9999f) || !(std::fabs(r) <= 0.9999f))
                counts.badSamples.fetch_add(1);
        }
        counts.blocks.fetch_add(1);
    }
    counts.done.store(true);
}

// What any host's user-interface thread may do through the record; `extra` adds in-process operations.
long userThread(AEffect* effect, const std::atomic<bool>& stop, const std::function<void(std::minstd_rand&)>& extra)
{
    auto dispatch = [effect](VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr) {
        return effect->dispatcher(effect, opcode, index, value, ptr, 0.0f);
    };
    std::vector<unsigned char> bank, program;
    for (int isPreset = 0; isPreset < 2; ++isPreset) {
        void* data = nullptr;
        VstIntPtr size = dispatch(effGetChunk, isPreset, 0, &data);
        const unsigned char* bytes = static_cast<const unsigned char*>(data);
        (isPreset ? program : bank).assign(bytes, bytes + size);
    }
    std::minstd_rand random(11);
    std::uniform_real_distribution<float> value(-0.25f, 1.25f);
    long operations = 0;
    char text[256];
    int window = 0;
    bool editorOpen = false;
    while (!stop.load()) {
        switch (random() % 9) {
        case 0:
        case 1:
        case 2:
            effect->setParameter(effect, static_cast<VstInt32>(random() % 53), value(random));
            break;
        case 3:
            dispatch(effSetProgram, 0, static_cast<VstIntPtr>(random() % 64), nullptr);
            break;
        case 4: {
            std::vector<unsigned char> copy(random() % 2 ? bank : program);
            dispatch(effSetChunk, copy.size() == bank.size() ? 0 : 1, static_cast<VstIntPtr>(copy.size()), copy.data());
            break;
        }
        case 5: {
            void* data = nullptr;
            dispatch(effGetChunk, static_cast<VstInt32>(random() % 2), 0, &data);
            dispatch(effGetParamDisplay, static_cast<VstInt32>(random() % 53), 0, text);
            break;
        }
        case 6:
            dispatch(effSetProgramName, 0, 0, const_cast<char*>("Stress"));
            break;
        case 7:
            // The editor reads meters and values the audio thread writes; an open reads the whole skin, so
            // it comes less often than the rest.
            if (random() % 16 != 0)
                break;
            editorOpen = !editorOpen;
            dispatch(editorOpen ? effEditOpen : effEditClose, 0, 0, editorOpen ? &window : nullptr);
            dispatch(effEditIdle, 0, 0, nullptr);
            break;
        default:
            if (extra)
                extra(random);
            break;
        }
        ++operations;
    }
    if (editorOpen)
        dispatch(effEditClose, 0, 0, nullptr);
    return operations;
}

// Runs both threads for the stress time; a thread still busy long after the end is a deadlock.
void stress(AEffect* effect, const char* what, const std::function<void(std::minstd_rand&)>& extra = {})
{
    std::atomic<bool> stop{false};
    std::atomic<bool> userDone{false};
    AudioCounts audio;
    long operations = 0;
    std::thread audioWorker(audioThread, effect, std::cref(stop), std::ref(audio));
    std::thread userWorker([&] {
        operations = userThread(effect, stop, extra);
        userDone.store(true);
    });
    double seconds = stressSeconds();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    stop.store(true);
    Clock::time_point deadline = Clock::now() + std::chrono::seconds(60);
    while (!(audio.done.load() && userDone.load()) && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!(audio.done.load() && userDone.load())) {
        std::fprintf(stderr, "stress %s: a thread is stuck 60 s after the end (audio %d, user %d)\n", what,
                     audio.done.load() ? 1 : 0, userDone.load() ? 1 : 0);
        std::abort();
    }
    audioWorker.join();
    userWorker.join();
    std::printf("stress %s: %.1f s, %ld audio blocks, %ld user operations\n", what, seconds, audio.blocks.load(),
                operations);
    EXPECT_EQ(audio.badSamples.load(), 0);
    EXPECT_GT(audio.blocks.load(), 0);
    EXPECT_GT(operations, 0);
}

VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

} // namespace

TEST(Concurrency, AudioKeepsFlowingWhileTheHostChangesEverythingThroughTheModule)
{
    TestHost host(builtModule());
    ASSERT_TRUE(host.open());
    switchEverythingOn(host);
    host.dispatch(effMainsChanged, 0, 1);
    stress(host.record(), "module");
    host.clearRequests();
}

TEST(Concurrency, AudioKeepsFlowingWhileFilesLoadAndMidiLearnIsArmed)
{
    TempFolder folder("stress");
    ProductPlugin* plugin = new ProductPlugin(&quietHost);
    plugin->setSampleRate(44100.0f);
    plugin->resume();
    std::string bankPath = folder.file("stress.fxb");
    std::string programPath = folder.file("stress.fxp");
    ASSERT_TRUE(plugin->saveBankFile(bankPath.c_str()));
    ASSERT_TRUE(plugin->saveProgramFile(programPath.c_str()));
    stress(plugin->getAeffect(), "in-process", [&](std::minstd_rand& random) {
        switch (random() % 3) {
        case 0:
            plugin->loadBankFile(bankPath.c_str());
            break;
        case 1:
            plugin->loadProgramFile(programPath.c_str());
            break;
        default:
            plugin->getEngine()->setMidiLearnIndex(static_cast<int>(random() % 66));
            break;
        }
    });
    // What was learned must not reach the bindings file the other test programs read.
    plugin->getEngine()->setMidiLearnIndex(-1);
    plugin->getEngine()->midiControllerMap() = MidiControllerMap(0, nullptr, nullptr);
    delete plugin;
}
