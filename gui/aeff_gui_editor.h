// The toolkit's editor base: registers with the plug-in, owns the frame while open, paces idle work and
// forwards the controls' gestures to the plug-in.
#pragma once

#include "gui/frame_owner.h"
#include "host/aeff_editor.h"

#include <cstdint>

class CFrame;

class AEffGUIEditor : public AEffEditor, public FrameOwner {
public:
    // Registers itself as the plug-in's editor, which sets the plug-in record's has-editor flag.
    explicit AEffGUIEditor(AudioEffect* effect);
    // Closes a frame that is still open and unregisters from the plug-in.
    ~AEffGUIEditor() override;

    // The editor's rectangle (derived editors set rect); always answers it.
    bool getRect(ERect** rect) override;
    // Keeps the host's window. A close still waiting for a modal loop is done first. Derived editors create
    // their CFrame here (with this editor) and answer whether it opened.
    bool open(void* parentWindow) override;
    // Destroys the frame. Derived editors that override it start with deferCloseWhileBusy().
    void close() override;
    // Nothing while a doIdleStuff pass runs; otherwise the pending full redraw, the frame's idle (input and
    // dirty views), and a close that waited for a modal loop.
    void idle() override;
    // Asks for a full redraw at the next idle.
    void postUpdate() override;
    // Keys are left to the host (0); without a window, −1.
    int onKeyDown(VstKeyCode& key) override;
    int onKeyUp(VstKeyCode& key) override;
    // Stores the mode every knob reads (kCircularMode, kRelativCircularMode, kLinearMode).
    bool setKnobMode(int mode) override;
    // A wheel turn for the view under the pointer.
    bool onWheel(float distance) override;

    // The plug-in tells the editor of a parameter change; the base does nothing.
    virtual void setParameter(int index, float value);
    // Redraws rect of the window now (all of it for null).
    virtual void draw(ERect* rect);
    // The pass a modal loop runs on every turn: when called before its planned time it sleeps 4 ms and
    // returns while that time is still more than 50 ms away; otherwise it redraws, plans the next pass
    // 100 ms later and calls the plug-in's master idle (the host's idle request).
    void doIdleStuff() override;
    // A gesture on a parameter starts or ends: forwarded to the plug-in, which tells the host.
    void beginEdit(int index) override;
    void endEdit(int index) override;

    int getKnobMode() const override { return knobMode; }
    CFrame* getFrame() const { return frame; }
    // The clock reading taken at construction.
    int64_t getConstructionTicks() const { return constructionTicks; }
    bool isClosePending() const { return closePending; }

protected:
    // True when a close must wait because a control's modal loop or a menu is running (hosts may close from
    // inside the idle request that loop sends): the loops are told to end, and idle() closes once they have.
    bool deferCloseWhileBusy();
    bool isBusy() const;

    ERect rect{};
    CFrame* frame = nullptr;

private:
    void runPendingClose();

    int knobMode = kCircularMode;
    int64_t constructionTicks;
    int64_t nextIdleTime;
    bool updatePending = false;
    bool inIdleStuff = false;
    bool closePending = false;
};
