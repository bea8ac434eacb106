// Plain records describing a skin: bitmaps, fonts, settings, pages, controls and the artwork around them.
#pragma once

#include <string>
#include <vector>

struct SkinRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool contains(const SkinRect& other) const {
    return other.left >= left && other.top >= top && other.right <= right && other.bottom <= bottom;
  }
  bool intersects(const SkinRect& other) const {
    return other.left < right && left < other.right && other.top < bottom && top < other.bottom;
  }
};

struct Rgb {
  double r = 0.0;
  double g = 0.0;
  double b = 0.0;
};

// Audio sections light up in amber, modulation (LFOs, XY pad) in teal.
enum class Accent { Amber, Teal };

enum class BitmapKind {
  Background,
  Page,
  Knob,
  PowerButton,
  TextToggle,
  SegmentSwitch,
  KickButton,
  PageButton,
  Selector,
  PresetSelector,
  UpDown,
  FaderHandle,
  MeterOn,
  MeterOff,
  RangeBar,
  XYPad,
  XYCursor,
  FontStrip,
};

// One bitmap of the skin; width and height are those of one frame, the image stacks `frames` of them.
struct BitmapPlan {
  std::string name;
  BitmapKind kind = BitmapKind::Background;
  int width = 0;
  int height = 0;
  int frames = 1;
  Accent accent = Accent::Amber;
  std::string text;
  std::string text2;
  int zone = 0;
  std::string page;
  bool onTitleBand = false;  // sits in a section's title band, whose shade is its ground
};

// A bitmap font: its glyph strip is the bitmap of the same name.
struct FontPlan {
  std::string name;
  double sizePx = 11.0;
  bool bold = false;
  Rgb colour;
  int stripHeight = 14;
};

struct SkinSetting {
  std::string name;
  int value = 0;
};

struct SkinPage {
  std::string name;
  std::string bitmap;
  SkinRect rect;
};

struct SkinControl {
  std::string parameter;
  std::string type;
  std::string bitmap;
  std::string page;
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
};

// Artwork drawn into the background (page "" = the main window, else only into that page's picture).
struct Panel {
  std::string title;
  SkinRect rect;
  std::string page;
  bool hasPower = false;
};

enum class LabelStyle { Knob, Caption, Scale, Axis };

struct Label {
  std::string text;
  double x = 0.0;
  double y = 0.0;
  LabelStyle style = LabelStyle::Knob;
  int align = 0;
  std::string page;
  Accent accent = Accent::Amber;
};

enum class DecorationKind { Logo, Lcd, MeterSlot, FaderScale, RangeScale, MenuButton, InfoButton, PadFrame, MorphIcon };

struct Decoration {
  DecorationKind kind = DecorationKind::Logo;
  SkinRect rect;
  std::string page;
};

struct SkinModel {
  int width = 0;
  int height = 0;
  std::vector<BitmapPlan> bitmaps;
  std::vector<FontPlan> fonts;
  std::vector<SkinSetting> settings;
  std::vector<SkinPage> pages;
  std::vector<SkinControl> controls;
  std::vector<Panel> panels;
  std::vector<Label> labels;
  std::vector<Decoration> decorations;

  const BitmapPlan* bitmap(const std::string& name) const {
    for (const BitmapPlan& plan : bitmaps) {
      if (plan.name == name) return &plan;
    }
    return nullptr;
  }
  int setting(const std::string& name) const {
    for (const SkinSetting& s : settings) {
      if (s.name == name) return s.value;
    }
    return -32768;
  }
};
