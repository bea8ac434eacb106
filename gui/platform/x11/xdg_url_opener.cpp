// xdg-open as a helper process; some desktops make it wait for the browser, so we wait only a little.
#include "gui/platform/x11/xdg_url_opener.h"

#include "gui/platform/platform_time.h"
#include "gui/platform/x11/helper_process.h"

namespace {

constexpr int kPollMs = 16;

}  // namespace

UrlOpenResult XdgUrlOpener::open(const std::string& address, const std::function<void()>& whileWaiting)
{
    UrlOpenResult result;
    // An address starting with '-' would be read as an option.
    if (address.empty() || address[0] == '-') {
        result.reason = "No address to open";
        return result;
    }
    std::string program = HelperProcess::findProgram("xdg-open");
    if (program.empty()) {
        result.reason = "No xdg-open: install xdg-utils";
        return result;
    }
    HelperProcess opener;
    if (!opener.start(program, {address}, false)) {
        result.reason = "xdg-open did not start";
        return result;
    }
    int64_t until = PlatformTime::nowMs() + kAnswerWaitMs;
    while (opener.poll(kPollMs) && PlatformTime::nowMs() < until) {
        if (whileWaiting)
            whileWaiting();
    }
    if (opener.running() || opener.exitStatus() == 0 || opener.exitStatus() < 0) {
        result.opened = true;
        return result;
    }
    result.reason = "xdg-open could not open " + address;
    return result;
}
