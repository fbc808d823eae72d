// The framework's point, size and rectangle: the structures with operators.
#pragma once

#include <algorithm>

#include "platform/kernel/types.h"

class CSize : public SIZE {
 public:
  constexpr CSize() : SIZE{0, 0} {}
  constexpr CSize(int cx, int cy) : SIZE{cx, cy} {}
  constexpr CSize(SIZE s) : SIZE(s) {}  // NOLINT
  friend constexpr bool operator==(const CSize& a, const CSize& b) { return a.cx == b.cx && a.cy == b.cy; }
  constexpr CSize operator+(CSize o) const { return {cx + o.cx, cy + o.cy}; }
  constexpr CSize operator-(CSize o) const { return {cx - o.cx, cy - o.cy}; }
};

class CPoint : public POINT {
 public:
  constexpr CPoint() : POINT{0, 0} {}
  constexpr CPoint(int x, int y) : POINT{x, y} {}
  constexpr CPoint(POINT p) : POINT(p) {}  // NOLINT
  // A point packed in a message's lParam: signed 16-bit halves.
  explicit constexpr CPoint(LPARAM packed)
      : POINT{static_cast<SHORT>(packed & 0xFFFF), static_cast<SHORT>((packed >> 16) & 0xFFFF)} {}
  void Offset(int dx, int dy) { x += dx, y += dy; }
  friend constexpr bool operator==(const CPoint& a, const CPoint& b) { return a.x == b.x && a.y == b.y; }
  constexpr CPoint operator+(CSize s) const { return {x + s.cx, y + s.cy}; }
  constexpr CPoint operator-(CSize s) const { return {x - s.cx, y - s.cy}; }
  constexpr CSize operator-(CPoint p) const { return {x - p.x, y - p.y}; }
  CPoint& operator+=(CSize s) {
    x += s.cx, y += s.cy;
    return *this;
  }
};

class CRect : public RECT {
 public:
  constexpr CRect() : RECT{0, 0, 0, 0} {}
  constexpr CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
  constexpr CRect(const RECT& r) : RECT(r) {}  // NOLINT
  constexpr CRect(POINT p, SIZE s) : RECT{p.x, p.y, p.x + s.cx, p.y + s.cy} {}
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr CSize Size() const { return {Width(), Height()}; }
  constexpr CPoint TopLeft() const { return {left, top}; }
  constexpr CPoint BottomRight() const { return {right, bottom}; }
  constexpr CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }
  constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
  constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  constexpr bool PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  void SetRect(int l, int t, int r, int b) { left = l, top = t, right = r, bottom = b; }
  void SetRectEmpty() { SetRect(0, 0, 0, 0); }
  void OffsetRect(int dx, int dy) { left += dx, right += dx, top += dy, bottom += dy; }
  void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
  void InflateRect(int dx, int dy) { left -= dx, right += dx, top -= dy, bottom += dy; }
  void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
  void NormalizeRect() {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
  }
  bool IntersectRect(const RECT& a, const RECT& b) {
    SetRect(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom));
    if (IsRectEmpty()) SetRectEmpty();
    return !IsRectEmpty();
  }
  bool UnionRect(const RECT& a, const RECT& b) {
    const CRect ra(a), rb(b);
    if (ra.IsRectEmpty()) *this = rb;
    else if (rb.IsRectEmpty()) *this = ra;
    else SetRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom));
    return !IsRectEmpty();
  }
  friend constexpr bool operator==(const CRect& a, const CRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
  operator LPRECT() { return this; }               // NOLINT: passes as the structure
  operator LPCRECT() const { return this; }        // NOLINT
};
