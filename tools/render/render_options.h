// What one run of ravensoot-render was asked to do, read from its command line.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct RenderOptions {
    std::string input;
    std::string output;
    std::string modulePath; // empty: the module beside the tool in the build tree
    std::string program;    // a number 1..64 or a program name; empty keeps the module's first program
    std::string bankFile;
    std::string presetFile;
    // NAME=VALUE texts in command-line order, resolved once the module is open.
    std::vector<std::pair<std::string, std::string>> settings;
    double tempo = 120.0;
    int blockSize = 512;
    double tailSeconds = 0.0;
    std::string bits; // "", "16", "24", "32" or "float"
    bool monoOutput = false;
    bool quiet = false;
    bool listPrograms = false;
    bool listParams = false;
    bool help = false;
    bool version = false;

    bool wantsListing() const { return listPrograms || listParams; }
};

class OptionParser {
public:
    // Throws a usage ToolError for anything it cannot take.
    static RenderOptions parse(int argc, const char* const* argv);
};
