// The failure a tool run ends with: its exit status and the one line that explains it.
#pragma once

#include <string>

constexpr int kExitFailure = 1; // the run could not be done: files, module, formats
constexpr int kExitUsage = 2;   // the command line asks for something that does not exist

struct ToolError {
    int status;
    std::string message; // names the file or option first, then the reason
};

inline ToolError usageError(const std::string& message)
{
    return ToolError{kExitUsage, message};
}

inline ToolError runFailure(const std::string& message)
{
    return ToolError{kExitFailure, message};
}
