// The built module as the dynamic loader sees it: only the two entry points leave it, and nothing in it
// is left for the loader to find except in the system's own libraries.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string run(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char line[512];
    while (std::fgets(line, sizeof(line), pipe))
        output += line;
    pclose(pipe);
    return output;
}

// The shipped module (X11 layer) and the one the other tests load (headless layer).
const char* const kModules[] = {RAVENSOOT_SHIPPED_MODULE_PATH, RAVENSOOT_MODULE_PATH};

}  // namespace

TEST(ModuleExports, OnlyTheTwoEntryPointsAreExported)
{
    for (const char* module : kModules) {
        std::string table = run(std::string("nm -D --defined-only '") + module + "'");
        std::set<std::string> names;
        std::istringstream lines(table);
        for (std::string line; std::getline(lines, line);)
            names.insert(line.substr(line.rfind(' ') + 1));
        EXPECT_EQ(names, (std::set<std::string>{"VSTPluginMain", "main"})) << module << "\n" << table;
    }
}

TEST(ModuleExports, NoSymbolIsLeftUndefined)
{
    for (const char* module : kModules) {
        std::string report = run(std::string("ldd -r '") + module + "' 2>&1");
        EXPECT_NE(report.find("libc.so"), std::string::npos) << report;
        EXPECT_EQ(report.find("undefined symbol"), std::string::npos) << report;
        EXPECT_EQ(report.find("not found"), std::string::npos) << report;
    }
}
