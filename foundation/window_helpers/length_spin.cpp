#include "foundation/window_helpers/length_spin.h"

#include <cstdio>
#include <cstdlib>

FOUNDATION_BEGIN

double SteppedLength(double value, int direction, double minimum, double maximum, int unit, int steps) {
  const double step = steps * (unit == kLengthUnitMillimetres ? 0.254 : 0.01);
  if (direction == 0) {
    const double up = value + step;
    return up >= maximum ? maximum : (up >= minimum ? up : minimum);
  }
  const double down = value - step;
  return down <= minimum ? minimum : (down > maximum ? maximum : down);
}

int SpinUnitEdit(int direction, int editId, double minimum, double maximum, int unit, HWND dialog, int steps) {
  if (direction != 0 && direction != 1) return 1;
  char text[64] = {};
  ::GetDlgItemTextA(dialog, editId, text, sizeof text);
  const double result = SteppedLength(std::atof(text), direction, minimum, maximum, unit, steps);
  std::snprintf(text, sizeof text, "%.3f", result);
  ::SetDlgItemTextA(dialog, editId, text);
  return 1;
}

FOUNDATION_END
