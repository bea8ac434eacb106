// Text for the artwork: DejaVu Sans (regular and bold) loaded from its files, measured and drawn with cairo.
#include "tools/skin_painter/text_pen.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>

namespace {

cairo_user_data_key_t kFaceKey;

void releaseFace(void* face) { FT_Done_Face(static_cast<FT_Face>(face)); }

}  // namespace

TextPen::TextPen(const std::string& fontFolder) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) {
    error_ = "cannot start FreeType";
    return;
  }
  library_ = library;
  regular_ = load(fontFolder + "/DejaVuSans.ttf");
  bold_ = load(fontFolder + "/DejaVuSans-Bold.ttf");
}

TextPen::~TextPen() {
  if (regular_ != nullptr) cairo_font_face_destroy(regular_);
  if (bold_ != nullptr) cairo_font_face_destroy(bold_);
  // The FreeType library is left to the end of the process: cairo may still cache faces made from it.
}

cairo_font_face_t* TextPen::load(const std::string& path) {
  if (library_ == nullptr) return nullptr;
  FT_Face face = nullptr;
  if (FT_New_Face(static_cast<FT_Library>(library_), path.c_str(), 0, &face) != 0) {
    if (error_.empty()) error_ = "cannot read the font " + path;
    return nullptr;
  }
  cairo_font_face_t* cairoFace = cairo_ft_font_face_create_for_ft_face(face, 0);
  if (cairo_font_face_set_user_data(cairoFace, &kFaceKey, face, releaseFace) != CAIRO_STATUS_SUCCESS) {
    cairo_font_face_destroy(cairoFace);
    FT_Done_Face(face);
    error_ = "cannot attach the font " + path;
    return nullptr;
  }
  return cairoFace;
}

void TextPen::select(cairo_t* cr, const Style& style) const {
  cairo_set_font_face(cr, style.bold ? bold_ : regular_);
  cairo_set_font_size(cr, style.sizePx);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

double TextPen::width(cairo_t* cr, const std::string& text, const Style& style) const {
  cairo_save(cr);
  select(cr, style);
  double total = 0.0;
  char one[2] = {0, 0};
  for (char c : text) {
    one[0] = c;
    cairo_text_extents_t extents;
    cairo_text_extents(cr, one, &extents);
    total += std::round(extents.x_advance) + style.spacing;
  }
  cairo_restore(cr);
  return text.empty() ? 0.0 : total - style.spacing;
}

void TextPen::draw(cairo_t* cr, const std::string& text, double x, double y, const Style& style, int align) const {
  const double w = width(cr, text, style);
  double pen = align < 0 ? x : (align == 0 ? x - w / 2.0 : x - w);
  pen = std::round(pen);
  cairo_save(cr);
  select(cr, style);
  char one[2] = {0, 0};
  for (char c : text) {
    one[0] = c;
    cairo_text_extents_t extents;
    cairo_text_extents(cr, one, &extents);
    cairo_move_to(cr, std::round(pen), std::round(y));
    cairo_show_text(cr, one);
    pen += std::round(extents.x_advance) + style.spacing;
  }
  // Showing text leaves a current point behind; the next arc would otherwise start with a line from it.
  cairo_new_path(cr);
  cairo_restore(cr);
}
