// Opening an address with xdg-open, the desktop's own choice of program.
#pragma once

#include "gui/platform/url_opener.h"

class XdgUrlOpener : public UrlOpener {
public:
    // How long we wait for xdg-open's answer before leaving it to finish on its own.
    static constexpr int kAnswerWaitMs = 2000;

    UrlOpenResult open(const std::string& address, const std::function<void()>& whileWaiting) override;
};
