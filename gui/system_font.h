// The machine's sans-serif face (found through fontconfig, drawn with FreeType) for menu and label text.
#pragma once

#include "gui/c_color.h"
#include "gui/c_rect.h"
#include "gui/pixel_buffer.h"

#include <memory>
#include <string>

class SystemFont {
public:
    // The face every view shares, looked up once on first use.
    static SystemFont& shared();
    // The file fontconfig picks for "sans-serif"; empty when there is none.
    static std::string findSansSerif();

    // An empty or unreadable path makes a font that measures with a fixed advance and draws nothing.
    explicit SystemFont(const std::string& fontFile);
    ~SystemFont();
    SystemFont(const SystemFont&) = delete;
    SystemFont& operator=(const SystemFont&) = delete;

    bool available() const;
    // Texts are UTF-8; bytes that are not valid UTF-8 are taken as Latin-1 (program names from old banks).
    int32_t textWidth(const std::string& text, int32_t pixelSize);
    int32_t ascent(int32_t pixelSize);
    int32_t descent(int32_t pixelSize);
    // The glyphs' baseline starts at (x, baseline) in target pixels; only pixels inside clip are touched.
    void drawText(PixelBuffer& target, int32_t x, int32_t baseline, const std::string& text, int32_t pixelSize,
                  CColor color, const CRect& clip);

private:
    struct Face;
    std::unique_ptr<Face> face;
};
