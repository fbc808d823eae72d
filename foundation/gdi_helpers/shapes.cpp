#include "foundation/gdi_helpers/shapes.h"

#include <algorithm>
#include <cmath>

#include "foundation/gdi_helpers/colour.h"
#include "platform/gdi/gdi_owners.h"
#include "foundation/geometry/bezier.h"

FOUNDATION_BEGIN

namespace {

void StrokeWithBrush(HDC dc, int width, const LOGBRUSH& brush, bool roundEnds) {
  const DWORD style = PS_GEOMETRIC | PS_SOLID |
                      (roundEnds ? PS_ENDCAP_ROUND | PS_JOIN_ROUND : PS_ENDCAP_FLAT | PS_JOIN_MITER);
  UniquePen pen(ExtCreatePen(style, static_cast<DWORD>(std::max(width, 1)), &brush, 0, nullptr));
  if (!pen) return;
  SelectScope select(dc, pen.get());
  StrokePath(dc);
}

RECT Inset(const RECT& r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

int MakeOdd(int width) { return width % 2 == 0 ? width + 1 : width; }

}  // namespace

void StrokePathWithPen(HDC dc, int width, const COLORREF* colour, bool roundEnds) {
  LOGBRUSH brush{BS_SOLID, colour ? *colour : RGB(0, 0, 0), 0};
  if (!colour) GetObject(GetCurrentObject(dc, OBJ_BRUSH), sizeof brush, &brush);
  StrokeWithBrush(dc, width, brush, roundEnds);
}

void StrokeLinePath(HDC dc, int x1, int y1, int x2, int y2, int style, int width, COLORREF colour, bool roundEnds) {
  if (width == 0) return;
  if (roundEnds) {
    const double dx = static_cast<double>(x2) - x1;
    const double dy = static_cast<double>(y2) - y1;
    const double length = std::hypot(dx, dy);
    if (length == 0) return;
    const double k = (width / 2) / length;
    const int ox = static_cast<int>(std::trunc(k * dx));
    const int oy = static_cast<int>(std::trunc(k * dy));
    x1 += ox;
    y1 += oy;
    x2 -= ox;
    y2 -= oy;
  }
  BeginPath(dc);
  CPatternPen pen(dc, roundEnds, width, style);
  pen.MoveTo(x1, y1, true);
  pen.LineTo(x2, y2);
  EndPath(dc);
  StrokePathWithPen(dc, width, &colour, roundEnds);
}

namespace {

void EllipsePathWithBrush(HDC dc, const RECT& rect, int width, int style, const LOGBRUSH& brush, bool roundEnds) {
  width = MakeOdd(width);
  RECT r = Inset(rect, width / 2);
  r.right -= 1;
  r.bottom -= 1;
  POINT pts[13];
  EllipseToCubics(r, pts);
  BeginPath(dc);
  CPatternPen pen(dc, roundEnds, width, style);
  pen.MoveTo(pts[0].x, pts[0].y, true);
  for (int s = 1; s < 13; s += 3) pen.CubicTo(pts + s);
  EndPath(dc);
  StrokeWithBrush(dc, width, brush, roundEnds);
}

void RoundRectPathWithBrush(HDC dc, const RECT& rect, int cornerDiameter, int width, int style,
                            const LOGBRUSH& brush, bool roundEnds) {
  width = MakeOdd(width);
  if (style == 0 && brush.lbStyle == BS_SOLID) {
    StrokeRoundRectOutline(dc, rect, cornerDiameter, width, brush.lbColor);
    return;
  }
  const int half = width / 2;
  const int r = std::max(0, cornerDiameter / 2 - half);
  const RECT box = Inset(rect, half);
  const int left = box.left, top = box.top, right = box.right - 1, bottom = box.bottom - 1;
  const bool wide = cornerDiameter + 1 < box.right - box.left;
  const bool tall = cornerDiameter + 1 < box.bottom - box.top;

  BeginPath(dc);
  CPatternPen pen(dc, roundEnds, width, style);
  if (cornerDiameter / 2 != 0) {
    pen.MoveTo(right, bottom - r, true);
    if (top + r < bottom - r) pen.LineTo(right, top + r);
    PatternQuarterArc(pen, right - r, top + r, 0, 2, 5, r, left, top, right, bottom);
    if (wide) pen.LineTo(left + r, top);
    PatternQuarterArc(pen, left + r, top + r, 90, 2, 5, r, left, top, right, bottom);
    if (tall) pen.LineTo(left, bottom - r);
    PatternQuarterArc(pen, left + r, bottom - r, 180, 2, 5, r, left, top, right, bottom);
    if (wide) pen.LineTo(right - r, bottom);
    PatternQuarterArc(pen, right - r, bottom - r, 270, 2, 5, r, left, top, right, bottom);
  } else {
    pen.MoveTo(right, roundEnds ? bottom - half : rect.bottom, true);
    pen.LineTo(right, top);
    pen.LineTo(left, top);
    pen.LineTo(left, bottom);
    pen.LineTo(right, bottom);
  }
  EndPath(dc);
  StrokeWithBrush(dc, width, brush, roundEnds);
}

}  // namespace

void StrokeEllipsePath(HDC dc, const RECT& rect, int width, int style, COLORREF colour, bool roundEnds) {
  EllipsePathWithBrush(dc, rect, width, style, LOGBRUSH{BS_SOLID, colour, 0}, roundEnds);
}

void StrokeRoundRectPath(HDC dc, const RECT& rect, int cornerDiameter, int width, int style, COLORREF colour,
                         bool roundEnds) {
  RoundRectPathWithBrush(dc, rect, cornerDiameter, width, style, LOGBRUSH{BS_SOLID, colour, 0}, roundEnds);
}

void PatternQuarterArc(CPatternPen& pen, int cx, int cy, int startDegrees, int overshoot, int step, int radius,
                       int left, int top, int right, int bottom) {
  constexpr double kDegree = 0.017444444444444446;  // 3.14 / 180
  const int end = startDegrees + 90 + overshoot;
  int a = startDegrees + step - overshoot;
  while (a < end) {
    POINT pts[3];
    for (POINT& p : pts) {
      a = std::min(a + step, end);
      const double rad = a * kDegree;
      p.x = static_cast<int>(std::trunc(cx + radius * std::cos(rad) + 0.5));
      p.y = static_cast<int>(std::trunc(cy - radius * std::sin(rad) + 0.5));
      if (a > startDegrees + 90) {
        // Past the quarter the point is held on the straight edge that follows.
        switch (startDegrees) {
          case 0: p.y = top; break;
          case 90: p.x = left; break;
          case 180: p.y = bottom; break;
          case 270: p.x = right; break;
          default: break;
        }
      }
    }
    pen.CubicTo(pts);
  }
}

void StrokeRoundRectOutline(HDC dc, const RECT& rect, int cornerDiameter, int width, COLORREF colour) {
  UniquePen pen(CreatePen(PS_SOLID, width, colour));
  SelectScope selectPen(dc, pen.get());
  SelectScope selectBrush(dc, GetStockObject(NULL_BRUSH));
  const RECT r = Inset(rect, width / 2);
  RoundRect(dc, r.left, r.top, r.right, r.bottom - 1, cornerDiameter, cornerDiameter);
}

int DrawEllipseOrRoundRect(HDC dc, int cx, int cy, int hw, int hh, bool roundRect, int angle, bool filled,
                           COLORREF fill, int corner, int borderWidth, int borderStyle, COLORREF border,
                           bool roundEnds, bool hatched) {
  const int oldMode = SetGraphicsMode(dc, GM_ADVANCED);
  if (angle != 0) {
    const double theta = angle / -180000.0 * 3.1415926;
    const double c = std::cos(theta), s = std::sin(theta);
    const XFORM xf{static_cast<FLOAT>(c),  static_cast<FLOAT>(s),
                   static_cast<FLOAT>(-s), static_cast<FLOAT>(c),
                   static_cast<FLOAT>(cx - cx * c + cy * s), static_cast<FLOAT>(cy - cy * c - cx * s)};
    SetWorldTransform(dc, &xf);
  }
  {
    SelectScope nullPen(dc, GetStockObject(NULL_PEN));
    const int radius = corner < 0 ? std::min(hw, hh) / 2 : std::min(corner, std::min(hw, hh));
    const int cornerEllipse = 2 * radius;
    auto shape = [&](int l, int t, int r, int b) {
      if (roundRect)
        RoundRect(dc, l, t, r, b, cornerEllipse, cornerEllipse);
      else
        Ellipse(dc, l, t, r, b);
    };

    UniqueBrush fillBrush;
    if (filled) {
      if (hatched) fill = RGB(0xE6, 0xE6, 0xE6);
      fillBrush.reset(hatched ? CreateHatchBrush(HS_DIAGCROSS, fill) : CreateSolidBrush(fill));
    }
    if (filled && border == fill) {
      SelectScope select(dc, fillBrush.get());
      shape(cx - hw, cy - hh, cx + hw, cy + hh);
    } else {
      const LOGBRUSH borderBrush = hatched ? LOGBRUSH{BS_HATCHED, AdjustColor(border, kAdjustLighten), HS_DIAGCROSS}
                                           : LOGBRUSH{BS_SOLID, border, 0};
      if (filled) {
        const int inset = borderStyle == 0 ? 2 : 0;
        const int hw2 = std::max(1, hw - inset), hh2 = std::max(1, hh - inset);
        SelectScope select(dc, fillBrush.get());
        shape(cx - hw2, cy - hh2, cx + hw2 - 1, cy + hh2 - 1);
      }
      const RECT full{cx - hw, cy - hh, cx + hw, cy + hh};
      if (roundRect)
        RoundRectPathWithBrush(dc, full, cornerEllipse, borderWidth, borderStyle, borderBrush, roundEnds);
      else
        EllipsePathWithBrush(dc, full, borderWidth, borderStyle, borderBrush, roundEnds);
    }
  }
  if (angle != 0) ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
  SetGraphicsMode(dc, oldMode);
  return 1;
}

HRGN CreateShapeOutlineRgn(int cx, int cy, int hw, int hh, bool roundRect, int corner, bool filled,
                           int borderWidth) {
  const int c = std::clamp(corner, 0, std::max(0, std::min(hw + 4, hh + 4)));
  auto make = [&](int w, int h) {
    return roundRect ? CreateRoundRectRgn(cx - w, cy - h, cx + w, cy + h, c, c)
                     : CreateEllipticRgn(cx - w, cy - h, cx + w, cy + h);
  };
  HRGN outer = make(hw + 4, hh + 4);
  if (!outer || filled) return outer;
  const int iw = hw - (borderWidth + 4), ih = hh - (borderWidth + 4);
  if (iw <= 0 || ih <= 0) return outer;  // the band covers the whole shape
  UniqueRgn inner(make(iw, ih));
  if (!inner || CombineRgn(outer, outer, inner.get(), RGN_DIFF) == ERROR) {
    DeleteObject(outer);
    return nullptr;
  }
  return outer;
}

FOUNDATION_END
