// The global program menu's place in the skin: it draws nothing of itself (the skin's picture shows the
// button); a left or right press pops up the program menu of banks, files and programs.
#pragma once

#include "gui/c_control.h"

class EditorServices;
class PluginBase;

class CGlobalMenu : public CControl {
public:
    CGlobalMenu(const CRect& size, CControlListener* listener, int32_t tag, PluginBase* plugin,
                EditorServices* services);
    ~CGlobalMenu() override;

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = kReadCurrentButtons) override;
    PluginBase* getPlugin() const { return plugin; }

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CGlobalMenu"; }

private:
    PluginBase* plugin;
    EditorServices* services;
};
