// The program menu that the global menu and the preset selector pop up: factory banks, bank and preset
// files, clearing, and the 64 programs by name.
#pragma once

#include "gui/c_point.h"

#include <cstdint>

class CControlListener;
class COptionMenu;
class CView;
class EditorServices;
class PluginBase;

class ProgramMenu {
public:
    static constexpr int32_t kEntriesPerColumn = 37;
    static constexpr const char* kSeparator = "---------------------";

    // services may be null: the file entries then do nothing.
    ProgramMenu(PluginBase* plugin, EditorServices* services);

    // Bank entries ("Reload Bank" for one bank, else "Load Bank A", "Load Bank B", …), "Load Bank",
    // "Save Bank", "Load Preset", "Save Preset", "Clear Preset", the separator, then every program's name.
    void fill(COptionMenu& menu) const;
    // What entry choice does; −1 (dismissed) and the separator do nothing.
    void perform(int32_t choice) const;
    // Pops the menu up at where (view's coordinates) under the listener and tag, then performs the choice.
    void run(const CView& view, CControlListener* listener, int32_t tag, const CPoint& where) const;

private:
    void loadFile(bool bank) const;
    void saveFile(bool bank) const;

    PluginBase* plugin;
    EditorServices* services;
};
