// The skinned editor: reads the skin each time it opens, builds pages and controls through its control
// factory and keeps controls and parameters in step both ways. Product editors add five hooks.
#pragma once

#include "editor/editor_services.h"
#include "editor/parameter_mailbox.h"
#include "editor/skin_control_factory.h"
#include "editor/skin_tables.h"
#include "gui/aeff_gui_editor.h"
#include "gui/c_control_listener.h"
#include "host/plugin_editor_link.h"

#include <atomic>
#include <thread>

class EngineBase;
class PluginBase;
class SkinFont;

class CSkinEditor : public AEffGUIEditor, public CControlListener, public PluginEditorLink,
                    public EditorServices, protected SkinControlFactory {
public:
    static constexpr const char* kSkinName = "default";

    // Sizes the editor from the default skin's Background.png; without it the editor is 0 × 0, never opens
    // and the plug-in no longer claims an editor (the host then shows its own parameter view).
    explicit CSkinEditor(PluginBase* plugin);
    ~CSkinEditor() override;

    // Reads the skin from disk and builds the view tree; 0 (with the frame gone again) when the skin cannot
    // be read, and from then on for every later call.
    bool open(void* parentWindow) override;
    // Destroys the frame, pages and controls and empties the skin tables.
    void close() override;
    // Changes made on the user-interface thread apply at once; any other thread only leaves them in the
    // mailbox, taken at the next idle.
    void idle() override;

    // Sets the control's value (a changed control repaints alone) and runs the parameter reaction.
    void setParameter(int index, float value) override;
    // Every control takes the engine's value; the program name shows again.
    void updateAllControls() override;

    void valueChanged(CDrawContext* context, CControl* control) override;
    int32_t controlModifierClicked(CDrawContext* context, CControl* control, int32_t buttons) override;

    // The dialogs and the browser run while the editor keeps its window painted.
    bool chooseFile(bool save, const char* extension, std::string& path) override;
    void openAddress(const char* address) override;
    // Nothing here: the product shows it where it can.
    void showMessage(const char* text) override;

    // The product's hooks.
    virtual void onParameterUpdate(int index, float value);
    virtual bool onControlChanged(int tag, float value, CDrawContext* context);
    virtual void onSkinLoaded();
    virtual void showProgramName();
    virtual bool createProductControl(CControl*& slot, const char* type, CBitmap* bitmap, int32_t tag,
                                      CViewContainer* container, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    CBitmap* getBitmap(const char* name) const { return tables.getBitmap(name); }
    SkinFont* getFont(const char* name) const { return tables.getFont(name); }
    int32_t getSetting(const char* name) const { return tables.getSetting(name); }
    CControl* getControl(int index) const { return tables.getControl(index); }
    const SkinTables& getTables() const { return tables; }
    PluginBase* getPlugin() const { return plugin; }
    EngineBase* getEngine() const;
    bool isUsable() const { return usable; }
    bool isOpen() const { return opened.load(); }
    bool isUserEdit() const { return userEdit; }

protected:
    bool createControl(CControl*& slot, const char* type, CBitmap* bitmap, int32_t tag, CViewContainer* container,
                       int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    // A frame, the engine, a read skin and a usable editor: what every entry that touches controls needs.
    bool ready() const;
    bool onUserInterfaceThread() const;
    void setUserEdit(bool state) { userEdit = state; }
    // The address the web-link control opens.
    virtual const char* webAddress() const { return ""; }

private:
    void applyParameter(int index, float value);
    void takeMailbox();
    void tearDown();
    // Adds the control to the container with the editor as listener and the value given.
    void place(CControl*& slot, CControl* control, CViewContainer* container, float initial);

    PluginBase* plugin;
    SkinTables tables;
    ParameterMailbox mailbox;
    std::atomic<bool> refreshPending{false};
    std::atomic<bool> opened{false};
    std::atomic<std::thread::id> userInterfaceThread;
    bool usable = false;
    bool userEdit = false;
};
