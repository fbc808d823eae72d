// Regions from a field's polygon that cost what the device shows: the
// polygon is cut to the device's visible bounds before it becomes a region,
// since a region's cost grows with the rows it spans and a field's corners
// may lie far outside. And clipping a drawing to a turned field's polygon
// for the length of a scope.
#pragma once

#include <span>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_owners.h"

// The polygon cut to the rectangle (Sutherland-Hodgman): inside the
// rectangle it covers the same points; it may run along the rectangle's
// edges. Empty when nothing of it lies inside.
std::vector<POINT> ClipPolygonToRect(std::span<const POINT> points, const RECT& rect);

// CreatePolygonRgn of the polygon cut to what the context can show: its
// clip box, taken both as logical and as device coordinates (a region
// given to FillRgn is in device units, one selected after moving by the
// viewport origin in logical ones), with a margin. An empty region when
// nothing of it shows.
HRGN CreateVisiblePolygonRgn(HDC dc, const POINT* points, int count, int fillMode);

// Clips drawing to a polygon (in device coordinates of the drawing, moved by
// the viewport origin) together with any clip already there; the earlier
// clip comes back at the end of the scope. Fewer than three points clip nothing.
class PolygonClip {
 public:
  PolygonClip(HDC dc, const POINT* points, int count) : dc_(dc) {
    if (count < 3) return;
    active_ = true;
    previous_.reset(CreateRectRgn(0, 0, 0, 0));
    hadClip_ = GetClipRgn(dc, previous_.get()) == 1;
    POINT viewport{0, 0};
    GetViewportOrgEx(dc, &viewport);
    UniqueRgn clip(CreateVisiblePolygonRgn(dc, points, count, WINDING));
    if (!clip) return;
    OffsetRgn(clip.get(), viewport.x, viewport.y);
    ExtSelectClipRgn(dc, clip.get(), hadClip_ ? RGN_AND : RGN_COPY);
  }
  ~PolygonClip() {
    if (active_) SelectClipRgn(dc_, hadClip_ ? previous_.get() : nullptr);
  }
  PolygonClip(const PolygonClip&) = delete;
  PolygonClip& operator=(const PolygonClip&) = delete;

 private:
  HDC dc_;
  UniqueRgn previous_;
  bool hadClip_ = false;
  bool active_ = false;
};
