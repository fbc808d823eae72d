#include "fields/geometry/field_geometry.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "fields/geometry/field_outline.h"
#include "fields/geometry/resize_content.h"
#include "fields/geometry/units.h"
#include "fields/model/field_kinds.h"
#include "fields/services/label_setup.h"
#include "foundation/gdi_helpers/shapes.h"
#include "foundation/geometry/angles.h"
#include "foundation/geometry/points.h"
#include "foundation/geometry/rotation.h"

namespace {

struct Owned {
  HRGN rgn;
  explicit Owned(HRGN r) : rgn(r) {}
  ~Owned() {
    if (rgn) DeleteObject(rgn);
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
};

int Scale(const IDesignView* view, bool y) { return view ? (y ? view->ZoomY() : view->ZoomX()) : 0; }

bool IsBox(const CField& f) { return f.IsKind(FieldKind::kBox); }

// The box's side (left, right) and top (top, bottom) border widths in the
// outline's units.
POINT BoxBorders(const CField& f, int scaleX, int scaleY) {
  const auto& box = static_cast<const CBoxField&>(f);
  if (!scaleX) return {box.verticalLineWidth, box.horizontalLineWidth};
  const int sy = scaleY ? scaleY : scaleX;
  return {MilsToDevice(box.verticalLineWidth, scaleX), MilsToDevice(box.horizontalLineWidth, sy)};
}

}  // namespace

int GetFieldOutline(POINT* points, int count, const CField& field, int handleSize, int originX, int originY,
                    int scaleX, int scaleY, int inflate) {
  RECT r = FieldRectAt(field, originX, originY, scaleX, scaleY);
  const POINT pivot{r.left, r.top};
  r = {r.left - inflate, r.top - inflate, r.right + inflate, r.bottom + inflate};
  const int l = r.left, t = r.top, rt = r.right, b = r.bottom, w = rt - l, h = b - t;
  std::vector<POINT> p;
  if (count < 8) {
    p = {{l, t}, {rt, t}, {rt, b}, {l, b}};
  } else {
    p = {{l, t}, {l + w / 2, t}, {rt, t}, {l, t + h / 2}, {rt, t + h / 2}, {l, b}, {l + w / 2, b}, {rt, b}};
    const POINT border = IsBox(field) ? BoxBorders(field, scaleX, scaleY) : POINT{0, 0};
    const int side = border.x, top = border.y;
    if (count > 8) p.push_back({std::min(l + (w / 2) * 3 / 2, rt - side - handleSize), t + top});
    if (count > 9) p.push_back({l + side, std::max(t + (h / 2) / 2, handleSize + t + top)});
    if (count > 10)
      p.push_back({l + static_cast<int>(2 * (w / 2) * 0.88), t + static_cast<int>(2 * (h / 2) * 0.2)});
    if (count > 11) {
      p.push_back({l + side, t + top});
      p.push_back({rt - side, t + top});
      p.push_back({rt - side, b - top});
      p.push_back({l + side, b - top});
    }
    if (count > 15) {
      p.push_back({l, t + top});
      p.push_back({rt, t + top});
      p.push_back({rt, b - top});
      p.push_back({l, b - top});
    }
  }
  if (field.rotation % 360000 != 0)
    RotatePoints(p.data(), static_cast<int>(p.size()), field.rotation / 1000.0, pivot.x, pivot.y);
  for (int i = 0; i < count; ++i) points[i] = i < static_cast<int>(p.size()) ? p[static_cast<size_t>(i)] : p.back();
  return 1;
}

int GetFieldOutlineInView(POINT* points, int count, const CField& field, const IDesignView* view, int inflate) {
  return GetFieldOutline(points, count, field, view ? view->HandleSize() : 4, 0, 0, Scale(view, false),
                         Scale(view, true), inflate);
}

RECT GetFieldListBoundingRect(const CFieldList& list, int originX, int originY, int scaleX, int scaleY) {
  RECT all{0, 0, 0, 0};
  bool first = true;
  for (const auto& f : list) {
    const RECT r = GetFieldBoundingRect(*f, originX, originY, scaleX, scaleY);
    if (first) {
      all = r;
      first = false;
    } else {
      all = {std::min(all.left, r.left), std::min(all.top, r.top), std::max(all.right, r.right),
             std::max(all.bottom, r.bottom)};
    }
  }
  return all;
}

HRGN CreateFieldRegion(const CField& field, const IDesignView* view, int inflate) {
  if (field.IsKind(FieldKind::kEllipse)) {
    const auto& e = static_cast<const CEllipseField&>(field);
    const int sx = Scale(view, false), sy = Scale(view, true);
    auto conv = [](int v, int s) { return s ? MilsToDevice(v, s) : v; };
    const int hw = std::max(field.width / 2, 2), hh = std::max(field.height / 2, 2);
    const int cx = conv(field.offset.x + hw, sx), cy = conv(field.offset.y + hh, sy);
    const int border = std::max(conv(e.line.width, sx), 2) + inflate;
    return CreateShapeOutlineRgn(cx, cy, conv(hw, sx) + inflate, conv(hh, sy) + inflate, (field.styleFlags & 4) != 0,
                                 conv(std::max(e.cornerRadius, 0), sx), (e.shapeFlags & kShapeFillInside) != 0,
                                 border);
  }
  POINT p[15];
  GetFieldOutlineInView(p, 15, field, view, inflate);
  const POINT corners[4] = {p[0], p[2], p[7], p[5]};
  HRGN outer = CreatePolygonRgn(corners, 4, WINDING);
  if (IsBox(field) && outer) {
    const POINT inner[4] = {p[11], p[12], p[13], p[14]};
    Owned hole(CreatePolygonRgn(inner, 4, WINDING));
    if (hole.rgn) CombineRgn(outer, outer, hole.rgn, RGN_DIFF);
  }
  return outer;
}

int IsNearPoint(int x, int y, int px, int py, int tolerance) {
  return std::abs(x - px) <= tolerance && std::abs(y - py) <= tolerance;
}

int HitTestField(int x, int y, int tolerance, const CField& field, const IDesignView* view) {
  POINT p[15];
  GetFieldOutlineInView(p, 15, field, view, 0);
  if (IsBox(field)) {
    if (IsNearPoint(x, y, p[8].x, p[8].y, tolerance)) return kHandleBoxHorizontal;
    if (IsNearPoint(x, y, p[9].x, p[9].y, tolerance)) return kHandleBoxVertical;
  }
  for (int i = 0; i < 8; ++i)
    if (IsNearPoint(x, y, p[i].x, p[i].y, tolerance)) return kOutlineHandleCodes[i];
  if (field.IsKind(FieldKind::kEllipse)) {
    // The region is not turned: the point is turned back about the position.
    const POINT back = RotatePointScreen(x, y, -field.rotation / 1000.0, p[0].x, p[0].y);
    Owned rgn(CreateFieldRegion(field, view, 0));
    return rgn.rgn && PtInRegion(rgn.rgn, back.x, back.y) ? kHandleBody : 0;
  }
  const POINT corners[4] = {p[0], p[2], p[7], p[5]};
  if (!PointInPolygon(corners, 4, x, y)) return 0;
  if (IsBox(field)) {
    const POINT inner[4] = {p[11], p[12], p[13], p[14]};
    if (PointInPolygon(inner, 4, x, y)) return 0;
  }
  return kHandleBody;
}

int ResizeRectByHandle(RECT& r, int code, int dx, int dy) {
  const int row = code / 10, column = code % 10;
  if (row < 1 || row > 3 || column < 1 || column > 3 || code == 22) return 1;
  if (row == 1) r.top += dy;
  if (row == 3) r.bottom += dy;
  if (column == 1) r.left += dx;
  if (column == 3) r.right += dx;
  r = NormalizedRect(r);
  return 1;
}

int ProjectDragOnAxes(const POINT widthAxis[2], const POINT heightAxis[2], int dx, int dy, int* widthPart,
                      int* heightPart) {
  auto part = [&](const POINT axis[2]) {
    POINT a{}, b{};
    ProjectPointOnLine(0, 0, axis[0].x, axis[0].y, axis[1].x, axis[1].y, &a);
    ProjectPointOnLine(dx, dy, axis[0].x, axis[0].y, axis[1].x, axis[1].y, &b);
    const int ex = b.x - a.x, ey = b.y - a.y;
    const int length = static_cast<int>(std::lround(VectorLength(ex, ey)));
    const int ax = axis[1].x - axis[0].x, ay = axis[1].y - axis[0].y;
    return (static_cast<long long>(ex) * ax + static_cast<long long>(ey) * ay) < 0 ? -length : length;
  };
  if (widthPart) *widthPart = part(widthAxis);
  if (heightPart) *heightPart = part(heightAxis);
  return 1;
}

double SignedLengthAlongAngle(double angle, int x, int y) {
  if (x == 0 && y == 0) return 0.0;
  double direction = 0;
  AngleOfPoint(x, y, &direction, true);
  double diff = std::fmod(std::fabs(direction - angle), 360.0);
  if (diff > 180.0) diff = 360.0 - diff;
  const double length = VectorLength(x, y);
  return diff <= 90.0 ? length : -length;
}

namespace {
void ResizeGeometry(CField& f, int code, int dx, int dy, int keepMinimum, POINT* outline);
}  // namespace

int ResizeFieldByHandle(CField& f, int code, int dx, int dy, const IDesignView* view, int keepMinimum,
                        POINT* outline) {
  f.rotation = NormalizeRotation(f.rotation);
  const bool stashed = StashShownValue(f);
  ResizeGeometry(f, code, dx, dy, keepMinimum, outline);
  if (code != kHandleBoxHorizontal && code != kHandleBoxVertical) FitContentToResizedField(f, view, keepMinimum);
  RestoreShownValue(f, stashed);
  return 1;
}

namespace {

// Steps 2 to 4: the saved box changed by the drag, flipped when it turned over.
void ResizeGeometry(CField& f, int code, int dx, int dy, int keepMinimum, POINT* outline) {
  int second = 0;
  const bool keepsProportion =
      f.GetResizeMode(&second) == kResizeCorners &&
      !(f.IsKind(FieldKind::kImage) && f.dataSourceType == ToShort(DataSourceType::kPromptBeforePrint));
  // The outline of the geometry saved at the press.
  CBoxField saved;
  saved.width = f.savedWidth;
  saved.height = f.savedHeight;
  saved.offset = f.savedOffset;
  saved.rotation = f.savedRotation;
  POINT p[8];
  GetFieldOutline(p, 8, saved, 0, 0, 0, 0, 0, 0);
  if (keepsProportion) {
    POINT from = p[0], to = p[7];
    if (code == 11) std::swap(from, to);
    if (code == 13) from = p[5], to = p[2];
    if (code == 31) from = p[2], to = p[5];
    const POINT projected = ProjectPointOnRay(dx, dy, to.x - from.x, to.y - from.y);
    dx = projected.x;
    dy = projected.y;
  }
  const POINT widthAxis[2] = {p[3], p[4]};
  const POINT heightAxis[2] = {p[1], p[6]};
  int wPart = 0, hPart = 0;
  ProjectDragOnAxes(widthAxis, heightAxis, dx, dy, &wPart, &hPart);
  if ((code == kHandleBoxHorizontal || code == kHandleBoxVertical) && IsBox(f)) {
    auto& box = static_cast<CBoxField&>(f);
    int32_t& thickness = code == kHandleBoxHorizontal ? box.horizontalLineWidth : box.verticalLineWidth;
    const int half = (code == kHandleBoxHorizontal ? f.height : f.width) / 2 - 6;
    thickness = std::max(thickness + (code == kHandleBoxHorizontal ? hPart : wPart), 10);
    // Never below zero, however small the box.
    if (half < thickness) thickness = std::max(half, 0);
    return;
  }
  int w = f.savedWidth, h = f.savedHeight;
  FieldPoint at = f.savedOffset;
  const int column = code % 10, row = code / 10;
  if (column == 1 || column == 3) w += column == 1 ? -wPart : wPart;
  if (row == 1 || row == 3) h += row == 1 ? -hPart : hPart;
  auto along = [&](const POINT axis[2], int part) {
    const double len = std::max(1.0, PointDistance(axis[0].x, axis[0].y, axis[1].x, axis[1].y));
    return POINT{static_cast<LONG>(std::lround((axis[1].x - axis[0].x) * part / len)),
                 static_cast<LONG>(std::lround((axis[1].y - axis[0].y) * part / len))};
  };
  if (code == 11) {
    at.x += dx;
    at.y += dy;
  } else if (code == 21 || code == 31) {
    const POINT m = along(widthAxis, wPart);
    at.x += m.x;
    at.y += m.y;
  } else if (code == 12 || code == 13) {
    const POINT m = along(heightAxis, hPart);
    at.x += m.x;
    at.y += m.y;
  }
  f.offset = at;
  f.width = w;
  f.height = h;
  // A drag past the opposite edge flips the field.
  if (w < 0 || h < 0) {
    POINT q[8];
    GetFieldOutline(q, 8, f, 0, 0, 0, 0, 0, 0);
    const POINT corner = w < 0 && h < 0 ? q[7] : w < 0 ? q[2] : q[5];
    f.offset = {corner.x, corner.y};
    f.width = std::abs(w);
    f.height = std::abs(h);
  }
  if (keepMinimum && f.height < 8) f.height = 8;
  if (outline) {
    const auto c = GetFieldCorners(f, 0, 0, 0, 0, 8);
    std::copy(c.begin(), c.end(), outline);
  }
}

}  // namespace

double GetFieldCornerDistance(const CField& field, bool largest) {
  POINT p[19];
  GetFieldOutline(p, 19, field, 0, 0, 0, 0, 0, 0);
  if (!IsBox(field)) {
    const POINT c[4] = {p[0], p[2], p[7], p[5]};
    return ExtremePointDistance(c, 4, largest);
  }
  const POINT c[8] = {p[0], p[2], p[7], p[5], p[15], p[16], p[17], p[18]};
  return ExtremePointDistance(c, 8, largest);
}

namespace {

// Whether other's region reaches into field's empty corners.
bool ReachesCorners(const CField& field, const CField& other) {
  const RECT r = GetFieldBoundingRect(field, 0, 0, 0, 0);
  Owned corners(CreateRectRgn(r.left, r.top, r.right, r.bottom));
  Owned shape(CreateFieldRegion(field, nullptr, 0));
  Owned reach(CreateFieldRegion(other, nullptr, 0));
  if (!corners.rgn || !shape.rgn || !reach.rgn) return false;
  if (CombineRgn(corners.rgn, corners.rgn, shape.rgn, RGN_DIFF) == ERROR) return false;
  Owned both(CreateRectRgn(0, 0, 0, 0));
  const int kind = CombineRgn(both.rgn, corners.rgn, reach.rgn, RGN_AND);
  return kind != ERROR && kind != NULLREGION;
}

}  // namespace

int TestFieldOverlap(const CField& a, const CField& b) {
  if (IsRightAngle(a.rotation) && IsRightAngle(b.rotation)) return 0;
  return (ReachesCorners(a, b) ? 1 : 0) | (ReachesCorners(b, a) ? 2 : 0);
}

int TestFieldLabelOverlap(const CField&, const CLabelSetup&) { return 0; }

int OffsetFieldList(CFieldList& list, int dx, int dy) {
  for (auto& f : list) {
    f->offset.x += dx;
    f->offset.y += dy;
  }
  return 1;
}

void QuarterTurnOffset(int distance, int angle, int* dx, int* dy) {
  int x = distance, y = 0;
  if (angle == 90000) x = 0, y = -distance;
  if (angle == 180000) x = -distance, y = 0;
  if (angle == 270000) x = 0, y = distance;
  if (dx) *dx = x;
  if (dy) *dy = y;
}

void InflateFieldRotated(CField& f, int a, int b) {
  const POINT moved = RotatePointScreen(f.offset.x - a, f.offset.y - b, f.rotation / 1000.0, f.offset.x, f.offset.y);
  f.offset = {moved.x, moved.y};
  f.width += 2 * a;
  f.height += 2 * b;
}

int KeepFieldInsideLabel(CField& f, const CLabelSetup& setup) {
  const int W = setup.labelWidth, H = setup.labelHeight;
  const RECT r = GetFieldBoundingRect(f, 0, 0, 0, 0);
  if (r.left > W) f.offset.x += (W - W / 4) - r.left;
  if (r.right <= 1) f.offset.x += W / 4 - r.right;
  if (r.top > H) f.offset.y += (H - H / 4) - r.top;
  if (r.bottom <= 1) f.offset.y += H / 4 - r.bottom;
  return 1;
}

int GetFieldIndex(const CFieldList& list, const CField* field) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].get() == field) return static_cast<int>(i);
  return -1;
}

int AutoArrangeFields(CFieldList& list, CLabelSetup& setup) {
  if (list.empty()) return 0;
  struct Placed {
    CField* field;
    RECT bounds;
  };
  std::vector<Placed> barcodes, lines, paragraphs;
  int widest = 0;
  for (auto& f : list) {
    const RECT r = GetFieldBoundingRect(*f, 0, 0, 0, 0);
    widest = std::max<int>(widest, r.right - r.left);
    const Placed p{f.get(), r};
    if (f->IsKind(FieldKind::kBarcode)) barcodes.push_back(p);
    if (f->IsKind(FieldKind::kLine)) lines.push_back(p);
    if (f->IsKind(FieldKind::kParagraph)) paragraphs.push_back(p);
  }
  for (auto* group : {&barcodes, &lines, &paragraphs})
    std::stable_sort(group->begin(), group->end(), [](const Placed& a, const Placed& b) { return a.bounds.top < b.bounds.top; });
  const int margin = widest / 7;
  auto place = [&](const Placed& p, int y) {
    const int boundsWidth = p.bounds.right - p.bounds.left;
    p.field->offset.x += (widest - boundsWidth) / 2 + margin - p.bounds.left;
    p.field->offset.y += y - p.bounds.top;
  };
  int y = 135;
  const size_t rows = std::max({barcodes.size(), lines.size(), paragraphs.size()});
  for (size_t i = 0; i < rows; ++i) {
    if (i < barcodes.size()) {
      place(barcodes[i], y);
      y += barcodes[i].bounds.bottom - barcodes[i].bounds.top;
    }
    if (i < lines.size()) {
      place(lines[i], y + 2);
      y += 2 + lines[i].bounds.bottom - lines[i].bounds.top;
    }
    if (i < paragraphs.size()) {
      place(paragraphs[i], y + 2);
      y += 2 + paragraphs[i].bounds.bottom - paragraphs[i].bounds.top;
    }
    y += 67;
  }
  setup.labelWidth = widest + 2 * margin;
  setup.labelHeight = y + 135;
  return 1;
}
