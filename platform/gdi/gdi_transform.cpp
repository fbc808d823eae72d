// Coordinate spaces: mapping modes (window and viewport), the world transform
// of the advanced graphics mode, and conversions between the spaces.
#include <cmath>
#include <cstdint>
#include <utility>

#include "platform/gdi/gdi_internal.h"

namespace gdi {

Matrix Matrix::Then(const Matrix& t) const {
  Matrix r;
  r.m11 = m11 * t.m11 + m12 * t.m21;
  r.m12 = m11 * t.m12 + m12 * t.m22;
  r.m21 = m21 * t.m11 + m22 * t.m21;
  r.m22 = m21 * t.m12 + m22 * t.m22;
  r.dx = dx * t.m11 + dy * t.m21 + t.dx;
  r.dy = dx * t.m12 + dy * t.m22 + t.dy;
  return r;
}

std::optional<Matrix> Matrix::Inverse() const {
  const double det = Determinant();
  if (det == 0 || !std::isfinite(det)) return std::nullopt;
  Matrix r;
  r.m11 = m22 / det;
  r.m12 = -m12 / det;
  r.m21 = -m21 / det;
  r.m22 = m11 / det;
  r.dx = -(dx * r.m11 + dy * r.m21);
  r.dy = -(dx * r.m12 + dy * r.m22);
  return r;
}

Matrix Matrix::FromXform(const XFORM& x) { return Matrix{x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy}; }

XFORM Matrix::ToXform() const {
  return XFORM{static_cast<FLOAT>(m11), static_cast<FLOAT>(m12), static_cast<FLOAT>(m21),
               static_cast<FLOAT>(m22), static_cast<FLOAT>(dx),  static_cast<FLOAT>(dy)};
}

Matrix DeviceContext::PageTransform() const {
  const auto& s = state;
  Matrix m;
  m.m11 = static_cast<double>(s.viewportExt.cx) / s.windowExt.cx;
  m.m22 = static_cast<double>(s.viewportExt.cy) / s.windowExt.cy;
  m.dx = s.viewportOrg.x - s.windowOrg.x * m.m11;
  m.dy = s.viewportOrg.y - s.windowOrg.y * m.m22;
  return m;
}

// The combined transform is held as the interface's XFORM holds one, in
// single precision: a scale such as 203 / 1000 is then a little off, and a
// coordinate it maps onto an exact half of a pixel rounds the way that
// error leans, as the reference's does.
Matrix DeviceContext::LogicalToDevice() const {
  Matrix m = state.graphicsMode == GM_ADVANCED ? state.world.Then(PageTransform()) : PageTransform();
  for (double* v : {&m.m11, &m.m12, &m.m21, &m.m22, &m.dx, &m.dy}) *v = static_cast<float>(*v);
  return m;
}

namespace {

// Fixed mapping modes: logical units per inch, and y grows upward.
bool FixedUnits(int mode, int& perInch) {
  switch (mode) {
    case MM_LOMETRIC: perInch = 254; return true;
    case MM_HIMETRIC: perInch = 2540; return true;
    case MM_LOENGLISH: perInch = 100; return true;
    case MM_HIENGLISH: perInch = 1000; return true;
    case MM_TWIPS: perInch = 1440; return true;
    default: return false;
  }
}

// As GetDeviceCaps answers LOGPIXELSX and LOGPIXELSY: printers at their own
// resolution, everything else at the screen's.
int DeviceDpiX(const DeviceContext& dc) { return dc.deviceName.empty() ? kScreenDpi : dc.dpiX; }
int DeviceDpiY(const DeviceContext& dc) { return dc.deviceName.empty() ? kScreenDpi : dc.dpiY; }

// The isotropic mode keeps one unit the same size on both axes: the viewport
// extent of the axis with the larger scale is shrunk to match the other.
void FixIsotropic(DeviceContext& dc) {
  auto& s = dc.state;
  if (s.mapMode != MM_ISOTROPIC || s.windowExt.cx == 0 || s.windowExt.cy == 0) return;
  const double sx = std::fabs(static_cast<double>(s.viewportExt.cx) / s.windowExt.cx);
  const double sy = std::fabs(static_cast<double>(s.viewportExt.cy) / s.windowExt.cy);
  if (sx > sy) {
    const double v = s.windowExt.cx * sy;
    s.viewportExt.cx = static_cast<LONG>(std::lround(std::copysign(v, static_cast<double>(s.viewportExt.cx))));
    if (s.viewportExt.cx == 0) s.viewportExt.cx = 1;
  } else if (sy > sx) {
    const double v = s.windowExt.cy * sx;
    s.viewportExt.cy = static_cast<LONG>(std::lround(std::copysign(v, static_cast<double>(s.viewportExt.cy))));
    if (s.viewportExt.cy == 0) s.viewportExt.cy = 1;
  }
}

bool ExtentsFixed(int mode) { return mode != MM_ISOTROPIC && mode != MM_ANISOTROPIC; }

LONG RoundCoordinate(double v) {
  const double r = std::floor(v + 0.5);
  if (!(r > -2147483648.0)) return INT32_MIN;  // also catches NaN
  if (r > 2147483647.0) return INT32_MAX;
  return static_cast<LONG>(r);
}

POINT RoundPoint(PointD p) { return POINT{RoundCoordinate(p.x), RoundCoordinate(p.y)}; }

}  // namespace
}  // namespace gdi

using namespace gdi;

int SetMapMode(HDC handle, int mode) {
  auto dc = FindDC(handle);
  if (!dc || mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
  auto& s = dc->state;
  const int previous = s.mapMode;
  s.mapMode = mode;
  int perInch = 0;
  if (mode == MM_TEXT) {
    s.windowExt = SIZE{1, 1};
    s.viewportExt = SIZE{1, 1};
  } else if (FixedUnits(mode, perInch)) {
    s.windowExt = SIZE{perInch, perInch};
    s.viewportExt = SIZE{DeviceDpiX(*dc), -DeviceDpiY(*dc)};
  } else if (mode == MM_ISOTROPIC && ExtentsFixed(previous)) {
    // Entering isotropic mode from a fixed one starts at one unit per 0.1 mm.
    s.windowExt = SIZE{254, 254};
    s.viewportExt = SIZE{DeviceDpiX(*dc), -DeviceDpiY(*dc)};
  }
  if (dc->recording) RecordMapMode(*dc, mode);
  return previous;
}

int GetMapMode(HDC handle) {
  auto dc = FindDC(handle);
  return dc ? dc->state.mapMode : 0;
}

namespace {

// The window and the viewport share these: an origin is set, read and
// moved; an extent is set (ignored in the modes that fix it; a zero extent is
// refused) and read.
BOOL SetOrigin(HDC handle, POINT DcState::*origin, int x, int y, LPPOINT previous) {
  auto dc = FindDC(handle);
  if (!dc) return FALSE;
  if (previous) *previous = dc->state.*origin;
  dc->state.*origin = POINT{x, y};
  if (dc->recording) RecordOrigin(*dc, origin == &DcState::windowOrg, POINT{x, y});
  return TRUE;
}

BOOL GetOrigin(HDC handle, POINT DcState::*origin, LPPOINT out) {
  auto dc = FindDC(handle);
  if (!dc || !out) return FALSE;
  *out = dc->state.*origin;
  return TRUE;
}

BOOL OffsetOrigin(HDC handle, POINT DcState::*origin, int dx, int dy, LPPOINT previous) {
  auto dc = FindDC(handle);
  if (!dc) return FALSE;
  if (previous) *previous = dc->state.*origin;
  (dc->state.*origin).x += dx;
  (dc->state.*origin).y += dy;
  return TRUE;
}

BOOL SetExtent(HDC handle, SIZE DcState::*extent, int x, int y, LPSIZE previous) {
  auto dc = FindDC(handle);
  if (!dc) return FALSE;
  if (previous) *previous = dc->state.*extent;
  if (ExtentsFixed(dc->state.mapMode)) return TRUE;  // ignored, as documented
  if (x == 0 || y == 0) return FALSE;
  dc->state.*extent = SIZE{x, y};
  FixIsotropic(*dc);
  if (dc->recording) RecordExtent(*dc, extent == &DcState::windowExt, SIZE{x, y});
  return TRUE;
}

BOOL GetExtent(HDC handle, SIZE DcState::*extent, LPSIZE out) {
  auto dc = FindDC(handle);
  if (!dc || !out) return FALSE;
  *out = dc->state.*extent;
  return TRUE;
}

}  // namespace

BOOL SetWindowOrgEx(HDC handle, int x, int y, LPPOINT previous) {
  return SetOrigin(handle, &DcState::windowOrg, x, y, previous);
}
BOOL GetWindowOrgEx(HDC handle, LPPOINT origin) { return GetOrigin(handle, &DcState::windowOrg, origin); }
BOOL OffsetWindowOrgEx(HDC handle, int dx, int dy, LPPOINT previous) {
  return OffsetOrigin(handle, &DcState::windowOrg, dx, dy, previous);
}
BOOL SetWindowExtEx(HDC handle, int x, int y, LPSIZE previous) {
  return SetExtent(handle, &DcState::windowExt, x, y, previous);
}
BOOL GetWindowExtEx(HDC handle, LPSIZE extent) { return GetExtent(handle, &DcState::windowExt, extent); }

BOOL SetViewportOrgEx(HDC handle, int x, int y, LPPOINT previous) {
  return SetOrigin(handle, &DcState::viewportOrg, x, y, previous);
}
BOOL GetViewportOrgEx(HDC handle, LPPOINT origin) { return GetOrigin(handle, &DcState::viewportOrg, origin); }
BOOL OffsetViewportOrgEx(HDC handle, int dx, int dy, LPPOINT previous) {
  return OffsetOrigin(handle, &DcState::viewportOrg, dx, dy, previous);
}
BOOL SetViewportExtEx(HDC handle, int x, int y, LPSIZE previous) {
  return SetExtent(handle, &DcState::viewportExt, x, y, previous);
}
BOOL GetViewportExtEx(HDC handle, LPSIZE extent) { return GetExtent(handle, &DcState::viewportExt, extent); }

BOOL LPtoDP(HDC handle, LPPOINT points, int count) {
  auto dc = FindDC(handle);
  if (!dc || (!points && count > 0)) return FALSE;
  const Matrix m = dc->LogicalToDevice();
  for (int i = 0; i < count; ++i) points[i] = RoundPoint(m.Apply(PointD{double(points[i].x), double(points[i].y)}));
  return TRUE;
}

BOOL DPtoLP(HDC handle, LPPOINT points, int count) {
  auto dc = FindDC(handle);
  if (!dc || (!points && count > 0)) return FALSE;
  const auto inverse = dc->LogicalToDevice().Inverse();
  if (!inverse) return FALSE;
  for (int i = 0; i < count; ++i)
    points[i] = RoundPoint(inverse->Apply(PointD{double(points[i].x), double(points[i].y)}));
  return TRUE;
}

int SetGraphicsMode(HDC handle, int mode) {
  auto dc = FindDC(handle);
  if (!dc || (mode != GM_COMPATIBLE && mode != GM_ADVANCED)) return 0;
  // Back to the compatible mode only once the world transform is the identity.
  if (mode == GM_COMPATIBLE && !dc->state.world.IsIdentity()) return 0;
  return std::exchange(dc->state.graphicsMode, mode);
}

int GetGraphicsMode(HDC handle) {
  auto dc = FindDC(handle);
  return dc ? dc->state.graphicsMode : 0;
}

BOOL SetWorldTransform(HDC handle, const XFORM* xform) {
  auto dc = FindDC(handle);
  if (!dc || !xform || dc->state.graphicsMode != GM_ADVANCED) return FALSE;
  const Matrix m = Matrix::FromXform(*xform);
  if (!m.Inverse()) return FALSE;
  dc->state.world = m;
  return TRUE;
}

BOOL GetWorldTransform(HDC handle, XFORM* xform) {
  auto dc = FindDC(handle);
  if (!dc || !xform) return FALSE;
  *xform = dc->state.world.ToXform();
  return TRUE;
}

BOOL ModifyWorldTransform(HDC handle, const XFORM* xform, DWORD mode) {
  auto dc = FindDC(handle);
  if (!dc || dc->state.graphicsMode != GM_ADVANCED) return FALSE;
  Matrix result;
  switch (mode) {
    case MWT_IDENTITY: break;
    case MWT_LEFTMULTIPLY:
      if (!xform) return FALSE;
      result = Matrix::FromXform(*xform).Then(dc->state.world);
      break;
    case MWT_RIGHTMULTIPLY:
      if (!xform) return FALSE;
      result = dc->state.world.Then(Matrix::FromXform(*xform));
      break;
    default: return FALSE;
  }
  if (!result.Inverse()) return FALSE;
  dc->state.world = result;
  return TRUE;
}

BOOL CombineTransform(XFORM* result, const XFORM* first, const XFORM* second) {
  if (!result || !first || !second) return FALSE;
  *result = Matrix::FromXform(*first).Then(Matrix::FromXform(*second)).ToXform();
  return TRUE;
}
