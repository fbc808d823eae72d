#include "barcode/maxicode/maxicode_stamps.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <set>

#include "barcode/draw/dib32.h"
#include "barcode/maxicode/maxicode_painting.h"
#include "platform/gdi/gdi_owners.h"

namespace kalvo::maxicode {
namespace {

int Round(double value) { return static_cast<int>(value + 0.5); }

constexpr double kColumnPitch = 0.0346456;  // inches between module centres in a row
constexpr double kRowPitch = 0.0299212;
constexpr double kFirstRowCentre = 0.0205;

// Colours of the scratch drawing that tell the inks apart.
constexpr COLORREF kUntouched = RGB(0, 255, 0);
constexpr COLORREF kDarkFill = RGB(255, 0, 0);

// Pixels [x0, x1) of row y that a drawing left in one ink.
struct InkRun {
  int y, x0, x1;
  Ink ink;
};

// What a drawing left in the pixels of a box: runs of one ink, row by row.
using Stamp = std::vector<InkRun>;

struct Cache {
  std::mutex lock;
  std::map<int, std::shared_ptr<const MaxiStamps>> byResolution;
};
Cache* cache = nullptr;

RECT BoundsOf(const std::array<POINT, 6>& corners) {
  RECT r{corners[0].x, corners[0].y, corners[0].x, corners[0].y};
  for (const POINT& p : corners) {
    r.left = std::min(r.left, p.x), r.top = std::min(r.top, p.y);
    r.right = std::max(r.right, p.x), r.bottom = std::max(r.bottom, p.y);
  }
  // Outlines reach the right and bottom corners themselves.
  return RECT{r.left, r.top, r.right + 1, r.bottom + 1};
}

// A scratch 32-bit top-down bitmap of the symbol's size in a memory device
// context, in the state PaintMaxiCode draws with.
class Scratch {
 public:
  Scratch(int width, int height) : width_(width), dc_(CreateCompatibleDC(nullptr)), dark_(CreateSolidBrush(kDarkFill)) {
    const BITMAPINFO info = TopDownDibInfo(width, height);
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    selected_.emplace(dc_.get(), bitmap_.get());
  }

  bool Ok() const { return bits_ != nullptr; }
  HDC dc() const { return dc_.get(); }
  HBRUSH dark() const { return dark_.get(); }
  void Clear(const RECT& box) {
    UniqueBrush untouched(CreateSolidBrush(kUntouched));
    FillRect(dc_.get(), &box, untouched.get());
  }
  // What the pixels of `box` received, as runs.
  Stamp Read(const RECT& box) const {
    Stamp s;
    for (LONG y = box.top; y < box.bottom; ++y)
      for (LONG x = box.left; x < box.right;) {
        const Ink ink = At(x, y);
        LONG end = x + 1;
        while (end < box.right && At(end, y) == ink) ++end;
        if (ink != Ink::None) s.push_back(InkRun{static_cast<int>(y), static_cast<int>(x), static_cast<int>(end), ink});
        x = end;
      }
    return s;
  }

 private:
  Ink At(LONG x, LONG y) const {
    const uint32_t v = static_cast<const uint32_t*>(bits_)[static_cast<size_t>(y) * width_ + x] & 0xFFFFFF;
    const COLORREF c = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    return c == kUntouched ? Ink::None : c == kDarkFill ? Ink::Dark : c == RGB(255, 255, 255) ? Ink::White : Ink::Pen;
  }

  int width_;
  UniqueDc dc_;
  UniqueBrush dark_;
  void* bits_ = nullptr;
  UniqueBitmap bitmap_;
  std::optional<SelectScope> selected_;  // after the bitmap's owner: deselected first
};

bool Inside(const RECT& box, int width, int height) {
  return box.left >= 0 && box.top >= 0 && box.right <= width && box.bottom <= height;
}

// Corners relative to the first one: hexagons alike in this are alike in pixels.
std::array<POINT, 6> Shape(const HexagonPlace& h) {
  std::array<POINT, 6> s;
  for (size_t i = 0; i < 6; ++i) s[i] = POINT{h.corners[i].x - h.corners[0].x, h.corners[i].y - h.corners[0].y};
  return s;
}

bool SameShape(const std::array<POINT, 6>& a, const std::array<POINT, 6>& b) {
  for (size_t i = 0; i < 6; ++i)
    if (a[i].x != b[i].x || a[i].y != b[i].y) return false;
  return true;
}

// A kind's runs in one list, row by row and left to right, with the outline
// counted as dark when `penAsDark`, and runs of one ink that meet joined.
std::vector<InkRun> Joined(std::vector<InkRun> runs, bool penAsDark) {
  if (penAsDark)
    for (InkRun& r : runs)
      if (r.ink == Ink::Pen) r.ink = Ink::Dark;
  std::sort(runs.begin(), runs.end(),
            [](const InkRun& a, const InkRun& b) { return a.y != b.y ? a.y < b.y : a.x0 < b.x0; });
  std::vector<InkRun> joined;
  for (const InkRun& r : runs) {
    if (!joined.empty() && joined.back().y == r.y && joined.back().x1 == r.x0 && joined.back().ink == r.ink)
      joined.back().x1 = r.x1;
    else
      joined.push_back(r);
  }
  return joined;
}

// Where a kind's stamp goes: a module's place, or the finder's (module -1).
struct Placement {
  int module, kind;
  POINT offset;
};

// The layer of `kinds` stamped at `places`, cut into the bands of a bitmap
// of `width` x `height`.
StampLayer LayerOf(const std::vector<std::vector<InkRun>>& kinds, const std::vector<Placement>& places, int width,
                   int height) {
  StampLayer layer;
  std::set<Ink> inks;
  for (const std::vector<InkRun>& runs : kinds) {
    std::vector<StampLayer::Run> moved;
    for (const InkRun& r : runs) {
      moved.push_back(StampLayer::Run{r.y * width + r.x0, r.x1 - r.x0, r.ink});
      inks.insert(r.ink);
    }
    layer.kinds.push_back(std::move(moved));
  }
  if (inks.size() == 1) layer.onlyInk = *inks.begin();
  layer.bands.resize(static_cast<size_t>((height + kStampBand - 1) / kStampBand));
  for (const Placement& p : places) {
    const std::vector<InkRun>& runs = kinds[static_cast<size_t>(p.kind)];
    for (size_t first = 0, last = 0; first < runs.size(); first = last) {
      const int band = (runs[first].y + p.offset.y) / kStampBand;
      while (last < runs.size() && (runs[last].y + p.offset.y) / kStampBand == band) ++last;
      layer.bands[static_cast<size_t>(band)].push_back(
          StampLayer::Piece{p.module, p.kind, (p.offset.y - band * kStampBand) * width + p.offset.x,
                            static_cast<int>(first), static_cast<int>(last)});
    }
  }
  return layer;
}

// True when no pixel is reached by the stamps of two modules.
bool Apart(const std::vector<Stamp>& kinds, const std::vector<Placement>& places, int width, int height) {
  std::vector<int> owner(static_cast<size_t>(width) * height, -1);
  for (const Placement& p : places)
    for (const InkRun& run : kinds[static_cast<size_t>(p.kind)])
      for (int x = run.x0 + p.offset.x; x < run.x1 + p.offset.x; ++x) {
        int& who = owner[static_cast<size_t>(run.y + p.offset.y) * width + x];
        if (who >= 0 && who != p.module) return false;
        who = p.module;
      }
  return true;
}

std::vector<std::vector<InkRun>> JoinedKinds(const std::vector<Stamp>& kinds, bool penAsDark) {
  std::vector<std::vector<InkRun>> joined;
  for (const Stamp& kind : kinds) joined.push_back(Joined(kind, penAsDark));
  return joined;
}

std::shared_ptr<const MaxiStamps> MakeStamps(int resolution, int width, int height) {
  Scratch scratch(width, height);
  if (!scratch.Ok()) return nullptr;
  const std::vector<HexagonPlace> places = LayOutHexagons(resolution);
  std::vector<std::array<POINT, 6>> shapes;
  std::vector<POINT> origins;  // the first corner of each kind's stamp
  std::vector<Stamp> kinds;
  std::vector<Placement> modules;
  std::optional<SelectScope> brush(std::in_place, scratch.dc(), scratch.dark());
  for (size_t m = 0; m < places.size(); ++m) {
    const HexagonPlace& h = places[m];
    if (!h.exists) continue;
    const RECT box = BoundsOf(h.corners);
    if (!Inside(box, width, height)) return nullptr;
    const auto shape = Shape(h);
    size_t kind = 0;
    while (kind < shapes.size() && !SameShape(shapes[kind], shape)) ++kind;
    if (kind == shapes.size()) {
      // A new kind: drawn where this module sits, alone on the scratch.
      shapes.push_back(shape);
      origins.push_back(h.corners[0]);
      scratch.Clear(box);
      Polygon(scratch.dc(), h.corners.data(), 6);
      kinds.push_back(scratch.Read(box));
    }
    modules.push_back(Placement{static_cast<int>(m), static_cast<int>(kind),
                                POINT{h.corners[0].x - origins[kind].x, h.corners[0].y - origins[kind].y}});
  }
  // The finder: its circles from the largest down, dark and white in turn.
  const FinderCircles f = FinderAt(resolution);
  const int outer = f.radii[5];
  const RECT finderBox{f.centre.x - outer, f.centre.y - outer, f.centre.x + outer + 1, f.centre.y + outer + 1};
  if (!Inside(finderBox, width, height)) return nullptr;
  scratch.Clear(finderBox);
  HGDIOBJ white = GetStockObject(WHITE_BRUSH);
  for (int i = 5; i >= 0; --i) {
    SelectObject(scratch.dc(), i % 2 == 1 ? static_cast<HGDIOBJ>(scratch.dark()) : white);
    Ellipse(scratch.dc(), f.centre.x - f.radii[i], f.centre.y - f.radii[i], f.centre.x + f.radii[i],
            f.centre.y + f.radii[i]);
  }
  const Stamp finder = scratch.Read(finderBox);
  const std::vector<Placement> finderPlace{Placement{-1, 0, POINT{0, 0}}};

  // Hexagons that shared a pixel would have to go out all fills first and
  // then all outlines, as in one drawing call; the layout's gaps keep them
  // apart, and shapes that are not are drawn one by one.
  if (!Apart(kinds, modules, width, height)) return nullptr;
  auto stamps = std::make_shared<MaxiStamps>();
  stamps->width = width;
  stamps->height = height;
  stamps->layers.push_back(LayerOf(JoinedKinds(kinds, false), modules, width, height));
  stamps->layers.push_back(LayerOf({Joined(finder, false)}, finderPlace, width, height));
  stamps->oneInkLayers.push_back(LayerOf(JoinedKinds(kinds, true), modules, width, height));
  stamps->oneInkLayers.push_back(LayerOf({Joined(finder, true)}, finderPlace, width, height));
  return stamps;
}

}  // namespace

std::vector<HexagonPlace> LayOutHexagons(int r) {
  const HexagonMeasures m = HexagonMeasuresAt(r);
  std::vector<HexagonPlace> places;
  places.reserve(kGridRows * kGridColumns);
  int previousCentreY = 0;
  for (int row = 0; row < kGridRows; ++row) {
    // Rows keep at least gapY below the lower sides of the row above.
    const int nominalY = Round((kRowPitch * row + kFirstRowCentre) * r);
    int top = nominalY - m.halfHeight;
    int y = nominalY;
    if (row > 0 && previousCentreY + m.halfSide + m.gapY > top) {
      const int shift = previousCentreY + m.halfSide + m.gapY - top;
      top += shift;
      y += shift / 2;
    }
    previousCentreY = y;
    const int modules = row % 2 == 0 ? kGridColumns : kGridColumns - 1;
    int previousRight = 0;
    for (int column = 0; column < kGridColumns; ++column) {
      if (column >= modules) {
        places.push_back(HexagonPlace{});  // no module there
        continue;
      }
      // Modules keep at least gapX right of their left neighbour.
      int x = Round((column + (row % 2 == 0 ? 0.5 : 1.0)) * kColumnPitch * r);
      int left = x - m.halfWidth;
      if (column > 0 && previousRight + m.gapX > left) {
        const int shift = previousRight + m.gapX - left;
        left += shift;
        x += shift / 2;
      }
      const int right = x + m.halfWidth;
      previousRight = right;
      places.push_back(HexagonPlace{true, {POINT{x, top}, POINT{right, y - m.halfSide}, POINT{right, y + m.halfSide},
                                     POINT{x, y + m.halfHeight}, POINT{left, y + m.halfSide},
                                     POINT{left, y - m.halfSide}}});
    }
  }
  return places;
}

FinderCircles FinderAt(int r) {
  // Each of the three smallest grows by a pixel when the next exceeds it by more than three.
  FinderCircles f{POINT{Round(r * 0.5023612), Round(r * 0.4992392)},
                  {Round(r * 0.0200787), Round(r * 0.0464567), Round(r * 0.0732283), Round(r * 0.0996063),
                   Round(r * 0.1259843), Round(r * 0.1523622)}};
  for (int i = 0; i < 3; ++i)
    if (f.radii[i + 1] - f.radii[i] > 3) ++f.radii[i];
  return f;
}

void BuildMaxiCodeStampCache() {
  FreeMaxiCodeStampCache();
  cache = new Cache;
}

void FreeMaxiCodeStampCache() {
  delete cache;
  cache = nullptr;
}

std::shared_ptr<const MaxiStamps> StampsFor(int resolution, int width, int height) {
  if (cache == nullptr) return nullptr;
  std::lock_guard<std::mutex> hold(cache->lock);
  auto found = cache->byResolution.find(resolution);
  if (found != cache->byResolution.end() && (!found->second || (found->second->width == width &&
                                                                found->second->height == height)))
    return found->second;
  // A designer uses few resolutions: the cache starts afresh past sixteen.
  if (cache->byResolution.size() >= 16) cache->byResolution.clear();
  auto made = MakeStamps(resolution, width, height);
  cache->byResolution[resolution] = made;
  return made;
}

}  // namespace kalvo::maxicode
