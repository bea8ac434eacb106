// Three-frame stepping controls: list selectors and the preset selector (arrows left and right), the up/down stepper.
#pragma once

#include <memory>

#include "tools/skin_painter/canvas.h"
#include "tools/skin_painter/skin_model.h"
#include "tools/skin_painter/text_pen.h"

class StepperPainter {
 public:
  explicit StepperPainter(const TextPen& pen) : pen_(pen) {}

  // Frames: normal, then the right (or upper) arrow pressed, then the left (or lower) arrow pressed.
  std::unique_ptr<Canvas> paint(const BitmapPlan& plan) const;

 private:
  void sideways(const Canvas& canvas, const BitmapPlan& plan, int pressed) const;
  void upDown(const Canvas& canvas, const BitmapPlan& plan, int pressed) const;
  void zone(const Canvas& canvas, double x, double y, double w, double h, bool pressed, Accent accent) const;
  void arrow(const Canvas& canvas, double cx, double cy, double dx, double dy, bool pressed, Accent accent) const;

  const TextPen& pen_;
};
