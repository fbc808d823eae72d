// What the field code asks of the design view that shows a layout. Tests and
// off-screen rendering pass none.
#pragma once

#include "platform/kernel/types.h"
#include "platform/gdi/gdi.h"

class CLabelSetup;

class IDesignView {
 public:
  virtual ~IDesignView() = default;
  // The label setup of the layout shown; null when the view has none, and the
  // field code then measures for a default printer.
  virtual const CLabelSetup* LabelSetup() const { return nullptr; }
  // The scroll position in device pixels.
  virtual POINT GetScrollOrigin() const = 0;
  // Pixels per 1000 layout units, per axis.
  virtual int ZoomX() const = 0;
  virtual int ZoomY() const = 0;
  // Size of a selection handle and the margin kept around it, in pixels.
  virtual int HandleSize() const = 0;
  virtual int HandleMargin() const = 0;
  // The rectangle waiting to be repainted; the field code unites into it.
  virtual RECT& PendingInvalidRect() = 0;
  // Invalidates a rectangle of the view without erasing it.
  virtual void InvalidateRectNoErase(const RECT& r) = 0;
  // View pixels to layout units: the scroll origin is added first unless
  // absolute, then x * 1000 / zoom x and y * 1000 / zoom y.
  int PixelToLayout(POINT& p, bool absolute) const {
    if (!absolute) {
      const POINT o = GetScrollOrigin();
      p.x += o.x;
      p.y += o.y;
    }
    p.x = ZoomX() ? p.x * 1000 / ZoomX() : 0;
    p.y = ZoomY() ? p.y * 1000 / ZoomY() : 0;
    return 1;
  }
};
