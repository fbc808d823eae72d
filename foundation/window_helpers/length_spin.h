// The one rule behind the up-down arrows beside a length edit: a press moves
// the shown length by a number of hundredths of an inch (0.254 mm in a
// millimetre layout), never past the bounds, and writes it back with three
// decimals. Every dialog with a length spinner uses it.
#pragma once

#include "foundation/build.h"
#include "platform/win.h"

FOUNDATION_BEGIN

inline constexpr int kLengthUnitMillimetres = 2;

// The length after one press of `steps` steps: direction 0 up, 1 down. Up,
// a result at or past the maximum is the maximum and one below the minimum
// the minimum; down, the same the other way round.
double SteppedLength(double value, int direction, double minimum, double maximum, int unit, int steps);
// One press on the edit `editId` of the dialog (a text that is no number
// counts as 0); any other direction leaves the edit alone. Returns 1.
int SpinUnitEdit(int direction, int editId, double minimum, double maximum, int unit, HWND dialog, int steps);

FOUNDATION_END
