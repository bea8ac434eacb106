// The built module copied into a folder of its own, so a test chooses what lies beside it.
#pragma once

#include <filesystem>
#include <string>

#include "support/temp_folder.h"

struct ModuleCopy {
    ModuleCopy(const std::string& tag, bool withDataFolder) : folder(tag)
    {
        path = folder.file("RavenSoot3.so");
        std::filesystem::copy_file(RAVENSOOT_MODULE_PATH, path);
        if (withDataFolder)
            std::filesystem::create_directories(folder.path / "RavenSootData");
    }

    std::string dataFile(const std::string& name) const
    {
        return (folder.path / "RavenSootData" / name).string();
    }

    TempFolder folder;
    std::string path;
};
