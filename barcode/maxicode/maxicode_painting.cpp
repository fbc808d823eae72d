#include "barcode/maxicode/maxicode_painting.h"

#include <algorithm>
#include <array>
#include <vector>

namespace kalvo::maxicode {
namespace {

int Round(double value) { return static_cast<int>(value + 0.5); }

constexpr double kColumnPitch = 0.0346456;  // inches between module centres in a row
constexpr double kRowPitch = 0.0299212;
constexpr double kFirstRowCentre = 0.0205;

}  // namespace

int SymbolWidthAt(int resolution) { return Round(resolution * 1.03937); }
int SymbolHeightAt(int resolution) { return Round(resolution * 0.9984784); }

HexagonMeasures HexagonMeasuresAt(int r) {
  HexagonMeasures m{};
  m.moduleWidth = Round(r * 0.0202);
  m.moduleHeight = Round(r * 0.0173228);
  m.halfHeight = std::min(m.moduleWidth - 1, Round(r * 0.0164));
  m.halfSide = std::min(m.halfHeight - 1, Round(r * 0.0082));
  m.halfWidth = std::min(m.moduleHeight - 1, Round(r * 0.01385824));
  m.gapX = std::max(2, Round(r * 0.00692912));
  m.gapY = std::max(2, Round(r * 0.0068333));
  return m;
}

void PaintMaxiCode(HDC dc, const ModuleGrid& grid, int r, HBRUSH brush) {
  const HexagonMeasures m = HexagonMeasuresAt(r);
  HGDIOBJ oldBrush = SelectObject(dc, brush);

  // All dark modules go out in one call; they never touch, so they fill and
  // outline as separate hexagons.
  std::vector<POINT> points;
  std::vector<INT> counts;
  int previousCentreY = 0;
  for (int row = 0; row < kGridRows; ++row) {
    // Rows keep at least gapY below the lower sides of the row above.
    const int nominalY = Round((kRowPitch * row + kFirstRowCentre) * r);
    int top = nominalY - m.halfHeight;
    int y = nominalY;
    if (row > 0 && previousCentreY + m.halfSide + m.gapY > top) {
      const int shift = previousCentreY + m.halfSide + m.gapY - top;
      top += shift;
      y += shift / 2;
    }
    previousCentreY = y;

    const int modules = row % 2 == 0 ? kGridColumns : kGridColumns - 1;
    int previousRight = 0;
    for (int column = 0; column < modules; ++column) {
      // Modules keep at least gapX right of their left neighbour.
      int x = Round((column + (row % 2 == 0 ? 0.5 : 1.0)) * kColumnPitch * r);
      int left = x - m.halfWidth;
      if (column > 0 && previousRight + m.gapX > left) {
        const int shift = previousRight + m.gapX - left;
        left += shift;
        x += shift / 2;
      }
      const int right = x + m.halfWidth;
      previousRight = right;
      if (!grid.At(column, row)) continue;
      points.insert(points.end(), {POINT{x, top}, POINT{right, y - m.halfSide}, POINT{right, y + m.halfSide},
                                   POINT{x, y + m.halfHeight}, POINT{left, y + m.halfSide},
                                   POINT{left, y - m.halfSide}});
      counts.push_back(6);
    }
  }
  if (!counts.empty()) PolyPolygon(dc, points.data(), counts.data(), static_cast<int>(counts.size()));

  // Finder: six circles from the largest down, dark and white in turn. Each
  // of the three smallest grows by a pixel when the next exceeds it by more
  // than three.
  const int cx = Round(r * 0.5023612);
  const int cy = Round(r * 0.4992392);
  std::array<int, 6> radii = {Round(r * 0.0200787), Round(r * 0.0464567), Round(r * 0.0732283),
                              Round(r * 0.0996063), Round(r * 0.1259843), Round(r * 0.1523622)};
  for (int i = 0; i < 3; ++i)
    if (radii[i + 1] - radii[i] > 3) ++radii[i];
  HGDIOBJ white = GetStockObject(WHITE_BRUSH);
  for (int i = 5; i >= 0; --i) {
    SelectObject(dc, i % 2 == 1 ? static_cast<HGDIOBJ>(brush) : white);
    Ellipse(dc, cx - radii[i], cy - radii[i], cx + radii[i], cy + radii[i]);
  }
  SelectObject(dc, oldBrush);
}

}  // namespace kalvo::maxicode
