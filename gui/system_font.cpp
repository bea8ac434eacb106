// FreeType rendering with a glyph cache; fontconfig is asked once, with a private configuration.
#include "gui/system_font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace {

// Advance used for measuring when no face could be loaded, so menus still get a sensible size.
int32_t fallbackAdvance(int32_t pixelSize)
{
    return std::max(1, pixelSize * 7 / 12);
}

std::vector<uint32_t> decodeText(const std::string& text)
{
    std::vector<uint32_t> codes;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    size_t size = text.size();
    for (size_t i = 0; i < size;) {
        unsigned char lead = bytes[i];
        size_t extra = 0;
        uint32_t code = lead;
        if (lead >= 0xc2 && lead <= 0xdf) {
            extra = 1;
            code = lead & 0x1fu;
        } else if (lead >= 0xe0 && lead <= 0xef) {
            extra = 2;
            code = lead & 0x0fu;
        } else if (lead >= 0xf0 && lead <= 0xf4) {
            extra = 3;
            code = lead & 0x07u;
        }
        bool valid = extra > 0 && i + extra < size;
        for (size_t k = 1; valid && k <= extra; ++k) {
            if ((bytes[i + k] & 0xc0) != 0x80)
                valid = false;
            else
                code = (code << 6) | (bytes[i + k] & 0x3fu);
        }
        if (valid) {
            codes.push_back(code);
            i += extra + 1;
        } else {
            codes.push_back(lead);
            ++i;
        }
    }
    return codes;
}

struct Glyph {
    int32_t left = 0;
    int32_t top = 0;
    int32_t advance = 0;
    int32_t width = 0;
    int32_t rows = 0;
    std::vector<uint8_t> coverage;
};

}  // namespace

struct SystemFont::Face {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    int32_t size = 0;
    std::unordered_map<uint64_t, Glyph> glyphs;

    ~Face()
    {
        if (face != nullptr)
            FT_Done_Face(face);
        if (library != nullptr)
            FT_Done_FreeType(library);
    }

    bool setSize(int32_t pixelSize)
    {
        if (pixelSize == size)
            return true;
        if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelSize)) != 0)
            return false;
        size = pixelSize;
        return true;
    }

    const Glyph* glyph(uint32_t code, int32_t pixelSize)
    {
        uint64_t key = (uint64_t(uint32_t(pixelSize)) << 32) | code;
        auto found = glyphs.find(key);
        if (found != glyphs.end())
            return &found->second;
        if (!setSize(pixelSize) || FT_Load_Char(face, code, FT_LOAD_RENDER) != 0)
            return nullptr;
        FT_GlyphSlot slot = face->glyph;
        Glyph made;
        made.left = slot->bitmap_left;
        made.top = slot->bitmap_top;
        made.advance = int32_t(slot->advance.x >> 6);
        const FT_Bitmap& bitmap = slot->bitmap;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY && bitmap.buffer != nullptr) {
            made.width = int32_t(bitmap.width);
            made.rows = int32_t(bitmap.rows);
            made.coverage.resize(size_t(made.width) * size_t(made.rows));
            for (int32_t y = 0; y < made.rows; ++y) {
                const unsigned char* from = bitmap.buffer + int64_t(y) * bitmap.pitch;
                std::copy(from, from + made.width, made.coverage.begin() + int64_t(y) * made.width);
            }
        }
        return &glyphs.emplace(key, std::move(made)).first->second;
    }
};

SystemFont& SystemFont::shared()
{
    static SystemFont font(findSansSerif());
    return font;
}

std::string SystemFont::findSansSerif()
{
    // A private configuration: FcFini or the default configuration could disturb a host that uses fontconfig.
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr)
        return {};
    std::string path;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
    if (pattern != nullptr) {
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(config, pattern, &result);
        if (match != nullptr) {
            FcChar8* file = nullptr;
            if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr)
                path = reinterpret_cast<const char*>(file);
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
    }
    FcConfigDestroy(config);
    return path;
}

SystemFont::SystemFont(const std::string& fontFile)
{
    if (fontFile.empty())
        return;
    auto made = std::make_unique<Face>();
    if (FT_Init_FreeType(&made->library) != 0)
        return;
    if (FT_New_Face(made->library, fontFile.c_str(), 0, &made->face) != 0)
        return;
    face = std::move(made);
}

SystemFont::~SystemFont() = default;

bool SystemFont::available() const
{
    return face != nullptr;
}

int32_t SystemFont::textWidth(const std::string& text, int32_t pixelSize)
{
    int32_t width = 0;
    for (uint32_t code : decodeText(text)) {
        const Glyph* glyph = face ? face->glyph(code, pixelSize) : nullptr;
        width += glyph ? glyph->advance : fallbackAdvance(pixelSize);
    }
    return width;
}

int32_t SystemFont::ascent(int32_t pixelSize)
{
    if (!face || !face->setSize(pixelSize))
        return pixelSize * 3 / 4;
    return int32_t(face->face->size->metrics.ascender >> 6);
}

int32_t SystemFont::descent(int32_t pixelSize)
{
    if (!face || !face->setSize(pixelSize))
        return pixelSize / 4;
    return int32_t(-(face->face->size->metrics.descender >> 6));
}

void SystemFont::drawText(PixelBuffer& target, int32_t x, int32_t baseline, const std::string& text,
                          int32_t pixelSize, CColor color, const CRect& clip)
{
    if (!face || pixelSize <= 0)
        return;
    int64_t penX = x;
    for (uint32_t code : decodeText(text)) {
        const Glyph* glyph = face->glyph(code, pixelSize);
        if (glyph == nullptr)
            continue;
        int64_t originX = penX + glyph->left;
        int64_t originY = int64_t(baseline) - glyph->top;
        for (int32_t gy = 0; gy < glyph->rows; ++gy) {
            int64_t ty = originY + gy;
            if (ty < clip.top || ty >= clip.bottom)
                continue;
            for (int32_t gx = 0; gx < glyph->width; ++gx) {
                int64_t tx = originX + gx;
                if (tx < clip.left || tx >= clip.right)
                    continue;
                target.blendCoverage(int32_t(tx), int32_t(ty), color,
                                     glyph->coverage[size_t(gy) * size_t(glyph->width) + size_t(gx)], clip);
            }
        }
        penX += glyph->advance;
        if (penX > clip.right)
            break;
    }
}
