// The skin's vertical slider: a handle over the window background, value 0 at the bottom, with a right-click
// menu for the value display and MIDI learn.
#pragma once

#include "gui/c_slider.h"

class EngineBase;

class CSkinSlider : public CSlider {
public:
    enum MenuEntry : int32_t { kDisplayValue = 0, kMidiLearn = 1 };
    // Check flags, the current entry checked, and nothing drawn in the view tree.
    static constexpr int32_t kMenuStyle = 0x1401;

    // travel spans the handle's own height too (the toolkit takes it off); background is read from offset,
    // the control's place in the frame, so the window background shows behind the handle.
    CSkinSlider(const CRect& size, CControlListener* listener, int32_t tag, const CPoint& offsetHandle,
                int32_t travel, CBitmap* handle, CBitmap* background, const CPoint& offset, int32_t style,
                EngineBase* engine);
    ~CSkinSlider() override;

    // The toolkit slider's drag first; then, for the right button or Apple, the menu, after which the value is
    // what it was before the menu and is reported again.
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = kReadCurrentButtons) override;

    EngineBase* getEngine() const { return engine; }

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CSkinSlider"; }

private:
    EngineBase* engine;
};
