// A desktop program run beside the host (file dialog, xdg-open): spawned without fork, in a cleaned
// environment, its output read and the process reaped without ever blocking for long.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

class HelperProcess {
public:
    // The program's full path found on PATH, empty when it is not installed.
    static std::string findProgram(const std::string& name);
    // The environment given to helpers: ours without the dynamic loader's variables (LD_LIBRARY_PATH,
    // LD_PRELOAD, ...) and the GTK/Qt module paths that hosts set for their own bundled libraries; a helper
    // started with them loads the host's libraries and fails.
    static std::vector<std::string> helperEnvironment(char** environment);
    static bool isHostOnlyVariable(const std::string& entry);
    // Reaps helpers that outlived their HelperProcess (xdg-open waiting for a browser) once they end.
    static void reapOrphans();

    HelperProcess() = default;
    // A helper still running is left to reapOrphans, never waited for here.
    ~HelperProcess();
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    // Starts program (a full path) with arguments; standard input and error go to /dev/null, standard output
    // is kept when captureOutput, else it goes to /dev/null too. False when it could not start.
    bool start(const std::string& program, const std::vector<std::string>& arguments, bool captureOutput);
    // Takes ready output and reaps the process once it has ended, waiting at most waitMs for something to
    // happen. True while it runs.
    bool poll(int waitMs);
    bool running() const { return pid > 0; }
    // The exit status, -1 while running, after a signal, or when someone else reaped it (a host that ignores
    // SIGCHLD or reaps every child itself).
    int exitStatus() const { return status; }
    const std::string& output() const { return captured; }

private:
    void readOutput();
    void reap();

    pid_t pid = -1;
    int outputFd = -1;
    int status = -1;
    std::string captured;
};
