// A plug-in module file loaded with dlopen, and its entry point found under the names Linux hosts use.
#pragma once

#include <string>

#include "host/vst_interface.h"

typedef AEffect* (*PluginEntry)(audioMasterCallback host);

class PluginModule {
public:
    // Throws a run failure naming the file when it is missing, cannot be loaded or has no entry point.
    explicit PluginModule(const std::string& path);
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    PluginEntry entry() const { return entryPoint; }
    const std::string& path() const { return modulePath; }

    // The module beside this program in the build tree (the relative path is fixed when it is built).
    static std::string besideTool();

private:
    std::string modulePath;
    void* handle = nullptr;
    PluginEntry entryPoint = nullptr;
};
