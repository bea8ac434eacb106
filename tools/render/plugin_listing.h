// What --list-programs and --list-params print: the plug-in's programs and parameters as a host shows them.
#pragma once

#include <cstdio>

class PluginInstance;

class PluginListing {
public:
    // "  1  Name", one program a line, numbered from 1 as --program takes them.
    static void programs(PluginInstance& plugin, std::FILE* out);
    // Name, value text and unit read through the dispatcher, and the list entry a list value selects.
    static void parameters(PluginInstance& plugin, std::FILE* out);
};
