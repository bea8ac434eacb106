// A plug-in module loaded with dlopen, and its entry point found as hosts look for it.
#pragma once

#include <string>

#include "host/vst_interface.h"

typedef AEffect* (*VstEntryProc)(audioMasterCallback host);

class VstModule {
public:
    // Loads the module at once; loaded() tells whether that worked and error() why not.
    explicit VstModule(const std::string& path);
    ~VstModule();
    VstModule(const VstModule&) = delete;
    VstModule& operator=(const VstModule&) = delete;

    bool loaded() const { return handle != nullptr; }
    const std::string& error() const { return message; }
    const std::string& path() const { return modulePath; }

    // "VSTPluginMain" first, then "main", as Linux hosts do.
    VstEntryProc entry() const;
    void* symbol(const char* name) const;

private:
    void* handle = nullptr;
    std::string modulePath;
    std::string message;
};
