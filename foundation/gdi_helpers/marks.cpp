#include "foundation/gdi_helpers/marks.h"

#include "foundation/gdi_helpers/gdi_scope.h"

FOUNDATION_BEGIN

namespace {

constexpr COLORREF kOutlineGrey = RGB(0x7A, 0x7A, 0x7A);

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

// Pen, brush and background mode of the dimension marks, restored on exit.
struct MarkScope {
  MarkScope(HDC dc, COLORREF colour)
      : pen(CreatePen(PS_SOLID, 1, colour)),
        brush(CreateSolidBrush(colour)),
        selectPen(dc, pen.get()),
        selectBrush(dc, brush.get()),
        dc(dc),
        oldMode(SetBkMode(dc, TRANSPARENT)) {}
  ~MarkScope() { SetBkMode(dc, oldMode); }
  GdiObject pen, brush;
  SelectScope selectPen, selectBrush;
  HDC dc;
  int oldMode;
};

}  // namespace

void DrawLabelShape(HDC dc, const RECT& rect, int shape, int corner, bool hole, int holeDiameter, bool outlineMode,
                    COLORREF colour, HBRUSH background) {
  FillRect(dc, &rect, background);
  const bool dottedEllipse = outlineMode && shape == kLabelEllipse;
  const bool dottedHole = outlineMode && hole;
  {
    GdiObject pen(CreatePen(PS_SOLID, 1, colour));
    GdiObject brush(CreateSolidBrush(colour));
    SelectScope selectPen(dc, pen.get());
    SelectScope selectBrush(dc, brush.get());
    if (shape == kLabelRectangle)
      Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    else if (shape != kLabelEllipse)
      RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, 2 * corner, 2 * corner);
    else if (!dottedEllipse)
      Ellipse(dc, rect.left, rect.top, rect.right, rect.bottom);
  }
  const int cx = rect.left + (rect.right - rect.left) / 2;
  const int cy = rect.top + (rect.bottom - rect.top) / 2;
  const int r = holeDiameter / 2;
  if (hole && !dottedHole) {
    SelectScope selectPen(dc, GetStockObject(NULL_PEN));
    SelectScope selectBrush(dc, background);
    Ellipse(dc, cx - r, cy - r, cx + r, cy + r);
  }
  if (dottedEllipse || dottedHole) {
    GdiObject dotted(CreatePen(PS_DOT, 1, kOutlineGrey));
    SelectScope selectPen(dc, dotted.get());
    SelectScope selectBrush(dc, GetStockObject(NULL_BRUSH));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    if (dottedEllipse) Ellipse(dc, rect.left, rect.top, rect.right, rect.bottom);
    if (dottedHole) Ellipse(dc, cx - r, cy - r, cx + r, cy + r);
    SetBkMode(dc, oldMode);
  }
}

void DrawArrowHead(HDC dc, int left, int top, int right, int bottom, int direction) {
  const int cx = left + (right - left) / 2;
  const int cy = top + (bottom - top) / 2;
  POINT tri[3];
  switch (direction) {
    case kArrowDown: tri[0] = {left, top}, tri[1] = {right, top}, tri[2] = {cx, bottom}; break;
    case kArrowUp: tri[0] = {left, bottom}, tri[1] = {right, bottom}, tri[2] = {cx, top}; break;
    case kArrowLeft: tri[0] = {right, top}, tri[1] = {right, bottom}, tri[2] = {left, cy}; break;
    default: tri[0] = {left, top}, tri[1] = {left, bottom}, tri[2] = {right, cy}; break;
  }
  Polygon(dc, tri, 3);
}

void DrawHorzDimension(HDC dc, int x1, int x2, int y1, int y2, int arrow, COLORREF colour) {
  MarkScope scope(dc, colour);
  Line(dc, x1, y1, x1, y2);
  Line(dc, x2, y1, x2, y2);
  const int y = y2 + arrow / 2 + 2;
  const int top = y - arrow / 2, bottom = y + arrow / 2;
  if (x2 - x1 < 2 * arrow + 4) {
    Line(dc, x1 - arrow - 4, y, x1 - arrow, y);
    DrawArrowHead(dc, x1 - arrow, top, x1, bottom, kArrowRight);
    DrawArrowHead(dc, x2 + 1, top, x2 + arrow + 1, bottom, kArrowLeft);
    Line(dc, x2 + arrow + 1, y, x2 + arrow + 5, y);
  } else {
    Line(dc, x1, y, x2, y);
    DrawArrowHead(dc, x2 - arrow - 1, top, x2 - 1, bottom, kArrowRight);
    DrawArrowHead(dc, x1 + 1, top, x1 + arrow + 1, bottom, kArrowLeft);
  }
}

void DrawVertDimension(HDC dc, int y1, int y2, int x1, int x2, int arrow, COLORREF colour) {
  MarkScope scope(dc, colour);
  Line(dc, x1, y1, x2, y1);
  Line(dc, x1, y2, x2, y2);
  const int x = x2 + arrow / 2 + 2;
  const int left = x - arrow / 2, right = x + arrow / 2;
  if (y2 - y1 < 2 * arrow + 4) {
    Line(dc, x, y1 - arrow - 4, x, y1 - arrow);
    DrawArrowHead(dc, left, y1 - arrow, right, y1, kArrowDown);
    DrawArrowHead(dc, left, y2 + 1, right, y2 + arrow + 1, kArrowUp);
    Line(dc, x, y2 + arrow + 1, x, y2 + arrow + 5);
  } else {
    Line(dc, x, y1, x, y2);
    DrawArrowHead(dc, left, y2 - arrow - 1, right, y2 - 1, kArrowDown);
    DrawArrowHead(dc, left, y1 + 1, right, y1 + arrow + 1, kArrowUp);
  }
}

void DrawDropShadow(HDC dc, int left, int top, int right, int bottom, int n) {
  for (int i = 0; i < n; ++i) Line(dc, right + 1 + i, top + 3, right + 1 + i, bottom + 1);
  for (int i = 0; i < n; ++i) Line(dc, left + 3, bottom + 1 + i, right + 1 + n, bottom + 1 + i);
}

FOUNDATION_END
