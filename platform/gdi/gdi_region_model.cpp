// Regions as y-bands of x-spans: construction, set operations and queries.
#include <algorithm>
#include <climits>

#include "platform/gdi/gdi_internal.h"

namespace gdi {
namespace {

using Span = SpanRegion::Span;

bool SameSpans(const std::vector<Span>& a, const std::vector<Span>& b) { return a == b; }

// The spans of one band of `region` covering row interval [top, bottom), or
// nothing when no band covers it (bands never straddle the break points used).
const std::vector<Span>* SpansAt(const std::vector<SpanRegion::Band>& bands, size_t& cursor, int top) {
  while (cursor < bands.size() && bands[cursor].bottom <= top) ++cursor;
  if (cursor < bands.size() && bands[cursor].top <= top) return &bands[cursor].spans;
  return nullptr;
}

std::vector<Span> CombineSpans(const std::vector<Span>* a, const std::vector<Span>* b, int mode) {
  static const std::vector<Span> kNone;
  const auto& sa = a ? *a : kNone;
  const auto& sb = b ? *b : kNone;
  // Sweep over the edges of both lists, tracking membership in each.
  std::vector<std::pair<int, int>> edges;  // x, which (0 = a, 1 = b); toggles
  edges.reserve((sa.size() + sb.size()) * 2);
  for (const auto& s : sa) {
    edges.emplace_back(s.x0, 0);
    edges.emplace_back(s.x1, 0);
  }
  for (const auto& s : sb) {
    edges.emplace_back(s.x0, 1);
    edges.emplace_back(s.x1, 1);
  }
  std::sort(edges.begin(), edges.end());
  std::vector<Span> out;
  bool inA = false, inB = false;
  auto inside = [&](bool ia, bool ib) {
    switch (mode) {
      case RGN_AND: return ia && ib;
      case RGN_OR: return ia || ib;
      case RGN_XOR: return ia != ib;
      case RGN_DIFF: return ia && !ib;
      default: return ia;
    }
  };
  size_t i = 0;
  bool was = false;
  int start = 0;
  while (i < edges.size()) {
    int x = edges[i].first;
    while (i < edges.size() && edges[i].first == x) {
      if (edges[i].second == 0) inA = !inA;
      else inB = !inB;
      ++i;
    }
    bool now = inside(inA, inB);
    if (now && !was) start = x;
    if (!now && was && x > start) out.push_back({start, x});
    was = now;
  }
  return out;
}

}  // namespace

RECT SpanRegion::Normalized(int left, int top, int right, int bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  return RECT{left, top, right, bottom};
}

SpanRegion SpanRegion::FromRect(int left, int top, int right, int bottom) {
  SpanRegion r;
  const RECT n = Normalized(left, top, right, bottom);
  if (n.left < n.right && n.top < n.bottom) r.bands_.push_back({n.top, n.bottom, {{n.left, n.right}}});
  return r;
}

SpanRegion SpanRegion::FromBands(std::vector<Band> bands) {
  SpanRegion r;
  for (auto& b : bands) {
    if (b.spans.empty() || b.top >= b.bottom) continue;
    if (!r.bands_.empty() && r.bands_.back().bottom == b.top && SameSpans(r.bands_.back().spans, b.spans)) {
      r.bands_.back().bottom = b.bottom;
    } else {
      r.bands_.push_back(std::move(b));
    }
  }
  return r;
}

RECT SpanRegion::Box() const {
  if (bands_.empty()) return RECT{0, 0, 0, 0};
  RECT box{INT_MAX, bands_.front().top, INT_MIN, bands_.back().bottom};
  for (const auto& b : bands_) {
    box.left = std::min<LONG>(box.left, b.spans.front().x0);
    box.right = std::max<LONG>(box.right, b.spans.back().x1);
  }
  return box;
}

int SpanRegion::Kind() const {
  if (bands_.empty()) return NULLREGION;
  if (bands_.size() == 1 && bands_[0].spans.size() == 1) return SIMPLEREGION;
  return COMPLEXREGION;
}

bool SpanRegion::Contains(int x, int y) const {
  auto it = std::upper_bound(bands_.begin(), bands_.end(), y, [](int v, const Band& b) { return v < b.bottom; });
  if (it == bands_.end() || it->top > y) return false;
  auto s = std::upper_bound(it->spans.begin(), it->spans.end(), x, [](int v, const Span& sp) { return v < sp.x1; });
  return s != it->spans.end() && s->x0 <= x;
}

bool SpanRegion::Intersects(const RECT& r) const {
  for (const auto& b : bands_) {
    if (b.bottom <= r.top || b.top >= r.bottom) continue;
    for (const auto& s : b.spans)
      if (s.x1 > r.left && s.x0 < r.right) return true;
  }
  return false;
}

void SpanRegion::Offset(int dx, int dy) {
  for (auto& b : bands_) {
    b.top += dy;
    b.bottom += dy;
    for (auto& s : b.spans) {
      s.x0 += dx;
      s.x1 += dx;
    }
  }
}

bool SpanRegion::operator==(const SpanRegion& other) const {
  if (bands_.size() != other.bands_.size()) return false;
  for (size_t i = 0; i < bands_.size(); ++i) {
    if (bands_[i].top != other.bands_[i].top || bands_[i].bottom != other.bands_[i].bottom ||
        bands_[i].spans != other.bands_[i].spans)
      return false;
  }
  return true;
}

SpanRegion SpanRegion::Combine(const SpanRegion& a, const SpanRegion& b, int mode) {
  if (mode == RGN_COPY) return a;
  // Fast paths for the common clip operations.
  if (mode == RGN_AND && (a.Empty() || b.Empty())) return {};
  if ((mode == RGN_OR || mode == RGN_XOR) && b.Empty()) return a;
  if ((mode == RGN_OR || mode == RGN_XOR) && a.Empty()) return b;
  if (mode == RGN_DIFF && (a.Empty() || b.Empty())) return a;
  if (mode == RGN_AND && b.Kind() == SIMPLEREGION) {
    const RECT r = b.Box();
    std::vector<Band> out;
    for (const auto& band : a.bands_) {
      int top = std::max<int>(band.top, r.top), bottom = std::min<int>(band.bottom, r.bottom);
      if (top >= bottom) continue;
      Band nb{top, bottom, {}};
      for (const auto& s : band.spans) {
        int x0 = std::max<int>(s.x0, r.left), x1 = std::min<int>(s.x1, r.right);
        if (x0 < x1) nb.spans.push_back({x0, x1});
      }
      out.push_back(std::move(nb));
    }
    return FromBands(std::move(out));
  }

  std::vector<int> ys;
  ys.reserve((a.bands_.size() + b.bands_.size()) * 2);
  for (const auto& band : a.bands_) {
    ys.push_back(band.top);
    ys.push_back(band.bottom);
  }
  for (const auto& band : b.bands_) {
    ys.push_back(band.top);
    ys.push_back(band.bottom);
  }
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
  std::vector<Band> out;
  size_t ca = 0, cb = 0;
  for (size_t i = 0; i + 1 < ys.size(); ++i) {
    const auto* sa = SpansAt(a.bands_, ca, ys[i]);
    const auto* sb = SpansAt(b.bands_, cb, ys[i]);
    if (!sa && !sb) continue;
    auto spans = CombineSpans(sa, sb, mode);
    if (!spans.empty()) out.push_back({ys[i], ys[i + 1], std::move(spans)});
  }
  return FromBands(std::move(out));
}

void SpanBuilder::Add(int y, int x0, int x1) {
  if (x0 < x1) rows_.push_back({y, x0, x1});
}

void SpanBuilder::AddRow(int y, std::span<const SpanRegion::Span> spans) {
  for (const auto& s : spans) Add(y, s.x0, s.x1);
}

void SpanBuilder::SortByRow() {
  auto before = [](const Entry& a, const Entry& b) { return a.y != b.y ? a.y < b.y : a.x0 < b.x0; };
  if (std::is_sorted(rows_.begin(), rows_.end(), before)) return;  // scan conversion adds rows in order
  const auto [low, high] = std::minmax_element(rows_.begin(), rows_.end(),
                                               [](const Entry& a, const Entry& b) { return a.y < b.y; });
  const int64_t rowCount = int64_t{high->y} - low->y + 1;
  if (rowCount > 4 * static_cast<int64_t>(rows_.size()) + 1024) {
    std::sort(rows_.begin(), rows_.end(), before);
    return;
  }
  // Entries to their rows by counting, then each row's few spans by x.
  std::vector<uint32_t> start(static_cast<size_t>(rowCount) + 1, 0);
  for (const Entry& e : rows_) ++start[static_cast<size_t>(e.y - low->y) + 1];
  for (size_t i = 1; i < start.size(); ++i) start[i] += start[i - 1];
  const int y0 = low->y;
  std::vector<Entry> sorted(rows_.size());
  std::vector<uint32_t> next(start.begin(), start.end() - 1);
  for (const Entry& e : rows_) sorted[next[static_cast<size_t>(e.y - y0)]++] = e;
  for (size_t r = 0; r + 1 < start.size(); ++r)
    if (start[r + 1] - start[r] > 1)
      std::sort(sorted.begin() + start[r], sorted.begin() + start[r + 1],
                [](const Entry& a, const Entry& b) { return a.x0 < b.x0; });
  rows_ = std::move(sorted);
}

SpanRegion SpanBuilder::Build() {
  SortByRow();
  std::vector<SpanRegion::Band> bands;
  size_t i = 0;
  while (i < rows_.size()) {
    const int y = rows_[i].y;
    SpanRegion::Band band{y, y + 1, {}};
    while (i < rows_.size() && rows_[i].y == y) {
      const auto& e = rows_[i++];
      if (!band.spans.empty() && e.x0 <= band.spans.back().x1) {
        band.spans.back().x1 = std::max(band.spans.back().x1, e.x1);
      } else {
        band.spans.push_back({e.x0, e.x1});
      }
    }
    bands.push_back(std::move(band));
  }
  rows_.clear();
  return SpanRegion::FromBands(std::move(bands));
}

}  // namespace gdi
