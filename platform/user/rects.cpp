// Rectangle helpers. Empty rectangles (right <= left or bottom <= top)
// intersect nothing; results that come out empty are all zeros.
#include <algorithm>

#include "platform/user/window_internal.h"

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
  if (!rect) return FALSE;
  *rect = RECT{left, top, right, bottom};
  return TRUE;
}
BOOL SetRectEmpty(LPRECT rect) { return SetRect(rect, 0, 0, 0, 0); }
BOOL CopyRect(LPRECT dest, const RECT* src) {
  if (!dest || !src) return FALSE;
  *dest = *src;
  return TRUE;
}
BOOL InflateRect(LPRECT rect, int dx, int dy) {
  if (!rect) return FALSE;
  rect->left -= dx;
  rect->top -= dy;
  rect->right += dx;
  rect->bottom += dy;
  return TRUE;
}
BOOL OffsetRect(LPRECT rect, int dx, int dy) {
  if (!rect) return FALSE;
  rect->left += dx;
  rect->right += dx;
  rect->top += dy;
  rect->bottom += dy;
  return TRUE;
}
BOOL IsRectEmpty(const RECT* rect) { return !rect || rect->right <= rect->left || rect->bottom <= rect->top; }
BOOL EqualRect(const RECT* a, const RECT* b) {
  if (!a || !b) return FALSE;
  return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}
BOOL PtInRect(const RECT* rect, POINT p) {
  return rect && p.x >= rect->left && p.x < rect->right && p.y >= rect->top && p.y < rect->bottom;
}
BOOL IntersectRect(LPRECT dest, const RECT* a, const RECT* b) {
  if (!dest || !a || !b) return FALSE;
  RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
         std::min(a->bottom, b->bottom)};
  if (IsRectEmpty(a) || IsRectEmpty(b) || IsRectEmpty(&r)) {
    *dest = RECT{0, 0, 0, 0};
    return FALSE;
  }
  *dest = r;
  return TRUE;
}
BOOL UnionRect(LPRECT dest, const RECT* a, const RECT* b) {
  if (!dest || !a || !b) return FALSE;
  if (IsRectEmpty(a) && IsRectEmpty(b)) {
    *dest = RECT{0, 0, 0, 0};
    return FALSE;
  }
  if (IsRectEmpty(a)) {
    *dest = *b;
    return TRUE;
  }
  if (IsRectEmpty(b)) {
    *dest = *a;
    return TRUE;
  }
  *dest = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
               std::max(a->bottom, b->bottom)};
  return TRUE;
}
BOOL SubtractRect(LPRECT dest, const RECT* a, const RECT* b) {
  if (!dest || !a || !b) return FALSE;
  RECT r = *a;
  RECT cut;
  if (IntersectRect(&cut, a, b)) {
    // Only a cut that spans a whole side shrinks the rectangle.
    if (cut.top == r.top && cut.bottom == r.bottom) {
      if (cut.left == r.left) r.left = cut.right;
      else if (cut.right == r.right) r.right = cut.left;
    } else if (cut.left == r.left && cut.right == r.right) {
      if (cut.top == r.top) r.top = cut.bottom;
      else if (cut.bottom == r.bottom) r.bottom = cut.top;
    }
  }
  if (IsRectEmpty(&r)) {
    *dest = RECT{0, 0, 0, 0};
    return FALSE;
  }
  *dest = r;
  return TRUE;
}
