// The desktop dialog and xdg-open run as helper programs: fake ones on PATH (shell scripts) record their
// arguments and environment and print an answer, the way zenity, kdialog and xdg-open do.
#include <gtest/gtest.h>

#include "gui/platform/x11/desktop_file_dialog.h"
#include "gui/platform/x11/helper_process.h"
#include "gui/platform/x11/xdg_url_opener.h"
#include "support/temp_folder.h"

#include <signal.h>
#include <sys/stat.h>

#include <cstdlib>
#include <sstream>

namespace {

using Status = FileDialogResult::Status;

// Children of this process that ended and were not reaped.
int zombieChildren()
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line) || line.rfind(')') == std::string::npos)
            continue;
        std::istringstream rest(line.substr(line.rfind(')') + 2));
        char state = 0;
        long parent = 0;
        rest >> state >> parent;
        count += (state == 'Z' && parent == long(getpid())) ? 1 : 0;
    }
    return count;
}

class DesktopServicesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* path = std::getenv("PATH");
        savedPath = path != nullptr ? path : "";
        setenv("PATH", folder.path.c_str(), 1);
        setenv("LD_LIBRARY_PATH", "/opt/host/lib", 1);
        setenv("LD_PRELOAD", "/opt/host/lib/libhook.so", 1);
        setenv("QT_PLUGIN_PATH", "/opt/host/plugins", 1);
        setenv("RAVENSOOT_KEPT", "yes", 1);
    }
    void TearDown() override
    {
        setenv("PATH", savedPath.c_str(), 1);
        for (const char* name : {"LD_LIBRARY_PATH", "LD_PRELOAD", "QT_PLUGIN_PATH", "RAVENSOOT_KEPT"})
            unsetenv(name);
    }
    // A program on PATH that records its arguments (one a line) and environment, then runs body.
    void fakeProgram(const std::string& name, const std::string& body)
    {
        folder.write(name, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + folder.file("args") +
                               "'\n/usr/bin/env > '" + folder.file("env") + "'\n" + body + "\n");
        chmod(folder.file(name).c_str(), 0755);
    }
    std::string recorded(const std::string& what) { return folder.read(what); }

    TempFolder folder{"desktop"};
    std::string savedPath;
    DesktopFileDialog dialog;
    int waits = 0;
    std::function<void()> keepAlive = [this] { waits++; };
};

TEST_F(DesktopServicesTest, ZenityGetsTheTitleAndFilterAndAPlainEnvironmentAndItsPathComesBack)
{
    folder.write("bank.fxb", "x");
    fakeProgram("zenity", "/bin/sleep 0.2\nprintf '%s\\n' '" + folder.file("bank.fxb") + "'");
    FileDialogResult result = dialog.run(FileDialogRequest::open("fxb"), keepAlive);
    EXPECT_EQ(result.status, Status::kChosen);
    EXPECT_EQ(result.path, folder.file("bank.fxb"));
    EXPECT_EQ(recorded("args"), "--file-selection\n--title=Load fxb File\n--file-filter=fxb files (*.fxb) | *.fxb\n");
    std::string environment = recorded("env");
    EXPECT_EQ(environment.find("LD_LIBRARY_PATH"), std::string::npos);
    EXPECT_EQ(environment.find("LD_PRELOAD"), std::string::npos);
    EXPECT_EQ(environment.find("QT_PLUGIN_PATH"), std::string::npos);
    EXPECT_NE(environment.find("RAVENSOOT_KEPT=yes"), std::string::npos);
    // The editor's window was kept alive while the dialog was up.
    EXPECT_GE(waits, 5);

    fakeProgram("zenity", "printf '%s\\n' '" + folder.file("new") + "'");
    result = dialog.run(FileDialogRequest::save("fxp"), keepAlive);
    EXPECT_EQ(result.path, folder.file("new.fxp"));
    EXPECT_EQ(recorded("args"),
              "--file-selection\n--title=Save fxp File\n--save\n--confirm-overwrite\n"
              "--file-filter=fxp files (*.fxp) | *.fxp\n");

    fakeProgram("zenity", "printf '/%0600d\\n' 0");
    EXPECT_EQ(dialog.run(FileDialogRequest::save("fxp"), keepAlive).status, Status::kCancelled);
    fakeProgram("zenity", "exit 1");
    EXPECT_EQ(dialog.run(FileDialogRequest::save("fxp"), keepAlive).status, Status::kCancelled);
    fakeProgram("zenity", "exit 255");
    EXPECT_EQ(dialog.run(FileDialogRequest::save("fxp"), keepAlive).status, Status::kFailed);
}

TEST_F(DesktopServicesTest, KdialogServesWhenZenityIsMissingAndNeitherIsAClearFailure)
{
    FileDialogResult none = dialog.run(FileDialogRequest::open("fxp"), keepAlive);
    EXPECT_EQ(none.status, Status::kUnavailable);
    EXPECT_EQ(none.reason, DesktopFileDialog::kNoProgramReason);

    fakeProgram("kdialog", "printf '%s\\n' '" + folder.file("preset") + "'");
    FileDialogRequest request = FileDialogRequest::save("fxp");
    request.parentWindow = reinterpret_cast<void*>(uintptr_t(4242));
    EXPECT_EQ(dialog.run(request, keepAlive).path, folder.file("preset.fxp"));
    const char* home = std::getenv("HOME");
    EXPECT_EQ(recorded("args"), "--attach\n4242\n--title\nSave fxp File\n--getsavefilename\n" +
                                    std::string(home != nullptr ? home : "/") + "\nfxp files (*.fxp)\n");
}

TEST_F(DesktopServicesTest, AHostThatIgnoresChildSignalsStillGetsTheAnswer)
{
    folder.write("bank.fxb", "x");
    fakeProgram("zenity", "printf '%s\\n' '" + folder.file("bank.fxb") + "'");
    struct sigaction ignore {}, saved {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGCHLD, &ignore, &saved);
    FileDialogResult result = dialog.run(FileDialogRequest::open("fxb"), keepAlive);
    sigaction(SIGCHLD, &saved, nullptr);
    EXPECT_EQ(result.path, folder.file("bank.fxb"));
}

TEST_F(DesktopServicesTest, XdgOpenGetsTheAddressAndABrowserThatStaysIsNotWaitedFor)
{
    XdgUrlOpener opener;
    EXPECT_FALSE(opener.open("file:///manual.html", keepAlive).opened);
    fakeProgram("xdg-open", "exit 0");
    EXPECT_TRUE(opener.open("file:///manual.html", keepAlive).opened);
    EXPECT_EQ(recorded("args"), "file:///manual.html\n");
    EXPECT_FALSE(opener.open("--help", keepAlive).opened);
    fakeProgram("xdg-open", "exit 4");
    UrlOpenResult failed = opener.open("file:///manual.html", keepAlive);
    EXPECT_FALSE(failed.opened);
    EXPECT_FALSE(failed.reason.empty());

    // It waits a moment, not for the browser; the helper is reaped once it ends.
    fakeProgram("xdg-open", "/bin/sleep 2.5");
    EXPECT_TRUE(opener.open("file:///manual.html", keepAlive).opened);
    HelperProcess::reapOrphans();
    fakeProgram("xdg-open", "exit 0");
    EXPECT_EQ(zombieChildren(), 0);
    sleep(1);
    EXPECT_EQ(zombieChildren(), 1);
    EXPECT_TRUE(opener.open("file:///manual.html", keepAlive).opened);  // reaps the one before as it starts
    EXPECT_EQ(zombieChildren(), 0);
}

}  // namespace
