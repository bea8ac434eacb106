// The global program menu's place in the skin: it draws nothing of itself (the skin's picture shows the
// button); its menu of banks, files and programs opens from here.
#pragma once

#include "gui/c_control.h"

class PluginBase;

class CGlobalMenu : public CControl {
public:
    CGlobalMenu(const CRect& size, CControlListener* listener, int32_t tag, PluginBase* plugin);
    ~CGlobalMenu() override;

    void draw(CDrawContext* context) override;
    PluginBase* getPlugin() const { return plugin; }

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CGlobalMenu"; }

private:
    PluginBase* plugin;
};
