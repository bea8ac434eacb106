// What a control tells the object listening to it (the editor): value changes and modifier clicks.
#pragma once

#include <cstdint>

class CControl;
class CDrawContext;

class CControlListener {
public:
    virtual void valueChanged(CDrawContext* context, CControl* control) = 0;
    // A press with a modifier held is offered here first; nonzero means the listener consumed it.
    virtual int32_t controlModifierClicked(CDrawContext* context, CControl* control, int32_t buttons)
    {
        (void)context;
        (void)control;
        (void)buttons;
        return 0;
    }

protected:
    ~CControlListener() = default;
};
