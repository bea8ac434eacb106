// Skin folder paths and the case-tolerant file lookup.
#include "editor/skin_folder.h"

#include "engine/path_separator.h"

#include <cstdio>
#include <dirent.h>
#include <strings.h>
#include <unistd.h>

bool SkinFolder::set(const char* dataFolderPrefix, const char* skinName)
{
    folder[0] = '\0';
    if (dataFolderPrefix == nullptr || dataFolderPrefix[0] == '\0' || skinName == nullptr)
        return false;
    int length = std::snprintf(folder, sizeof folder, "%sSkins%c%s", dataFolderPrefix, kPathSeparator, skinName);
    if (length < 0 || size_t(length) >= sizeof folder) {
        folder[0] = '\0';
        return false;
    }
    return true;
}

bool SkinFolder::find(const char* fileName, char* out, size_t capacity) const
{
    if (folder[0] == '\0' || fileName == nullptr || out == nullptr)
        return false;
    int length = std::snprintf(out, capacity, "%s%c%s", folder, kPathSeparator, fileName);
    if (length < 0 || size_t(length) >= capacity)
        return false;
    if (access(out, R_OK) == 0)
        return true;
    DIR* listing = opendir(folder);
    if (listing == nullptr)
        return false;
    bool found = false;
    while (dirent* entry = readdir(listing)) {
        if (strcasecmp(entry->d_name, fileName) == 0) {
            length = std::snprintf(out, capacity, "%s%c%s", folder, kPathSeparator, entry->d_name);
            found = length >= 0 && size_t(length) < capacity;
            break;
        }
    }
    closedir(listing);
    return found;
}
