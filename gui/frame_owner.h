// What a frame asks of the editor that created it; the toolkit's editor base answers it.
#pragma once

class FrameOwner {
public:
    virtual int getKnobMode() const = 0;
    // A gesture on a parameter starts or ends (the host records automation in between).
    virtual void beginEdit(int index) = 0;
    virtual void endEdit(int index) = 0;
    // The paced idle pass a control's modal loop runs on every turn.
    virtual void doIdleStuff() = 0;

protected:
    ~FrameOwner() = default;
};

// Knob modes as hosts set them: circular follows the pointer's angle, linear its vertical movement.
enum KnobMode : int {
    kCircularMode = 0,
    kRelativCircularMode = 1,
    kLinearMode = 2,
};
