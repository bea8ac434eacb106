// The link to the product's web page; it draws nothing of itself (the skin's picture shows it).
#pragma once

#include "gui/c_control.h"

#include <string>

class PluginBase;

class CWebLink : public CControl {
public:
    CWebLink(const CRect& size, CControlListener* listener, int32_t tag, const char* address, PluginBase* plugin);
    ~CWebLink() override;

    void draw(CDrawContext* context) override;
    const std::string& getAddress() const { return address; }

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CWebLink"; }

private:
    std::string address;
    PluginBase* plugin;
};
