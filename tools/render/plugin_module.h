// A plug-in module file loaded with dlopen, and its entry point found under the names Linux hosts use.
#pragma once

#include <memory>
#include <string>

#include "tools/vst_hosting/vst_module.h"

class PluginModule {
public:
    // Throws a run failure naming the file when it is missing, cannot be loaded or has no entry point.
    explicit PluginModule(const std::string& path);
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    VstEntryProc entry() const { return module->entry(); }
    const std::string& path() const { return modulePath; }

    // The module beside this program in the build tree (the relative path is fixed when it is built).
    static std::string besideTool();

private:
    std::string modulePath;
    std::unique_ptr<VstModule> module;
};
