// Where the editor's control factory puts a control: its rectangle from the type, the bitmap size and x1..y2.
#include "tools/skin_painter/control_geometry.h"

bool ControlGeometry::rect(const SkinControl& c, int w, int h, SkinRect& out) {
  const std::string& t = c.type;
  if (t == "Knob") {
    out = {c.x1 - w / 2, c.y1 - w / 2, c.x1 + w / 2, c.y1 + w / 2};
  } else if (t == "OnButton" || t == "KickButton") {
    out = {c.x1 - w / 2, c.y1 - h / 4, c.x1 + w / 2, c.y1 + h / 4};
  } else if (t == "VSlider") {
    out = {c.x1 - w / 2, c.y1 - h / 2, c.x2 + w / 2, c.y2 + h / 2};
  } else if (t == "Selector" || t == "UpDownPreset") {
    out = {c.x1 - w / 2, c.y1 - h / 6, c.x1 + w / 2, c.y1 + h / 6};
  } else if (t == "MorphSquare" || t == "VSliderBar") {
    out = {c.x1 - w / 2, c.y1 - h / 2, c.x1 + w / 2, c.y1 + h / 2};
  } else if (t == "VersionDisplay") {
    out = {c.x2 - 6 * kVersionTextLength, c.y1, c.x2, c.y2};
  } else if (t == "PresetSelector" || t == "VuMeter" || t == "PresetMenu" || t == "WebLink" ||
             t == "RadioButton" || t == "TextDisplay") {
    out = {c.x1, c.y1, c.x2, c.y2};
  } else {
    return false;
  }
  return true;
}
