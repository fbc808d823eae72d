#include "fields/geometry/field_outline.h"

#include "fields/geometry/units.h"
#include "foundation/geometry/points.h"
#include "foundation/geometry/rotation.h"

RECT FieldRectAt(const CField& field, int originX, int originY, int scaleX, int scaleY) {
  const int64_t x = field.offset.x, y = field.offset.y;
  int64_t l = x, t = y, r = x + field.width, b = y + field.height;
  if (scaleX) {
    const int sy = scaleY ? scaleY : scaleX;
    l = int64_t{MilsToDevice(ClampCoordinate(l), scaleX)} + originX;
    t = int64_t{MilsToDevice(ClampCoordinate(t), sy)} + originY;
    r = int64_t{MilsToDevice(ClampCoordinate(r), scaleX)} + originX;
    b = int64_t{MilsToDevice(ClampCoordinate(b), sy)} + originY;
  }
  return {ClampCoordinate(l), ClampCoordinate(t), ClampCoordinate(r), ClampCoordinate(b)};
}

std::array<POINT, 4> GetFieldCorners(const CField& field, int originX, int originY, int scaleX, int scaleY,
                                     int inflate) {
  RECT r = FieldRectAt(field, originX, originY, scaleX, scaleY);
  const POINT pivot{r.left, r.top};
  r.left -= inflate;
  r.top -= inflate;
  r.right += inflate;
  r.bottom += inflate;
  std::array<POINT, 4> p = {POINT{r.left, r.top}, POINT{r.right, r.top}, POINT{r.right, r.bottom},
                            POINT{r.left, r.bottom}};
  if (field.rotation % 360000 != 0)
    RotatePoints(p.data(), 4, field.rotation / 1000.0, pivot.x, pivot.y);
  return p;
}

RECT GetFieldBoundingRect(const CField& field, int originX, int originY, int scaleX, int scaleY) {
  const auto p = GetFieldCorners(field, originX, originY, scaleX, scaleY);
  return PointsBoundingRect(p.data(), 4);
}
