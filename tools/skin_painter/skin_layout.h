// The default skin's design: which bitmaps it has, and where every section, label and control sits.
#pragma once

#include "tools/skin_painter/skin_model.h"

class SkinLayout {
 public:
  static constexpr int kWidth = 900;
  static constexpr int kHeight = 560;

  SkinModel build() const;
};
