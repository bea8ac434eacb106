// The skin's colours: a dark graphite ground with amber for audio and teal for modulation.
#pragma once

#include "tools/skin_painter/skin_model.h"

namespace palette {

constexpr Rgb hex(unsigned value) {
  return Rgb{((value >> 16) & 0xff) / 255.0, ((value >> 8) & 0xff) / 255.0, (value & 0xff) / 255.0};
}

constexpr Rgb kWindowTop = hex(0x15171b);
constexpr Rgb kWindowBottom = hex(0x0d0e11);
constexpr Rgb kPanel = hex(0x1c1f25);
constexpr Rgb kPanelHeader = hex(0x21252c);
constexpr Rgb kPanelEdge = hex(0x2b3039);
constexpr Rgb kPanelHighlight = hex(0x30353e);
constexpr Rgb kPanelRule = hex(0x15171b);
constexpr Rgb kInset = hex(0x111317);
constexpr Rgb kInsetEdge = hex(0x2f343d);
constexpr Rgb kButton = hex(0x262a31);
constexpr Rgb kButtonEdge = hex(0x383d47);
constexpr Rgb kTitle = hex(0xe7eaef);
constexpr Rgb kLabel = hex(0x9aa2ae);
constexpr Rgb kDimText = hex(0x6b727d);
constexpr Rgb kTrack = hex(0x2c3139);
constexpr Rgb kKnobTop = hex(0x4a505a);
constexpr Rgb kKnobBottom = hex(0x24272d);
constexpr Rgb kKnobRim = hex(0x0b0c0e);
constexpr Rgb kPointer = hex(0xf3f4f6);
constexpr Rgb kAmber = hex(0xffa340);
constexpr Rgb kAmberBright = hex(0xffc47e);
constexpr Rgb kAmberDeep = hex(0xd9641e);
constexpr Rgb kTeal = hex(0x33d2c3);
constexpr Rgb kTealBright = hex(0x8ff0e6);
constexpr Rgb kTealDeep = hex(0x12867d);
constexpr Rgb kRed = hex(0xff5548);
constexpr Rgb kLcd = hex(0x0a0c0f);
constexpr Rgb kLcdText = hex(0xffb45c);
constexpr Rgb kSelectorText = hex(0xdde1e7);
constexpr Rgb kVersionText = hex(0x7c8490);
constexpr Rgb kPadGround = hex(0x101317);
constexpr Rgb kPadGrid = hex(0x1d2228);

inline Rgb accent(Accent a) { return a == Accent::Teal ? kTeal : kAmber; }
inline Rgb accentBright(Accent a) { return a == Accent::Teal ? kTealBright : kAmberBright; }
inline Rgb accentDeep(Accent a) { return a == Accent::Teal ? kTealDeep : kAmberDeep; }

inline Rgb mix(Rgb a, Rgb b, double t) {
  return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline int byte(double channel) { return static_cast<int>(channel * 255.0 + 0.5); }

}  // namespace palette
