// An X server of the tests' own (Xvfb on a display number it picks itself), shared by one test program.
#pragma once

#include <string>
#include <sys/types.h>

class XvfbServer {
public:
    // Started on first use and stopped when the program ends; DISPLAY names it from then on.
    static XvfbServer& shared();
    ~XvfbServer();

    bool running() const { return pid > 0; }
    // Why it is not running (for the skip message).
    const std::string& failure() const { return reason; }
    const std::string& displayName() const { return name; }

private:
    XvfbServer();

    pid_t pid = -1;
    std::string name;
    std::string reason;
};
