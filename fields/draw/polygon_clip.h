// Clipping a drawing to a turned field's polygon for the length of a scope.
#pragma once

#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_owners.h"

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
    UniqueRgn clip(CreatePolygonRgn(points, count, WINDING));
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
