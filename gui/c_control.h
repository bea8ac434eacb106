// A view that holds a value between a minimum and a maximum and reports changes to its listener.
#pragma once

#include "gui/c_view.h"

#include <cstdint>

class CControlListener;

class CControl : public CView {
public:
    CControl(const CRect& size, CControlListener* listener = nullptr, int32_t tag = 0,
             CBitmap* background = nullptr);

    virtual void setValue(float newValue) { value = newValue; }
    float getValue() const { return value; }
    virtual void setMin(float newMin) { vmin = newMin; }
    float getMin() const { return vmin; }
    virtual void setMax(float newMax) { vmax = newMax; }
    float getMax() const { return vmax; }
    void setDefaultValue(float newDefault) { defaultValue = newDefault; }
    float getDefaultValue() const { return defaultValue; }
    void setOldValue(float old) { oldValue = old; }
    float getOldValue() const { return oldValue; }
    void setWheelInc(float increment) { wheelInc = increment; }
    float getWheelInc() const { return wheelInc; }
    // Limits the value to [minimum, maximum]; a value that is not a number becomes the minimum.
    virtual void bounceValue();

    // Dirty while the value differs from the one last drawn; marking clean takes the value as drawn.
    bool isDirty() const override;
    void setDirty(bool state = true) override;

    void setListener(CControlListener* newListener) { listener = newListener; }
    CControlListener* getListener() const { return listener; }
    void setTag(int32_t newTag) { tag = newTag; }
    int32_t getTag() const { return tag; }

    // The gesture on this control's tag starts or ends (the editor tells the host).
    virtual void beginEdit();
    virtual void endEdit();
    // A left click with only Control held (state exactly 17) sets the default value inside begin/end edit
    // and tells the listener if that changed the value; true when it handled the press.
    virtual bool checkDefaultValue(CDrawContext* context, int32_t buttons);
    // Offers a press with a modifier held to the listener first; true when the listener consumed it.
    bool offerModifierClick(CDrawContext* context, int32_t buttons);
    // True when this press comes within the double-click delay of the previous one (and remembers it).
    bool isDoubleClick();
    int32_t getDoubleClickDelay() const { return doubleClickDelay; }

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CControl"; }

protected:
    // Reads the current state when the handler was given none.
    int32_t resolveButtons(CDrawContext* context, int32_t buttons) const;
    void tellListener(CDrawContext* context);
    // What every turn of a drag loop does after moving the value: tell the listener if it changed since
    // last drawn, paint, and run the paced idle pass.
    void finishDragTurn(CDrawContext* context);
    // Which pointer travel from the press raises the value in a linear drag.
    enum class DragDirection { kUp, kDown, kUpOrRight };
    // The modal loop of a linear drag, until the left button is up: the value is its start plus the travel
    // times range / pixels (range / (pixels × zoom) with Shift). Shift changing mid-drag moves the start,
    // so the value carries on from where it is instead of jumping.
    void dragLinearly(CDrawContext* context, const CPoint& where, int32_t buttons, DragDirection direction,
                      float pixels, float zoom);
    // Sets newValue (limited) inside begin/end edit and tells the listener when that changed the value.
    void setValueAsGesture(CDrawContext* context, float newValue);
    // After a menu a control ran: the paced idle pass, then the value (changed or not) reported and redrawn.
    void reportAfterMenu(CDrawContext* context);

    CControlListener* listener;
    int32_t tag;
    float oldValue = 1.0f;
    float defaultValue = 0.5f;
    float value = 0.0f;
    float vmin = 0.0f;
    float vmax = 1.0f;
    float wheelInc = 0.1f;
    int64_t lastClickTime = -1;
    int32_t doubleClickDelay;
};
