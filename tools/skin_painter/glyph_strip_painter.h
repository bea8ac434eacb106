// Renders a bitmap font: every printable ASCII character side by side in one strip, with its advance width.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/skin_painter/canvas.h"
#include "tools/skin_painter/skin_model.h"
#include "tools/skin_painter/text_pen.h"

struct GlyphStrip {
  std::unique_ptr<Canvas> image;
  std::string characters;
  std::vector<int> widths;

  // Width in pixels the editor's text drawing takes for `text`; characters outside the set advance 6.
  int textWidth(const std::string& text) const;
  // Draws `text` as the editor does: glyph row centred vertically in the rectangle, left-aligned.
  void drawInto(const Canvas& target, const SkinRect& rect, const std::string& text) const;
};

class GlyphStripPainter {
 public:
  explicit GlyphStripPainter(const TextPen& pen) : pen_(pen) {}

  GlyphStrip paint(const FontPlan& plan) const;

 private:
  const TextPen& pen_;
};
