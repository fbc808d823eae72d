#include "image/filter/plfilterrotate.h"

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>

#include "foundation/gdi_helpers/colour.h"

namespace {

constexpr double kDegreesToRadians = 0.017453292519943295;

// Cosine and sine, exact at the four right angles.
void CosSin(double angle, double& c, double& s) {
  if (angle == 0.0) { c = 1; s = 0; }
  else if (angle == 90.0) { c = 0; s = 1; }
  else if (angle == 180.0) { c = -1; s = 0; }
  else if (angle == 270.0) { c = 0; s = -1; }
  else {
    double radians = angle * 6.283185307179586 * 0.002777777777777778;
    c = std::cos(radians);
    s = std::sin(radians);
  }
}

PLPixel32 AdjustPixel(PLPixel32 p, int mode) {
  COLORREF c = AdjustColor(RGB(p.r, p.g, p.b), unsigned(mode));
  return PLPixel32(GetRValue(c), GetGValue(c), GetBValue(c), p.a);
}

}  // namespace

PLPointD RotatePoint(double x, double y, double degrees, double cx, double cy, double ox, double oy) {
  double a = degrees * kDegreesToRadians;
  double c = std::cos(a), s = std::sin(a);
  return PLPointD{cx + (x - cx) * c - (y - cy) * s + ox, cy + (y - cy) * c + (x - cx) * s + oy};
}

PLIntBox BoundingBox(const PLPoint* points, int count) {
  PLIntBox box{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), std::numeric_limits<int>::min(),
               std::numeric_limits<int>::min()};
  for (int i = 0; i < count; ++i) {
    if (points[i].x < box.minX) box.minX = points[i].x;
    if (points[i].y < box.minY) box.minY = points[i].y;
    if (points[i].x > box.maxX) box.maxX = points[i].x;
    if (points[i].y > box.maxY) box.maxY = points[i].y;
  }
  return box;
}

PLFilterRotate::PLFilterRotate(double angle, const PLRotateColor* background, const PLPoint* frame, int colourMode,
                               int keepOutside)
    : m_Angle(angle),
      m_Background(background ? *background : PLRotateColor{}),
      m_Frame(frame ? *frame : PLPoint{}),
      m_ColourMode(colourMode),
      m_KeepOutside(keepOutside) {}

void PLFilterRotate::Apply(PLBmp* source, PLBmp* target) {
  if (source == target) {
    ApplyInPlace(source);
    return;
  }
  double c, s;
  CosSin(m_Angle, c, s);
  int srcW = source->GetWidth(), srcH = source->GetHeight();
  int w = m_Frame.x > 0 ? m_Frame.x : srcW;
  int h = m_Frame.x > 0 ? m_Frame.y : srcH;
  if (w <= 0 || h <= 0) return;

  // The frame's corners turned about the origin, rounded outwards.
  auto turn = [&](double x, double y) { return PLPointD{x * c - y * s, y * c + x * s}; };
  PLPointD p1 = turn(w - 1, 0), p2 = turn(w - 1, h - 1), p3 = turn(0, h - 1);
  // Frames beyond what a bitmap can hold are refused before any rounding.
  constexpr double kLimit = 1 << 28;
  for (const PLPointD& p : {p1, p2, p3})
    if (!(std::fabs(p.x) < kLimit && std::fabs(p.y) < kLimit)) return;
  PLPoint corners[4] = {{0, 0},
                        {int(std::ceil(p1.x)), int(std::floor(p1.y))},
                        {int(std::ceil(p2.x)), int(std::ceil(p2.y))},
                        {int(std::floor(p3.x)), int(std::ceil(p3.y))}};
  PLIntBox box = BoundingBox(corners, 4);
  int newW = box.maxX - box.minX + 1, newH = box.maxY - box.minY + 1;

  int bpp = source->GetBitsPerPixel();
  PLBmpLock srcLock(*source, true, false);
  if (!target->Create(newW, newH, bpp, source->GetFileBitsPerPixel(), source->GetFileSize(), source->HasAlpha(),
                      source->IsGreyscale(), source->GetResolution()))
    return;
  PLBmpLock dstLock(*target, false, true);
  PLPixel32 background(m_Background.r, m_Background.g, m_Background.b, m_Background.a);
  PLBYTE** srcRows = source->GetLineArray();
  PLBYTE** dstRows = target->GetLineArray();
  for (int r = 0; r < newH; ++r) {
    int t = newH - 1 - r;
    double y = box.minY + r;
    PLBYTE* dst = dstRows[t];
    for (int col = 0; col < newW; ++col) {
      double x = box.minX + col;
      double u = x * c + y * s;
      double v = (h - 1) - (y * c - x * s);
      double fx = u * srcW / w, fy = v * srcH / h;
      bool inside = fx > -1.0 && fy > -1.0 && fx < srcW && fy < srcH;
      int sx = inside ? int(fx) : 0, sy = inside ? int(fy) : 0;
      if (bpp == 32) {
        auto* out = reinterpret_cast<PLPixel32*>(dst) + col;
        if (inside) {
          PLPixel32 p = reinterpret_cast<const PLPixel32*>(srcRows[sy])[sx];
          *out = m_ColourMode ? AdjustPixel(p, m_ColourMode) : p;
        } else if (!m_KeepOutside) {
          *out = background;
        }
      } else if (bpp == 24) {
        PLBYTE* out = dst + col * 3;
        if (inside) {
          const PLBYTE* in = srcRows[sy] + sx * 3;
          PLPixel32 p(in[2], in[1], in[0], 255);
          if (m_ColourMode) p = AdjustPixel(p, m_ColourMode);
          out[0] = p.b; out[1] = p.g; out[2] = p.r;
        } else if (!m_KeepOutside) {
          out[0] = background.b; out[1] = background.g; out[2] = background.r;
        }
      }
    }
  }
}
