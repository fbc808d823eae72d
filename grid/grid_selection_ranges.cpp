// Disjoint selection rectangles: adding cuts the new rectangle out of the
// old ones first, so no cell is counted twice.
#include "grid/grid_selection_ranges.h"

#include <algorithm>

namespace {
bool IsEmpty(const CGridCellRange& r) { return r.minRow > r.maxRow || r.minCol > r.maxCol; }

bool Overlaps(const CGridCellRange& a, const CGridCellRange& b) { return !IsEmpty(a.Intersect(b)); }

// Appends what is left of `a` once `cut` is taken out of it: up to four
// pieces (the bands above and below, and the parts left and right beside it).
void AppendDifference(const CGridCellRange& a, const CGridCellRange& cut, std::vector<CGridCellRange>& out) {
  const CGridCellRange overlap = a.Intersect(cut);
  if (IsEmpty(overlap)) {
    out.push_back(a);
    return;
  }
  if (a.minRow < overlap.minRow) out.emplace_back(a.minRow, a.minCol, overlap.minRow - 1, a.maxCol);
  if (overlap.maxRow < a.maxRow) out.emplace_back(overlap.maxRow + 1, a.minCol, a.maxRow, a.maxCol);
  if (a.minCol < overlap.minCol) out.emplace_back(overlap.minRow, a.minCol, overlap.maxRow, overlap.minCol - 1);
  if (overlap.maxCol < a.maxCol) out.emplace_back(overlap.minRow, overlap.maxCol + 1, overlap.maxRow, a.maxCol);
}

// The rectangle covering both when together they are exactly one.
bool Joinable(const CGridCellRange& a, const CGridCellRange& b) {
  if (a.minCol == b.minCol && a.maxCol == b.maxCol) return a.maxRow + 1 == b.minRow || b.maxRow + 1 == a.minRow;
  if (a.minRow == b.minRow && a.maxRow == b.maxRow) return a.maxCol + 1 == b.minCol || b.maxCol + 1 == a.minCol;
  return false;
}
}  // namespace

bool GridSelectionRanges::Contains(int row, int col) const {
  return std::any_of(ranges_.begin(), ranges_.end(), [&](const CGridCellRange& r) { return r.InRange(row, col); });
}

int64_t GridSelectionRanges::Count() const {
  int64_t count = 0;
  for (const CGridCellRange& r : ranges_) count += static_cast<int64_t>(r.RowSpan()) * r.ColSpan();
  return count;
}

void GridSelectionRanges::Remove(const CGridCellRange& range) {
  if (IsEmpty(range)) return;
  if (std::none_of(ranges_.begin(), ranges_.end(), [&](const CGridCellRange& r) { return Overlaps(r, range); }))
    return;
  std::vector<CGridCellRange> kept;
  kept.reserve(ranges_.size() + 4);
  for (const CGridCellRange& r : ranges_) AppendDifference(r, range, kept);
  ranges_ = std::move(kept);
}

void GridSelectionRanges::Add(const CGridCellRange& range) {
  if (IsEmpty(range)) return;
  Remove(range);
  ranges_.push_back(range);
  MergeFrom(ranges_.size() - 1);
}

void GridSelectionRanges::MergeFrom(size_t index) {
  for (bool joined = true; joined;) {
    joined = false;
    for (size_t i = 0; i < ranges_.size(); ++i) {
      if (i == index || !Joinable(ranges_[i], ranges_[index])) continue;
      const CGridCellRange& a = ranges_[i];
      const CGridCellRange& b = ranges_[index];
      const CGridCellRange both(std::min(a.minRow, b.minRow), std::min(a.minCol, b.minCol),
                                std::max(a.maxRow, b.maxRow), std::max(a.maxCol, b.maxCol));
      ranges_[i] = both;
      ranges_.erase(ranges_.begin() + static_cast<std::ptrdiff_t>(index));
      index = i < index ? i : i - 1;
      joined = true;
      break;
    }
  }
}

void GridSelectionRanges::ClipTo(int rows, int cols) {
  std::vector<CGridCellRange> kept;
  for (const CGridCellRange& r : ranges_) {
    const CGridCellRange inside = r.Intersect({0, 0, rows - 1, cols - 1});
    if (!IsEmpty(inside)) kept.push_back(inside);
  }
  ranges_ = std::move(kept);
}

CGridCellRange GridSelectionRanges::Bounds(const CGridCellRange& empty) const {
  CGridCellRange bounds = empty;
  for (const CGridCellRange& r : ranges_) {
    bounds.minRow = std::min(bounds.minRow, r.minRow);
    bounds.minCol = std::min(bounds.minCol, r.minCol);
    bounds.maxRow = std::max(bounds.maxRow, r.maxRow);
    bounds.maxCol = std::max(bounds.maxCol, r.maxCol);
  }
  return bounds;
}
