#include "fields/draw/polygon_clip.h"

#include <algorithm>
#include <cmath>

namespace {

// Pixels of margin around the visible box: edges cut there stay out of sight.
constexpr int kMargin = 4;

struct PointD {
  double x, y;
};

// One pass of the cut: keeps the side of the line where inside() holds.
template <class Inside, class Cross>
std::vector<PointD> CutBy(const std::vector<PointD>& in, Inside inside, Cross cross) {
  std::vector<PointD> out;
  for (size_t i = 0; i < in.size(); ++i) {
    const PointD& a = in[i];
    const PointD& b = in[(i + 1) % in.size()];
    const bool aIn = inside(a), bIn = inside(b);
    if (aIn) out.push_back(a);
    if (aIn != bIn) out.push_back(cross(a, b));
  }
  return out;
}

PointD AtX(const PointD& a, const PointD& b, double x) { return {x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x)}; }
PointD AtY(const PointD& a, const PointD& b, double y) { return {a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y}; }

RECT Unite(const RECT& a, const RECT& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

}  // namespace

std::vector<POINT> ClipPolygonToRect(std::span<const POINT> points, const RECT& rect) {
  std::vector<PointD> p;
  for (const POINT& q : points) p.push_back({double(q.x), double(q.y)});
  const double l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
  p = CutBy(p, [&](const PointD& q) { return q.x >= l; }, [&](const PointD& u, const PointD& v) { return AtX(u, v, l); });
  p = CutBy(p, [&](const PointD& q) { return q.x <= r; }, [&](const PointD& u, const PointD& v) { return AtX(u, v, r); });
  p = CutBy(p, [&](const PointD& q) { return q.y >= t; }, [&](const PointD& u, const PointD& v) { return AtY(u, v, t); });
  p = CutBy(p, [&](const PointD& q) { return q.y <= b; }, [&](const PointD& u, const PointD& v) { return AtY(u, v, b); });
  std::vector<POINT> out;
  if (p.size() < 3) return out;
  // Every point now lies inside the rectangle, so each fits an int.
  for (const PointD& q : p) out.push_back({static_cast<LONG>(std::lround(q.x)), static_cast<LONG>(std::lround(q.y))});
  return out;
}

HRGN CreateVisiblePolygonRgn(HDC dc, const POINT* points, int count, int fillMode) {
  // A metafile records the whole shape: it has no pixels to bound it by.
  RECT box{};
  if (!points || count < 3 || GetObjectType(dc) == OBJ_ENHMETADC || GetClipBox(dc, &box) == ERROR)
    return CreatePolygonRgn(points, count, fillMode);
  POINT viewport{0, 0};
  GetViewportOrgEx(dc, &viewport);
  const RECT moved{box.left + viewport.x, box.top + viewport.y, box.right + viewport.x, box.bottom + viewport.y};
  RECT bounds = Unite(box, moved);
  bounds = {bounds.left - kMargin, bounds.top - kMargin, bounds.right + kMargin, bounds.bottom + kMargin};
  const std::vector<POINT> visible = ClipPolygonToRect(std::span<const POINT>(points, static_cast<size_t>(count)), bounds);
  if (visible.empty()) return CreateRectRgn(0, 0, 0, 0);
  return CreatePolygonRgn(visible.data(), static_cast<int>(visible.size()), fillMode);
}
