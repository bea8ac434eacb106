// The render tool's command line (arguments separated by zero bytes): options, programs by number or
// name and parameter settings by text, applied to the built module as the tool applies them.
#include <cmath>
#include <string>
#include <vector>

#include "fuzz/fuzz_target.h"
#include "tools/render/plugin_instance.h"
#include "tools/render/plugin_module.h"
#include "tools/render/render_options.h"
#include "tools/render/sound_setup.h"
#include "tools/render/tool_error.h"

namespace {

PluginInstance& instance()
{
    static PluginModule module(RAVENSOOT_MODULE_PATH);
    static PluginInstance plugin(module);
    return plugin;
}

void addLine(FuzzSeeds& seeds, const std::string& name, const std::vector<std::string>& arguments)
{
    std::string joined;
    for (const std::string& argument : arguments)
        joined += argument + '\0';
    seeds.addText(name, joined);
}

} // namespace

void fuzzSeeds(FuzzSeeds& seeds)
{
    addLine(seeds, "files", {"in.wav", "out.wav"});
    addLine(seeds, "everything", {"--program", "5", "--set", "MmFilterType=LowPass Fat", "--set", "Lfo1Rate=1/4",
                                  "--tempo", "140", "--block", "64", "--tail", "1.5", "--bits", "24", "in.wav",
                                  "out.flac"});
    addLine(seeds, "listing", {"--program", "Init 5", "--set", "MasterOn=1", "--set", "MasterVolume=0.8",
                               "--list-params"});
    addLine(seeds, "lists", {"--set", "Lfo1Target=MmFilterCutoff", "--set", "lfo1shape=Triangle", "--mono", "-q",
                             "a.wav", "b.ogg"});
}

void fuzzInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> words(1, "ravensoot-render");
    std::string word;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            words.push_back(word);
            word.clear();
        } else {
            word += static_cast<char>(data[i]);
        }
    }
    if (!word.empty())
        words.push_back(word);
    std::vector<const char*> argv;
    for (const std::string& w : words)
        argv.push_back(w.c_str());
    try {
        RenderOptions options = OptionParser::parse(static_cast<int>(argv.size()), argv.data());
        FUZZ_CHECK(options.blockSize >= 1 && std::isfinite(options.tempo) && std::isfinite(options.tailSeconds));
        // Files named by the input are not ours to open (a fifo would wait for ever).
        options.bankFile.clear();
        options.presetFile.clear();
        SoundSetup::apply(instance(), options);
        for (int i = 0; i < instance().parameterCount(); ++i) {
            float value = instance().getParameter(i);
            FUZZ_CHECK(std::isfinite(value));
        }
    } catch (const ToolError& error) {
        FUZZ_CHECK(!error.message.empty());
    }
}
