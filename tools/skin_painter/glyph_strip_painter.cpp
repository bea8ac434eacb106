// Renders a bitmap font: every printable ASCII character side by side in one strip, with its advance width.
#include "tools/skin_painter/glyph_strip_painter.h"

#include <cmath>

namespace {

constexpr char kFirst = ' ';
constexpr char kLast = '~';
constexpr int kMissingAdvance = 6;

}  // namespace

int GlyphStrip::textWidth(const std::string& text) const {
  int total = 0;
  for (char c : text) {
    const std::size_t at = characters.find(c);
    total += at == std::string::npos ? kMissingAdvance : widths[at];
  }
  return total;
}

void GlyphStrip::drawInto(const Canvas& target, const SkinRect& rect, const std::string& text) const {
  std::vector<int> offsets(widths.size(), 0);
  for (std::size_t i = 1; i < widths.size(); ++i) offsets[i] = offsets[i - 1] + widths[i - 1];
  const int top = (rect.top + rect.bottom) / 2 - image->height() / 2;
  int x = rect.left;
  for (char c : text) {
    if (x >= rect.right) break;
    const std::size_t at = characters.find(c);
    if (at == std::string::npos) {
      x += kMissingAdvance;
      continue;
    }
    target.paint(*image, offsets[at], 0, widths[at], image->height(), x, top);
    x += widths[at];
  }
}

GlyphStrip GlyphStripPainter::paint(const FontPlan& plan) const {
  GlyphStrip strip;
  for (char c = kFirst; c <= kLast; ++c) strip.characters.push_back(c);

  TextPen::Style style;
  style.sizePx = plan.sizePx;
  style.bold = plan.bold;

  // Measure on a scratch surface first: the strip's width is the sum of the advances.
  Canvas scratch(1, 1, false);
  pen_.select(scratch.cr(), style);
  int total = 0;
  char one[2] = {0, 0};
  for (char c : strip.characters) {
    one[0] = c;
    cairo_text_extents_t extents;
    cairo_text_extents(scratch.cr(), one, &extents);
    const int advance = std::max(1, static_cast<int>(std::lround(extents.x_advance)));
    strip.widths.push_back(advance);
    total += advance;
  }
  cairo_font_extents_t font;
  cairo_font_extents(scratch.cr(), &font);

  strip.image = std::make_unique<Canvas>(total, plan.stripHeight, false);
  cairo_t* cr = strip.image->cr();
  pen_.select(cr, style);
  const double inkHeight = font.ascent + font.descent;
  const double baseline = std::round((plan.stripHeight - inkHeight) / 2.0 + font.ascent);
  int x = 0;
  for (std::size_t i = 0; i < strip.characters.size(); ++i) {
    one[0] = strip.characters[i];
    cairo_save(cr);
    // Each glyph stays inside its own cell: the editor cuts the strip at these borders.
    cairo_rectangle(cr, x, 0, strip.widths[i], plan.stripHeight);
    cairo_clip(cr);
    strip.image->colour(plan.colour);
    cairo_move_to(cr, x, baseline);
    cairo_show_text(cr, one);
    cairo_new_path(cr);
    cairo_restore(cr);
    x += strip.widths[i];
  }
  return strip;
}
