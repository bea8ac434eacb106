// Refuses a design the editor could not use: unknown names, long names, controls off the window, texts that spill.
#include "tools/skin_painter/skin_checker.h"

#include "tools/skin_painter/control_geometry.h"
#include "tools/skin_painter/menu_texts.h"

namespace {

constexpr std::size_t kLongestName = 31;

bool isMarker(const std::string& word) { return word.empty() || word[0] == '-' || (word.size() > 1 && word[1] == '-'); }

}  // namespace

std::vector<std::string> SkinChecker::problems() const {
  std::vector<std::string> out;
  checkNames(out);
  for (const SkinControl& control : model_.controls) checkControl(control, out);
  return out;
}

void SkinChecker::checkNames(std::vector<std::string>& out) const {
  std::vector<std::string> names;
  for (const BitmapPlan& b : model_.bitmaps) names.push_back(b.name);
  for (const FontPlan& f : model_.fonts) names.push_back(f.name);
  for (const SkinSetting& s : model_.settings) names.push_back(s.name);
  for (const SkinPage& p : model_.pages) names.push_back(p.name);
  for (const std::string& name : names) {
    if (name.size() > kLongestName) out.push_back("the name " + name + " is longer than 31 characters");
    if (isMarker(name)) out.push_back("the name " + name + " would read as a section's end marker");
  }
  for (const FontPlan& f : model_.fonts) {
    if (model_.bitmap(f.name) == nullptr) out.push_back("the font " + f.name + " has no glyph strip bitmap");
  }
}

void SkinChecker::checkControl(const SkinControl& c, std::vector<std::string>& out) const {
  const std::string who = "the control of " + c.parameter;
  const Canvas* image = rendered_.image(c.bitmap);
  if (image == nullptr) {
    out.push_back(who + " names the unknown bitmap " + c.bitmap);
    return;
  }
  SkinRect window{0, 0, model_.width, model_.height};
  if (c.page != "Main") {
    bool found = false;
    for (const SkinPage& p : model_.pages) {
      if (p.name == c.page) {
        window = p.rect;
        found = true;
      }
    }
    if (!found) out.push_back(who + " names the unknown page " + c.page);
  }
  SkinRect r;
  if (!ControlGeometry::rect(c, image->width(), image->height(), r)) {
    out.push_back(who + " has the unknown type " + c.type);
    return;
  }
  if (!window.contains(r)) out.push_back(who + " reaches outside its page or the window");

  const std::vector<std::string>& entries = menu_texts::forParameter(c.parameter);
  if (c.type == "Selector" && !model_.fonts.empty()) {
    const GlyphStrip* font = rendered_.font(model_.fonts.front().name);
    const bool morph = c.parameter == "MorphXParam" || c.parameter == "MorphYParam";
    const int button = morph ? model_.setting("SelectorButtonWidthSmall") : ControlGeometry::kSelectorButtonWidth;
    const int room = r.width() - 2 * button - 5;
    for (const std::string& entry : entries) {
      if (font != nullptr && font->textWidth(entry) > room) {
        out.push_back(who + " cannot show \"" + entry + "\" between its arrows");
      }
    }
  }
}
