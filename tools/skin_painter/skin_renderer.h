// Draws every bitmap and bitmap font a skin model names, and writes them out as PNG files.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "tools/skin_painter/canvas.h"
#include "tools/skin_painter/glyph_strip_painter.h"
#include "tools/skin_painter/skin_model.h"
#include "tools/skin_painter/text_pen.h"

class SkinRenderer {
 public:
  SkinRenderer(const SkinModel& model, const TextPen& pen) : model_(model), pen_(pen) {}

  bool render(std::string& error);
  // Font strips are images too, under the font's name.
  const Canvas* image(const std::string& name) const;
  const GlyphStrip* font(const std::string& name) const;
  bool writeImages(const std::string& folder, std::string& error) const;

 private:
  std::unique_ptr<Canvas> pageImage(const BitmapPlan& plan, std::string& error) const;

  const SkinModel& model_;
  const TextPen& pen_;
  std::map<std::string, std::unique_ptr<Canvas>> images_;
  std::map<std::string, GlyphStrip> fonts_;
};
