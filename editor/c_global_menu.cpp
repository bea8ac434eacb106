// The global program menu's control.
#include "editor/c_global_menu.h"

#include <cstring>

CGlobalMenu::CGlobalMenu(const CRect& size, CControlListener* listener, int32_t tag, PluginBase* plugin)
    : CControl(size, listener, tag), plugin(plugin)
{
}

CGlobalMenu::~CGlobalMenu() = default;

void CGlobalMenu::draw(CDrawContext*)
{
    setDirty(false);
}

bool CGlobalMenu::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CGlobalMenu") == 0) || CControl::isTypeOf(name);
}
