// The web link.
#include "editor/c_web_link.h"

#include "editor/editor_services.h"
#include "gui/c_frame.h"

#include <cstring>

CWebLink::CWebLink(const CRect& size, CControlListener* listener, int32_t tag, const char* address,
                   PluginBase* plugin, EditorServices* services)
    : CControl(size, listener, tag), address(address != nullptr ? address : ""), plugin(plugin), services(services)
{
}

CWebLink::~CWebLink() = default;

void CWebLink::draw(CDrawContext*)
{
    setDirty(false);
}

void CWebLink::mouse(CDrawContext* context, CPoint&, int32_t buttons)
{
    if (!mouseEnabled)
        return;
    buttons = resolveButtons(context, buttons);
    if ((buttons & (kLButton | kRButton)) == 0)
        return;
    if (services != nullptr && !address.empty())
        services->openAddress(address.c_str());
    if (frame != nullptr)
        frame->doIdleStuff();
    tellListener(context);
}

bool CWebLink::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CWebLink") == 0) || CControl::isTypeOf(name);
}
