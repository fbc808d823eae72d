#include "foundation/gdi_helpers/marks.h"

#include "platform/gdi/gdi_owners.h"

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
  UniquePen pen;
  UniqueBrush brush;
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
    UniquePen pen(CreatePen(PS_SOLID, 1, colour));
    UniqueBrush brush(CreateSolidBrush(colour));
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
    UniquePen dotted(CreatePen(PS_DOT, 1, kOutlineGrey));
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

namespace {

// A dimension mark along one axis: u runs along the measured span, v across
// it. Horizontal marks map (u, v) to (x, y), vertical ones to (y, x); the
// heads point toward growing u ("forward") or back.
struct DimensionAxes {
  HDC dc;
  bool vertical;
  void Stroke(int u1, int v1, int u2, int v2) const {
    if (vertical)
      Line(dc, v1, u1, v2, u2);
    else
      Line(dc, u1, v1, u2, v2);
  }
  void Head(int u1, int v1, int u2, int v2, bool forward) const {
    if (vertical)
      DrawArrowHead(dc, v1, u1, v2, u2, forward ? kArrowDown : kArrowUp);
    else
      DrawArrowHead(dc, u1, v1, u2, v2, forward ? kArrowRight : kArrowLeft);
  }
};

void DrawDimension(const DimensionAxes& axes, int u1, int u2, int v1, int v2, int arrow, COLORREF colour) {
  MarkScope scope(axes.dc, colour);
  axes.Stroke(u1, v1, u1, v2);
  axes.Stroke(u2, v1, u2, v2);
  const int v = v2 + arrow / 2 + 2;
  const int near = v - arrow / 2, far = v + arrow / 2;
  if (u2 - u1 < 2 * arrow + 4) {
    axes.Stroke(u1 - arrow - 4, v, u1 - arrow, v);
    axes.Head(u1 - arrow, near, u1, far, true);
    axes.Head(u2 + 1, near, u2 + arrow + 1, far, false);
    axes.Stroke(u2 + arrow + 1, v, u2 + arrow + 5, v);
  } else {
    axes.Stroke(u1, v, u2, v);
    axes.Head(u2 - arrow - 1, near, u2 - 1, far, true);
    axes.Head(u1 + 1, near, u1 + arrow + 1, far, false);
  }
}

}  // namespace

void DrawHorzDimension(HDC dc, int x1, int x2, int y1, int y2, int arrow, COLORREF colour) {
  DrawDimension({dc, false}, x1, x2, y1, y2, arrow, colour);
}

void DrawVertDimension(HDC dc, int y1, int y2, int x1, int x2, int arrow, COLORREF colour) {
  DrawDimension({dc, true}, y1, y2, x1, x2, arrow, colour);
}

void DrawDropShadow(HDC dc, int left, int top, int right, int bottom, int n) {
  for (int i = 0; i < n; ++i) Line(dc, right + 1 + i, top + 3, right + 1 + i, bottom + 1);
  for (int i = 0; i < n; ++i) Line(dc, left + 3, bottom + 1 + i, right + 1 + n, bottom + 1 + i);
}

FOUNDATION_END
