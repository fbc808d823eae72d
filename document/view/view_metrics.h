// The design view's arithmetic, apart from any window: zoom and its fit,
// scroll sizes, thumb snapping, nudge steps, grid steps, paste cascades and
// the resize cursor of a handle. Zooms are pixels per 1000 layout units.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/kernel/types.h"

namespace designview {

// No zoom goes below 1, and none makes the label wider or taller than this
// many pixels, so every pixel value of the view fits 32 bits with room for
// the scroll range (1.5 times the total).
inline constexpr int64_t kMaxLabelPixels = 1000000;
inline constexpr int kZoomFloor = 20;  // Zoom Out refuses at or below this

// The largest zoom that keeps a label of w x h mils within kMaxLabelPixels.
int MaxZoomFor(int labelWidth, int labelHeight);
int ClampZoom(int64_t zoom, int labelWidth, int labelHeight);

// Label mils to pixels at a zoom (integer division, 64-bit inside).
int MilsToPixels(int64_t mils, int zoom);

// The zoom that shows the label at 80 % of a client area; nothing when the
// client is empty. The other axis follows the screen's aspect.
std::optional<SIZE> FitZoom(int clientWidth, int clientHeight, int labelWidth, int labelHeight, int screenDpiX,
                            int screenDpiY);

// 1.1 and 0.9 times, truncated; Zoom Out refuses at or below kZoomFloor
// (nothing returned), Zoom In stops at the label cap.
std::optional<SIZE> ZoomIn(SIZE zoom, int labelWidth, int labelHeight);
std::optional<SIZE> ZoomOut(SIZE zoom);

struct ScrollSizes {
  SIZE total{};  // the label rounded up to the next tenth of an inch, plus one
  SIZE page{};   // half an inch
  SIZE line{};   // a tenth of an inch
  SIZE Range() const { return {total.cx * 3 / 2, total.cy * 3 / 2}; }
};
ScrollSizes ComputeScrollSizes(SIZE labelPixels, SIZE zoom);

// Whether a new total replaces the one last applied for a client of that size
// (the page and line rule is the caller's).
bool ShouldApplyTotal(SIZE oldTotal, SIZE newTotal, SIZE client);

// A thumb position rounded up to the next tenth of an inch at that zoom.
int SnapThumbPosition(int pos, int zoom);

// The arrow-key step for a label whose right edge is at labelRight client
// pixels: 1/200 of it (at least 3), with Shift or Ctrl 1/40 (at least 8).
int NudgeStep(int labelRight, bool large);

// Pixels between grid points of that spacing (mils) at zoom x; the grid is
// drawn only above 4.
int GridStep(int zoomX, double spacing);
// (zoom x value + 500) / 1000 in floating point.
double LayoutToPixelReal(int zoomX, double value);

// The odd pen width of the label border.
int BorderPenWidth(int borderWidth, int zoomX);

// Where the n-th plain paste of a group whose bounds start at origin lands.
POINT PasteCascadeTarget(const RECT& group, POINT origin, int count, int labelWidth, int labelHeight);

// A snapped delta in layout units: positive and negative deltas snap alike
// (mirrored), so that moving back and forth returns to the start.
int SnapDelta(int value, double spacing);

// A line field drawn from a to b (layout units), `thickness` thick: its
// unturned rectangle and its turn (thousandths of a degree, counter-clockwise
// on the screen) about the rectangle's top-left, chosen so that the middle of
// its left edge lies on a and the middle of its right edge on b. A drag of
// no length still gives a line one unit long.
struct LineGeometry {
  RECT rect{};
  int32_t rotation = 0;
};
LineGeometry LineBetween(POINT a, POINT b, int thickness);

// The system cursor that shows the direction of a handle of a field turned
// by rotation (thousandths of a degree): IDC_SIZEWE, IDC_SIZENESW, IDC_SIZENS
// or IDC_SIZENWSE.
LPCSTR ResizeCursorFor(int handleCode, int rotation);

}  // namespace designview
