// Puts the plug-in into the sound the command line asks for: bank, then program, then preset, then
// each --set in order, all before audio starts, as a host restores a song.
#include "tools/render/sound_setup.h"

#include <strings.h>

#include <cmath>

#include "tools/render/fx_file.h"
#include "tools/render/number_text.h"
#include "tools/render/parameter_text.h"
#include "tools/render/plugin_instance.h"
#include "tools/render/render_options.h"
#include "tools/render/tool_error.h"

void SoundSetup::apply(PluginInstance& plugin, const RenderOptions& options)
{
    if (!options.bankFile.empty() || !options.presetFile.empty()) {
        if (!plugin.programsAreChunks())
            throw runFailure("this module's programs are not chunks; --bank and --preset need them");
    }
    if (!options.bankFile.empty()) {
        auto chunk = FxFile::readChunk(options.bankFile, FxFile::Kind::Bank, plugin.uniqueId());
        if (!plugin.setChunk(chunk, false))
            throw runFailure(options.bankFile + ": the plug-in refused the bank");
    }
    if (!options.program.empty())
        plugin.setProgram(programIndex(plugin, options.program));
    if (!options.presetFile.empty()) {
        auto chunk = FxFile::readChunk(options.presetFile, FxFile::Kind::Program, plugin.uniqueId());
        if (!plugin.setChunk(chunk, true))
            throw runFailure(options.presetFile + ": the plug-in refused the program");
    }
    std::vector<std::string> names = parameterNames(plugin);
    for (const auto& [name, valueText] : options.settings) {
        int index = ParameterText::find(names, name);
        if (index < 0)
            throw usageError("--set " + name + "=" + valueText + ": no parameter named \"" + name
                             + "\" (see --list-params)");
        float normalized = 0.0f;
        if (!ParameterText::hostValue(names[index], valueText, normalized)) {
            std::string entries = ParameterText::entries(names[index]);
            throw usageError("--set " + name + "=" + valueText + ": give a value from 0 to 1"
                             + (entries.empty() ? std::string() : " or one of: " + entries));
        }
        plugin.setParameter(index, normalized);
    }
}

std::vector<std::string> SoundSetup::parameterNames(PluginInstance& plugin)
{
    std::vector<std::string> names;
    for (int i = 0; i < plugin.parameterCount(); ++i)
        names.push_back(plugin.parameterName(i));
    return names;
}

// A number picks the program counted from 1, as the list shows them; anything else is a name.
int SoundSetup::programIndex(PluginInstance& plugin, const std::string& wanted)
{
    double number = 0.0;
    if (parseNumber(wanted, number)) {
        // The range first: a number beyond int would not survive the conversion that checks wholeness.
        if (number < 1 || number > plugin.programCount() || number != std::floor(number))
            throw usageError("--program " + wanted + ": give a number from 1 to "
                             + std::to_string(plugin.programCount()) + " or a name (see --list-programs)");
        return static_cast<int>(number) - 1;
    }
    for (int i = 0; i < plugin.programCount(); ++i) {
        std::string name = plugin.programName(i);
        if (strcasecmp(name.c_str(), wanted.c_str()) == 0)
            return i;
        // "Init 5" is how the fifth program shows while it still carries the name "Init".
        std::string numbered = "Init " + std::to_string(i + 1);
        if (name == "Init" && strcasecmp(numbered.c_str(), wanted.c_str()) == 0)
            return i;
    }
    throw usageError("--program " + wanted + ": no program of that name (see --list-programs)");
}
