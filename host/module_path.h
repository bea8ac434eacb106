// Where the module file lies: asks the dynamic loader which file holds our own code.
#pragma once

#include <cstddef>

#include "engine/path_separator.h"

class ModulePath {
public:
    // Full path of the file this code was loaded from; false (and an empty text) when unknown.
    static bool modulePath(char* path, std::size_t capacity);
    // The folder without a trailing separator, and the file name without anything from its first ".".
    static void split(const char* path, char* folder, std::size_t folderCapacity, char* name,
                      std::size_t nameCapacity);
};
