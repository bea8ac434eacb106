// Opening an address (the manual's page) in the user's browser.
#pragma once

#include <functional>
#include <memory>
#include <string>

struct UrlOpenResult {
    bool opened = false;
    std::string reason;  // why not, for the user
};

class UrlOpener {
public:
    // Defined by the platform layer the build links (the headless one records the addresses).
    static std::unique_ptr<UrlOpener> create();

    virtual ~UrlOpener() = default;
    // Hands the address to the desktop; waits at most a moment (whileWaiting runs meanwhile), never for the
    // browser to close.
    virtual UrlOpenResult open(const std::string& address, const std::function<void()>& whileWaiting) = 0;
};
