// The program stepper.
#include "editor/c_up_down_preset.h"

#include "gui/c_bitmap.h"

#include <cstring>

CUpDownPreset::CUpDownPreset(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* bitmap,
                             PluginBase* plugin)
    : CControl(size, listener, tag), bitmap(bitmap), plugin(plugin)
{
    if (bitmap != nullptr)
        bitmap->addReference();
}

CUpDownPreset::~CUpDownPreset()
{
    if (bitmap != nullptr)
        bitmap->dropReference();
}

void CUpDownPreset::draw(CDrawContext* context)
{
    if (bitmap != nullptr)
        bitmap->draw(context, size, CPoint(0, bitmap->getHeight() / 3 * pressed));
    setDirty(false);
}

bool CUpDownPreset::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CUpDownPreset") == 0) || CControl::isTypeOf(name);
}
