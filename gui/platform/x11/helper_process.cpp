// Helper processes: posix_spawn (a forked copy of a multi-threaded host could deadlock before exec),
// reading output with poll, reaping with WNOHANG.
#include "gui/platform/x11/helper_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace {

// Enough for any path; more output than this is not a path we would use.
constexpr size_t kMaxOutput = 64 * 1024;

const char* const kHostOnlyVariables[] = {
    "GTK_PATH", "GTK_MODULES", "GTK2_MODULES", "GTK3_MODULES", "GTK_EXE_PREFIX", "GTK_DATA_PREFIX",
    "GTK_IM_MODULE_FILE", "GDK_PIXBUF_MODULE_FILE", "GDK_PIXBUF_MODULEDIR", "GIO_MODULE_DIR",
    "GIO_EXTRA_MODULES", "QT_PLUGIN_PATH", "QT_QPA_PLATFORM_PLUGIN_PATH", "PYTHONHOME", "PYTHONPATH",
};

// Helpers that outlived their owner; only the user-interface thread starts and reaps helpers.
std::vector<pid_t>& orphans()
{
    static std::vector<pid_t> list;
    return list;
}

}  // namespace

std::string HelperProcess::findProgram(const std::string& name)
{
    if (name.empty() || name.find('/') != std::string::npos)
        return std::string();
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        std::string folder = folders.substr(start, end - start);
        if (!folder.empty()) {
            std::string candidate = folder + "/" + name;
            struct stat info {};
            if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        start = end + 1;
    }
    return std::string();
}

bool HelperProcess::isHostOnlyVariable(const std::string& entry)
{
    std::string name = entry.substr(0, entry.find('='));
    if (name.compare(0, 3, "LD_") == 0)
        return true;
    for (const char* variable : kHostOnlyVariables)
        if (name == variable)
            return true;
    return false;
}

std::vector<std::string> HelperProcess::helperEnvironment(char** environment)
{
    std::vector<std::string> kept;
    for (char** entry = environment; entry != nullptr && *entry != nullptr; ++entry)
        if (std::strchr(*entry, '=') != nullptr && !isHostOnlyVariable(*entry))
            kept.emplace_back(*entry);
    return kept;
}

void HelperProcess::reapOrphans()
{
    auto& list = orphans();
    for (size_t i = 0; i < list.size();) {
        pid_t answer = waitpid(list[i], nullptr, WNOHANG);
        if (answer == 0) {
            ++i;
            continue;
        }
        // Ended and reaped, or reaped by someone else (ECHILD): either way it is gone.
        list.erase(list.begin() + long(i));
    }
}

HelperProcess::~HelperProcess()
{
    if (outputFd >= 0)
        close(outputFd);
    if (pid > 0) {
        reap();
        if (pid > 0)
            orphans().push_back(pid);
    }
}

bool HelperProcess::start(const std::string& program, const std::vector<std::string>& arguments, bool captureOutput)
{
    if (pid > 0 || program.empty())
        return false;
    reapOrphans();
    captured.clear();
    status = -1;

    std::vector<std::string> environment = helperEnvironment(environ);
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::vector<std::string> words;
    words.push_back(program);
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    int output[2] = {-1, -1};
    if (captureOutput && pipe2(output, O_CLOEXEC) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (captureOutput)
        posix_spawn_file_actions_adddup2(&actions, output[1], 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    // The host's own descriptors that lack close-on-exec stay with the host.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
#endif
    // The host may block or ignore signals on this thread; the helper starts with the defaults.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t started = -1;
    int failed = posix_spawn(&started, program.c_str(), &actions, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (captureOutput)
        close(output[1]);
    if (failed != 0) {
        if (captureOutput)
            close(output[0]);
        return false;
    }
    pid = started;
    outputFd = captureOutput ? output[0] : -1;
    // Reads take only what is there: a grandchild holding the pipe open must not hold us.
    if (outputFd >= 0)
        fcntl(outputFd, F_SETFL, fcntl(outputFd, F_GETFL) | O_NONBLOCK);
    return true;
}

void HelperProcess::readOutput()
{
    char chunk[4096];
    for (;;) {
        ssize_t got = read(outputFd, chunk, sizeof(chunk));
        if (got > 0) {
            if (captured.size() < kMaxOutput)
                captured.append(chunk, size_t(got));
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got == 0 || errno != EAGAIN) {
            close(outputFd);
            outputFd = -1;
        }
        return;
    }
}

void HelperProcess::reap()
{
    int raw = 0;
    pid_t answer = waitpid(pid, &raw, WNOHANG);
    if (answer == 0 || (answer < 0 && errno == EINTR))
        return;
    if (answer == pid && WIFEXITED(raw))
        status = WEXITSTATUS(raw);
    pid = -1;
}

bool HelperProcess::poll(int waitMs)
{
    if (pid <= 0)
        return false;
    if (outputFd >= 0) {
        pollfd ready{outputFd, POLLIN, 0};
        if (::poll(&ready, 1, waitMs) > 0)
            readOutput();
    } else if (waitMs > 0) {
        ::poll(nullptr, 0, waitMs);
    }
    reap();
    // What it wrote just before it ended.
    if (pid <= 0 && outputFd >= 0)
        readOutput();
    return pid > 0;
}
