// Checks the committed default skin as the editor will use it: grammar, images, names, bindings and placement.
#include <png.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "skin_text_reader.h"

namespace {

const std::string kSkinFolder = std::string(RAVENSOOT_SOURCE_DIR) + "/data/RavenSootData/Skins/default";

// Every parameter record, in table order.
const std::vector<std::string> kParameters = {
    "BpFilterOn",     "BpFilterLow",    "BpFilterHigh",  "BpFilterQLow",   "BpFilterQHigh",  "BpFilterBRMix",
    "BpFilterLink",   "DistOn",         "DistBitCrusher", "DistMech",      "DistTube",       "DistXcita",
    "MmFilterOn",     "MmFilterMix",    "MmFilterType",  "MmFilterAttack", "MmFilterDecay",  "MmFilterEnv",
    "MmFilterCutoff", "MmFilterRes",    "FlangerOn",     "FlangerAmount",  "FlangerRate",    "MagicEQOn",
    "MagicEQAmount",  "MagicEQTune",    "CompressOn",    "CompressAmount", "CompressRelease", "MasterOn",
    "MasterMix",      "MasterVolume",   "Lfo1On",        "Lfo1Target",     "Lfo1Shape",      "Lfo1Depth",
    "Lfo1Rate",       "Lfo1Sync",       "Lfo2On",        "Lfo2Target",     "Lfo2Shape",      "Lfo2Depth",
    "Lfo2Rate",       "Lfo2Sync",       "MorphXParam",   "MorphYParam",    "CompressMode",   "MagicEQMode",
    "Unused1",        "Unused2",        "Unused3",       "Unused4",        "Unused5",        "Unused",
    "LfoSelect",      "Randomize",      "ParamDisplay",  "MorphSquare",    "LevelMeterL",    "LevelMeterR",
    "BpFilterBar",    "VersionDisplay", "GlobalMenu",    "UpDownPreset",   "Dummy",          "InfoLink"};
const std::set<std::string> kNeedNoControl = {"Unused1", "Unused2", "Unused3", "Unused4",
                                              "Unused5", "Unused",  "Dummy"};

const std::vector<std::string> kFilterTypes = {"LowPass",      "BandPass", "HighPass", "LowPass Fat", "BandPass Fat",
                                               "HighPass Fat", "Peaking",  "Notch",    "Comb",        "Ring Mod"};
const std::vector<std::string> kShapes = {"Sine",   "Triangle",      "Ramp Up",        "Ramp Down",
                                          "Square", "Random Square", "Random Triangle"};
const std::vector<std::string> kTargets = {
    "BpFilterLow", "BpFilterHigh", "BpFilterQLow",   "BpFilterQHigh", "BpFilterBRMix", "DistBitCrusher",
    "DistMech",    "DistTube",     "DistXcita",      "MmFilterMix",   "MmFilterAttack", "MmFilterDecay",
    "MmFilterEnv", "MmFilterCutoff", "MmFilterRes",  "FlangerAmnt",   "FlangerRate",   "MagicEQAmnt",
    "MagicEQTune", "CompressAmnt", "CompressRel",    "MasterMix",     "MasterVol"};

struct Image {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgba;

  bool opaque() const {
    for (std::size_t i = 3; i < rgba.size(); i += 4) {
      if (rgba[i] != 255) return false;
    }
    return true;
  }
  bool sameRows(int rowA, int rowB, int count) const {
    const std::size_t stride = static_cast<std::size_t>(width) * 4;
    return std::equal(rgba.begin() + rowA * stride, rgba.begin() + (rowA + count) * stride,
                      rgba.begin() + rowB * stride);
  }
};

bool decodePng(const std::string& path, Image& image) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
  png.format = PNG_FORMAT_RGBA;
  image.width = static_cast<int>(png.width);
  image.height = static_cast<int>(png.height);
  image.rgba.assign(PNG_IMAGE_SIZE(png), 0);
  if (!png_image_finish_read(&png, nullptr, image.rgba.data(), 0, nullptr)) {
    png_image_free(&png);
    return false;
  }
  return true;
}

struct Rect {
  int left, top, right, bottom;
  bool inside(const Rect& o) const { return left >= o.left && top >= o.top && right <= o.right && bottom <= o.bottom; }
  bool overlaps(const Rect& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
};

// The control factory's placement rule for each type, from the bitmap's whole size.
bool placement(const SkinText::Control& c, int w, int h, Rect& r) {
  const std::string& t = c.type;
  if (t == "Knob") r = {c.x1 - w / 2, c.y1 - w / 2, c.x1 + w / 2, c.y1 + w / 2};
  else if (t == "OnButton" || t == "KickButton") r = {c.x1 - w / 2, c.y1 - h / 4, c.x1 + w / 2, c.y1 + h / 4};
  else if (t == "VSlider") r = {c.x1 - w / 2, c.y1 - h / 2, c.x2 + w / 2, c.y2 + h / 2};
  else if (t == "Selector" || t == "UpDownPreset") r = {c.x1 - w / 2, c.y1 - h / 6, c.x1 + w / 2, c.y1 + h / 6};
  else if (t == "MorphSquare" || t == "VSliderBar") r = {c.x1 - w / 2, c.y1 - h / 2, c.x1 + w / 2, c.y1 + h / 2};
  else if (t == "VersionDisplay") r = {c.x2 - 6 * 13, c.y1, c.x2, c.y2};  // "Version v3.10"
  else if (t == "PresetSelector" || t == "VuMeter" || t == "PresetMenu" || t == "WebLink" || t == "RadioButton" ||
           t == "TextDisplay")
    r = {c.x1, c.y1, c.x2, c.y2};
  else return false;
  return true;
}

class DefaultSkin : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::ifstream file(kSkinFolder + "/SkinParameters.txt", std::ios::binary);
    std::stringstream buffer;
    buffer << file.rdbuf();
    text_ = new std::string(buffer.str());
    skin_ = new SkinText();
    error_ = new std::string();
    ok_ = SkinTextReader().read(*text_, *skin_, *error_);
    images_ = new std::map<std::string, Image>();
    for (const std::string& name : skin_->bitmaps) {
      Image image;
      if (decodePng(kSkinFolder + "/" + name + ".png", image)) (*images_)[name] = image;
    }
  }
  static void TearDownTestSuite() {
    delete text_;
    delete skin_;
    delete error_;
    delete images_;
  }

  const SkinText& skin() const { return *skin_; }
  const Image* image(const std::string& name) const {
    const auto found = images_->find(name);
    return found == images_->end() ? nullptr : &found->second;
  }
  const SkinText::Font* font(const std::string& name) const {
    for (const auto& f : skin_->fonts) {
      if (f.name == name) return &f;
    }
    return nullptr;
  }
  int setting(const std::string& name) const {
    for (const auto& s : skin_->settings) {
      if (s.first == name) return s.second;
    }
    return -32768;
  }
  const SkinText::Page* page(const std::string& name) const {
    for (const auto& p : skin_->pages) {
      if (p.name == name) return &p;
    }
    return nullptr;
  }
  // The last record for a parameter is the one the editor keeps.
  const SkinText::Control* control(const std::string& parameter) const {
    const SkinText::Control* last = nullptr;
    for (const auto& c : skin_->controls) {
      if (c.parameter == parameter) last = &c;
    }
    return last;
  }
  Rect rectOf(const SkinText::Control& c) const {
    Rect r{0, 0, 0, 0};
    const Image* img = image(c.bitmap);
    if (img != nullptr) placement(c, img->width, img->height, r);
    return r;
  }
  static int textWidth(const SkinText::Font& f, const std::string& text) {
    int total = 0;
    for (char ch : text) {
      const std::size_t at = f.characters.find(ch);
      total += at == std::string::npos ? 6 : f.widths[at];
    }
    return total;
  }

  static std::string* text_;
  static SkinText* skin_;
  static std::string* error_;
  static bool ok_;
  static std::map<std::string, Image>* images_;
};

std::string* DefaultSkin::text_ = nullptr;
SkinText* DefaultSkin::skin_ = nullptr;
std::string* DefaultSkin::error_ = nullptr;
bool DefaultSkin::ok_ = false;
std::map<std::string, Image>* DefaultSkin::images_ = nullptr;

TEST_F(DefaultSkin, ReadsAsFiveSectionsInOrderWithinTheTableLimits) {
  ASSERT_TRUE(ok_) << *error_;
  EXPECT_EQ(text_->find('\r'), std::string::npos) << "line ends must be plain line feeds";
  std::size_t at = 0;
  for (const char* keyword : {"\nBITMAPS\n", "\nFONTS\n", "\nPARAMETERS\n", "\nPAGES\n", "\nCONTROLS\n"}) {
    const std::size_t found = text_->find(keyword, at);
    ASSERT_NE(found, std::string::npos) << keyword;
    at = found;
  }
  EXPECT_LE(skin().bitmaps.size(), 128u);
  EXPECT_LE(skin().fonts.size(), 8u);
  EXPECT_LE(skin().settings.size(), 128u);
  EXPECT_EQ(skin().pages.size(), 2u);
  EXPECT_TRUE(skin().endedAtMarker);
  std::vector<std::string> names = skin().bitmaps;
  for (const auto& f : skin().fonts) names.push_back(f.name);
  for (const auto& s : skin().settings) names.push_back(s.first);
  for (const auto& p : skin().pages) names.push_back(p.name);
  for (const std::string& name : names) {
    EXPECT_LE(name.size(), 31u) << name;
  }
}

TEST_F(DefaultSkin, EveryBitmapIsADecodablePngOfSensibleSize) {
  ASSERT_TRUE(ok_) << *error_;
  for (const std::string& name : skin().bitmaps) {
    const Image* img = image(name);
    ASSERT_NE(img, nullptr) << name << ".png is missing or does not decode";
    EXPECT_GE(img->width, 4) << name;
    EXPECT_GE(img->height, 4) << name;
    EXPECT_LE(img->width, 2048) << name;
    EXPECT_LE(img->height, 4096) << name;
  }
  const Image* background = image("Background");
  ASSERT_NE(background, nullptr);
  EXPECT_TRUE(background->width >= 700 && background->width <= 1100) << background->width;
  EXPECT_TRUE(background->height >= 450 && background->height <= 700) << background->height;
  EXPECT_TRUE(background->opaque());
}

TEST_F(DefaultSkin, HoldsTheNamedBitmapsFontsAndSettingsTheEditorLooksUp) {
  ASSERT_TRUE(ok_) << *error_;
  for (const char* name : {"Background", "LevelMeterOff", "XYCursor", "LfoSelect1", "LfoSelect2"}) {
    EXPECT_NE(image(name), nullptr) << name;
  }
  ASSERT_FALSE(skin().fonts.empty());
  EXPECT_NE(image(skin().fonts.front().name), nullptr) << "the selectors' font needs its strip";
  for (const char* name : {"FontDisplay", "FontVersion"}) {
    ASSERT_NE(font(name), nullptr) << name;
    EXPECT_NE(image(name), nullptr) << name;
  }
  EXPECT_GT(setting("SelectorButtonWidthSmall"), 0);
  EXPECT_GT(setting("LfoButtonSpace"), 0);
  for (const char* name : {"XYLineR", "XYLineG", "XYLineB", "XYLineA", "XYBkgR", "XYBkgG", "XYBkgB"}) {
    EXPECT_GE(setting(name), 0) << name;
    EXPECT_LE(setting(name), 255) << name;
  }
  EXPECT_GT(setting("XYLineA"), 0) << "pad lines would vanish into the pad colour";
}

TEST_F(DefaultSkin, FontsCoverPrintableAsciiAndFitTheirStrips) {
  ASSERT_TRUE(ok_) << *error_;
  for (const auto& f : skin().fonts) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(f.separator, ' ');
    for (char c = ' '; c <= '~'; ++c) {
      EXPECT_NE(f.characters.find(c), std::string::npos) << c;
    }
    int total = 0;
    for (int w : f.widths) {
      EXPECT_GT(w, 0);
      total += w;
    }
    const Image* strip = image(f.name);
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(total, strip->width);
    EXPECT_GE(strip->height, 8);
    EXPECT_LE(strip->height, 24);
  }
}

TEST_F(DefaultSkin, EveryControlNamesAKnownBitmapPageParameterAndType) {
  ASSERT_TRUE(ok_) << *error_;
  const std::set<std::string> parameters(kParameters.begin(), kParameters.end());
  for (const auto& c : skin().controls) {
    SCOPED_TRACE(c.parameter);
    EXPECT_NE(image(c.bitmap), nullptr) << c.bitmap;
    EXPECT_TRUE(c.page == "Main" || page(c.page) != nullptr) << c.page;
    EXPECT_EQ(parameters.count(c.parameter), 1u);
    Rect r;
    EXPECT_TRUE(placement(c, 1, 1, r)) << "unknown type " << c.type;
  }
  for (const auto& p : skin().pages) {
    EXPECT_NE(image(p.bitmap), nullptr) << p.bitmap;
  }
}

TEST_F(DefaultSkin, EveryParameterThatDoesSomethingHasAControl) {
  ASSERT_TRUE(ok_) << *error_;
  for (const std::string& name : kParameters) {
    if (kNeedNoControl.count(name) == 0) {
      EXPECT_NE(control(name), nullptr) << name;
    }
  }
}

TEST_F(DefaultSkin, BindsTheTypesTheEditorHooksRelyOn) {
  ASSERT_TRUE(ok_) << *error_;
  const std::map<std::string, std::string> bindings = {
      {"MmFilterType", "Selector"}, {"Lfo1Target", "Selector"},     {"Lfo1Shape", "Selector"},
      {"Lfo2Target", "Selector"},   {"Lfo2Shape", "Selector"},      {"MorphXParam", "Selector"},
      {"MorphYParam", "Selector"},  {"LfoSelect", "RadioButton"},   {"ParamDisplay", "TextDisplay"},
      {"MorphSquare", "MorphSquare"}, {"BpFilterBar", "VSliderBar"}, {"LevelMeterL", "VuMeter"},
      {"LevelMeterR", "VuMeter"}};
  for (const auto& [parameter, type] : bindings) {
    const SkinText::Control* c = control(parameter);
    ASSERT_NE(c, nullptr) << parameter;
    EXPECT_EQ(c->type, type) << parameter;
  }
}

TEST_F(DefaultSkin, ControlsLieInsideTheirContainersWithoutOverlapping) {
  ASSERT_TRUE(ok_) << *error_;
  const Image* background = image("Background");
  ASSERT_NE(background, nullptr);
  const Rect window{0, 0, background->width, background->height};
  for (const auto& p : skin().pages) {
    const Rect pr{p.left, p.top, p.right, p.bottom};
    EXPECT_TRUE(pr.inside(window)) << p.name;
    const Image* img = image(p.bitmap);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->width, pr.right - pr.left) << p.name;
    EXPECT_EQ(img->height, pr.bottom - pr.top) << p.name;
  }
  const auto& controls = skin().controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const auto& c = controls[i];
    const Rect r = rectOf(c);
    SCOPED_TRACE(c.parameter);
    EXPECT_LT(r.left, r.right);
    EXPECT_LT(r.top, r.bottom);
    if (c.page == "Main") {
      EXPECT_TRUE(r.inside(window));
      // A page covers whatever the main container has beneath it.
      for (const auto& p : skin().pages) {
        EXPECT_FALSE(r.overlaps({p.left, p.top, p.right, p.bottom})) << p.name;
      }
    } else if (const SkinText::Page* p = page(c.page)) {
      EXPECT_TRUE(r.inside({p->left, p->top, p->right, p->bottom}));
    }
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      if (controls[j].page == c.page) {
        EXPECT_FALSE(r.overlaps(rectOf(controls[j]))) << controls[j].parameter;
      }
    }
  }
}

TEST_F(DefaultSkin, BitmapsHaveTheFramesTheirControlsCut) {
  ASSERT_TRUE(ok_) << *error_;
  for (const auto& c : skin().controls) {
    const Image* img = image(c.bitmap);
    ASSERT_NE(img, nullptr);
    SCOPED_TRACE(c.parameter + " / " + c.bitmap);
    const int w = img->width;
    const int h = img->height;
    const Rect r = rectOf(c);
    if (c.type == "Knob") {
      ASSERT_EQ(h % w, 0);
      const int frames = h / w;
      EXPECT_GE(frames, 31);
      EXPECT_FALSE(img->sameRows(0, (frames - 1) * w, w)) << "the first and last frames must differ";
      EXPECT_FALSE(img->sameRows(0, w, w)) << "the value arc must move from the first frame on";
    } else if (c.type == "OnButton" || c.type == "KickButton") {
      ASSERT_EQ(h % 2, 0);
      EXPECT_FALSE(img->sameRows(0, h / 2, h / 2));
    } else if (c.type == "Selector" || c.type == "UpDownPreset" || c.type == "PresetSelector") {
      ASSERT_EQ(h % 3, 0);
      EXPECT_FALSE(img->sameRows(0, h / 3, h / 3));
      EXPECT_FALSE(img->sameRows(0, 2 * h / 3, h / 3));
    }
    if (c.type == "PresetSelector") {
      EXPECT_EQ(r.right - r.left, w);
      EXPECT_EQ(r.bottom - r.top, h / 3);
    }
    if (c.type == "VuMeter") {
      const Image* off = image("LevelMeterOff");
      ASSERT_NE(off, nullptr);
      EXPECT_EQ(r.bottom - r.top, h) << "the meter cuts its on and off pictures at the control's height";
      EXPECT_EQ(r.right - r.left, w);
      EXPECT_EQ(off->width, w);
      EXPECT_EQ(off->height, h);
      EXPECT_EQ(h % 31, 0) << "31 segments of whole pixels";
    }
    if (c.type == "MorphSquare") {
      EXPECT_GT(std::min(w, h), 8 + 64);
    }
    if (c.type == "VSlider") {
      EXPECT_EQ(c.x1, c.x2) << "a vertical slider travels straight down";
    }
    if (c.type == "RadioButton") {
      const Image* first = image("LfoSelect1");
      const Image* second = image("LfoSelect2");
      ASSERT_TRUE(first != nullptr && second != nullptr);
      EXPECT_EQ(first->height % 2, 0);
      EXPECT_EQ(second->height % 2, 0);
      const Rect button2{r.left + setting("LfoButtonSpace"), r.top,
                         r.left + setting("LfoButtonSpace") + second->width, r.top + second->height / 2};
      EXPECT_TRUE(button2.inside(r));
      EXPECT_GE(setting("LfoButtonSpace"), first->width) << "the two buttons must not overlap";
    }
  }
  const Image* cursor = image("XYCursor");
  ASSERT_NE(cursor, nullptr);
  EXPECT_EQ(cursor->width, 9);
  EXPECT_EQ(cursor->height, 9);
}

TEST_F(DefaultSkin, ControlsThatRepaintOnlyThemselvesAreOpaque) {
  ASSERT_TRUE(ok_) << *error_;
  // These draw their bitmap straight over their last picture, so any see-through pixel would smear.
  const std::set<std::string> types = {"Knob", "OnButton", "KickButton", "Selector", "PresetSelector",
                                       "UpDownPreset", "VuMeter", "MorphSquare", "VSliderBar"};
  for (const auto& c : skin().controls) {
    if (types.count(c.type) == 0) continue;
    const Image* img = image(c.bitmap);
    ASSERT_NE(img, nullptr);
    EXPECT_TRUE(img->opaque()) << c.bitmap;
  }
  for (const char* name : {"LfoSelect1", "LfoSelect2", "LevelMeterOff"}) {
    ASSERT_NE(image(name), nullptr);
    EXPECT_TRUE(image(name)->opaque()) << name;
  }
}

TEST_F(DefaultSkin, EveryTextFitsWhereItIsDrawn) {
  ASSERT_TRUE(ok_) << *error_;
  ASSERT_FALSE(skin().fonts.empty());
  const SkinText::Font& selectorFont = skin().fonts.front();
  const Image* selectorStrip = image(selectorFont.name);
  ASSERT_NE(selectorStrip, nullptr);
  const std::map<std::string, const std::vector<std::string>*> menus = {
      {"MmFilterType", &kFilterTypes}, {"Lfo1Shape", &kShapes},      {"Lfo2Shape", &kShapes},
      {"Lfo1Target", &kTargets},       {"Lfo2Target", &kTargets},    {"MorphXParam", &kTargets},
      {"MorphYParam", &kTargets}};
  for (const auto& [parameter, entries] : menus) {
    const SkinText::Control* c = control(parameter);
    ASSERT_NE(c, nullptr) << parameter;
    const Rect r = rectOf(*c);
    const bool morph = parameter == "MorphXParam" || parameter == "MorphYParam";
    const int button = morph ? setting("SelectorButtonWidthSmall") : 24;
    const int room = (r.right - button) - (r.left + button + 5);
    for (const std::string& entry : *entries) {
      EXPECT_LE(textWidth(selectorFont, entry), room) << parameter << ": " << entry;
    }
    EXPECT_LE(selectorStrip->height, r.bottom - r.top) << parameter;
  }

  const SkinText::Font* version = font("FontVersion");
  ASSERT_NE(version, nullptr);
  EXPECT_LE(textWidth(*version, "Version v3.10"), 6 * 13);
  const SkinText::Control* display = control("ParamDisplay");
  ASSERT_NE(display, nullptr);
  const Image* displayStrip = image("FontDisplay");
  ASSERT_NE(displayStrip, nullptr);
  EXPECT_LE(displayStrip->height, display->y2 - display->y1);
  const SkinText::Font* displayFont = font("FontDisplay");
  ASSERT_NE(displayFont, nullptr);
  EXPECT_LE(textWidth(*displayFont, "Random Triangle Crunch"), display->x2 - display->x1);
}

TEST_F(DefaultSkin, SplitsTheLfosOverTwoPagesOfOneRectangle) {
  ASSERT_TRUE(ok_) << *error_;
  ASSERT_EQ(skin().pages.size(), 2u);
  const auto& first = skin().pages[0];
  const auto& second = skin().pages[1];
  EXPECT_EQ(std::tie(first.left, first.top, first.right, first.bottom),
            std::tie(second.left, second.top, second.right, second.bottom));
  for (const char* suffix : {"On", "Target", "Shape", "Depth", "Rate", "Sync"}) {
    const SkinText::Control* one = control(std::string("Lfo1") + suffix);
    const SkinText::Control* two = control(std::string("Lfo2") + suffix);
    ASSERT_TRUE(one != nullptr && two != nullptr) << suffix;
    EXPECT_EQ(one->page, first.name) << suffix;
    EXPECT_EQ(two->page, second.name) << suffix;
  }
  const SkinText::Control* buttons = control("LfoSelect");
  ASSERT_NE(buttons, nullptr);
  EXPECT_EQ(buttons->page, first.name) << "the page buttons start on the page shown first";
  for (const auto& c : skin().controls) {
    if (c.page == "Main") {
      EXPECT_EQ(c.parameter.rfind("Lfo", 0), std::string::npos) << c.parameter;
    }
  }
}

}  // namespace
