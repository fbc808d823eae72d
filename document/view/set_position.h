// Placing one field exactly: the X and Y of one of nine anchor points of
// the field, typed in the layout's unit, become the field's reference
// position. The arithmetic here; the dialog in set_position_dlg.
#pragma once

#include <cstdint>
#include <optional>

#include "foundation/string/astring.h"
#include "platform/kernel/types.h"

namespace setposition {

struct AnchorChoice {
  const char* text;
  int code;  // 0 top-left .. 8 bottom-right, row by row
};
// The list's entries in their order.
inline constexpr AnchorChoice kAnchorChoices[9] = {
    {"Top Left", 0},     {"Top Right", 2},   {"Bottom Left", 6},  {"Bottom Right", 8}, {"Center", 4},
    {"Center Left", 3},  {"Center Right", 5}, {"Top Center", 1},  {"Bottom Center", 7}};
static_assert(sizeof kAnchorChoices / sizeof kAnchorChoices[0] == 9);

// Units per mil: 0.0254 for millimetres (unit 2), 0.001 for inches.
double UnitFactor(int units);
// A value as the dialog shows it ("%.2f" of mils x factor).
AString FormatValue(int mils, double factor);
// The typed text in mils: its number / factor, truncated after adding a
// millionth so that "25.4" mm is 1000 mils and not 999. Text that is not a
// number reads as 0 (as atof does).
int64_t ParseMils(const char* text, double factor);
// The reference (top-left) position of a field whose anchor point is typed
// as (x, y): the point moved from the anchor to the top left of the
// unturned box, turned about (x, y) by the field's rotation.
POINT ReferenceFromAnchor(int x, int y, int anchorCode, int width, int height, int rotation);

// What OK does with the two edits: the typed values in mils, or, for an
// edit whose text is still the one shown at opening, the value it showed
// then (so that the rounding of the display loses nothing). Nothing when a
// value is negative: the caller reports it and resets that edit.
struct Entered {
  std::optional<int> x, y;
  bool xNegative = false, yNegative = false;
};
Entered ReadEntered(const char* xText, const char* yText, int oldX, int oldY, double factor);

}  // namespace setposition
