// Two-frame buttons: section power switches, lit text toggles, two-way switches, the kick button, page buttons.
#pragma once

#include <memory>

#include "tools/skin_painter/canvas.h"
#include "tools/skin_painter/skin_model.h"
#include "tools/skin_painter/text_pen.h"

class SwitchPainter {
 public:
  explicit SwitchPainter(const TextPen& pen) : pen_(pen) {}

  // Upper frame: off (value 0) or released; lower frame: on or pressed.
  std::unique_ptr<Canvas> paint(const BitmapPlan& plan) const;

 private:
  void power(const Canvas& canvas, const BitmapPlan& plan, bool on) const;
  void toggle(const Canvas& canvas, const BitmapPlan& plan, bool on) const;
  void twoWay(const Canvas& canvas, const BitmapPlan& plan, bool second) const;
  void kick(const Canvas& canvas, const BitmapPlan& plan, bool pressed) const;
  void pageButton(const Canvas& canvas, const BitmapPlan& plan, bool selected) const;
  void buttonBody(const Canvas& canvas, const BitmapPlan& plan, bool lit, double radius) const;
  void led(const Canvas& canvas, double x, double y, bool on, Accent accent) const;

  const TextPen& pen_;
};
