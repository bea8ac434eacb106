// The skin's knob: a frame strip chosen by the value, with a knob mode that all skin knobs share.
#pragma once

#include "gui/c_anim_knob.h"

class EngineBase;

class CSkinKnob : public CAnimKnob {
public:
    // The fine drag with Shift held is this many times slower.
    static constexpr float kSkinZoomFactor = 20.0f;
    static constexpr int kLinearKnobMode = 2;
    static constexpr int kCircularKnobMode = 0;

    // strip: frames pictures of frameHeight pixels stacked; menuTag is the tag of the knob's context menu.
    CSkinKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t frames, int32_t frameHeight,
              CBitmap* strip, const CPoint& offset, EngineBase* engine, int32_t menuTag);
    ~CSkinKnob() override;

    // Shared by every skin knob for the life of the module; linear at load.
    static int getSkinKnobMode();
    static void setSkinKnobMode(int mode);

    int32_t getMenuTag() const { return menuTag; }
    EngineBase* getEngine() const { return engine; }

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CSkinKnob"; }

private:
    EngineBase* engine;
    int32_t menuTag;
};
