// Writes SkinParameters.txt: the five sections in order, each closed by its end marker.
#pragma once

#include <string>

#include "tools/skin_painter/skin_model.h"
#include "tools/skin_painter/skin_renderer.h"

class SkinFileWriter {
 public:
  // The font records need the rendered strips for their glyph widths.
  static bool write(const std::string& path, const SkinModel& model, const SkinRenderer& rendered, std::string& error);
  static std::string text(const SkinModel& model, const SkinRenderer& rendered);
};
