// The selected cells of a grid as disjoint rectangles: selecting a whole
// column, every row or the whole grid is one entry however many rows there
// are, and a cell is looked up against the rectangles, not a per-cell map.
#pragma once

#include <cstdint>
#include <vector>

#include "grid/grid_types.h"

class GridSelectionRanges {
 public:
  bool Contains(int row, int col) const;
  bool Empty() const { return ranges_.empty(); }
  // The number of selected cells.
  int64_t Count() const;
  void Clear() { ranges_.clear(); }
  // Adds a rectangle (which must be ordered: min <= max on both axes).
  void Add(const CGridCellRange& range);
  void Add(int row, int col) { Add(CGridCellRange(row, col, row, col)); }
  void Remove(const CGridCellRange& range);
  void Remove(int row, int col) { Remove(CGridCellRange(row, col, row, col)); }
  // Drops the cells outside rows [0, rows) and columns [0, cols).
  void ClipTo(int rows, int cols);
  // The smallest rectangle holding every selected cell, or `empty` when none.
  CGridCellRange Bounds(const CGridCellRange& empty) const;
  const std::vector<CGridCellRange>& Ranges() const { return ranges_; }
  // Calls `visit(row, col)` for every selected cell, range by range.
  template <class Visit>
  void ForEachCell(Visit visit) const {
    for (const CGridCellRange& r : ranges_)
      for (int row = r.minRow; row <= r.maxRow; ++row)
        for (int col = r.minCol; col <= r.maxCol; ++col) visit(row, col);
  }

 private:
  // Joins `ranges_[index]` with any range it exactly extends, repeatedly, so
  // cells selected one by one along a row or column stay one rectangle.
  void MergeFrom(size_t index);

  std::vector<CGridCellRange> ranges_;  // disjoint, none empty
};
