#include "document/view/view_metrics.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "foundation/geometry/angles.h"
#include "foundation/geometry/grid.h"
#include "platform/user/user.h"

namespace designview {

int MaxZoomFor(int labelWidth, int labelHeight) {
  const int64_t side = std::max<int64_t>({labelWidth, labelHeight, 1});
  return static_cast<int>(std::max<int64_t>(1, kMaxLabelPixels * 1000 / side));
}

int ClampZoom(int64_t zoom, int labelWidth, int labelHeight) {
  return static_cast<int>(std::clamp<int64_t>(zoom, 1, MaxZoomFor(labelWidth, labelHeight)));
}

int MilsToPixels(int64_t mils, int zoom) { return static_cast<int>(mils * zoom / 1000); }

std::optional<SIZE> FitZoom(int clientWidth, int clientHeight, int labelWidth, int labelHeight, int screenDpiX,
                            int screenDpiY) {
  if (clientWidth <= 0 || clientHeight <= 0) return std::nullopt;
  // A label of no size would divide by zero: it fits like a label of one mil.
  const double w = std::max(labelWidth, 1), h = std::max(labelHeight, 1);
  const int dpiX = std::max(screenDpiX, 1), dpiY = std::max(screenDpiY, 1);
  int64_t zx = 0, zy = 0;
  if (h / w > static_cast<double>(clientHeight) / clientWidth) {
    zy = static_cast<int64_t>(clientHeight * 1000.0 * 0.8 / h);
    zx = zy * dpiX / dpiY;
  } else {
    zx = static_cast<int64_t>(clientWidth * 1000.0 * 0.8 / w);
    zy = zx * dpiY / dpiX;
  }
  return SIZE{ClampZoom(zx, labelWidth, labelHeight), ClampZoom(zy, labelWidth, labelHeight)};
}

std::optional<SIZE> ZoomIn(SIZE zoom, int labelWidth, int labelHeight) {
  const int cap = MaxZoomFor(labelWidth, labelHeight);
  if (zoom.cx >= cap || zoom.cy >= cap) return std::nullopt;
  auto grow = [&](int z) { return static_cast<int>(std::min<int64_t>(static_cast<int64_t>(z * 1.1), cap)); };
  return SIZE{grow(zoom.cx), grow(zoom.cy)};
}

std::optional<SIZE> ZoomOut(SIZE zoom) {
  if (zoom.cx <= kZoomFloor || zoom.cy <= kZoomFloor) return std::nullopt;
  return SIZE{static_cast<int>(zoom.cx * 0.9), static_cast<int>(zoom.cy * 0.9)};
}

ScrollSizes ComputeScrollSizes(SIZE labelPixels, SIZE zoom) {
  const int zx = std::max<int>(zoom.cx, 1), zy = std::max<int>(zoom.cy, 1);
  ScrollSizes s;
  s.page = {zx / 2, zy / 2};
  s.line = {zx / 10, zy / 10};
  s.total = {static_cast<int>((int64_t{labelPixels.cx} * 10 / zx + 1) * zx / 10),
             static_cast<int>((int64_t{labelPixels.cy} * 10 / zy + 1) * zy / 10)};
  return s;
}

bool ShouldApplyTotal(SIZE oldTotal, SIZE newTotal, SIZE client) {
  if (oldTotal.cx == newTotal.cx && oldTotal.cy == newTotal.cy) return false;
  if (newTotal.cy >= client.cy || oldTotal.cy >= client.cy) return true;
  if (oldTotal.cx < client.cx && newTotal.cx < client.cx) return false;
  return newTotal.cx <= oldTotal.cx * 3 / 4 || newTotal.cx >= oldTotal.cx * 3 / 2;
}

int SnapThumbPosition(int pos, int zoom) {
  if (pos == 0 || zoom <= 0) return pos;
  return static_cast<int>((int64_t{pos} * 10 + zoom - 1) / zoom * zoom / 10);
}

int NudgeStep(int labelRight, bool large) {
  return large ? std::max(labelRight / 40, 8) : std::max(labelRight / 200, 3);
}

int GridStep(int zoomX, double spacing) { return static_cast<int>(zoomX * spacing / 1000.0); }

double LayoutToPixelReal(int zoomX, double value) { return (zoomX * value + 500.0) / 1000.0; }

int BorderPenWidth(int borderWidth, int zoomX) {
  const int width = static_cast<int>(int64_t{borderWidth} * zoomX / 1000);
  return width % 2 == 0 ? width + 1 : width;
}

POINT PasteCascadeTarget(const RECT& group, POINT origin, int count, int labelWidth, int labelHeight) {
  const int64_t gw = int64_t{group.right} - group.left, gh = int64_t{group.bottom} - group.top;
  const int64_t stepX = std::min<int64_t>(gw / 2, std::max(labelWidth / 18, 200));
  const int64_t stepY = std::min<int64_t>(gh / 2, std::max(labelHeight / 13, 130));
  const int64_t w = std::max(labelWidth, 1), h = std::max(labelHeight, 1);
  return {static_cast<LONG>((count * stepX + origin.x) % w), static_cast<LONG>((count * stepY + origin.y) % h)};
}

int SnapDelta(int value, double spacing) {
  if (spacing <= 0.001) return value;
  const double snapped = SnapToGrid(std::abs(static_cast<double>(value)), spacing);
  return static_cast<int>(value < 0 ? -snapped : snapped);
}

LineGeometry LineBetween(POINT a, POINT b, int thickness) {
  const double dx = static_cast<double>(b.x) - a.x, dy = static_cast<double>(b.y) - a.y;
  const int length = std::max(1, static_cast<int>(std::lround(std::hypot(dx, dy))));
  const int t = std::max(thickness, 1);
  // The screen's y runs down, the turn counts counter-clockwise.
  const double degrees = (dx == 0 && dy == 0) ? 0.0 : std::atan2(-dy, dx) * 180.0 / std::numbers::pi;
  int32_t rotation = static_cast<int32_t>(std::lround(degrees * 1000.0)) % 360000;
  if (rotation < 0) rotation += 360000;
  // The middle of the left edge, half the thickness below the top-left
  // corner before the turn, lands on a.
  const double radians = rotation / 1000.0 * std::numbers::pi / 180.0;
  const double half = t / 2.0;
  const int left = a.x - static_cast<int>(std::lround(half * std::sin(radians)));
  const int top = a.y - static_cast<int>(std::lround(half * std::cos(radians)));
  return LineGeometry{RECT{left, top, left + length, top + t}, rotation};
}

LPCSTR ResizeCursorFor(int handleCode, int rotation) {
  int direction = 90000;
  switch (handleCode) {
    case 11:
    case 33: direction = 135000; break;
    case 13:
    case 31: direction = 45000; break;
    case 21:
    case 23: direction = 0; break;
    default: break;
  }
  const int c = NormalizeAngle(direction + rotation);
  const int d = NormalizeAngle(c + 180000);
  constexpr int s = 22500;
  auto either = [&](int lo, int hi) { return (c >= lo && c <= hi) || (d >= lo && d <= hi); };
  if (c <= s || c >= 360000 - s || d <= s || d >= 360000 - s) return IDC_SIZEWE;
  if (either(s, 3 * s)) return IDC_SIZENESW;
  if (either(3 * s, 5 * s)) return IDC_SIZENS;
  return IDC_SIZENWSE;
}

}  // namespace designview
