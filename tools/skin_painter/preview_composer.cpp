// Preview pictures: the window as the editor would build it from the skin, for looking at the design.
#include "tools/skin_painter/preview_composer.h"

#include <algorithm>
#include <cmath>

#include "tools/skin_painter/control_geometry.h"
#include "tools/skin_painter/menu_texts.h"

namespace {

// A stable spread of values from the parameter's name, so the lively preview looks the same every run.
double scatter(const std::string& name) {
  unsigned hash = 2166136261u;
  for (char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return (hash % 1000u) / 999.0;
}

}  // namespace

double PreviewComposer::valueOf(const std::string& parameter, bool lively) const {
  if (!lively) return 0.0;
  if (parameter == "BpFilterLow") return 0.28;
  if (parameter == "BpFilterHigh") return 0.81;
  if (parameter == "MmFilterType") return 0.03;
  if (parameter == "Lfo2Shape") return 0.06;
  if (parameter == "Lfo2Target") return 0.13;
  if (parameter == "MorphXParam") return 0.13;
  if (parameter == "MorphYParam") return 0.14;
  if (parameter == "LevelMeterL") return 0.82;
  if (parameter == "LevelMeterR") return 0.74;
  if (parameter == "LfoSelect") return 0.01;
  if (parameter.size() > 2 && parameter.compare(parameter.size() - 2, 2, "On") == 0) return 1.0;
  return scatter(parameter);
}

std::unique_ptr<Canvas> PreviewComposer::compose(bool lively) const {
  auto canvas = std::make_unique<Canvas>(model_.width, model_.height, true);
  const Canvas* background = rendered_.image("Background");
  if (background == nullptr) return canvas;
  canvas->paint(*background, 0, 0, model_.width, model_.height, 0, 0);

  const std::size_t shownPage = lively && model_.pages.size() > 1 ? 1 : 0;
  std::string pageName;
  if (shownPage < model_.pages.size()) {
    const SkinPage& page = model_.pages[shownPage];
    pageName = page.name;
    if (const Canvas* image = rendered_.image(page.bitmap)) {
      canvas->paint(*image, 0, 0, page.rect.width(), page.rect.height(), page.rect.left, page.rect.top);
    }
  }
  for (const SkinControl& control : model_.controls) {
    // The page buttons travel with whichever page is shown.
    if (control.page == "Main" || control.page == pageName || control.type == "RadioButton") {
      place(*canvas, control, lively);
    }
  }
  return canvas;
}

void PreviewComposer::place(const Canvas& canvas, const SkinControl& c, bool lively) const {
  const Canvas* image = rendered_.image(c.bitmap);
  if (image == nullptr) return;
  const int w = image->width();
  const int h = image->height();
  SkinRect r;
  if (!ControlGeometry::rect(c, w, h, r)) return;
  const double v = valueOf(c.parameter, lively);
  const std::string& t = c.type;

  if (t == "Knob") {
    const int frames = h / w;
    const int frame = std::clamp(static_cast<int>(v * (frames - 1)), 0, frames - 1);
    canvas.paint(*image, 0, frame * w, w, w, r.left, r.top);
  } else if (t == "OnButton" || t == "KickButton") {
    canvas.paint(*image, 0, v > 0.5 ? h / 2 : 0, w, h / 2, r.left, r.top);
  } else if (t == "VSlider") {
    const int travel = c.y2 - c.y1;
    canvas.paint(*image, 0, 0, w, h, r.left, r.top + static_cast<int>((1.0 - v) * travel));
  } else if (t == "Selector") {
    canvas.paint(*image, 0, 0, w, h / 3, r.left, r.top);
    const GlyphStrip* font = model_.fonts.empty() ? nullptr : rendered_.font(model_.fonts.front().name);
    const std::vector<std::string>& entries = menu_texts::forParameter(c.parameter);
    if (font != nullptr && !entries.empty()) {
      const int index = std::clamp(static_cast<int>(v * 100.0 + 0.0001), 0, static_cast<int>(entries.size()) - 1);
      const bool morph = c.parameter == "MorphXParam" || c.parameter == "MorphYParam";
      const int button = morph ? model_.setting("SelectorButtonWidthSmall") : ControlGeometry::kSelectorButtonWidth;
      font->drawInto(canvas, {r.left + button + 5, r.top + 1, r.right - button, r.bottom + 1}, entries[index]);
    }
  } else if (t == "PresetSelector" || t == "UpDownPreset") {
    canvas.paint(*image, 0, 0, w, h / 3, r.left, r.top);
  } else if (t == "VuMeter" && lively) {
    const Canvas* off = rendered_.image("LevelMeterOff");
    const int unlit = static_cast<int>((1.0 - v) * 31.0 + 0.5);
    const int k = static_cast<int>(unlit / 31.0 * h);
    if (off != nullptr) canvas.paint(*off, 0, 0, r.width(), k, r.left, r.top);
    canvas.paint(*image, 0, k, r.width(), r.height() - k, r.left, r.top + k);
  } else if (t == "MorphSquare") {
    pad(canvas, r, *image, lively);
  } else if (t == "RadioButton") {
    const Canvas* buttons[2] = {rendered_.image("LfoSelect1"), rendered_.image("LfoSelect2")};
    const int selected = static_cast<int>(v * 100.0 + 0.0001);
    for (int i = 0; i < 2; ++i) {
      if (buttons[i] == nullptr) continue;
      const int bh = buttons[i]->height() / 2;
      canvas.paint(*buttons[i], 0, i == selected ? bh : 0, buttons[i]->width(), bh,
                   r.left + i * model_.setting("LfoButtonSpace"), r.top);
    }
  } else if (t == "TextDisplay") {
    if (const GlyphStrip* font = rendered_.font("FontDisplay")) {
      font->drawInto(canvas, r, lively ? "Dusty Tape Crunch" : "Init");
    }
  } else if (t == "VersionDisplay") {
    if (const GlyphStrip* font = rendered_.font("FontVersion")) font->drawInto(canvas, r, "Version v3.10");
  } else if (t == "VSliderBar") {
    const int height = r.height();
    const double lo = valueOf("BpFilterLow", lively);
    const double hi = lively ? valueOf("BpFilterHigh", lively) : 0.0;
    const int top = static_cast<int>(height * (1.0 - hi));
    const int bottom = r.bottom - static_cast<int>(height * lo);
    if (bottom > r.top + top) canvas.paint(*image, 0, top, w, bottom - r.top - top, r.left, r.top + top);
  }
}

void PreviewComposer::pad(const Canvas& canvas, const SkinRect& r, const Canvas& ground, bool lively) const {
  cairo_t* cr = canvas.cr();
  canvas.paint(ground, 0, 0, r.width(), r.height(), r.left, r.top);
  const int innerW = r.width() - 8;
  const int innerH = r.height() - 8;
  const double vx = lively ? valueOf("MmFilterCutoff", true) : 0.0;
  const double vy = lively ? valueOf("MmFilterRes", true) : 0.0;
  const int x = static_cast<int>(innerW * vx) + 4;
  const int y = static_cast<int>(innerH * (1.0 - vy)) + 4;

  // The pad blends its line colour over its background colour itself, so the lines are opaque.
  const auto channel = [this](const char* line, const char* ground) {
    const int a = model_.setting("XYLineA") & 0xff;
    return ((model_.setting(ground) & 0xff) * (255 - a) + (model_.setting(line) & 0xff) * a) / 256 / 255.0;
  };
  cairo_save(cr);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_set_line_width(cr, 1.0);
  cairo_set_source_rgb(cr, channel("XYLineR", "XYBkgR"), channel("XYLineG", "XYBkgG"), channel("XYLineB", "XYBkgB"));
  const int corners[4][2] = {{1, 1}, {r.width(), 1}, {1, r.height()}, {r.width(), r.height()}};
  for (const auto& corner : corners) {
    cairo_move_to(cr, r.left + x + 0.5, r.top + y + 0.5);
    cairo_line_to(cr, r.left + corner[0] - 0.5, r.top + corner[1] - 0.5);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  if (const Canvas* cursor = rendered_.image("XYCursor")) {
    canvas.paint(*cursor, 0, 0, 9, 9, r.left + x - 4, r.top + y - 4);
  }
}
