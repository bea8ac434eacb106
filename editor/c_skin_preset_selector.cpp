// The program chooser.
#include "editor/c_skin_preset_selector.h"

#include "editor/press_repeater.h"
#include "editor/program_menu.h"
#include "editor/skin_font.h"
#include "gui/c_bitmap.h"
#include "gui/c_frame.h"
#include "host/plugin_base.h"

#include <cstdio>
#include <cstring>

CSkinPresetSelector::CSkinPresetSelector(const CRect& size, CControlListener* listener, int32_t tag,
                                         CBitmap* bitmap, SkinFont* font, PluginBase* plugin,
                                         EditorServices* services)
    : CControl(size, listener, tag), bitmap(bitmap), font(font),
      zoneWidth(bitmap != nullptr ? int32_t(float(bitmap->getHeight()) * 0.26666668f) : 0), plugin(plugin),
      services(services)
{
    if (bitmap != nullptr)
        bitmap->addReference();
}

CSkinPresetSelector::~CSkinPresetSelector()
{
    if (bitmap != nullptr)
        bitmap->dropReference();
}

void CSkinPresetSelector::draw(CDrawContext* context)
{
    if (bitmap != nullptr)
        bitmap->draw(context, size, CPoint(0, bitmap->getHeight() / 3 * pressed));
    if (font != nullptr) {
        CRect area(size.left + 2 + zoneWidth, size.top + 3, size.right - 6 - zoneWidth, size.bottom + 3);
        font->drawText(context, area, text.c_str());
    }
    setDirty(false);
}

void CSkinPresetSelector::mouse(CDrawContext* context, CPoint& where, int32_t buttons)
{
    if (!mouseEnabled || plugin == nullptr)
        return;
    buttons = resolveButtons(context, buttons);
    if ((buttons & kButtonMask) == 0)
        return;
    const int32_t x = where.h;
    const bool inHeight = where.v >= size.top && where.v <= size.bottom;
    if (inHeight && x >= size.left + zoneWidth && x <= size.right - zoneWidth) {
        if ((buttons & (kLButton | kRButton)) == 0)
            return;
        ProgramMenu(plugin, services).run(*this, listener, tag, where);
        reportAfterMenu(context);
        return;
    }
    const bool right = inHeight && x >= size.right - zoneWidth && x <= size.right;
    const bool left = inHeight && x >= size.left && x <= size.left + zoneWidth;
    if (!right && !left)
        return;
    pressed = right ? kRightZone : kLeftZone;
    setDirty(true);
    PressRepeater::run(frame, context, [&] {
        if (right)
            plugin->nextProgram();
        else
            plugin->previousProgram();
        tellListener(context);
    });
    pressed = kNone;
    setDirty(true);
    tellListener(context);
}

void CSkinPresetSelector::updateText()
{
    if (plugin == nullptr)
        return;
    char name[80] = {};  // program names run to 64 bytes
    plugin->getProgramName(name);
    name[sizeof name - 1] = '\0';
    char shown[kTextSize];
    std::snprintf(shown, sizeof shown, "%d %s", int(plugin->getProgram()) + 1, name);
    setText(shown);
}

void CSkinPresetSelector::setText(const char* newText)
{
    std::string next = newText != nullptr ? std::string(newText, strnlen(newText, kTextSize - 1)) : std::string();
    if (next != text) {
        text = next;
        setDirty(true);
    }
}

bool CSkinPresetSelector::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CSkinPresetSelector") == 0) || CControl::isTypeOf(name);
}
