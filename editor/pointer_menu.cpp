// The controls' context menus.
#include "editor/pointer_menu.h"

#include "gui/c_frame.h"

PointerMenu::PointerMenu(CControlListener* listener, int32_t tag, int32_t style)
    : menu(new COptionMenu(CRect(), listener, tag, nullptr, style))
{
}

PointerMenu::~PointerMenu()
{
    menu->dropReference();
}

int32_t PointerMenu::popup(const CView& view, const CPoint& where)
{
    CFrame* frame = view.getFrame();
    if (frame == nullptr)
        return -1;
    CPoint at = where;
    if (view.getParentView() != nullptr)
        view.getParentView()->localToFrame(at);
    return menu->popup(frame, at);
}
