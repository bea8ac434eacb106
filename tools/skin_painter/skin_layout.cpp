// The default skin's design: which bitmaps it has, and where every section, label and control sits.
#include "tools/skin_painter/skin_layout.h"

#include <string>

#include "tools/skin_painter/skin_palette.h"

namespace {

constexpr int kKnob = 48;
constexpr int kKnobFrames = 61;
constexpr int kHeaderHeight = 24;
constexpr int kLabelDrop = kKnob / 2 + 11;  // from a knob's centre to its label's baseline
constexpr int kMeterSegments = 31;
constexpr int kMeterPitch = 5;
constexpr int kMeterHeight = kMeterSegments * kMeterPitch;

// Rows and columns of the window: a header bar, then three rows of sections and a right-hand column.
constexpr int kRow1Top = 62;
constexpr int kRow1Bottom = 302;
constexpr int kRow2Top = 310;
constexpr int kRow2Bottom = 426;
constexpr int kRow3Top = 434;
constexpr int kRow3Bottom = 552;
constexpr int kKnobRowA = 140;
constexpr int kKnobRowB = 232;
// Single knob rows sit in the middle of what the header leaves of their panel.
constexpr int kKnobRow2 = kRow2Top + kHeaderHeight + 16 + kKnob / 2;
constexpr int kKnobRow3 = kRow3Top + kHeaderHeight + 17 + kKnob / 2;

const std::string kMain = "Main";
const std::string kLfo1 = "Lfo1";
const std::string kLfo2 = "Lfo2";

class Builder {
 public:
  SkinModel model;

  void bitmap(const std::string& name, BitmapKind kind, int w, int h, int frames, Accent accent = Accent::Amber,
              const std::string& text = "", const std::string& text2 = "", int zone = 0) {
    BitmapPlan plan;
    plan.name = name;
    plan.kind = kind;
    plan.width = w;
    plan.height = h;
    plan.frames = frames;
    plan.accent = accent;
    plan.text = text;
    plan.text2 = text2;
    plan.zone = zone;
    model.bitmaps.push_back(plan);
  }

  void onTitleBand() { model.bitmaps.back().onTitleBand = true; }

  void control(const std::string& parameter, const std::string& type, const std::string& bitmap,
               const std::string& page, int x1, int y1, int x2 = 0, int y2 = 0) {
    model.controls.push_back({parameter, type, bitmap, page, x1, y1, x2, y2});
  }

  void label(const std::string& text, double x, double y, LabelStyle style, int align, const std::string& page,
             Accent accent = Accent::Amber) {
    Label l;
    l.text = text;
    l.x = x;
    l.y = y;
    l.style = style;
    l.align = align;
    l.page = page;
    l.accent = accent;
    model.labels.push_back(l);
  }

  void decoration(DecorationKind kind, SkinRect rect, const std::string& page = "") {
    model.decorations.push_back({kind, rect, page});
  }

  // A section: its panel, and its power switch in the header when it has one.
  void section(const std::string& title, SkinRect rect, const std::string& power = "",
               const std::string& page = kMain) {
    Panel panel;
    panel.title = title;
    panel.rect = rect;
    panel.page = page == kMain ? "" : page;
    panel.hasPower = !power.empty();
    model.panels.push_back(panel);
    if (!power.empty()) control(power, "OnButton", "PowerButton", page, rect.left + 15, rect.top + 12);
  }

  void knob(const std::string& parameter, int x, int y, const std::string& text, const std::string& page = kMain,
            Accent accent = Accent::Amber) {
    control(parameter, "Knob", accent == Accent::Teal ? "KnobMod" : "Knob", page, x, y);
    label(text, x, y + kLabelDrop, LabelStyle::Knob, 0, page == kMain ? "" : page);
  }
};

void addBitmaps(Builder& b) {
  b.bitmap("Background", BitmapKind::Background, SkinLayout::kWidth, SkinLayout::kHeight, 1);
  b.bitmap("LfoPage1", BitmapKind::Page, 0, 0, 1);
  b.model.bitmaps.back().page = kLfo1;
  b.bitmap("LfoPage2", BitmapKind::Page, 0, 0, 1);
  b.model.bitmaps.back().page = kLfo2;
  b.bitmap("Knob", BitmapKind::Knob, kKnob, kKnob, kKnobFrames);
  b.bitmap("KnobMod", BitmapKind::Knob, kKnob, kKnob, kKnobFrames, Accent::Teal);
  b.bitmap("PowerButton", BitmapKind::PowerButton, 18, 18, 2);
  b.onTitleBand();
  b.bitmap("PowerButtonMod", BitmapKind::PowerButton, 18, 18, 2, Accent::Teal);
  b.onTitleBand();
  b.bitmap("LinkButton", BitmapKind::TextToggle, 52, 18, 2, Accent::Amber, "LINK");
  b.bitmap("SyncButton", BitmapKind::TextToggle, 52, 18, 2, Accent::Teal, "SYNC");
  b.bitmap("ClipSwitch", BitmapKind::SegmentSwitch, 80, 18, 2, Accent::Amber, "LIMIT", "CLIP");
  b.bitmap("DetectSwitch", BitmapKind::SegmentSwitch, 100, 18, 2, Accent::Amber, "SMOOTH", "HARD");
  b.bitmap("RandomButton", BitmapKind::KickButton, 98, 24, 2, Accent::Amber, "RANDOMIZE");
  b.bitmap("LfoSelect1", BitmapKind::PageButton, 22, 16, 2, Accent::Teal, "1");
  b.onTitleBand();
  b.bitmap("LfoSelect2", BitmapKind::PageButton, 22, 16, 2, Accent::Teal, "2");
  b.onTitleBand();
  b.bitmap("Selector", BitmapKind::Selector, 132, 20, 3, Accent::Amber, "", "", 24);
  b.onTitleBand();
  b.bitmap("SelectorMod", BitmapKind::Selector, 170, 20, 3, Accent::Teal, "", "", 24);
  b.bitmap("SelectorSmall", BitmapKind::Selector, 146, 20, 3, Accent::Teal, "", "", 16);
  // The preset selector's arrow zones are int(image height x 0.26666668) wide: 19 for 3 x 24. Its middle
  // is a small display: the editor writes the current program's number and name there.
  b.bitmap("PresetSelector", BitmapKind::PresetSelector, 230, 24, 3, Accent::Amber, "", "", 19);
  b.bitmap("UpDownPreset", BitmapKind::UpDown, 18, 24, 3);
  b.bitmap("FaderHandle", BitmapKind::FaderHandle, 28, 14, 1);
  b.bitmap("LevelMeterOn", BitmapKind::MeterOn, 10, kMeterHeight, 1);
  b.bitmap("LevelMeterOff", BitmapKind::MeterOff, 10, kMeterHeight, 1);
  b.bitmap("BandBar", BitmapKind::RangeBar, 12, kKnobRowB - kKnobRowA + kKnob, 1);
  b.bitmap("XYPad", BitmapKind::XYPad, 146, 146, 1);
  b.bitmap("XYCursor", BitmapKind::XYCursor, 9, 9, 1);
  b.bitmap("FontSelector", BitmapKind::FontStrip, 0, 0, 1);
  b.bitmap("FontDisplay", BitmapKind::FontStrip, 0, 0, 1);
  b.bitmap("FontVersion", BitmapKind::FontStrip, 0, 0, 1);
}

void addFontsAndSettings(Builder& b) {
  // The first font is the selectors' font.
  b.model.fonts.push_back({"FontSelector", 11.0, false, palette::kSelectorText, 14});
  b.model.fonts.push_back({"FontDisplay", 12.0, false, palette::kLcdText, 16});
  b.model.fonts.push_back({"FontVersion", 9.0, false, palette::kVersionText, 12});

  b.model.settings = {
      {"SelectorButtonWidthSmall", 16},
      {"LfoButtonSpace", 24},
      {"XYLineR", palette::byte(palette::kTeal.r)},
      {"XYLineG", palette::byte(palette::kTeal.g)},
      {"XYLineB", palette::byte(palette::kTeal.b)},
      {"XYLineA", 150},
      {"XYBkgR", palette::byte(palette::kPadGround.r)},
      {"XYBkgG", palette::byte(palette::kPadGround.g)},
      {"XYBkgB", palette::byte(palette::kPadGround.b)},
  };
}

void addHeader(Builder& b) {
  b.section("", {10, 8, 890, 54});
  b.decoration(DecorationKind::Logo, {24, 14, 200, 48});
  b.control("VersionDisplay", "VersionDisplay", "Background", kMain, 0, 35, 24 + 6 * 13, 47);

  b.decoration(DecorationKind::Lcd, {196, 19, 386, 43});
  b.control("ParamDisplay", "TextDisplay", "Background", kMain, 204, 21, 382, 41);
  b.control("UpDownPreset", "UpDownPreset", "UpDownPreset", kMain, 403, 31);
  b.control("GlobalMenu", "PresetSelector", "PresetSelector", kMain, 420, 19, 650, 43);
  // The menu button opens the same program menu; it is bound to the spare record so that every record
  // keeps one control.
  b.decoration(DecorationKind::MenuButton, {658, 19, 724, 43});
  b.control("Dummy", "PresetMenu", "Background", kMain, 658, 19, 724, 43);
  b.control("Randomize", "KickButton", "RandomButton", kMain, 790, 31);
  b.decoration(DecorationKind::InfoButton, {856, 21, 876, 41});
  b.control("InfoLink", "WebLink", "Background", kMain, 856, 21, 876, 41);
}

void addBandPass(Builder& b) {
  b.section("BAND-PASS", {10, kRow1Top, 262, kRow1Bottom}, "BpFilterOn");
  const int barX = 38;
  const int barTop = kKnobRowA - kKnob / 2;
  const int barBottom = kKnobRowB + kKnob / 2;
  b.decoration(DecorationKind::RangeScale, {barX - 6, barTop, barX + 6, barBottom});
  b.control("BpFilterBar", "VSliderBar", "BandBar", kMain, barX, (barTop + barBottom) / 2);
  b.label("BAND", barX, kKnobRowB + kLabelDrop, LabelStyle::Knob, 0, "");
  b.knob("BpFilterLow", 106, kKnobRowA, "LOW");
  b.knob("BpFilterHigh", 168, kKnobRowA, "HIGH");
  b.knob("BpFilterBRMix", 230, kKnobRowA, "REJECT");
  b.knob("BpFilterQLow", 106, kKnobRowB, "Q LOW");
  b.knob("BpFilterQHigh", 168, kKnobRowB, "Q HIGH");
  b.control("BpFilterLink", "OnButton", "LinkButton", kMain, 230, kKnobRowB);
  b.label("EDGES", 230, kKnobRowB + kLabelDrop, LabelStyle::Knob, 0, "");
}

void addDistortion(Builder& b) {
  b.section("DISTORTION", {270, kRow1Top, 430, kRow1Bottom}, "DistOn");
  b.knob("DistXcita", 310, kKnobRowA, "EXCITER");
  b.knob("DistBitCrusher", 390, kKnobRowA, "CRUSHER");
  b.knob("DistMech", 310, kKnobRowB, "MECH");
  b.knob("DistTube", 390, kKnobRowB, "TUBE");
}

void addMultimodeFilter(Builder& b) {
  // The filter type sits in the title band, so the knobs get the same rows as their neighbours.
  b.section("FILTER", {438, kRow1Top, 700, kRow1Bottom}, "MmFilterOn");
  b.label("TYPE", 556, kRow1Top + 15, LabelStyle::Caption, 1, "");
  b.control("MmFilterType", "Selector", "Selector", kMain, 700 - 6 - 66, kRow1Top + 12);
  b.knob("MmFilterCutoff", 482, kKnobRowA, "CUTOFF");
  b.knob("MmFilterRes", 569, kKnobRowA, "RESONANCE");
  b.knob("MmFilterEnv", 656, kKnobRowA, "ENVELOPE");
  b.knob("MmFilterAttack", 482, kKnobRowB, "ATTACK");
  b.knob("MmFilterDecay", 569, kKnobRowB, "DECAY");
  b.knob("MmFilterMix", 656, kKnobRowB, "MIX");
}

void addMorph(Builder& b) {
  b.section("XY MORPH", {708, kRow1Top, 890, kRow1Bottom});
  b.model.panels.back().hasPower = true;  // no switch here: a pad glyph takes its place in the title band
  b.decoration(DecorationKind::MorphIcon, {708 + 9, kRow1Top + 6, 708 + 21, kRow1Top + 18});
  b.decoration(DecorationKind::PadFrame, {734, 92, 880, 238});
  b.control("MorphSquare", "MorphSquare", "XYPad", kMain, 807, 165);
  b.label("X", 724, 260, LabelStyle::Axis, 0, "", Accent::Teal);
  b.control("MorphXParam", "Selector", "SelectorSmall", kMain, 807, 256);
  b.label("Y", 724, 286, LabelStyle::Axis, 0, "", Accent::Teal);
  b.control("MorphYParam", "Selector", "SelectorSmall", kMain, 807, 282);
}

void addEffectsRow(Builder& b) {
  b.section("FLANGER", {10, kRow2Top, 180, kRow2Bottom}, "FlangerOn");
  b.knob("FlangerAmount", 60, kKnobRow2, "AMOUNT");
  b.knob("FlangerRate", 130, kKnobRow2, "RATE");

  b.section("MAGIC EQ", {188, kRow2Top, 440, kRow2Bottom}, "MagicEQOn");
  b.knob("MagicEQAmount", 236, kKnobRow2, "AMOUNT");
  b.knob("MagicEQTune", 306, kKnobRow2, "TUNE");
  b.control("MagicEQMode", "OnButton", "ClipSwitch", kMain, 382, kKnobRow2);
  b.label("CEILING", 382, kKnobRow2 + kLabelDrop, LabelStyle::Knob, 0, "");

  b.section("COMPRESSOR", {448, kRow2Top, 700, kRow2Bottom}, "CompressOn");
  b.knob("CompressAmount", 496, kKnobRow2, "AMOUNT");
  b.knob("CompressRelease", 566, kKnobRow2, "RELEASE");
  b.control("CompressMode", "OnButton", "DetectSwitch", kMain, 642, kKnobRow2);
  b.label("DETECTOR", 642, kKnobRow2 + kLabelDrop, LabelStyle::Knob, 0, "");
}

void addLfoPage(Builder& b, int number) {
  const std::string page = number == 1 ? kLfo1 : kLfo2;
  const std::string prefix = "Lfo" + std::to_string(number);
  Panel panel;
  panel.title = "LFO " + std::to_string(number);
  panel.rect = {10, kRow3Top, 700, kRow3Bottom};
  panel.page = page;
  panel.hasPower = true;
  b.model.panels.push_back(panel);
  b.control(prefix + "On", "OnButton", "PowerButtonMod", page, 25, kRow3Top + 12);
  b.label("SHAPE", 30, kKnobRow3 + 4, LabelStyle::Caption, -1, page);
  b.control(prefix + "Shape", "Selector", "SelectorMod", page, 159, kKnobRow3);
  b.label("TARGET", 276, kKnobRow3 + 4, LabelStyle::Caption, -1, page);
  b.control(prefix + "Target", "Selector", "SelectorMod", page, 405, kKnobRow3);
  b.knob(prefix + "Rate", 540, kKnobRow3, "RATE", page, Accent::Teal);
  b.control(prefix + "Sync", "OnButton", "SyncButton", page, 604, kKnobRow3);
  b.label("TEMPO", 604, kKnobRow3 + kLabelDrop, LabelStyle::Knob, 0, page);
  b.knob(prefix + "Depth", 664, kKnobRow3, "DEPTH", page, Accent::Teal);
}

void addLfos(Builder& b) {
  const SkinRect rect = {10, kRow3Top, 700, kRow3Bottom};
  b.model.pages.push_back({kLfo1, "LfoPage1", rect});
  b.model.pages.push_back({kLfo2, "LfoPage2", rect});
  addLfoPage(b, 1);
  // The page buttons start on page 0; the editor carries them to whichever page it shows.
  b.control("LfoSelect", "RadioButton", "LfoSelect1", kLfo1, 644, kRow3Top + 4, 690, kRow3Top + 20);
  addLfoPage(b, 2);
}

void addMaster(Builder& b) {
  b.section("MASTER", {708, kRow2Top, 890, kRow3Bottom}, "MasterOn");
  const int top = kRow2Top + kHeaderHeight + 14;
  const int bottom = top + kMeterHeight;
  b.decoration(DecorationKind::FaderScale, {732, top, 740, bottom});
  b.control("MasterVolume", "VSlider", "FaderHandle", kMain, 736, top, 736, bottom);
  b.label("VOLUME", 736, bottom + 22, LabelStyle::Knob, 0, "");
  b.decoration(DecorationKind::MeterSlot, {784, top, 794, bottom});
  b.control("LevelMeterL", "VuMeter", "LevelMeterOn", kMain, 784, top, 794, bottom);
  b.decoration(DecorationKind::MeterSlot, {798, top, 808, bottom});
  b.control("LevelMeterR", "VuMeter", "LevelMeterOn", kMain, 798, top, 808, bottom);
  b.label("L", 789, bottom + 22, LabelStyle::Knob, 0, "");
  b.label("R", 803, bottom + 22, LabelStyle::Knob, 0, "");
  b.knob("MasterMix", 852, top + kMeterHeight / 2, "MIX");
}

}  // namespace

SkinModel SkinLayout::build() const {
  Builder b;
  b.model.width = kWidth;
  b.model.height = kHeight;
  addBitmaps(b);
  addFontsAndSettings(b);
  addHeader(b);
  addBandPass(b);
  addDistortion(b);
  addMultimodeFilter(b);
  addMorph(b);
  addEffectsRow(b);
  addMaster(b);
  addLfos(b);
  return b.model;
}
