// Starting and stopping Xvfb: -displayfd lets the server choose a free display and say which when it is ready.
#include "xvfb_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

extern char** environ;

XvfbServer& XvfbServer::shared()
{
    static XvfbServer server;
    return server;
}

XvfbServer::XvfbServer()
{
    int ready[2];
    if (pipe(ready) != 0) {
        reason = "no pipe for Xvfb";
        return;
    }
    fcntl(ready[0], F_SETFD, FD_CLOEXEC);
    std::string fd = std::to_string(ready[1]);
    const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                          "-ac", "-nocursor", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t started = -1;
    int failed = posix_spawnp(&started, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ready[1]);
    if (failed != 0) {
        close(ready[0]);
        reason = std::string("Xvfb cannot be started (") + std::strerror(failed) + "); install the xvfb package";
        return;
    }
    std::string number;
    pollfd wait{ready[0], POLLIN, 0};
    char c = 0;
    while (poll(&wait, 1, 10000) > 0 && read(ready[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(ready[0]);
    if (number.empty() || c != '\n') {
        kill(started, SIGKILL);
        waitpid(started, nullptr, 0);
        reason = "Xvfb started but did not report a display within 10 s";
        return;
    }
    pid = started;
    name = ":" + number;
    setenv("DISPLAY", name.c_str(), 1);
}

XvfbServer::~XvfbServer()
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}
