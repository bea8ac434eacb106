// The headless window: script in, pixels out.
#include "gui/platform/headless/headless_window.h"

#include "gui/c_frame.h"
#include "gui/platform/headless/headless_popup.h"
#include "gui/png_writer.h"

#include <algorithm>

namespace {

// Open windows, newest last; only the user-interface thread touches it.
std::vector<HeadlessWindow*>& openWindows()
{
    static std::vector<HeadlessWindow*> windows;
    return windows;
}

using Kind = HeadlessScript::Step::Kind;

HeadlessScript::Step step(Kind kind, int32_t x = 0, int32_t y = 0, int32_t buttons = 0, int32_t value = 0)
{
    HeadlessScript::Step made;
    made.kind = kind;
    made.where = CPoint(x, y);
    made.buttons = buttons;
    made.value = value;
    return made;
}

}  // namespace

std::unique_ptr<PlatformWindow> PlatformWindow::create(PlatformEventHandler& handler)
{
    return std::make_unique<HeadlessWindow>(handler);
}

HeadlessWindow::HeadlessWindow(PlatformEventHandler& handler) : handler(handler) {}

HeadlessWindow::~HeadlessWindow()
{
    close();
}

HeadlessWindow* HeadlessWindow::of(CFrame* frame)
{
    return frame != nullptr ? dynamic_cast<HeadlessWindow*>(frame->getPlatformWindow()) : nullptr;
}

HeadlessWindow* HeadlessWindow::latest()
{
    return openWindows().empty() ? nullptr : openWindows().back();
}

bool HeadlessWindow::open(void* parentWindow, int32_t width, int32_t height)
{
    if (opened || width <= 0 || height <= 0)
        return false;
    shown = PixelBuffer(width, height, PixelBuffer::pack(0, 0, 0, 255));
    if (shown.empty())
        return false;
    parent = parentWindow;
    opened = true;
    openWindows().push_back(this);
    return true;
}

void HeadlessWindow::close()
{
    if (!opened)
        return;
    opened = false;
    auto& windows = openWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
}

void HeadlessWindow::present(const PixelBuffer& backBuffer, const CRect& area)
{
    if (!opened)
        return;
    shown.copy(backBuffer, area, area.topLeft(), shown.bounds());
    presents++;
    lastArea = area;
}

void HeadlessWindow::pumpEvents(bool inputAllowed)
{
    if (!opened || !inputAllowed)
        return;
    PlatformEvent event;
    while (opened && script.nextWindowEvent(event))
        handler.handlePlatformEvent(event);
}

int32_t HeadlessWindow::queryPointer(CPoint& where)
{
    return script.poll(where);
}

void HeadlessWindow::pointerLocation(CPoint& where)
{
    where = script.position();
}

std::unique_ptr<PlatformPopup> HeadlessWindow::openPopup(const CRect& area)
{
    if (!opened)
        return nullptr;
    return std::make_unique<HeadlessPopup>(*this, area);
}

HeadlessWindow& HeadlessWindow::press(int32_t x, int32_t y, int32_t buttons)
{
    script.add(step(Kind::kPress, x, y, buttons));
    return *this;
}

HeadlessWindow& HeadlessWindow::move(int32_t x, int32_t y)
{
    script.add(step(Kind::kMove, x, y));
    return *this;
}

HeadlessWindow& HeadlessWindow::release(int32_t buttons)
{
    script.add(step(Kind::kRelease, 0, 0, buttons));
    return *this;
}

HeadlessWindow& HeadlessWindow::wheel(int32_t x, int32_t y, float notches)
{
    HeadlessScript::Step made = step(Kind::kWheel, x, y);
    made.wheel = notches;
    script.add(made);
    return *this;
}

HeadlessWindow& HeadlessWindow::modifiers(int32_t mask)
{
    script.add(step(Kind::kModifiers, 0, 0, 0, mask));
    return *this;
}

HeadlessWindow& HeadlessWindow::wait(int32_t ms)
{
    script.add(step(Kind::kWait, 0, 0, 0, ms));
    return *this;
}

HeadlessWindow& HeadlessWindow::chooseMenuEntry(int32_t index)
{
    script.add(step(Kind::kChoose, 0, 0, 0, index));
    return *this;
}

HeadlessWindow& HeadlessWindow::dismissMenu()
{
    script.add(step(Kind::kDismiss));
    return *this;
}

HeadlessWindow& HeadlessWindow::key(int32_t code)
{
    script.add(step(Kind::kKey, 0, 0, 0, code));
    return *this;
}

bool HeadlessWindow::writePng(const std::string& path) const
{
    return PngWriter::write(shown, path);
}
