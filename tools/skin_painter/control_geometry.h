// Where the editor's control factory puts a control: its rectangle from the type, the bitmap size and x1..y2.
#pragma once

#include <string>

#include "tools/skin_painter/skin_model.h"

class ControlGeometry {
 public:
  // The version text is "Version v%1.2f" of the engine's version; 3.1 gives 13 characters.
  static constexpr int kVersionTextLength = 13;
  static constexpr int kSelectorButtonWidth = 24;

  // Rectangle in frame coordinates for a control whose bitmap image is w x h (all frames together).
  // Answers false for types that create no control.
  static bool rect(const SkinControl& control, int w, int h, SkinRect& out);
};
