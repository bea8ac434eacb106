// What the plug-in core tells its editor: one parameter's new value, or that every control must follow
// a program change. The product editor implements it; without an editor the plug-in holds none.
#pragma once

class PluginEditorLink {
public:
    virtual ~PluginEditorLink() = default;
    // May be called on the audio thread: set the control's value and ask for a redraw, nothing more.
    virtual void setParameter(int index, float value) = 0;
    virtual void updateAllControls() = 0;
};
