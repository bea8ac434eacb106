// Draws every bitmap and bitmap font a skin model names, and writes them out as PNG files.
#include "tools/skin_painter/skin_renderer.h"

#include "tools/skin_painter/background_painter.h"
#include "tools/skin_painter/gauge_painter.h"
#include "tools/skin_painter/knob_painter.h"
#include "tools/skin_painter/stepper_painter.h"
#include "tools/skin_painter/switch_painter.h"

bool SkinRenderer::render(std::string& error) {
  const BackgroundPainter background(pen_);
  const KnobPainter knobs;
  const SwitchPainter switches(pen_);
  const StepperPainter steppers(pen_);
  const GaugePainter gauges;
  const GlyphStripPainter glyphs(pen_);

  for (const FontPlan& font : model_.fonts) fonts_.emplace(font.name, glyphs.paint(font));

  for (const BitmapPlan& plan : model_.bitmaps) {
    std::unique_ptr<Canvas> canvas;
    switch (plan.kind) {
      case BitmapKind::Background:
        // Under the pages the window shows the first page's artwork.
        canvas = background.paint(model_, model_.pages.empty() ? "" : model_.pages.front().name);
        break;
      case BitmapKind::Page: canvas = pageImage(plan, error); break;
      case BitmapKind::Knob: canvas = knobs.paint(plan); break;
      case BitmapKind::PowerButton:
      case BitmapKind::TextToggle:
      case BitmapKind::SegmentSwitch:
      case BitmapKind::KickButton:
      case BitmapKind::PageButton: canvas = switches.paint(plan); break;
      case BitmapKind::Selector:
      case BitmapKind::PresetSelector:
      case BitmapKind::UpDown: canvas = steppers.paint(plan); break;
      case BitmapKind::FontStrip:
        if (fonts_.count(plan.name) == 0) {
          error = "the bitmap " + plan.name + " is a font strip but no font has that name";
          return false;
        }
        continue;
      default: canvas = gauges.paint(plan); break;
    }
    if (!canvas || !canvas->valid()) {
      if (error.empty()) error = "cannot draw the bitmap " + plan.name;
      return false;
    }
    images_[plan.name] = std::move(canvas);
  }
  return true;
}

std::unique_ptr<Canvas> SkinRenderer::pageImage(const BitmapPlan& plan, std::string& error) const {
  for (const SkinPage& page : model_.pages) {
    if (page.bitmap != plan.name) continue;
    const BackgroundPainter background(pen_);
    std::unique_ptr<Canvas> whole = background.paint(model_, plan.page);
    auto cut = std::make_unique<Canvas>(page.rect.width(), page.rect.height(), true);
    cut->paint(*whole, page.rect.left, page.rect.top, page.rect.width(), page.rect.height(), 0, 0);
    return cut;
  }
  error = "the page bitmap " + plan.name + " belongs to no page";
  return nullptr;
}

const Canvas* SkinRenderer::image(const std::string& name) const {
  const auto found = images_.find(name);
  if (found != images_.end()) return found->second.get();
  const auto strip = fonts_.find(name);
  return strip == fonts_.end() ? nullptr : strip->second.image.get();
}

const GlyphStrip* SkinRenderer::font(const std::string& name) const {
  const auto found = fonts_.find(name);
  return found == fonts_.end() ? nullptr : &found->second;
}

bool SkinRenderer::writeImages(const std::string& folder, std::string& error) const {
  for (const BitmapPlan& plan : model_.bitmaps) {
    const Canvas* canvas = image(plan.name);
    const std::string path = folder + "/" + plan.name + ".png";
    if (canvas == nullptr || !canvas->writePng(path)) {
      error = "cannot write " + path;
      return false;
    }
  }
  return true;
}
