// The global program menu's control.
#include "editor/c_global_menu.h"

#include "editor/program_menu.h"

#include <cstring>

CGlobalMenu::CGlobalMenu(const CRect& size, CControlListener* listener, int32_t tag, PluginBase* plugin,
                         EditorServices* services)
    : CControl(size, listener, tag), plugin(plugin), services(services)
{
}

CGlobalMenu::~CGlobalMenu() = default;

void CGlobalMenu::draw(CDrawContext*)
{
    setDirty(false);
}

void CGlobalMenu::mouse(CDrawContext* context, CPoint& where, int32_t buttons)
{
    if (!mouseEnabled)
        return;
    buttons = resolveButtons(context, buttons);
    if ((buttons & (kLButton | kRButton)) == 0)
        return;
    ProgramMenu(plugin, services).run(*this, listener, tag, where);
    reportAfterMenu(context);
}

bool CGlobalMenu::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CGlobalMenu") == 0) || CControl::isTypeOf(name);
}
