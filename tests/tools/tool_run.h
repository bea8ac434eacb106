// Runs one of our command-line programs as a user would and keeps its exit status and messages.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string shellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Standard output and error go to files beside capturePrefix, so nothing depends on pipes filling up.
inline ToolRun runTool(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& capturePrefix)
{
    std::string command = shellQuoted(program);
    for (const std::string& argument : arguments)
        command += " " + shellQuoted(argument);
    std::string outFile = capturePrefix + ".stdout";
    std::string errFile = capturePrefix + ".stderr";
    command += " >" + shellQuoted(outFile) + " 2>" + shellQuoted(errFile) + " </dev/null";
    ToolRun run;
    int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    auto slurp = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    run.out = slurp(outFile);
    run.err = slurp(errFile);
    std::remove(outFile.c_str());
    std::remove(errFile.c_str());
    return run;
}
