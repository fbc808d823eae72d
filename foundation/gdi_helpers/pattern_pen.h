// A pen that draws lines and cubic curves with a dash pattern worked out from
// the line width, running the pattern on unbroken across consecutive pieces of
// one outline. Drawn pieces go to the device context (usually into a path that
// is stroked afterwards with a geometric pen).
#pragma once

#include <array>

#include "foundation/build.h"
#include "platform/gdi/gdi.h"

FOUNDATION_BEGIN

// Border styles: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot; 6 to 9
// the same four with doubled gaps; 5, and any style above 9,
// dash-dot-dot-dot (above 9 with doubled gaps).
struct DashPattern {
  std::array<int, 8> lengths{};
  int count = 0;  // 0 for solid, else 2, 4, 6 or 8
};

// Dash 2w with round ends, else 3w; gap 2w with round ends, else w; dot 1
// with round ends (the round cap makes it a dot of width w), else w.
DashPattern BuildDashPattern(int style, int width, bool roundEnds);

class CPatternPen {
 public:
  CPatternPen(HDC dc, bool roundEnds, int width, int style);

  // Replaces the pattern (count 0 makes the pen solid) and restarts it.
  void SetPattern(const int* lengths, int count);
  void ResetPattern();

  void MoveTo(int x, int y, bool restart);
  void MoveTo(const POINT& p) { MoveTo(p.x, p.y, true); }
  void LineTo(int x, int y);
  void LineTo(const POINT& p) { LineTo(p.x, p.y); }
  // A cubic curve from the current position through the three points.
  void CubicTo(const POINT pts[3]);

  int Style() const { return style_; }
  int Index() const { return index_; }
  int Remaining() const { return remaining_; }
  const DashPattern& Pattern() const { return pattern_; }
  POINT Position() const { return pos_; }

 private:
  bool Solid() const { return pattern_.count == 0; }
  // Moves to the next element; true when a dash has just ended.
  bool NextElement();
  void StepLine(int x, int y);

  HDC dc_;
  int style_;
  int index_ = 0;
  int remaining_ = 2;
  DashPattern pattern_;
  POINT pos_{0, 0};
};

FOUNDATION_END
