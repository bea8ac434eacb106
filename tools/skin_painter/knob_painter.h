// Knob strips: one square frame per value step, each with the knob body, its pointer and the value arc.
#pragma once

#include <memory>

#include "tools/skin_painter/canvas.h"
#include "tools/skin_painter/skin_model.h"

class KnobPainter {
 public:
  // A strip of plan.frames frames of plan.width x plan.width; frame i shows the value i / (frames - 1).
  std::unique_ptr<Canvas> paint(const BitmapPlan& plan) const;

 private:
  void paintFrame(const Canvas& canvas, double top, double size, double value, Accent accent) const;
};
