// The skin's knob.
#include "editor/c_skin_knob.h"

#include "editor/pointer_menu.h"
#include "engine/engine_base.h"
#include "gui/c_draw_context.h"
#include "gui/c_frame.h"

#include <atomic>
#include <cstring>

namespace {

std::atomic<int> skinKnobMode{CSkinKnob::kLinearKnobMode};

}  // namespace

CSkinKnob::CSkinKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t frames,
                     int32_t frameHeight, CBitmap* strip, const CPoint& offset, EngineBase* engine, int32_t menuTag)
    : CAnimKnob(size, listener, tag, frames, frameHeight, strip, offset), engine(engine), menuTag(menuTag)
{
    setZoomFactor(kSkinZoomFactor);
}

CSkinKnob::~CSkinKnob() = default;

int CSkinKnob::getSkinKnobMode()
{
    return skinKnobMode.load();
}

void CSkinKnob::setSkinKnobMode(int mode)
{
    skinKnobMode.store(mode);
}

void CSkinKnob::mouse(CDrawContext* context, CPoint& where, int32_t buttons)
{
    if (!mouseEnabled)
        return;
    buttons = resolveButtons(context, buttons);
    if ((buttons & kRButton) != 0 || ((buttons & kLButton) != 0 && (buttons & kApple) != 0)) {
        runMenu(context, where);
        return;
    }
    if ((buttons & kLButton) == 0 || context == nullptr)
        return;
    if (offerModifierClick(context, buttons) || checkDefaultValue(context, buttons))
        return;
    beginEdit();
    {
        CFrame::ModalLoop loop(frame);
        if (getSkinKnobMode() == kLinearKnobMode)
            dragLinearly(context, where, buttons, DragDirection::kUpOrRight, kLinearPixels, zoomFactor);
        else
            dragCircular(context, where);
    }
    endEdit();
}

void CSkinKnob::runMenu(CDrawContext* context, const CPoint& where)
{
    {
        PointerMenu menu(listener, menuTag);
        for (const char* entry : {"Display Value", "MIDI Learn", "Linear", "Circular"})
            menu.entries().addEntry(entry);
        switch (menu.popup(*this, where)) {
        case kMidiLearn:
            if (engine != nullptr)
                engine->setMidiLearnIndex(tag);
            break;
        case kLinear:
            setSkinKnobMode(kLinearKnobMode);
            break;
        case kCircular:
            setSkinKnobMode(kCircularKnobMode);
            break;
        default:
            break;
        }
    }
    // The unchanged value goes to the editor anyway: it sends it on and shows it in the value display,
    // which is what "Display Value" is for.
    reportAfterMenu(context);
}

bool CSkinKnob::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CSkinKnob") == 0) || CAnimKnob::isTypeOf(name);
}
