// The skin's text display.
#include "editor/c_text_display.h"

#include "editor/skin_font.h"
#include "gui/c_bitmap.h"

#include <cstring>

CTextDisplay::CTextDisplay(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* backdrop,
                           SkinFont* font)
    : CControl(size, listener, tag), backdrop(backdrop), font(font)
{
    if (backdrop != nullptr)
        backdrop->addReference();
}

CTextDisplay::~CTextDisplay()
{
    if (backdrop != nullptr)
        backdrop->dropReference();
}

void CTextDisplay::draw(CDrawContext* context)
{
    // The window background at the display's place in the frame, not in its page: on a page that does not
    // start at (0, 0) the page coordinates would show another patch.
    if (backdrop != nullptr)
        backdrop->draw(context, size, getFrameRect().topLeft());
    if (font != nullptr)
        font->drawText(context, size, text.c_str());
    setDirty(false);
}

void CTextDisplay::setText(const char* newText)
{
    text = newText != nullptr ? std::string(newText, strnlen(newText, kTextSize - 1)) : std::string();
    setDirty(true);
}

bool CTextDisplay::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CTextDisplay") == 0) || CControl::isTypeOf(name);
}
