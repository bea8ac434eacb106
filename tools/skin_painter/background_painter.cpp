// The window picture: ground, section panels with titles, every caption and the static parts of controls.
#include "tools/skin_painter/background_painter.h"

#include <cmath>
#include <utility>
#include <vector>

#include "tools/skin_painter/gauge_painter.h"
#include "tools/skin_painter/skin_palette.h"

namespace {

const TextPen::Style kTitleStyle{9.5, true, 1.6};
const TextPen::Style kKnobLabelStyle{7.5, true, 0.9};
const TextPen::Style kScaleStyle{7.0, false, 0.0};
const TextPen::Style kAxisStyle{10.0, true, 0.0};

constexpr double kPanelRadius = 6.0;

// The volume fader and the meters share one scale: both map a position v to 54.7 x log10(v) dB
// (the output gain is v^2.737, the meters show peak^0.3676).
double faderPositionOfDb(double db) { return std::pow(10.0, db / (20.0 * 2.737)); }

// The band edges step through a frequency scale of 285 entries: 20..80 Hz by 1 Hz, then 28 steps per octave.
double bandPositionOfHz(double hz) {
  const double index = hz <= 80.0 ? hz - 20.0 : 60.0 + 28.0 * std::log2(hz / 80.0);
  return std::fmin(1.0, index / 284.0);
}

}  // namespace

std::unique_ptr<Canvas> BackgroundPainter::paint(const SkinModel& model, const std::string& page) const {
  auto canvas = std::make_unique<Canvas>(model.width, model.height, true);
  cairo_rectangle(canvas->cr(), 0, 0, model.width, model.height);
  canvas->verticalGradient(0, model.height, palette::kWindowTop, palette::kWindowBottom);
  cairo_fill(canvas->cr());

  auto shown = [&page](const std::string& owner) { return owner.empty() || owner == page; };
  for (const Panel& p : model.panels) {
    if (shown(p.page)) panel(*canvas, p);
  }
  for (const Decoration& d : model.decorations) {
    if (shown(d.page)) decoration(*canvas, d);
  }
  for (const Label& l : model.labels) {
    if (shown(l.page)) label(*canvas, l);
  }
  return canvas;
}

void BackgroundPainter::panel(const Canvas& canvas, const Panel& p) const {
  cairo_t* cr = canvas.cr();
  const SkinRect& r = p.rect;
  // Soft drop shadow, then a flat face: the controls' own grounds are this exact colour.
  for (int i = 3; i >= 1; --i) {
    canvas.roundedRect(r.left - i + 0.5, r.top - i + 2.0, r.width() + 2 * i - 1.0, r.height() + 2 * i - 1.0,
                       kPanelRadius + i);
    canvas.colour(Rgb{}, 0.16);
    cairo_fill(cr);
  }
  canvas.roundedRect(r.left, r.top, r.width(), r.height(), kPanelRadius);
  canvas.colour(palette::kPanel);
  cairo_fill_preserve(cr);
  if (!p.title.empty()) {
    // The title band is a shade lighter; power switches and page buttons are drawn on this shade.
    cairo_save(cr);
    cairo_clip(cr);
    cairo_rectangle(cr, r.left, r.top, r.width(), 24);
    canvas.colour(palette::kPanelHeader);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  cairo_new_path(cr);
  cairo_set_line_width(cr, 1.0);
  canvas.roundedRect(r.left + 0.5, r.top + 0.5, r.width() - 1.0, r.height() - 1.0, kPanelRadius);
  canvas.colour(palette::kPanelEdge);
  cairo_stroke(cr);
  canvas.colour(palette::kPanelHighlight);
  cairo_move_to(cr, r.left + kPanelRadius, r.top + 1.5);
  cairo_line_to(cr, r.right - kPanelRadius, r.top + 1.5);
  cairo_stroke(cr);
  if (p.title.empty()) return;

  canvas.colour(palette::kPanelRule);
  cairo_move_to(cr, r.left + 1.0, r.top + 24.5);
  cairo_line_to(cr, r.right - 1.0, r.top + 24.5);
  cairo_stroke(cr);
  canvas.colour(palette::kTitle);
  pen_.draw(cr, p.title, r.left + (p.hasPower ? 30 : 12), r.top + 16, kTitleStyle, -1);
}

void BackgroundPainter::decoration(const Canvas& canvas, const Decoration& d) const {
  const SkinRect& r = d.rect;
  switch (d.kind) {
    case DecorationKind::Logo: logo(canvas, r); break;
    case DecorationKind::Lcd: lcd(canvas, r); break;
    case DecorationKind::MeterSlot:
      inset(canvas, r, 2.0, 2.0);
      GaugePainter::meter(canvas, r.left, r.top, r.width(), r.height(), false);
      break;
    case DecorationKind::FaderScale: faderScale(canvas, r); break;
    case DecorationKind::RangeScale: rangeScale(canvas, r); break;
    case DecorationKind::MenuButton: menuButton(canvas, r); break;
    case DecorationKind::InfoButton: infoButton(canvas, r); break;
    case DecorationKind::PadFrame: inset(canvas, r, 3.0, 3.0); break;
    case DecorationKind::MorphIcon: morphIcon(canvas, r); break;
  }
}

void BackgroundPainter::label(const Canvas& canvas, const Label& l) const {
  switch (l.style) {
    case LabelStyle::Knob:
    case LabelStyle::Caption:
      canvas.colour(palette::kLabel);
      pen_.draw(canvas.cr(), l.text, l.x, l.y, kKnobLabelStyle, l.align);
      break;
    case LabelStyle::Scale:
      canvas.colour(palette::kDimText);
      pen_.draw(canvas.cr(), l.text, l.x, l.y, kScaleStyle, l.align);
      break;
    case LabelStyle::Axis:
      canvas.colour(palette::accent(l.accent));
      pen_.draw(canvas.cr(), l.text, l.x, l.y, kAxisStyle, l.align);
      break;
  }
}

void BackgroundPainter::inset(const Canvas& canvas, const SkinRect& r, double grow, double radius) const {
  cairo_t* cr = canvas.cr();
  canvas.roundedRect(r.left - grow + 0.5, r.top - grow + 0.5, r.width() + 2 * grow - 1.0,
                     r.height() + 2 * grow - 1.0, radius);
  canvas.colour(palette::kInset);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.0);
  canvas.colour(palette::kInsetEdge);
  cairo_stroke(cr);
}

void BackgroundPainter::logo(const Canvas& canvas, const SkinRect& r) const {
  cairo_t* cr = canvas.cr();
  const TextPen::Style name{17.0, true, 1.0};
  const double baseline = r.top + 16;
  canvas.colour(palette::kTitle);
  pen_.draw(cr, "RAVEN SOOT", r.left, baseline, name, -1);
  const double w = pen_.width(cr, "RAVEN SOOT", name);
  canvas.colour(palette::kAmber);
  pen_.draw(cr, "3", r.left + w + 6, baseline, name, -1);
}

void BackgroundPainter::lcd(const Canvas& canvas, const SkinRect& r) const {
  cairo_t* cr = canvas.cr();
  canvas.roundedRect(r.left + 0.5, r.top + 0.5, r.width() - 1.0, r.height() - 1.0, 4.0);
  canvas.colour(palette::kLcd);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.0);
  canvas.colour(palette::kInsetEdge);
  cairo_stroke(cr);
  // Recessed glass: a dark lip along the top, a faint warm sheen below it.
  canvas.colour(Rgb{}, 0.6);
  cairo_move_to(cr, r.left + 3, r.top + 1.5);
  cairo_line_to(cr, r.right - 3, r.top + 1.5);
  cairo_stroke(cr);
  cairo_rectangle(cr, r.left + 1, r.top + 2, r.width() - 2, r.height() / 2.0 - 2);
  canvas.verticalGradient(r.top + 2, r.top + r.height() / 2.0, palette::kAmber, palette::kAmber, 0.025);
  cairo_fill(cr);
}

void BackgroundPainter::faderScale(const Canvas& canvas, const SkinRect& r) const {
  cairo_t* cr = canvas.cr();
  const double cx = (r.left + r.right) / 2.0;
  canvas.roundedRect(cx - 2.5, r.top - 6, 5, r.height() + 12, 2.5);
  canvas.colour(palette::kLcd);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.0);
  canvas.colour(palette::kInsetEdge);
  cairo_stroke(cr);

  const std::vector<std::pair<double, const char*>> marks = {
      {0.0, "0"}, {-6.0, "-6"}, {-12.0, "-12"}, {-24.0, "-24"}, {-48.0, "-48"}};
  for (const auto& [db, text] : marks) {
    const double y = std::round(r.bottom - faderPositionOfDb(db) * r.height()) + 0.5;
    canvas.colour(palette::kDimText);
    cairo_move_to(cr, cx + 16, y);
    cairo_line_to(cr, cx + 20, y);
    cairo_move_to(cr, cx + 42, y);
    cairo_line_to(cr, cx + 45, y);
    cairo_stroke(cr);
    pen_.draw(cr, text, cx + 31, y + 2.5, kScaleStyle, 0);
  }
  const double y = r.bottom + 0.5;
  canvas.colour(palette::kDimText);
  cairo_move_to(cr, cx + 16, y);
  cairo_line_to(cr, cx + 20, y);
  cairo_stroke(cr);
}

void BackgroundPainter::rangeScale(const Canvas& canvas, const SkinRect& r) const {
  cairo_t* cr = canvas.cr();
  GaugePainter::rangeSlot(canvas, r.left, r.top, r.width(), r.height(), false);
  const std::vector<std::pair<double, const char*>> marks = {
      {20000.0, "20k"}, {5000.0, "5k"}, {1000.0, "1k"}, {200.0, "200"}, {50.0, "50"}, {20.0, "20"}};
  cairo_set_line_width(cr, 1.0);
  for (const auto& [hz, text] : marks) {
    const double y = std::round(r.top + (1.0 - bandPositionOfHz(hz)) * r.height());
    const double ty = std::fmin(std::fmax(y, r.top + 3.0), r.bottom - 3.0);
    canvas.colour(palette::kDimText);
    cairo_move_to(cr, r.right + 2, std::round(ty) + 0.5);
    cairo_line_to(cr, r.right + 5, std::round(ty) + 0.5);
    cairo_stroke(cr);
    pen_.draw(cr, text, r.right + 7, std::round(ty) + 2.5, kScaleStyle, -1);
  }
}

void BackgroundPainter::menuButton(const Canvas& canvas, const SkinRect& r) const {
  cairo_t* cr = canvas.cr();
  canvas.roundedRect(r.left + 0.5, r.top + 0.5, r.width() - 1.0, r.height() - 1.0, 4.0);
  canvas.verticalGradient(r.top, r.bottom, palette::mix(palette::kButton, Rgb{1, 1, 1}, 0.04),
                          palette::mix(palette::kButton, Rgb{}, 0.25));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.0);
  canvas.colour(palette::kButtonEdge);
  cairo_stroke(cr);
  const double cy = (r.top + r.bottom) / 2.0;
  canvas.colour(palette::kLabel);
  cairo_set_line_width(cr, 1.4);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (double dy : {-3.5, 0.0, 3.5}) {
    cairo_move_to(cr, r.left + 10, std::round(cy + dy) + 0.0);
    cairo_line_to(cr, r.left + 19, std::round(cy + dy) + 0.0);
  }
  cairo_stroke(cr);
  pen_.draw(cr, "MENU", (r.left + 22 + r.right) / 2.0, cy + 3, TextPen::Style{8.0, true, 1.0}, 0);
}

void BackgroundPainter::infoButton(const Canvas& canvas, const SkinRect& r) const {
  cairo_t* cr = canvas.cr();
  const double cx = (r.left + r.right) / 2.0;
  const double cy = (r.top + r.bottom) / 2.0;
  cairo_arc(cr, cx, cy, r.width() / 2.0 - 0.5, 0.0, 2.0 * M_PI);
  canvas.colour(palette::kButton);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.0);
  canvas.colour(palette::kButtonEdge);
  cairo_stroke(cr);
  canvas.colour(palette::kLabel);
  pen_.draw(cr, "?", cx + 0.5, cy + 4, TextPen::Style{11.0, true, 0.0}, 0);
}

void BackgroundPainter::morphIcon(const Canvas& canvas, const SkinRect& r) const {
  // A tiny pad: a square with its cross-hair and the cursor dot.
  cairo_t* cr = canvas.cr();
  cairo_set_line_width(cr, 1.0);
  canvas.colour(palette::kTeal, 0.8);
  cairo_rectangle(cr, r.left + 0.5, r.top + 0.5, r.width() - 1.0, r.height() - 1.0);
  cairo_stroke(cr);
  canvas.colour(palette::kTeal, 0.45);
  cairo_move_to(cr, r.left + 1.0, r.top + 1.0);
  cairo_line_to(cr, r.left + 7.5, r.top + 4.5);
  cairo_line_to(cr, r.right - 1.0, r.bottom - 1.0);
  cairo_stroke(cr);
  cairo_arc(cr, r.left + 7.5, r.top + 4.5, 2.0, 0.0, 2.0 * M_PI);
  canvas.colour(palette::kTealBright);
  cairo_fill(cr);
}
