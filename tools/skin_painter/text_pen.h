// Text for the artwork: DejaVu Sans (regular and bold) loaded from its files, measured and drawn with cairo.
#pragma once

#include <cairo.h>

#include <string>

class TextPen {
 public:
  struct Style {
    double sizePx = 10.0;
    bool bold = false;
    double spacing = 0.0;  // extra pixels after every character (tracking of upper-case captions)
  };

  // Loads DejaVuSans.ttf and DejaVuSans-Bold.ttf from the folder; check `valid` afterwards.
  explicit TextPen(const std::string& fontFolder);
  ~TextPen();
  TextPen(const TextPen&) = delete;
  TextPen& operator=(const TextPen&) = delete;

  bool valid() const { return regular_ != nullptr && bold_ != nullptr; }
  const std::string& error() const { return error_; }

  void select(cairo_t* cr, const Style& style) const;
  double width(cairo_t* cr, const std::string& text, const Style& style) const;
  // Baseline at y; align -1 starts at x, 0 centres on x, 1 ends at x. Glyphs land on whole pixels.
  void draw(cairo_t* cr, const std::string& text, double x, double y, const Style& style, int align) const;

 private:
  cairo_font_face_t* load(const std::string& path);

  void* library_ = nullptr;
  cairo_font_face_t* regular_ = nullptr;
  cairo_font_face_t* bold_ = nullptr;
  std::string error_;
};
