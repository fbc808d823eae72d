// Region objects (rectangles, polygons, ellipses, rounded rectangles and
// their combinations), painting regions, and the clip region of a device
// context. Region coordinates are device units.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gdi/gdi_raster.h"

namespace gdi {
namespace {

constexpr RECT kEverywhere{-(1 << 27), -(1 << 27), 1 << 27, 1 << 27};

HRGN NewRegion(SpanRegion r) {
  auto region = std::make_shared<Region>();
  region->SetShape(std::move(r));
  return static_cast<HRGN>(AddObject(region));
}

SpanRegion PolygonsRegion(const POINT* points, const INT* counts, int polygons, int fillMode) {
  std::vector<std::vector<PointD>> polys;
  for (int i = 0; i < polygons; ++i) {
    std::vector<PointD> poly;
    for (int k = 0; k < counts[i]; ++k) poly.push_back({double(points[k].x), double(points[k].y)});
    points += counts[i];
    polys.push_back(std::move(poly));
  }
  return ScanPolygons(polys, fillMode == WINDING ? WINDING : ALTERNATE, kEverywhere);
}

// The device rectangle of a logical one (for the clip rectangle calls).
RECT DeviceRect(const DeviceContext& dc, int l, int t, int r, int b) {
  const Matrix m = dc.LogicalToDevice();
  const POINT a = RoundDevice(m.Apply({double(l), double(t)}));
  const POINT c = RoundDevice(m.Apply({double(r), double(b)}));
  return RECT{std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y)};
}

// The clip as it stands: none means the whole surface.
SpanRegion CurrentClip(const DeviceContext& dc) {
  if (dc.state.clip) return *dc.state.clip;
  const Bitmap* target = dc.Target();
  if (target) {
    return SpanRegion::FromRect(-dc.surfaceOrigin.x, -dc.surfaceOrigin.y, target->width - dc.surfaceOrigin.x,
                                target->height - dc.surfaceOrigin.y);
  }
  if (dc.kind == DcKind::Printer || dc.kind == DcKind::Info)
    return SpanRegion::FromRect(0, 0, dc.printableSize.cx, dc.printableSize.cy);
  const SIZE screen = ScreenSize();
  return SpanRegion::FromRect(0, 0, screen.cx, screen.cy);
}

}  // namespace
}  // namespace gdi

using namespace gdi;

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return NewRegion(SpanRegion::FromRect(left, top, right, bottom));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
  return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

// An elliptic region holds the pixels Ellipse fills with a null pen in a box
// one pixel smaller on the right and at the bottom.
HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (right - left < 2 || bottom - top < 2) return NewRegion({});
  // The smallest ellipse, one pixel after the right and bottom edges go,
  // keeps that pixel (an ellipse outline of one pixel is none).
  if (right - left == 2 && bottom - top == 2) return NewRegion(SpanRegion::FromRect(left, top, left + 1, top + 1));
  return NewRegion(EllipseArea(left, top, right - 2, bottom - 2));
}

HRGN CreateEllipticRgnIndirect(const RECT* rect) {
  return rect ? CreateEllipticRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

// Round-rectangle regions likewise: the null-pen RoundRect one pixel smaller
// on the right and at the bottom.
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (right - left < 2 || bottom - top < 2) return NewRegion({});
  return NewRegion(RowHull(RoundRectOutline(left, top, right - 2, bottom - 2, width, height)));
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode) {
  if (!points || count < 0) return nullptr;
  const INT counts[1] = {count};
  return NewRegion(PolygonsRegion(points, counts, 1, fillMode));
}

HRGN CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int fillMode) {
  if (!points || !counts || polygons < 0) return nullptr;
  return NewRegion(PolygonsRegion(points, counts, polygons, fillMode));
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
  auto d = FindRegion(dest);
  auto a = FindRegion(src1);
  if (!d || !a || mode < RGN_AND || mode > RGN_COPY) return ERROR;
  SpanRegion result;
  if (mode == RGN_COPY) {
    result = a->Shape();
  } else {
    auto b = FindRegion(src2);
    if (!b) return ERROR;
    result = SpanRegion::Combine(a->Shape(), b->Shape(), mode);
  }
  const int kind = result.Kind();
  d->SetShape(std::move(result));
  return kind;
}

BOOL EqualRgn(HRGN a, HRGN b) {
  auto ra = FindRegion(a), rb = FindRegion(b);
  if (!ra || !rb) return ERROR;
  return ra->Shape() == rb->Shape() ? TRUE : FALSE;
}

int OffsetRgn(HRGN region, int dx, int dy) {
  auto r = FindRegion(region);
  if (!r) return ERROR;
  return r->Update([dx, dy](SpanRegion& shape) {
    shape.Offset(dx, dy);
    return shape.Kind();
  });
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
  auto r = FindRegion(region);
  if (!r) return FALSE;
  r->SetShape(SpanRegion::FromRect(left, top, right, bottom));
  return TRUE;
}

BOOL PtInRegion(HRGN region, int x, int y) {
  auto r = FindRegion(region);
  return r && r->Update([x, y](SpanRegion& shape) { return shape.Contains(x, y); }) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN region, const RECT* rect) {
  auto r = FindRegion(region);
  if (!r || !rect) return FALSE;
  RECT n{std::min(rect->left, rect->right), std::min(rect->top, rect->bottom), std::max(rect->left, rect->right),
         std::max(rect->top, rect->bottom)};
  return r->Update([&n](SpanRegion& shape) { return shape.Intersects(n); }) ? TRUE : FALSE;
}

int GetRgnBox(HRGN region, LPRECT box) {
  auto r = FindRegion(region);
  if (!r || !box) return ERROR;
  const SpanRegion shape = r->Shape();
  *box = shape.Box();
  return shape.Kind();
}

DWORD GetRegionData(HRGN region, DWORD size, RGNDATA* data) {
  auto r = FindRegion(region);
  if (!r) return 0;
  const SpanRegion shape = r->Shape();
  std::vector<RECT> rects;
  for (const auto& band : shape.Bands())
    for (const auto& s : band.spans) rects.push_back(RECT{s.x0, band.top, s.x1, band.bottom});
  const DWORD needed = static_cast<DWORD>(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  if (!data) return needed;
  if (size < needed) return 0;
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = 1;  // RDH_RECTANGLES
  data->rdh.nCount = static_cast<DWORD>(rects.size());
  data->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  data->rdh.rcBound = shape.Box();
  if (!rects.empty()) std::memcpy(data->Buffer, rects.data(), rects.size() * sizeof(RECT));
  return needed;
}

BOOL FillRgn(HDC handle, HRGN region, HBRUSH brush) {
  auto dc = FindDC(handle);
  auto r = FindRegion(region);
  auto b = FindFillBrush(brush);
  if (!dc || !r || !b) return FALSE;
  if (Bitmap* target = dc->Target()) PaintRegion(*dc, r->Shape(), MakeBrushSampler(*dc, *target, b.get()), R2_COPYPEN);
  return TRUE;
}

BOOL PaintRgn(HDC handle, HRGN region) {
  auto dc = FindDC(handle);
  if (!dc) return FALSE;
  return FillRgn(handle, region, dc->state.brushHandle);
}

BOOL InvertRgn(HDC handle, HRGN region) {
  auto dc = FindDC(handle);
  auto r = FindRegion(region);
  if (!dc || !r) return FALSE;
  if (dc->Target()) PaintRegion(*dc, r->Shape(), BrushSampler::Solid(0), R2_NOT);
  return TRUE;
}

// The frame is the region less the region shrunk by the frame's width and
// height: what lies within (width, height) of the outside.
BOOL FrameRgn(HDC handle, HRGN region, HBRUSH brush, int width, int height) {
  auto dc = FindDC(handle);
  auto r = FindRegion(region);
  auto b = FindFillBrush(brush);
  if (!dc || !r || !b || width <= 0 || height <= 0) return FALSE;
  const SpanRegion shape = r->Shape();
  const RECT box = shape.Box();
  width = std::min(width, static_cast<int>(box.right - box.left) + 1);
  height = std::min(height, static_cast<int>(box.bottom - box.top) + 1);
  // A pixel is on the frame when the outside lies within `width` of it along
  // its row or within `height` along its column (a cross, not a box: the
  // diagonal pixel at an inside corner stays unpainted).
  auto erode = [](const SpanRegion& from, int reach, bool horizontal) {
    SpanRegion out = from;
    for (int d = -reach; d <= reach; ++d) {
      if (d == 0) continue;
      SpanRegion moved = from;
      moved.Offset(horizontal ? d : 0, horizontal ? 0 : d);
      out = SpanRegion::Combine(out, moved, RGN_AND);
    }
    return out;
  };
  const SpanRegion inner = SpanRegion::Combine(erode(shape, width, true), erode(shape, height, false), RGN_AND);
  const SpanRegion frame = SpanRegion::Combine(shape, inner, RGN_DIFF);
  if (Bitmap* target = dc->Target()) PaintRegion(*dc, frame, MakeBrushSampler(*dc, *target, b.get()), R2_COPYPEN);
  return TRUE;
}

int ExtSelectClipRgn(HDC handle, HRGN region, int mode) {
  auto dc = FindDC(handle);
  if (!dc) return ERROR;
  if (!region) {
    if (mode != RGN_COPY) return ERROR;
    dc->state.clip.reset();
    return SIMPLEREGION;
  }
  auto r = FindRegion(region);
  if (!r || mode < RGN_AND || mode > RGN_COPY) return ERROR;
  if (mode == RGN_COPY) {
    dc->state.clip = r->Shape();
  } else {
    dc->state.clip = SpanRegion::Combine(CurrentClip(*dc), r->Shape(), mode);
  }
  return dc->state.clip->Kind();
}

int SelectClipRgn(HDC handle, HRGN region) { return ExtSelectClipRgn(handle, region, RGN_COPY); }

int IntersectClipRect(HDC handle, int left, int top, int right, int bottom) {
  auto dc = FindDC(handle);
  if (!dc) return ERROR;
  dc->state.clip =
      SpanRegion::Combine(CurrentClip(*dc), SpanRegion::FromRect(DeviceRect(*dc, left, top, right, bottom)), RGN_AND);
  return dc->state.clip->Kind();
}

int ExcludeClipRect(HDC handle, int left, int top, int right, int bottom) {
  auto dc = FindDC(handle);
  if (!dc) return ERROR;
  dc->state.clip = SpanRegion::Combine(CurrentClip(*dc),
                                       SpanRegion::FromRect(DeviceRect(*dc, left, top, right, bottom)), RGN_DIFF);
  return dc->state.clip->Kind();
}

int OffsetClipRgn(HDC handle, int dx, int dy) {
  auto dc = FindDC(handle);
  if (!dc) return ERROR;
  if (!dc->state.clip) return SIMPLEREGION;
  const Matrix m = dc->LogicalToDevice();
  dc->state.clip->Offset(static_cast<int>(std::lround(dx * m.m11)), static_cast<int>(std::lround(dy * m.m22)));
  return dc->state.clip->Kind();
}

int GetClipBox(HDC handle, LPRECT rect) {
  auto dc = FindDC(handle);
  if (!dc || !rect) return ERROR;
  SpanRegion visible = dc->Target() ? dc->EffectiveClip() : CurrentClip(*dc);
  const RECT box = visible.Box();
  // Back to logical units.
  const auto inverse = dc->LogicalToDevice().Inverse();
  if (!inverse) return ERROR;
  const POINT a = RoundDevice(inverse->Apply({double(box.left), double(box.top)}));
  const POINT b = RoundDevice(inverse->Apply({double(box.right), double(box.bottom)}));
  *rect = RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
  return visible.Kind();
}

int GetClipRgn(HDC handle, HRGN region) {
  auto dc = FindDC(handle);
  auto r = FindRegion(region);
  if (!dc || !r) return -1;
  if (!dc->state.clip) return 0;
  r->SetShape(*dc->state.clip);
  return 1;
}

BOOL PtVisible(HDC handle, int x, int y) {
  auto dc = FindDC(handle);
  if (!dc) return FALSE;
  const POINT p = RoundDevice(dc->LogicalToDevice().Apply({double(x), double(y)}));
  return (dc->Target() ? dc->EffectiveClip() : CurrentClip(*dc)).Contains(p.x, p.y) ? TRUE : FALSE;
}

BOOL RectVisible(HDC handle, const RECT* rect) {
  auto dc = FindDC(handle);
  if (!dc || !rect) return FALSE;
  const RECT d = DeviceRect(*dc, rect->left, rect->top, rect->right, rect->bottom);
  return (dc->Target() ? dc->EffectiveClip() : CurrentClip(*dc)).Intersects(d) ? TRUE : FALSE;
}
