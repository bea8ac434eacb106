// What --list-programs and --list-params print: the plug-in's programs and parameters as a host shows them.
#include "tools/render/plugin_listing.h"

#include <string>

#include "tools/render/parameter_text.h"
#include "tools/render/plugin_instance.h"

void PluginListing::programs(PluginInstance& plugin, std::FILE* out)
{
    for (int i = 0; i < plugin.programCount(); ++i)
        std::fprintf(out, "%3d  %s\n", i + 1, plugin.programName(i).c_str());
}

void PluginListing::parameters(PluginInstance& plugin, std::FILE* out)
{
    for (int i = 0; i < plugin.parameterCount(); ++i) {
        std::string name = plugin.parameterName(i);
        std::string value = plugin.parameterDisplay(i);
        std::string label = plugin.parameterLabel(i);
        std::string shown = label.empty() ? value : value + " " + label;
        std::string entry = ParameterText::entryText(name, plugin.getParameter(i));
        if (!entry.empty())
            shown += "  (" + entry + ")";
        std::fprintf(out, "%-16s %s\n", name.c_str(), shown.c_str());
    }
}
