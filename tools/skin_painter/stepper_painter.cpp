// Three-frame stepping controls: list selectors and the preset selector (arrows left and right), the up/down stepper.
#include "tools/skin_painter/stepper_painter.h"

#include "tools/skin_painter/skin_palette.h"

std::unique_ptr<Canvas> StepperPainter::paint(const BitmapPlan& plan) const {
  auto canvas = std::make_unique<Canvas>(plan.width, plan.height * 3, true);
  canvas->fillAll(plan.onTitleBand ? palette::kPanelHeader : palette::kPanel);
  for (int frame = 0; frame < 3; ++frame) {
    cairo_t* cr = canvas->cr();
    cairo_save(cr);
    cairo_rectangle(cr, 0, frame * plan.height, plan.width, plan.height);
    cairo_clip(cr);
    cairo_translate(cr, 0, frame * plan.height);
    if (plan.kind == BitmapKind::UpDown) {
      upDown(*canvas, plan, frame);
    } else {
      sideways(*canvas, plan, frame);
    }
    cairo_restore(cr);
  }
  return canvas;
}

void StepperPainter::zone(const Canvas& canvas, double x, double y, double w, double h, bool pressed,
                          Accent accent) const {
  const Rgb lit = palette::accent(accent);
  cairo_rectangle(canvas.cr(), x, y, w, h);
  canvas.verticalGradient(y, y + h, pressed ? palette::mix(palette::kButton, lit, 0.30) : palette::kButton,
                          pressed ? palette::mix(palette::kButton, lit, 0.14)
                                  : palette::mix(palette::kButton, Rgb{}, 0.25));
  cairo_fill(canvas.cr());
}

void StepperPainter::arrow(const Canvas& canvas, double cx, double cy, double dx, double dy, bool pressed,
                           Accent accent) const {
  // A small solid triangle pointing along (dx, dy).
  cairo_t* cr = canvas.cr();
  const double length = 3.5;
  const double half = 3.5;
  cairo_move_to(cr, cx + dx * length, cy + dy * length);
  cairo_line_to(cr, cx - dx * length + dy * half, cy - dy * length + dx * half);
  cairo_line_to(cr, cx - dx * length - dy * half, cy - dy * length - dx * half);
  cairo_close_path(cr);
  canvas.colour(pressed ? palette::accentBright(accent) : palette::kLabel);
  cairo_fill(cr);
}

void StepperPainter::sideways(const Canvas& canvas, const BitmapPlan& plan, int pressed) const {
  cairo_t* cr = canvas.cr();
  const double w = plan.width;
  const double h = plan.height;
  const double z = plan.zone;

  cairo_save(cr);
  canvas.roundedRect(0.5, 0.5, w - 1.0, h - 1.0, 4.0);
  cairo_clip_preserve(cr);
  canvas.colour(plan.kind == BitmapKind::PresetSelector ? palette::kLcd : palette::kInset);
  cairo_fill(cr);
  zone(canvas, 0.0, 0.0, z, h, pressed == 2, plan.accent);
  zone(canvas, w - z, 0.0, z, h, pressed == 1, plan.accent);
  cairo_restore(cr);

  cairo_set_line_width(cr, 1.0);
  canvas.colour(palette::kInsetEdge);
  cairo_move_to(cr, z - 0.5, 1.0);
  cairo_line_to(cr, z - 0.5, h - 1.0);
  cairo_move_to(cr, w - z + 0.5, 1.0);
  cairo_line_to(cr, w - z + 0.5, h - 1.0);
  cairo_stroke(cr);
  canvas.roundedRect(0.5, 0.5, w - 1.0, h - 1.0, 4.0);
  canvas.colour(palette::kInsetEdge);
  cairo_stroke(cr);

  arrow(canvas, z / 2.0, h / 2.0, -1.0, 0.0, pressed == 2, plan.accent);
  arrow(canvas, w - z / 2.0, h / 2.0, 1.0, 0.0, pressed == 1, plan.accent);

}

void StepperPainter::upDown(const Canvas& canvas, const BitmapPlan& plan, int pressed) const {
  cairo_t* cr = canvas.cr();
  const double w = plan.width;
  const double h = plan.height;
  cairo_save(cr);
  canvas.roundedRect(0.5, 0.5, w - 1.0, h - 1.0, 4.0);
  cairo_clip(cr);
  zone(canvas, 0.0, 0.0, w, h / 2.0, pressed == 1, plan.accent);
  zone(canvas, 0.0, h / 2.0, w, h / 2.0, pressed == 2, plan.accent);
  cairo_restore(cr);

  cairo_set_line_width(cr, 1.0);
  canvas.colour(palette::kInsetEdge);
  cairo_move_to(cr, 1.0, h / 2.0 + 0.5);
  cairo_line_to(cr, w - 1.0, h / 2.0 + 0.5);
  cairo_stroke(cr);
  canvas.roundedRect(0.5, 0.5, w - 1.0, h - 1.0, 4.0);
  canvas.colour(palette::kButtonEdge);
  cairo_stroke(cr);

  arrow(canvas, w / 2.0, h / 4.0 + 0.5, 0.0, -1.0, pressed == 1, plan.accent);
  arrow(canvas, w / 2.0, 3.0 * h / 4.0, 0.0, 1.0, pressed == 2, plan.accent);
}
