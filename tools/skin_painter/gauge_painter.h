// Displays drawn from bitmaps: level meter segments, the band range bar, the fader handle, the XY pad and cursor.
#pragma once

#include <memory>

#include "tools/skin_painter/canvas.h"
#include "tools/skin_painter/skin_model.h"

class GaugePainter {
 public:
  static constexpr int kMeterSegments = 31;

  std::unique_ptr<Canvas> paint(const BitmapPlan& plan) const;

  // Also used by the background so that what lies behind these controls matches them pixel for pixel.
  static void meter(const Canvas& canvas, int x, int y, int w, int h, bool lit);
  static void rangeSlot(const Canvas& canvas, int x, int y, int w, int h, bool withBar);

 private:
  void faderHandle(const Canvas& canvas, const BitmapPlan& plan) const;
  void pad(const Canvas& canvas, const BitmapPlan& plan) const;
  void cursor(const Canvas& canvas, const BitmapPlan& plan) const;
};
