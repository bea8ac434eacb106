// The skin's knob: a frame strip chosen by the value, dragged linearly or by angle in a mode that all skin
// knobs share, with a right-click menu for the value display, MIDI learn and the mode.
#pragma once

#include "gui/c_anim_knob.h"

class EngineBase;

class CSkinKnob : public CAnimKnob {
public:
    // The fine drag with Shift held is this many times slower.
    static constexpr float kSkinZoomFactor = 20.0f;
    static constexpr int kLinearKnobMode = 2;
    static constexpr int kCircularKnobMode = 0;
    enum MenuEntry : int32_t { kDisplayValue = 0, kMidiLearn = 1, kLinear = 2, kCircular = 3 };

    // strip: frames pictures of frameHeight pixels stacked; menuTag is the tag of the knob's context menu.
    CSkinKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t frames, int32_t frameHeight,
              CBitmap* strip, const CPoint& offset, EngineBase* engine, int32_t menuTag);
    ~CSkinKnob() override;

    // Right button (or left with Apple): the context menu, which never changes the value but reports it
    // afterwards. Left button: a drag in the shared mode inside begin/end edit.
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = kReadCurrentButtons) override;

    // Shared by every skin knob for the life of the module; linear at load.
    static int getSkinKnobMode();
    static void setSkinKnobMode(int mode);

    int32_t getMenuTag() const { return menuTag; }
    EngineBase* getEngine() const { return engine; }

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CSkinKnob"; }

private:
    void runMenu(CDrawContext* context, const CPoint& where);

    EngineBase* engine;
    int32_t menuTag;
};
