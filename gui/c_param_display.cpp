// The parameter display.
#include "gui/c_param_display.h"

#include "gui/c_bitmap.h"

#include <charconv>
#include <cstring>

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, int32_t style)
    : CControl(size, nullptr, 0, background), style(style)
{
}

std::string CParamDisplay::displayText() const
{
    char text[64];
    auto result = std::to_chars(text, text + sizeof(text), value, std::chars_format::fixed, 2);
    return result.ec == std::errc() ? std::string(text, result.ptr) : std::string();
}

void CParamDisplay::draw(CDrawContext* context)
{
    if ((style & kNoDrawStyle) != 0 || context == nullptr) {
        setDirty(false);
        return;
    }
    if (background != nullptr) {
        background->draw(context, size);
    } else {
        context->setFillColor(backColor);
        context->fillRect(size);
        context->setFrameColor(frameColor);
        context->drawRect(size);
    }
    context->setFontColor(fontColor);
    context->setFontSize(fontSize);
    CRect textArea = size;
    textArea.inset(2, 0);
    context->drawString(displayText(), textArea, horiAlign);
    setDirty(false);
}

bool CParamDisplay::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CParamDisplay") == 0) || CControl::isTypeOf(name);
}
