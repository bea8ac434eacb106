// A skin's bitmap font and its text drawing.
#include "editor/skin_font.h"

#include "gui/c_bitmap.h"
#include "gui/c_draw_context.h"
#include "params/fixed_text.h"

#include <cstring>

namespace {

int32_t saturated(int64_t x)
{
    return x > INT32_MAX ? INT32_MAX : (x < INT32_MIN ? INT32_MIN : int32_t(x));
}

}  // namespace

SkinFont::SkinFont(const char* fontName, CBitmap* fontStrip, int characterCount, const unsigned char* set,
                   const int32_t* glyphWidths)
    : strip(fontStrip), count(characterCount < 0 ? 0 : (characterCount > kMaxCharacters ? kMaxCharacters : characterCount))
{
    copyFixedText(name, kNameSize, fontName != nullptr ? fontName : "");
    if (strip != nullptr)
        strip->addReference();
    // Running sums in 64 bits: a file may give widths whose sum leaves 32 bits.
    int64_t x = 0;
    for (int i = 0; i < count; ++i) {
        characters[i] = set[i];
        widths[i] = glyphWidths[i];
        offsets[i] = saturated(x);
        x += glyphWidths[i];
    }
}

SkinFont::~SkinFont()
{
    if (strip != nullptr)
        strip->dropReference();
}

int32_t SkinFont::getHeight() const
{
    return strip != nullptr ? strip->getHeight() : 0;
}

int SkinFont::glyphIndex(unsigned char c) const
{
    for (int i = 0; i < count; ++i)
        if (characters[i] == c)
            return i;
    return -1;
}

void SkinFont::drawText(CDrawContext* context, const CRect& rect, const char* text) const
{
    if (text == nullptr)
        return;
    const int32_t height = getHeight();
    const int32_t top = (rect.top + rect.bottom) / 2 - height / 2;
    int64_t x = rect.left;
    for (const char* p = text; *p != '\0' && x < rect.right; ++p) {
        int i = glyphIndex(static_cast<unsigned char>(*p));
        if (i < 0) {
            x += kMissingAdvance;
            continue;
        }
        if (strip != nullptr && context != nullptr && widths[i] > 0) {
            CRect glyph(int32_t(x), top, saturated(x + widths[i]), top + height);
            strip->draw(context, glyph, CPoint(offsets[i], 0));
        }
        x += widths[i];
    }
}

int64_t SkinFont::textWidth(const char* text) const
{
    int64_t x = 0;
    for (const char* p = text; p != nullptr && *p != '\0'; ++p) {
        int i = glyphIndex(static_cast<unsigned char>(*p));
        x += i < 0 ? kMissingAdvance : widths[i];
    }
    return x;
}
