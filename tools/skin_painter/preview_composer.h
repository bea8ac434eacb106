// Preview pictures: the window as the editor would build it from the skin, for looking at the design.
#pragma once

#include <memory>
#include <string>

#include "tools/skin_painter/canvas.h"
#include "tools/skin_painter/skin_model.h"
#include "tools/skin_painter/skin_renderer.h"

class PreviewComposer {
 public:
  PreviewComposer(const SkinModel& model, const SkinRenderer& rendered) : model_(model), rendered_(rendered) {}

  // At rest every control shows its first frame on the first page. With `lively` the controls take
  // assorted values, the meters are lit and the second page is shown.
  std::unique_ptr<Canvas> compose(bool lively) const;

 private:
  double valueOf(const std::string& parameter, bool lively) const;
  void place(const Canvas& canvas, const SkinControl& control, bool lively) const;
  void pad(const Canvas& canvas, const SkinRect& r, const Canvas& ground, bool lively) const;

  const SkinModel& model_;
  const SkinRenderer& rendered_;
};
