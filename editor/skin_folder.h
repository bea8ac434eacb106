// Where a skin's files lie: the skin folder inside the data folder, and files found by name with their
// exact case first, then in any case (skins made on systems whose file names ignore case).
#pragma once

#include <cstddef>

class SkinFolder {
public:
    static constexpr size_t kPathSize = 512;

    // dataFolderPrefix ends with the separator ("<module folder>/RavenSootData/"). False when the path
    // does not fit or there is no data folder.
    bool set(const char* dataFolderPrefix, const char* skinName);
    const char* path() const { return folder; }

    // The path of fileName in the skin folder; false when no file of that name, in any case, is there.
    bool find(const char* fileName, char* out, size_t capacity) const;

private:
    char folder[kPathSize] = {};
};
