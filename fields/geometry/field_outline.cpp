#include "fields/geometry/field_outline.h"

#include "fields/geometry/units.h"
#include "foundation/geometry/points.h"
#include "foundation/geometry/rotation.h"

std::array<POINT, 4> GetFieldCorners(const CField& field, int originX, int originY, int scaleX, int scaleY,
                                     int inflate) {
  RECT r{field.offset.x, field.offset.y, field.offset.x + field.width, field.offset.y + field.height};
  if (scaleX) {
    const int sy = scaleY ? scaleY : scaleX;
    r = {MilsToDevice(r.left, scaleX) + originX, MilsToDevice(r.top, sy) + originY,
         MilsToDevice(r.right, scaleX) + originX, MilsToDevice(r.bottom, sy) + originY};
  }
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
