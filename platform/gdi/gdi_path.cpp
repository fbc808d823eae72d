// Paths: drawing calls between BeginPath and EndPath record device-space
// figures, which are then stroked, filled, turned into a region or a clip.
#include <algorithm>

#include "platform/gdi/gdi_raster.h"

using namespace gdi;

namespace {

constexpr RECT kEverywhere{-(1 << 27), -(1 << 27), 1 << 27, 1 << 27};

std::shared_ptr<DeviceContext> ClosedPath(HDC handle) {
  auto dc = FindDC(handle);
  return dc && dc->path.state == Path::State::Closed ? dc : nullptr;
}

std::vector<Figure> TakeFigures(DeviceContext& dc) {
  std::vector<Figure> figures = std::move(dc.path.figures);
  dc.path = Path{};
  return figures;
}

SpanRegion FiguresRegion(const DeviceContext& dc, const std::vector<Figure>& figures) {
  std::vector<std::vector<PointD>> polygons;
  for (const auto& f : figures) polygons.push_back(f.points);
  return ScanPolygons(polygons, dc.state.polyFillMode, kEverywhere);
}

}  // namespace

BOOL BeginPath(HDC handle) {
  auto dc = FindDC(handle);
  if (!dc) return FALSE;
  dc->path = Path{};
  dc->path.state = Path::State::Open;
  return TRUE;
}

BOOL EndPath(HDC handle) {
  auto dc = FindDC(handle);
  if (!dc || dc->path.state != Path::State::Open) return FALSE;
  dc->path.state = Path::State::Closed;
  dc->path.figureOpen = false;
  return TRUE;
}

BOOL AbortPath(HDC handle) {
  auto dc = FindDC(handle);
  if (!dc) return FALSE;
  dc->path = Path{};
  return TRUE;
}

BOOL CloseFigure(HDC handle) {
  auto dc = FindDC(handle);
  if (!dc || dc->path.state != Path::State::Open || dc->path.figures.empty()) return FALSE;
  dc->path.figures.back().closed = true;
  dc->path.figureOpen = false;
  return TRUE;
}

BOOL StrokePath(HDC handle) {
  auto dc = ClosedPath(handle);
  if (!dc) return FALSE;
  DrawFigures(*dc, TakeFigures(*dc), false, true);
  return TRUE;
}

BOOL FillPath(HDC handle) {
  auto dc = ClosedPath(handle);
  if (!dc) return FALSE;
  auto figures = TakeFigures(*dc);
  for (auto& f : figures) f.closed = true;
  DrawFigures(*dc, std::move(figures), true, false);
  return TRUE;
}

BOOL StrokeAndFillPath(HDC handle) {
  auto dc = ClosedPath(handle);
  if (!dc) return FALSE;
  auto figures = TakeFigures(*dc);
  // The fill closes every figure; the outline keeps open figures open.
  std::vector<Figure> closed = figures;
  for (auto& f : closed) f.closed = true;
  DrawFigures(*dc, std::move(closed), true, false);
  DrawFigures(*dc, std::move(figures), false, true);
  return TRUE;
}

// Curves are flattened as they are recorded.
BOOL FlattenPath(HDC handle) { return ClosedPath(handle) ? TRUE : FALSE; }

// The path becomes the area the pen would paint along it, recorded as one
// rectangle figure per run of pixels (disjoint, so any fill mode fills them).
BOOL WidenPath(HDC handle) {
  auto dc = ClosedPath(handle);
  if (!dc || !PenDraws(dc->state.pen.get())) return FALSE;
  const StrokeCoverage cover = StrokeFigures(*dc, *dc->state.pen, dc->path.figures, kEverywhere);
  std::vector<Figure> outline;
  for (const auto& band : cover.fg.Bands())
    for (const auto& s : band.spans) {
      const double l = s.x0, r = s.x1, t = band.top, b = band.bottom;
      outline.push_back(Figure{{{l, t}, {r, t}, {r, b}, {l, b}}, true});
    }
  dc->path.figures = std::move(outline);
  return TRUE;
}

HRGN PathToRegion(HDC handle) {
  auto dc = ClosedPath(handle);
  if (!dc) return nullptr;
  auto region = std::make_shared<Region>();
  region->SetShape(FiguresRegion(*dc, TakeFigures(*dc)));
  return static_cast<HRGN>(AddObject(region));
}

BOOL SelectClipPath(HDC handle, int mode) {
  auto dc = ClosedPath(handle);
  if (!dc || mode < RGN_AND || mode > RGN_COPY) return FALSE;
  HRGN region = PathToRegion(handle);
  const int result = ExtSelectClipRgn(handle, region, mode);
  DeleteObject(region);
  return result != ERROR ? TRUE : FALSE;
}

int GetPath(HDC handle, LPPOINT points, BYTE* types, int count) {
  auto dc = ClosedPath(handle);
  if (!dc) return -1;
  int total = 0;
  for (const auto& f : dc->path.figures) total += static_cast<int>(f.points.size());
  if (count == 0) return total;
  if (!points || !types || count < total) return -1;
  const auto inverse = dc->LogicalToDevice().Inverse();
  if (!inverse) return -1;
  int i = 0;
  for (const auto& f : dc->path.figures) {
    for (size_t k = 0; k < f.points.size(); ++k, ++i) {
      points[i] = RoundDevice(inverse->Apply(f.points[k]));
      types[i] = k == 0 ? PT_MOVETO : PT_LINETO;
      if (f.closed && k + 1 == f.points.size()) types[i] |= PT_CLOSEFIGURE;
    }
  }
  return total;
}
