// The program stepper.
#include "editor/c_up_down_preset.h"

#include "editor/press_repeater.h"
#include "gui/c_bitmap.h"
#include "gui/c_frame.h"
#include "host/plugin_base.h"

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

void CUpDownPreset::mouse(CDrawContext* context, CPoint& where, int32_t buttons)
{
    if (!mouseEnabled || plugin == nullptr)
        return;
    buttons = resolveButtons(context, buttons);
    if ((buttons & kButtonMask) == 0)
        return;
    const bool upper = where.v < size.top + size.height() / 2;
    pressed = upper ? kUpper : kLower;
    setDirty(true);
    PressRepeater::run(frame, context, [&] {
        if (upper)
            plugin->previousProgram();
        else
            plugin->nextProgram();
        tellListener(context);
    });
    pressed = kNone;
    setDirty(true);
    tellListener(context);
    if (frame != nullptr)
        frame->doIdleStuff();
}

bool CUpDownPreset::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CUpDownPreset") == 0) || CControl::isTypeOf(name);
}
