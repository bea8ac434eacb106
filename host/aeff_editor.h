// The interface's editor base: what the host's editor requests reach; a toolkit editor derives from it.
#pragma once

#include "host/vst_interface.h"

class AudioEffect;

class AEffEditor {
public:
    // Keeps the plug-in; the derived editor registers itself with AudioEffect::setEditor.
    explicit AEffEditor(AudioEffect* effect);
    virtual ~AEffEditor();

    // Stores the address of the editor's rectangle; false when there is none to give.
    virtual bool getRect(ERect** rect);
    // Opens inside the host's window; the answer is passed back to the host.
    virtual bool open(void* parentWindow);
    virtual void close();
    virtual void idle();
    virtual void update();
    virtual void postUpdate();
    // Key requests answer 1 when the key was used, 0 otherwise.
    virtual int onKeyDown(VstKeyCode& key);
    virtual int onKeyUp(VstKeyCode& key);
    virtual bool setKnobMode(int mode);
    virtual bool onWheel(float distance);

    AudioEffect* getEffect() const { return effect; }
    void* getSystemWindow() const { return systemWindow; }

protected:
    AudioEffect* effect;
    void* systemWindow = nullptr; // the host's parent window while open
};
