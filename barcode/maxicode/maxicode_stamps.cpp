#include "barcode/maxicode/maxicode_stamps.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>

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
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
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
        const Stamp::Run run{static_cast<int>(y), static_cast<int>(x), static_cast<int>(end), ink};
        if (ink == Ink::Pen) {
          s.pen.push_back(run);
        } else if (ink != Ink::None) {
          s.fill.push_back(run);
        }
        x = end;
      }
    s.top = INT32_MAX, s.bottom = INT32_MIN;
    for (const auto* runs : {&s.fill, &s.pen})
      if (!runs->empty()) s.top = std::min(s.top, runs->front().y), s.bottom = std::max(s.bottom, runs->back().y + 1);
    if (s.top > s.bottom) s.top = s.bottom = 0;
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

std::shared_ptr<const MaxiStamps> MakeStamps(int resolution, int width, int height) {
  Scratch scratch(width, height);
  if (!scratch.Ok()) return nullptr;
  auto stamps = std::make_shared<MaxiStamps>();
  stamps->width = width;
  stamps->height = height;
  const std::vector<HexagonPlace> places = LayOutHexagons(resolution);
  std::vector<std::array<POINT, 6>> shapes;
  std::vector<POINT> origins;  // the first corner of each kind's stamp
  std::optional<SelectScope> brush(std::in_place, scratch.dc(), scratch.dark());
  for (const HexagonPlace& h : places) {
    if (!h.exists) {
      stamps->kindOf.push_back(-1);
      stamps->offsetOf.push_back(POINT{0, 0});
      continue;
    }
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
      stamps->kinds.push_back(scratch.Read(box));
    }
    stamps->kindOf.push_back(static_cast<int>(kind));
    stamps->offsetOf.push_back(POINT{h.corners[0].x - origins[kind].x, h.corners[0].y - origins[kind].y});
  }
  stamps->modulesInBand.resize(static_cast<size_t>((height + kStampBand - 1) / kStampBand));
  for (size_t m = 0; m < places.size(); ++m) {
    if (stamps->kindOf[m] < 0) continue;
    const Stamp& s = stamps->kinds[static_cast<size_t>(stamps->kindOf[m])];
    if (s.top >= s.bottom) continue;
    const int top = s.top + stamps->offsetOf[m].y, bottom = s.bottom + stamps->offsetOf[m].y;
    for (int band = top / kStampBand; band <= (bottom - 1) / kStampBand; ++band)
      stamps->modulesInBand[static_cast<size_t>(band)].push_back(static_cast<int>(m));
  }
  std::vector<int> owner(static_cast<size_t>(width) * height, -1);
  stamps->apart = true;
  for (size_t m = 0; m < places.size() && stamps->apart; ++m) {
    if (stamps->kindOf[m] < 0) continue;
    const Stamp& s = stamps->kinds[static_cast<size_t>(stamps->kindOf[m])];
    const POINT o = stamps->offsetOf[m];
    for (const auto* runs : {&s.fill, &s.pen})
      for (const Stamp::Run& run : *runs)
        for (int x = run.x0 + o.x; x < run.x1 + o.x; ++x) {
          int& who = owner[static_cast<size_t>(run.y + o.y) * width + x];
          if (who >= 0 && who != static_cast<int>(m)) stamps->apart = false;
          who = static_cast<int>(m);
        }
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
  stamps->finder = scratch.Read(finderBox);
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
