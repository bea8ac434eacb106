// A plug-in module file loaded with dlopen, and its entry point found under the names Linux hosts use.
#include "tools/render/plugin_module.h"

#include <sys/stat.h>

#include <filesystem>

#include "tools/render/tool_error.h"

PluginModule::PluginModule(const std::string& path) : modulePath(path)
{
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        throw runFailure(path + ": no plug-in module there (build it with make, or give --module PATH)");
    // A bare file name would send dlopen searching the library path instead of the current folder.
    module = std::make_unique<VstModule>(path.find('/') == std::string::npos ? "./" + path : path);
    if (!module->loaded())
        throw runFailure(path + ": cannot load the module (" + module->error() + ")");
    if (!module->entry())
        throw runFailure(path + ": not a VST 2.x module (no VSTPluginMain or main)");
}

PluginModule::~PluginModule() = default;

std::string PluginModule::besideTool()
{
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return RAVENSOOT_RENDER_MODULE_FROM_TOOL;
    return (self.parent_path() / RAVENSOOT_RENDER_MODULE_FROM_TOOL).lexically_normal().string();
}
