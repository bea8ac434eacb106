// The web link.
#include "editor/c_web_link.h"

#include <cstring>

CWebLink::CWebLink(const CRect& size, CControlListener* listener, int32_t tag, const char* address,
                   PluginBase* plugin)
    : CControl(size, listener, tag), address(address != nullptr ? address : ""), plugin(plugin)
{
}

CWebLink::~CWebLink() = default;

void CWebLink::draw(CDrawContext*)
{
    setDirty(false);
}

bool CWebLink::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CWebLink") == 0) || CControl::isTypeOf(name);
}
