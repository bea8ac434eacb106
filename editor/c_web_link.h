// The link to the product's manual; it draws nothing of itself (the skin's picture shows it). A left or right
// press opens its address in the user's browser.
#pragma once

#include "gui/c_control.h"

#include <string>

class EditorServices;
class PluginBase;

class CWebLink : public CControl {
public:
    CWebLink(const CRect& size, CControlListener* listener, int32_t tag, const char* address, PluginBase* plugin,
             EditorServices* services);
    ~CWebLink() override;

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = kReadCurrentButtons) override;
    const std::string& getAddress() const { return address; }

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CWebLink"; }

private:
    std::string address;
    PluginBase* plugin;
    EditorServices* services;
};
