// The headless platform layer: a window without a screen, driven by a script, showing into a pixel buffer.
#pragma once

#include "gui/platform/headless/headless_script.h"
#include "gui/platform/platform_window.h"

#include <string>
#include <vector>

class CFrame;

class HeadlessWindow : public PlatformWindow {
public:
    explicit HeadlessWindow(PlatformEventHandler& handler);
    ~HeadlessWindow() override;

    // The window of a frame that is open on this layer, or null.
    static HeadlessWindow* of(CFrame* frame);
    // The most recently opened window that is still open, or null.
    static HeadlessWindow* latest();

    bool open(void* parent, int32_t width, int32_t height) override;
    void close() override;
    bool isOpen() const override { return opened; }
    void present(const PixelBuffer& backBuffer, const CRect& area) override;
    void pumpEvents(bool inputAllowed) override;
    int32_t queryPointer(CPoint& where) override;
    void pointerLocation(CPoint& where) override;
    std::unique_ptr<PlatformPopup> openPopup(const CRect& area) override;

    // The script (frame coordinates). Steps wait in order until the frame's idle takes them: a press goes to
    // the view under it, whose drag loop or menu then takes the steps that follow, one per poll.
    HeadlessWindow& press(int32_t x, int32_t y, int32_t buttons = 1);
    HeadlessWindow& move(int32_t x, int32_t y);
    HeadlessWindow& release(int32_t buttons = 7);
    HeadlessWindow& click(int32_t x, int32_t y, int32_t buttons = 1) { return press(x, y, buttons).release(buttons); }
    HeadlessWindow& wheel(int32_t x, int32_t y, float notches);
    // Shift 8, Control 16, Alt 32, Apple 64; they stay until changed.
    HeadlessWindow& modifiers(int32_t mask);
    // Time passes (a loop keeps polling meanwhile).
    HeadlessWindow& wait(int32_t ms);
    // For the next menu: choose entry index (a sub-menu title opens it; the next choice is in the sub-menu).
    HeadlessWindow& chooseMenuEntry(int32_t index);
    HeadlessWindow& dismissMenu();
    HeadlessWindow& key(int32_t code);
    // Takes every step now (what the frame's idle does outside modal loops).
    void run() { pumpEvents(true); }
    size_t pendingSteps() const { return script.pending(); }
    const HeadlessScript& getScript() const { return script; }

    // What the window shows: the back buffer as last presented.
    const PixelBuffer& screen() const { return shown; }
    bool writePng(const std::string& path) const;
    void* parentWindow() const { return parent; }
    int32_t presentCount() const { return presents; }
    CRect lastPresentedArea() const { return lastArea; }

    int32_t popupCount() const { return popups; }
    const PixelBuffer& lastPopupImage() const { return popupImage; }
    CRect lastPopupArea() const { return popupArea; }
    bool isPopupOpen() const { return popupOpen; }

private:
    friend class HeadlessPopup;

    PlatformEventHandler& handler;
    HeadlessScript script;
    PixelBuffer shown;
    void* parent = nullptr;
    bool opened = false;
    int32_t presents = 0;
    CRect lastArea;
    int32_t popups = 0;
    PixelBuffer popupImage;
    CRect popupArea;
    bool popupOpen = false;
};
