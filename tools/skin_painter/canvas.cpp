// An image being drawn: a cairo surface with its context and the few path helpers every painter uses.
#include "tools/skin_painter/canvas.h"

#include <cmath>

Canvas::Canvas(int width, int height, bool opaque)
    : width_(width),
      height_(height),
      opaque_(opaque),
      surface_(cairo_image_surface_create(opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GOOD);
  if (!opaque) {
    cairo_set_operator(cr_, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
  }
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

bool Canvas::valid() const {
  return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS && cairo_status(cr_) == CAIRO_STATUS_SUCCESS;
}

void Canvas::colour(Rgb c, double alpha) const { cairo_set_source_rgba(cr_, c.r, c.g, c.b, alpha); }

void Canvas::fillAll(Rgb c) const {
  colour(c);
  cairo_paint(cr_);
}

void Canvas::roundedRect(double x, double y, double w, double h, double radius) const {
  const double r = std::fmin(radius, std::fmin(w, h) / 2.0);
  cairo_new_sub_path(cr_);
  cairo_arc(cr_, x + w - r, y + r, r, -M_PI / 2.0, 0.0);
  cairo_arc(cr_, x + w - r, y + h - r, r, 0.0, M_PI / 2.0);
  cairo_arc(cr_, x + r, y + h - r, r, M_PI / 2.0, M_PI);
  cairo_arc(cr_, x + r, y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr_);
}

void Canvas::verticalGradient(double y0, double y1, Rgb top, Rgb bottom, double alpha) const {
  cairo_pattern_t* pattern = cairo_pattern_create_linear(0.0, y0, 0.0, y1);
  cairo_pattern_add_color_stop_rgba(pattern, 0.0, top.r, top.g, top.b, alpha);
  cairo_pattern_add_color_stop_rgba(pattern, 1.0, bottom.r, bottom.g, bottom.b, alpha);
  cairo_set_source(cr_, pattern);
  cairo_pattern_destroy(pattern);
}

void Canvas::paint(const Canvas& source, int srcX, int srcY, int w, int h, int x, int y) const {
  cairo_save(cr_);
  cairo_rectangle(cr_, x, y, w, h);
  cairo_clip(cr_);
  cairo_set_source_surface(cr_, source.surface(), x - srcX, y - srcY);
  cairo_paint(cr_);
  cairo_restore(cr_);
}

bool Canvas::writePng(const std::string& path) const {
  cairo_surface_flush(surface_);
  return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}
