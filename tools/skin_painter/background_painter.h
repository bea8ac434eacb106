// The window picture: ground, section panels with titles, every caption and the static parts of controls.
#pragma once

#include <memory>
#include <string>

#include "tools/skin_painter/canvas.h"
#include "tools/skin_painter/skin_model.h"
#include "tools/skin_painter/text_pen.h"

class BackgroundPainter {
 public:
  explicit BackgroundPainter(const TextPen& pen) : pen_(pen) {}

  // The whole window with the artwork of the main container and of the page `page`.
  std::unique_ptr<Canvas> paint(const SkinModel& model, const std::string& page) const;

 private:
  void panel(const Canvas& canvas, const Panel& panel) const;
  void decoration(const Canvas& canvas, const Decoration& decoration) const;
  void label(const Canvas& canvas, const Label& label) const;
  void logo(const Canvas& canvas, const SkinRect& r) const;
  void lcd(const Canvas& canvas, const SkinRect& r) const;
  void faderScale(const Canvas& canvas, const SkinRect& r) const;
  void rangeScale(const Canvas& canvas, const SkinRect& r) const;
  void menuButton(const Canvas& canvas, const SkinRect& r) const;
  void infoButton(const Canvas& canvas, const SkinRect& r) const;
  void morphIcon(const Canvas& canvas, const SkinRect& r) const;
  void inset(const Canvas& canvas, const SkinRect& r, double grow, double radius) const;

  const TextPen& pen_;
};
