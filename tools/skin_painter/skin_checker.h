// Refuses a design the editor could not use: unknown names, long names, controls off the window, texts that spill.
#pragma once

#include <string>
#include <vector>

#include "tools/skin_painter/skin_model.h"
#include "tools/skin_painter/skin_renderer.h"

class SkinChecker {
 public:
  SkinChecker(const SkinModel& model, const SkinRenderer& rendered) : model_(model), rendered_(rendered) {}

  // Every problem found, one sentence each; empty when the skin is sound.
  std::vector<std::string> problems() const;

 private:
  void checkNames(std::vector<std::string>& out) const;
  void checkControl(const SkinControl& control, std::vector<std::string>& out) const;

  const SkinModel& model_;
  const SkinRenderer& rendered_;
};
