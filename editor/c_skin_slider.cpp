// The skin's vertical slider.
#include "editor/c_skin_slider.h"

#include "editor/pointer_menu.h"
#include "engine/engine_base.h"

#include <cstring>

CSkinSlider::CSkinSlider(const CRect& size, CControlListener* listener, int32_t tag, const CPoint& offsetHandle,
                         int32_t travel, CBitmap* handle, CBitmap* background, const CPoint& offset, int32_t style,
                         EngineBase* engine)
    : CSlider(size, listener, tag, offsetHandle, travel, handle, background, offset, style), engine(engine)
{
}

CSkinSlider::~CSkinSlider() = default;

void CSkinSlider::mouse(CDrawContext* context, CPoint& where, int32_t buttons)
{
    if (!mouseEnabled)
        return;
    buttons = resolveButtons(context, buttons);
    CSlider::mouse(context, where, buttons);
    if ((buttons & (kRButton | kApple)) == 0)
        return;
    const float kept = value;
    {
        PointerMenu menu(listener, tag, kMenuStyle);
        menu.entries().addEntry("Display Value");
        menu.entries().addEntry("Midi Learn");
        if (menu.popup(*this, where) == kMidiLearn && engine != nullptr)
            engine->setMidiLearnIndex(tag);
    }
    value = kept;
    bounceValue();
    setDirty(true);
    tellListener(context);
}

bool CSkinSlider::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CSkinSlider") == 0) || CSlider::isTypeOf(name);
}
