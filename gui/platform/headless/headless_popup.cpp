// Headless pop-ups.
#include "gui/platform/headless/headless_popup.h"

#include "gui/platform/headless/headless_window.h"

HeadlessPopup::HeadlessPopup(HeadlessWindow& window, const CRect& area)
    : window(window), area(area), wasOpen(window.popupOpen)
{
    window.popups++;
    window.popupArea = area;
    window.popupOpen = true;
}

HeadlessPopup::~HeadlessPopup()
{
    window.popupOpen = wasOpen;
}

void HeadlessPopup::present(const PixelBuffer& image)
{
    window.popupImage = image;
    window.popupArea = area;
}

bool HeadlessPopup::waitEvent(PlatformEvent& event)
{
    return window.script.nextPopupEvent(event, area);
}
