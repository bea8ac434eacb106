// An image being drawn: a cairo surface with its context and the few path helpers every painter uses.
#pragma once

#include <cairo.h>

#include <string>

#include "tools/skin_painter/skin_model.h"

class Canvas {
 public:
  // Opaque canvases are written as RGB PNGs, the others keep their alpha channel.
  Canvas(int width, int height, bool opaque);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  bool valid() const;
  int width() const { return width_; }
  int height() const { return height_; }
  bool opaque() const { return opaque_; }
  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surface_; }

  void colour(Rgb c, double alpha = 1.0) const;
  void fillAll(Rgb c) const;
  void roundedRect(double x, double y, double w, double h, double radius) const;
  // Sets a vertical linear gradient from `top` at y0 to `bottom` at y1 as the source.
  void verticalGradient(double y0, double y1, Rgb top, Rgb bottom, double alpha = 1.0) const;
  // Copies a region of `source` to (x, y) of this canvas, with the source's alpha.
  void paint(const Canvas& source, int srcX, int srcY, int w, int h, int x, int y) const;
  bool writePng(const std::string& path) const;

 private:
  int width_;
  int height_;
  bool opaque_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};
