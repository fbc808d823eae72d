#include "foundation/gdi_helpers/pattern_pen.h"

#include <algorithm>
#include <cstdlib>

#include "foundation/geometry/bezier.h"

FOUNDATION_BEGIN

DashPattern BuildDashPattern(int style, int width, bool roundEnds) {
  DashPattern p;
  if (style <= 0) return p;
  const int dash = std::max(1, roundEnds ? 2 * width : 3 * width);
  int gap = std::max(1, roundEnds ? 2 * width : width);
  const int dot = std::max(1, roundEnds ? 1 : width);
  if (style > 5) gap *= 2;
  int kind = style > 5 ? style - 5 : style;  // 1..4 dash .. dash-dot-dot, 5 and above dash-dot-dot-dot
  if (kind > 4) kind = 5;
  switch (kind) {
    case 1: p.lengths = {dash, gap}; p.count = 2; break;
    case 2: p.lengths = {dot, gap}; p.count = 2; break;
    case 3: p.lengths = {dash, gap, dot, gap}; p.count = 4; break;
    case 4: p.lengths = {dash, gap, dot, gap, dot, gap}; p.count = 6; break;
    default: p.lengths = {dash, gap, dot, gap, dot, gap, dot, gap}; p.count = 8; break;
  }
  return p;
}

CPatternPen::CPatternPen(HDC dc, bool roundEnds, int width, int style)
    : dc_(dc), style_(style), pattern_(BuildDashPattern(style, width, roundEnds)) {}

void CPatternPen::SetPattern(const int* lengths, int count) {
  pattern_ = DashPattern{};
  pattern_.count = std::clamp(count, 0, 8) & ~1;
  for (int i = 0; i < pattern_.count; ++i) pattern_.lengths[i] = std::max(1, lengths[i]);
  ResetPattern();
}

void CPatternPen::ResetPattern() {
  index_ = 0;
  if (!Solid()) remaining_ = pattern_.lengths[0];
}

void CPatternPen::MoveTo(int x, int y, bool restart) {
  if (restart) ResetPattern();
  pos_ = {x, y};
  MoveToEx(dc_, x, y, nullptr);
}

bool CPatternPen::NextElement() {
  index_ = (index_ + 1) % pattern_.count;
  remaining_ = pattern_.lengths[index_];
  return index_ % 2 == 1;
}

void CPatternPen::LineTo(int x, int y) {
  if (Solid()) {
    ::LineTo(dc_, x, y);
    pos_ = {x, y};
    return;
  }
  StepLine(x, y);
}

// Walks the pixels of the line as a Bresenham stepper and cuts it where the
// pattern's elements end.
void CPatternPen::StepLine(int x, int y) {
  const int dx = x - pos_.x;
  const int dy = y - pos_.y;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int M = xMajor ? std::abs(dx) : std::abs(dy);
  const int m = xMajor ? std::abs(dy) : std::abs(dx);
  const int sx = dx > 0 ? 1 : (dx < 0 ? -1 : 0);
  const int sy = dy > 0 ? 1 : (dy < 0 ? -1 : 0);
  int e = M;
  for (int step = 1; step <= M; ++step) {
    e -= m;
    if (e <= 0) {
      (xMajor ? pos_.y : pos_.x) += xMajor ? sy : sx;
      e += M;
    }
    (xMajor ? pos_.x : pos_.y) += xMajor ? sx : sy;
    if (--remaining_ == 0) {
      if (NextElement())
        ::LineTo(dc_, pos_.x, pos_.y);
      else
        MoveToEx(dc_, pos_.x, pos_.y, nullptr);
      if (step == M) return;
    }
  }
  pos_ = {x, y};
  if (index_ % 2 == 0) ::LineTo(dc_, x, y);
}

void CPatternPen::CubicTo(const POINT pts[3]) {
  if (Solid()) {
    PolyBezierTo(dc_, pts, 3);
    pos_ = pts[2];
    return;
  }
  ACubicSegment rest{APointD(pos_), APointD(pts[0]), APointD(pts[1]), APointD(pts[2])};
  for (;;) {
    const double t = rest.ParamAtLength(remaining_);
    ACubicSegment piece;
    rest.SplitAt(piece, t);
    POINT p[4];
    piece.GetPoints(p);
    pos_ = p[3];
    if (index_ % 2 == 1)
      MoveToEx(dc_, pos_.x, pos_.y, nullptr);
    else
      PolyBezierTo(dc_, p + 1, 3);
    if (t >= 1.0) {
      // The curve is used up: inside the current element, or just at its end.
      if (remaining_ == 0) NextElement();
      return;
    }
    // The element ended inside the curve (a distance left over by rounding
    // counts as ended too, so the rest of the curve is never dropped).
    NextElement();
  }
}

FOUNDATION_END
