// One level of an option menu on screen: drawn by us into a platform pop-up and run until a choice.
#pragma once

#include "gui/c_point.h"
#include "gui/menu_layout.h"
#include "gui/pixel_buffer.h"

#include <cstdint>

class CFrame;
class COptionMenu;
class SystemFont;

class MenuPopup {
public:
    struct Result {
        COptionMenu* menu = nullptr;
        int32_t index = -1;
    };

    explicit MenuPopup(COptionMenu& menu);
    MenuPopup(COptionMenu& menu, SystemFont& font);

    // Shows the menu with its top-left at where (frame coordinates) and waits: a choice (made with the
    // pointer or as a chosen index), or −1 for Escape, a press outside, a dismissal or a closing frame.
    // A sub-menu title opens its sub-menu beside it and answers with its choice.
    Result run(CFrame& frame, const CPoint& where);
    // Draws the whole menu, highlighted entry (−1 for none) marked.
    void render(PixelBuffer& image, int32_t highlighted);
    const MenuLayout& layout() const { return geometry; }

private:
    Result choose(CFrame& frame, const CPoint& origin, int32_t index);

    COptionMenu& menu;
    SystemFont& font;
    MenuLayout geometry;
};
