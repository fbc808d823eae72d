// The scale of a ruler: where its ticks fall in pixels for a zoom, a unit and
// a scroll position, and which of them are numbered.
#pragma once

#include <vector>

enum class RulerTickKind { kMajor, kHalf, kMinor };

struct RulerTick {
  int position;  // pixels along the strip
  RulerTickKind kind;
  int number;  // of a major tick: whole inches or centimetres
};

// Pixels between two ticks: one tenth of an inch, or one millimetre (unit 2),
// at a zoom of `zoom` pixels per inch.
double RulerTickSpacing(int zoom, int units);

// The ticks of a strip `length` pixels long starting at stripStart, scrolled
// by `scroll` pixels: tick m lies at round(m x spacing) + stripStart - scroll
// for m from ceil(scroll / spacing) up to, not including, ceil((scroll +
// length) / spacing); every tenth tick is major and numbered m / 10, every
// fifth a half tick. None for a zoom below 1.
std::vector<RulerTick> ComputeRulerTicks(int zoom, int units, int scroll, int stripStart, int length);

// The unit's name beside the first number, and whether it fits between two
// numbers (a major interval less 5 pixels wider than the text).
const char* RulerUnitName(int units);
bool RulerUnitNameFits(int zoom, int units, int textWidth);
