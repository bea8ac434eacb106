// Displays drawn from bitmaps: level meter segments, the band range bar, the fader handle, the XY pad and cursor.
#include "tools/skin_painter/gauge_painter.h"

#include <array>
#include <cmath>

#include "tools/skin_painter/skin_palette.h"

std::unique_ptr<Canvas> GaugePainter::paint(const BitmapPlan& plan) const {
  const bool opaque = plan.kind != BitmapKind::FaderHandle && plan.kind != BitmapKind::XYCursor;
  auto canvas = std::make_unique<Canvas>(plan.width, plan.height, opaque);
  switch (plan.kind) {
    case BitmapKind::MeterOn: meter(*canvas, 0, 0, plan.width, plan.height, true); break;
    case BitmapKind::MeterOff: meter(*canvas, 0, 0, plan.width, plan.height, false); break;
    case BitmapKind::RangeBar:
      canvas->fillAll(palette::kPanel);
      rangeSlot(*canvas, 0, 0, plan.width, plan.height, true);
      break;
    case BitmapKind::FaderHandle: faderHandle(*canvas, plan); break;
    case BitmapKind::XYPad: pad(*canvas, plan); break;
    default: cursor(*canvas, plan); break;
  }
  return canvas;
}

void GaugePainter::meter(const Canvas& canvas, int x, int y, int w, int h, bool lit) {
  cairo_t* cr = canvas.cr();
  canvas.colour(palette::kInset);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
  // Segments from the top; each pitch holds a one-pixel gap above the lit bar, so that the editor's
  // split at whole segments never cuts a bar.
  const int pitch = h / kMeterSegments;
  for (int s = 0; s < kMeterSegments; ++s) {
    const int level = kMeterSegments - 1 - s;
    Rgb colour = level >= kMeterSegments - 3 ? palette::kRed : (level >= kMeterSegments - 10 ? palette::kAmber : palette::kTeal);
    if (!lit) colour = palette::mix(palette::kInset, colour, 0.16);
    const int top = y + s * pitch + 1;
    canvas.colour(colour);
    cairo_rectangle(cr, x, top, w, pitch - 1);
    cairo_fill(cr);
    if (lit) {
      canvas.colour(Rgb{1, 1, 1}, 0.18);
      cairo_rectangle(cr, x, top, w, 1);
      cairo_fill(cr);
    }
  }
}

void GaugePainter::rangeSlot(const Canvas& canvas, int x, int y, int w, int h, bool withBar) {
  cairo_t* cr = canvas.cr();
  canvas.roundedRect(x + 0.5, y + 0.5, w - 1.0, h - 1.0, 3.0);
  canvas.colour(palette::kInset);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.0);
  canvas.colour(palette::kInsetEdge);
  cairo_stroke(cr);
  if (!withBar) return;
  canvas.roundedRect(x + 3.0, y + 3.0, w - 6.0, h - 6.0, 1.5);
  canvas.verticalGradient(y, y + h, palette::kAmberBright, palette::kAmberDeep);
  cairo_fill(cr);
  canvas.colour(Rgb{1, 1, 1}, 0.25);
  cairo_rectangle(cr, x + 3.0, y + 3.0, 1.0, h - 6.0);
  cairo_fill(cr);
}

void GaugePainter::faderHandle(const Canvas& canvas, const BitmapPlan& plan) const {
  cairo_t* cr = canvas.cr();
  const double w = plan.width;
  const double h = plan.height;
  canvas.roundedRect(0.5, 1.5, w - 1.0, h - 2.0, 3.0);
  canvas.colour(Rgb{}, 0.5);
  cairo_fill(cr);
  canvas.roundedRect(0.5, 0.5, w - 1.0, h - 2.0, 3.0);
  canvas.verticalGradient(0, h, palette::hex(0x5d636e), palette::hex(0x2b2f36));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.0);
  canvas.colour(palette::kKnobRim);
  cairo_stroke(cr);
  // Grip ridges either side of the amber index line.
  canvas.colour(Rgb{}, 0.35);
  for (double gy : {3.5, 9.5}) {
    cairo_move_to(cr, 4, gy);
    cairo_line_to(cr, w - 4, gy);
  }
  cairo_stroke(cr);
  canvas.colour(palette::kAmber);
  cairo_rectangle(cr, 3, std::floor((h - 1.0) / 2.0) - 0.5, w - 6, 2);
  cairo_fill(cr);
}

void GaugePainter::pad(const Canvas& canvas, const BitmapPlan& plan) const {
  cairo_t* cr = canvas.cr();
  const int w = plan.width;
  const int h = plan.height;
  canvas.fillAll(palette::kPadGround);
  cairo_set_line_width(cr, 1.0);
  for (int i = 1; i < 8; ++i) {
    const double x = std::round(w * i / 8.0) + 0.5;
    const double y = std::round(h * i / 8.0) + 0.5;
    canvas.colour(i == 4 ? palette::mix(palette::kPadGrid, palette::kTeal, 0.18) : palette::kPadGrid);
    if (i % 2 == 1) cairo_set_dash(cr, std::array<double, 2>{1.0, 2.0}.data(), 2, 0.0);
    cairo_move_to(cr, x, 1);
    cairo_line_to(cr, x, h - 1);
    cairo_move_to(cr, 1, y);
    cairo_line_to(cr, w - 1, y);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0.0);
  }
  // A faint teal bloom in the middle gives the pad some depth.
  cairo_pattern_t* bloom = cairo_pattern_create_radial(w / 2.0, h / 2.0, 0.0, w / 2.0, h / 2.0, w * 0.7);
  cairo_pattern_add_color_stop_rgba(bloom, 0.0, palette::kTeal.r, palette::kTeal.g, palette::kTeal.b, 0.05);
  cairo_pattern_add_color_stop_rgba(bloom, 1.0, palette::kTeal.r, palette::kTeal.g, palette::kTeal.b, 0.0);
  cairo_set_source(cr, bloom);
  cairo_paint(cr);
  cairo_pattern_destroy(bloom);
  cairo_rectangle(cr, 0.5, 0.5, w - 1.0, h - 1.0);
  canvas.colour(palette::kInsetEdge);
  cairo_stroke(cr);
}

void GaugePainter::cursor(const Canvas& canvas, const BitmapPlan& plan) const {
  cairo_t* cr = canvas.cr();
  const double c = plan.width / 2.0;
  cairo_arc(cr, c, c, c - 0.3, 0.0, 2.0 * M_PI);
  canvas.colour(palette::kTeal, 0.45);
  cairo_fill(cr);
  cairo_arc(cr, c, c, c - 1.8, 0.0, 2.0 * M_PI);
  canvas.colour(palette::kTealBright);
  cairo_fill(cr);
  cairo_arc(cr, c, c, 1.4, 0.0, 2.0 * M_PI);
  canvas.colour(Rgb{1, 1, 1});
  cairo_fill(cr);
}
