// Puts the plug-in into the sound the command line asks for: bank, then program, then preset, then
// each --set in order, all before audio starts, as a host restores a song.
#pragma once

#include <string>
#include <vector>

struct RenderOptions;
class PluginInstance;

class SoundSetup {
public:
    // Throws a usage error for an unknown program or parameter or a value the parameter cannot take,
    // a run failure for a bank or preset file that cannot be used.
    static void apply(PluginInstance& plugin, const RenderOptions& options);
    // The host's names of all parameters, in index order.
    static std::vector<std::string> parameterNames(PluginInstance& plugin);

private:
    static int programIndex(PluginInstance& plugin, const std::string& wanted);
};
