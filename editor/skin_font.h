// A skin's bitmap font: a strip of glyphs side by side, its character set, and each glyph's width and place.
#pragma once

#include "gui/c_rect.h"

#include <cstdint>

class CBitmap;
class CDrawContext;

class SkinFont {
public:
    static constexpr int kMaxCharacters = 255;
    static constexpr int kNameSize = 32;
    // What a character outside the set advances, drawing nothing.
    static constexpr int32_t kMissingAdvance = 6;

    // strip may be null (the font then only advances); takes a reference to it. count is limited to 0..255.
    SkinFont(const char* name, CBitmap* strip, int count, const unsigned char* characters, const int32_t* widths);
    ~SkinFont();
    SkinFont(const SkinFont&) = delete;
    SkinFont& operator=(const SkinFont&) = delete;

    const char* getName() const { return name; }
    CBitmap* getStrip() const { return strip; }
    int getCount() const { return count; }
    int32_t getHeight() const;
    // The first glyph for c, or -1.
    int glyphIndex(unsigned char c) const;
    int32_t glyphWidth(int index) const { return widths[index]; }
    int32_t glyphOffset(int index) const { return offsets[index]; }

    // Left-aligned, the glyph row centred vertically; a glyph that starts left of the right edge is drawn
    // whole, the next one is not started.
    void drawText(CDrawContext* context, const CRect& rect, const char* text) const;
    // The pixels drawText advances for text.
    int64_t textWidth(const char* text) const;

private:
    char name[kNameSize] = {};
    CBitmap* strip;
    int count;
    unsigned char characters[kMaxCharacters] = {};
    int32_t widths[kMaxCharacters] = {};
    int32_t offsets[kMaxCharacters] = {};
};
