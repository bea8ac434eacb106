// A pop-up of the headless layer: its picture is kept for tests, its events come from the window's script.
#pragma once

#include "gui/platform/platform_window.h"

class HeadlessWindow;

class HeadlessPopup : public PlatformPopup {
public:
    HeadlessPopup(HeadlessWindow& window, const CRect& area);
    ~HeadlessPopup() override;

    void present(const PixelBuffer& image) override;
    // False once the script has nothing left: the menu closes as dismissed.
    bool waitEvent(PlatformEvent& event) override;

private:
    HeadlessWindow& window;
    CRect area;
    bool wasOpen;
};
