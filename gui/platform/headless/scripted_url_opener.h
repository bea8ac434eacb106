// The headless layer's address opener: records the addresses, opens nothing.
#pragma once

#include "gui/platform/url_opener.h"

#include <string>
#include <vector>

class ScriptedUrlOpener : public UrlOpener {
public:
    // The next open fails with this reason (as on a system without xdg-open).
    static void refuseNext(const std::string& reason);
    static void reset();
    // Every address asked for since the last reset, refused ones included.
    static const std::vector<std::string>& requested();

    UrlOpenResult open(const std::string& address, const std::function<void()>& whileWaiting) override;
};
