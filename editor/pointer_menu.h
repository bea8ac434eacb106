// A menu that pops up where a control was pressed and answers the chosen entry (the controls' context menus).
#pragma once

#include "gui/c_option_menu.h"
#include "gui/c_point.h"

#include <cstdint>

class CControlListener;
class CView;

class PointerMenu {
public:
    // Menus at the pointer draw nothing of themselves in the view tree.
    static constexpr int32_t kPopupStyle = CParamDisplay::kNoDrawStyle;

    PointerMenu(CControlListener* listener, int32_t tag, int32_t style = kPopupStyle);
    ~PointerMenu();
    PointerMenu(const PointerMenu&) = delete;
    PointerMenu& operator=(const PointerMenu&) = delete;

    COptionMenu& entries() { return *menu; }
    // Pops up at where (the coordinates of view's rectangle) in view's frame; −1 when dismissed or when the
    // view is in no frame.
    int32_t popup(const CView& view, const CPoint& where);

private:
    COptionMenu* menu;
};
