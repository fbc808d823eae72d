// A small drawing surface for the GDI pixel tests: a memory device context
// holding a top-down DIB section, with pixel access and a picture of it as text.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/gdi_owners.h"
#include "platform/testing/test_canvas.h"
#include "platform/win.h"

namespace gditest {

using DibInfo = tavtest::DibInfo;
inline DibInfo MakeInfo(int width, int height, int bpp, std::vector<COLORREF> palette = {}) {
  return tavtest::MakeDibInfo(width, height, bpp, palette);
}
using Canvas = tavtest::TestCanvas;

// Selects an object for a scope and deletes it afterwards: deselected first,
// then deleted (members go in reverse order).
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : owner_(object), scope_(dc, object) {}

 private:
  UniqueGdi<HGDIOBJ> owner_;
  SelectScope scope_;
};

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

inline bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace gditest
