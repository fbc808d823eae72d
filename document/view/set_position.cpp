#include "document/view/set_position.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "foundation/geometry/rotation.h"

namespace setposition {

double UnitFactor(int units) { return units == 2 ? 0.0254 : 0.001; }

AString FormatValue(int mils, double factor) {
  AString text;
  text.Format("%.2f", mils * factor);
  return text;
}

int64_t ParseMils(const char* text, double factor) {
  const double value = std::atof(text ? text : "") / factor;
  const double nudged = value + (value >= 0 ? 1e-6 : -1e-6);
  if (nudged >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (nudged <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int64_t>(nudged);
}

POINT ReferenceFromAnchor(int x, int y, int anchorCode, int width, int height, int rotation) {
  if (anchorCode == 0) return {x, y};
  return AnchorToTopLeft(x, y, anchorCode, width, height, rotation);
}

Entered ReadEntered(const char* xText, const char* yText, int oldX, int oldY, double factor) {
  Entered e;
  auto read = [&](const char* text, int old, std::optional<int>& out, bool& negative) {
    if (text && FormatValue(old, factor) == AString(text)) {
      out = old;
      return;
    }
    const int64_t v = ParseMils(text, factor);
    if (v < 0) {
      negative = true;
      return;
    }
    out = static_cast<int>(v);
  };
  read(xText, oldX, e.x, e.xNegative);
  read(yText, oldY, e.y, e.yNegative);
  return e;
}

}  // namespace setposition
