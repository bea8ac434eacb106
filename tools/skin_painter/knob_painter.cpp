// Knob strips: one square frame per value step, each with the knob body, its pointer and the value arc.
#include "tools/skin_painter/knob_painter.h"

#include <cmath>

#include "tools/skin_painter/skin_palette.h"

namespace {

// The sweep runs clockwise on screen from lower left (value 0) over the top to lower right (value 1).
constexpr double kStartAngle = 0.75 * M_PI;
constexpr double kSweep = 1.5 * M_PI;

}  // namespace

std::unique_ptr<Canvas> KnobPainter::paint(const BitmapPlan& plan) const {
  auto canvas = std::make_unique<Canvas>(plan.width, plan.width * plan.frames, true);
  canvas->fillAll(palette::kPanel);
  for (int i = 0; i < plan.frames; ++i) {
    const double value = plan.frames > 1 ? static_cast<double>(i) / (plan.frames - 1) : 0.0;
    paintFrame(*canvas, static_cast<double>(i) * plan.width, plan.width, value, plan.accent);
  }
  return canvas;
}

void KnobPainter::paintFrame(const Canvas& canvas, double top, double size, double value, Accent accent) const {
  cairo_t* cr = canvas.cr();
  cairo_save(cr);
  cairo_rectangle(cr, 0, top, size, size);
  cairo_clip(cr);
  cairo_translate(cr, 0, top);

  const double c = size / 2.0;
  const double arcRadius = size / 2.0 - 4.5;
  const double bodyRadius = size * 0.30;
  const double valueAngle = kStartAngle + kSweep * value;

  // Value ring: a dark track, the lit part with a soft glow underneath, small end marks.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_width(cr, 3.0);
  canvas.colour(palette::kTrack);
  cairo_arc(cr, c, c, arcRadius, kStartAngle, kStartAngle + kSweep);
  cairo_stroke(cr);
  if (value > 0.0) {
    const Rgb lit = palette::accent(accent);
    cairo_set_line_width(cr, 7.0);
    canvas.colour(lit, 0.16);
    cairo_arc(cr, c, c, arcRadius, kStartAngle, valueAngle);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 3.0);
    canvas.colour(lit);
    cairo_arc(cr, c, c, arcRadius, kStartAngle, valueAngle);
    cairo_stroke(cr);
  }

  // Body: a soft shadow, a dome lit from above, a dark rim and a thin highlight on the upper edge.
  cairo_pattern_t* shadow = cairo_pattern_create_radial(c, c + 2.0, bodyRadius - 2.0, c, c + 2.0, bodyRadius + 3.0);
  cairo_pattern_add_color_stop_rgba(shadow, 0.0, 0.0, 0.0, 0.0, 0.55);
  cairo_pattern_add_color_stop_rgba(shadow, 1.0, 0.0, 0.0, 0.0, 0.0);
  cairo_set_source(cr, shadow);
  cairo_arc(cr, c, c + 2.0, bodyRadius + 3.0, 0.0, 2.0 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(shadow);

  canvas.verticalGradient(c - bodyRadius, c + bodyRadius, palette::kKnobTop, palette::kKnobBottom);
  cairo_arc(cr, c, c, bodyRadius, 0.0, 2.0 * M_PI);
  cairo_fill(cr);

  const double faceRadius = bodyRadius - 3.0;
  canvas.verticalGradient(c - faceRadius, c + faceRadius, palette::mix(palette::kKnobBottom, palette::kKnobTop, 0.35),
                          palette::mix(palette::kKnobBottom, palette::kKnobTop, 0.75));
  cairo_arc(cr, c, c, faceRadius, 0.0, 2.0 * M_PI);
  cairo_fill(cr);

  cairo_set_line_width(cr, 1.0);
  canvas.colour(palette::kKnobRim, 0.9);
  cairo_arc(cr, c, c, bodyRadius - 0.5, 0.0, 2.0 * M_PI);
  cairo_stroke(cr);
  canvas.colour(Rgb{1.0, 1.0, 1.0}, 0.13);
  cairo_arc(cr, c, c, bodyRadius - 1.5, 1.15 * M_PI, 1.85 * M_PI);
  cairo_stroke(cr);

  // Pointer from near the centre to the edge of the face.
  const double dx = std::cos(valueAngle);
  const double dy = std::sin(valueAngle);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 2.2);
  canvas.colour(palette::kPointer);
  cairo_move_to(cr, c + dx * bodyRadius * 0.32, c + dy * bodyRadius * 0.32);
  cairo_line_to(cr, c + dx * (bodyRadius - 2.6), c + dy * (bodyRadius - 2.6));
  cairo_stroke(cr);

  cairo_restore(cr);
}
