// A file:// address for a local path, as browsers and xdg-open take it.
#pragma once

#include <string>

class FileUrl {
public:
    // "file://" and the absolute path with every byte outside the unreserved set and "/" percent-encoded
    // (spaces, "#", "?" and non-ASCII names would otherwise cut or change the address). Empty for a path
    // that is not absolute.
    static std::string fromPath(const std::string& path);
};
