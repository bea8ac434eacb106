// Two-frame buttons: section power switches, lit text toggles, two-way switches, the kick button, page buttons.
#include "tools/skin_painter/switch_painter.h"

#include <cmath>

#include "tools/skin_painter/skin_palette.h"

namespace {

const TextPen::Style kButtonText{8.0, true, 0.8};

}  // namespace

std::unique_ptr<Canvas> SwitchPainter::paint(const BitmapPlan& plan) const {
  auto canvas = std::make_unique<Canvas>(plan.width, plan.height * 2, true);
  canvas->fillAll(plan.onTitleBand ? palette::kPanelHeader : palette::kPanel);
  for (int frame = 0; frame < 2; ++frame) {
    cairo_t* cr = canvas->cr();
    cairo_save(cr);
    cairo_rectangle(cr, 0, frame * plan.height, plan.width, plan.height);
    cairo_clip(cr);
    cairo_translate(cr, 0, frame * plan.height);
    const bool second = frame == 1;
    switch (plan.kind) {
      case BitmapKind::PowerButton: power(*canvas, plan, second); break;
      case BitmapKind::TextToggle: toggle(*canvas, plan, second); break;
      case BitmapKind::SegmentSwitch: twoWay(*canvas, plan, second); break;
      case BitmapKind::KickButton: kick(*canvas, plan, second); break;
      default: pageButton(*canvas, plan, second); break;
    }
    cairo_restore(cr);
  }
  return canvas;
}

void SwitchPainter::buttonBody(const Canvas& canvas, const BitmapPlan& plan, bool lit, double radius) const {
  cairo_t* cr = canvas.cr();
  const Rgb accent = palette::accent(plan.accent);
  const Rgb top = lit ? palette::mix(palette::kButton, accent, 0.22) : palette::mix(palette::kButton, Rgb{1, 1, 1}, 0.04);
  const Rgb bottom = lit ? palette::mix(palette::kButton, accent, 0.10) : palette::mix(palette::kButton, Rgb{}, 0.25);
  canvas.roundedRect(0.5, 0.5, plan.width - 1.0, plan.height - 1.0, radius);
  canvas.verticalGradient(0, plan.height, top, bottom);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.0);
  canvas.colour(lit ? palette::mix(palette::kButtonEdge, accent, 0.65) : palette::kButtonEdge);
  cairo_stroke(cr);
  if (!lit) {
    canvas.colour(Rgb{1, 1, 1}, 0.06);
    cairo_move_to(cr, radius, 1.5);
    cairo_line_to(cr, plan.width - radius, 1.5);
    cairo_stroke(cr);
  }
}

void SwitchPainter::led(const Canvas& canvas, double x, double y, bool on, Accent accent) const {
  cairo_t* cr = canvas.cr();
  if (on) {
    const Rgb lit = palette::accent(accent);
    cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, 0.0, x, y, 6.0);
    cairo_pattern_add_color_stop_rgba(glow, 0.0, lit.r, lit.g, lit.b, 0.45);
    cairo_pattern_add_color_stop_rgba(glow, 1.0, lit.r, lit.g, lit.b, 0.0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, x, y, 6.0, 0.0, 2.0 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    canvas.colour(palette::accentBright(accent));
  } else {
    canvas.colour(palette::hex(0x3b4049));
  }
  cairo_arc(cr, x, y, 2.5, 0.0, 2.0 * M_PI);
  cairo_fill(cr);
}

void SwitchPainter::power(const Canvas& canvas, const BitmapPlan& plan, bool on) const {
  cairo_t* cr = canvas.cr();
  const double c = plan.width / 2.0;
  const double cy = plan.height / 2.0;
  const Rgb accent = palette::accent(plan.accent);
  if (on) {
    cairo_pattern_t* glow = cairo_pattern_create_radial(c, cy, 2.0, c, cy, c);
    cairo_pattern_add_color_stop_rgba(glow, 0.0, accent.r, accent.g, accent.b, 0.35);
    cairo_pattern_add_color_stop_rgba(glow, 1.0, accent.r, accent.g, accent.b, 0.0);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);
  }
  cairo_arc(cr, c, cy, c - 2.0, 0.0, 2.0 * M_PI);
  canvas.verticalGradient(0, plan.height, on ? palette::mix(palette::kButton, accent, 0.25) : palette::kButton,
                          on ? palette::mix(palette::kButton, accent, 0.08) : palette::mix(palette::kButton, Rgb{}, 0.3));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.0);
  canvas.colour(on ? palette::mix(palette::kButtonEdge, accent, 0.7) : palette::kButtonEdge);
  cairo_stroke(cr);

  // The power glyph: an open ring with a bar through its gap.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 1.4);
  canvas.colour(on ? palette::accentBright(plan.accent) : palette::kDimText);
  cairo_arc(cr, c, cy + 0.5, 3.6, -0.5 * M_PI + 0.7, 1.5 * M_PI - 0.7);
  cairo_stroke(cr);
  cairo_move_to(cr, c, cy - 4.2);
  cairo_line_to(cr, c, cy - 0.2);
  cairo_stroke(cr);
}

void SwitchPainter::toggle(const Canvas& canvas, const BitmapPlan& plan, bool on) const {
  buttonBody(canvas, plan, on, 4.0);
  led(canvas, 9.0, plan.height / 2.0, on, plan.accent);
  canvas.colour(on ? palette::accentBright(plan.accent) : palette::kLabel);
  pen_.draw(canvas.cr(), plan.text, (16.0 + plan.width - 4.0) / 2.0, plan.height / 2.0 + 3.0, kButtonText, 0);
}

void SwitchPainter::twoWay(const Canvas& canvas, const BitmapPlan& plan, bool second) const {
  cairo_t* cr = canvas.cr();
  const Rgb accent = palette::accent(plan.accent);
  const double half = plan.width / 2.0;
  canvas.roundedRect(0.5, 0.5, plan.width - 1.0, plan.height - 1.0, 4.0);
  canvas.colour(palette::kInset);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.0);
  canvas.colour(palette::kButtonEdge);
  cairo_stroke(cr);

  // The chosen half is a raised, lit key; the other stays sunk in the slot.
  const double x = second ? half : 1.0;
  canvas.roundedRect(x + 1.0, 2.0, half - 3.0, plan.height - 4.0, 3.0);
  canvas.verticalGradient(2.0, plan.height - 2.0, palette::mix(palette::kButton, accent, 0.28),
                          palette::mix(palette::kButton, accent, 0.12));
  cairo_fill_preserve(cr);
  canvas.colour(palette::mix(palette::kButtonEdge, accent, 0.6));
  cairo_stroke(cr);

  // Tighter tracking than the other buttons: each word has only half the switch.
  const TextPen::Style style{kButtonText.sizePx, kButtonText.bold, 0.4};
  const double baseline = plan.height / 2.0 + 3.0;
  canvas.colour(second ? palette::kDimText : palette::accentBright(plan.accent));
  pen_.draw(cr, plan.text, half / 2.0 + 0.5, baseline, style, 0);
  canvas.colour(second ? palette::accentBright(plan.accent) : palette::kDimText);
  pen_.draw(cr, plan.text2, half + half / 2.0 - 0.5, baseline, style, 0);
}

void SwitchPainter::kick(const Canvas& canvas, const BitmapPlan& plan, bool pressed) const {
  cairo_t* cr = canvas.cr();
  buttonBody(canvas, plan, pressed, 4.0);
  const double shift = pressed ? 1.0 : 0.0;
  const Rgb ink = pressed ? palette::accentBright(plan.accent) : palette::kTitle;

  // A die, tilted a little, in front of the caption.
  const double size = 11.0;
  const double dx = 14.0;
  const double dy = plan.height / 2.0 + shift;
  cairo_save(cr);
  cairo_translate(cr, dx, dy);
  cairo_rotate(cr, -0.18);
  canvas.roundedRect(-size / 2.0, -size / 2.0, size, size, 2.5);
  canvas.colour(ink);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  const double p = 2.6;
  const double pips[5][2] = {{-p, -p}, {p, -p}, {0, 0}, {-p, p}, {p, p}};
  for (const auto& pip : pips) {
    cairo_arc(cr, pip[0], pip[1], 1.0, 0.0, 2.0 * M_PI);
    cairo_fill(cr);
  }
  cairo_restore(cr);

  canvas.colour(ink);
  pen_.draw(cr, plan.text, (24.0 + plan.width - 6.0) / 2.0, plan.height / 2.0 + 3.0 + shift, kButtonText, 0);
}

void SwitchPainter::pageButton(const Canvas& canvas, const BitmapPlan& plan, bool selected) const {
  buttonBody(canvas, plan, selected, 3.0);
  canvas.colour(selected ? palette::accentBright(plan.accent) : palette::kLabel);
  pen_.draw(canvas.cr(), plan.text, plan.width / 2.0, plan.height / 2.0 + 3.5, TextPen::Style{9.0, true, 0.0}, 0);
}
