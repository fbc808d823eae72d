// The running sums of row heights and the selection rectangles, checked by
// random sequences against plain models kept here: a vector of sizes summed
// by walking it, and a set of selected positions.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "grid/grid_extents.h"
#include "grid/grid_selection_ranges.h"

namespace {

long WalkBefore(const std::vector<UINT>& sizes, int i) {
  long sum = 0;
  for (int k = 0; k < i; ++k) sum += sizes[static_cast<size_t>(k)];
  return sum;
}

// The first index whose running sum passes the target, found by walking.
int WalkSearch(const std::vector<UINT>& sizes, long target, bool strict) {
  long sum = 0;
  for (int i = 0; i <= static_cast<int>(sizes.size()); ++i) {
    if (strict ? sum > target : sum >= target) return i;
    if (i < static_cast<int>(sizes.size())) sum += sizes[static_cast<size_t>(i)];
  }
  return static_cast<int>(sizes.size()) + 1;
}

TEST(GridExtents, RandomEditsAgreeWithAWalkedSum) {
  std::mt19937 random(7);
  for (int round = 0; round < 40; ++round) {
    GridExtents extents;
    std::vector<UINT> model;
    for (int step = 0; step < 300; ++step) {
      const int count = static_cast<int>(model.size());
      // Zero sizes are hidden rows and must be skipped over correctly.
      const UINT size = random() % 4 == 0 ? 0 : random() % 40;
      switch (random() % 7) {
        case 0: {
          const int n = static_cast<int>(random() % 400);
          extents.Resize(n, size);
          model.resize(static_cast<size_t>(n), size);
          break;
        }
        case 1: {
          const int at = static_cast<int>(random() % (count + 1));
          extents.Insert(at, size);
          model.insert(model.begin() + at, size);
          break;
        }
        case 2:
          extents.Insert(count, size);
          model.push_back(size);
          break;
        case 3:
          if (count > 0) {
            const int at = random() % 2 ? count - 1 : static_cast<int>(random() % count);
            extents.Erase(at);
            model.erase(model.begin() + at);
          }
          break;
        case 4:
          if (count > 1) {
            const int a = static_cast<int>(random() % count), b = static_cast<int>(random() % count);
            extents.Swap(a, b);
            std::swap(model[static_cast<size_t>(a)], model[static_cast<size_t>(b)]);
          }
          break;
        default:
          if (count > 0) {
            const int at = static_cast<int>(random() % count);
            extents.Set(at, size);
            model[static_cast<size_t>(at)] = size;
          }
      }
      ASSERT_EQ(extents.Count(), static_cast<int>(model.size()));
      ASSERT_EQ(extents.Total(), WalkBefore(model, static_cast<int>(model.size())));
      for (int probe = 0; probe < 8; ++probe) {
        const int i = static_cast<int>(random() % (model.size() + 1));
        ASSERT_EQ(extents.Before(i), WalkBefore(model, i)) << round << "/" << step << " at " << i;
        if (i < static_cast<int>(model.size())) ASSERT_EQ(extents.Get(i), model[static_cast<size_t>(i)]) << i;
        const long target = static_cast<long>(random() % (extents.Total() + 20)) - 5;
        ASSERT_EQ(extents.LowerBound(target), WalkSearch(model, target, false)) << target;
        ASSERT_EQ(extents.UpperBound(target), WalkSearch(model, target, true)) << target;
      }
    }
  }
}

TEST(GridExtents, AMillionRowsAreSummedAndSearched) {
  GridExtents rows;
  rows.Resize(1'000'000, 20);
  EXPECT_EQ(rows.Total(), 20'000'000);
  EXPECT_EQ(rows.Before(999'999), 19'999'980);
  EXPECT_EQ(rows.UpperBound(19'999'985) - 1, 999'999);
  rows.Set(500'000, 0);
  EXPECT_EQ(rows.Before(999'999), 19'999'960);
  EXPECT_EQ(rows.LowerBound(20'000'001), 1'000'001);
}

// A list grid's rows share one height: only those that differ are kept, so
// memory grows with the rows sized, not with the rows in the table.
TEST(GridExtents, OnlySizesThatDifferAreKept) {
  GridExtents rows;
  rows.Resize(1'000'000, 20);
  EXPECT_EQ(rows.Kept(), 0);
  rows.Set(0, 24);  // a heading row
  rows.Set(700'000, 31);
  rows.Set(700'000, 20);  // back to the common height: forgotten
  rows.Set(999'999, 5);
  EXPECT_EQ(rows.Kept(), 2);
  EXPECT_EQ(rows.Total(), 20'000'000 + 4 - 15);
  rows.Insert(1, 20);
  rows.Erase(500'000);
  EXPECT_EQ(rows.Kept(), 2);
  EXPECT_EQ(rows.Get(999'999), 5u);
  // Grown with another height, the more common one becomes the common size.
  GridExtents columns;
  columns.Resize(3, 10);
  columns.Set(1, 40);
  columns.Resize(10, 60);
  EXPECT_EQ(columns.Kept(), 3);  // the two 10s and the 40
  EXPECT_EQ(columns.Total(), 10 + 40 + 10 + 7 * 60);
  // Every row sized in turn, each to its own height, is kept in one pass.
  GridExtents sized;
  sized.Resize(200'000, 20);
  for (int i = 0; i < sized.Count(); ++i) sized.Set(i, static_cast<UINT>(21 + i % 3));
  EXPECT_EQ(sized.Kept(), 200'000);
  EXPECT_EQ(sized.Total(), 200'000L / 3 * (21 + 22 + 23) + 21 + 22);
}

using Cells = std::set<std::pair<int, int>>;

void ApplyToModel(Cells& model, const CGridCellRange& r, bool add) {
  for (int row = r.minRow; row <= r.maxRow; ++row)
    for (int col = r.minCol; col <= r.maxCol; ++col) {
      if (add)
        model.insert({row, col});
      else
        model.erase({row, col});
    }
}

TEST(GridSelectionRanges, RandomSelectionsAgreeWithASetOfCells) {
  std::mt19937 random(11);
  for (int round = 0; round < 60; ++round) {
    GridSelectionRanges selection;
    Cells model;
    for (int step = 0; step < 60; ++step) {
      auto pick = [&] {
        const int r0 = static_cast<int>(random() % 12), c0 = static_cast<int>(random() % 8);
        const bool single = random() % 3 == 0;
        return CGridCellRange(r0, c0, single ? r0 : r0 + static_cast<int>(random() % 6),
                              single ? c0 : c0 + static_cast<int>(random() % 4));
      };
      switch (random() % 5) {
        case 0:
        case 1: {
          const CGridCellRange r = pick();
          selection.Add(r);
          ApplyToModel(model, r, true);
          break;
        }
        case 2:
        case 3: {
          const CGridCellRange r = pick();
          selection.Remove(r);
          ApplyToModel(model, r, false);
          break;
        }
        default: {
          const int rows = static_cast<int>(random() % 16), cols = static_cast<int>(random() % 12);
          selection.ClipTo(rows, cols);
          std::erase_if(model, [&](const auto& cell) { return cell.first >= rows || cell.second >= cols; });
        }
      }
      ASSERT_EQ(selection.Count(), static_cast<int64_t>(model.size())) << round << "/" << step;
      for (int row = 0; row < 20; ++row)
        for (int col = 0; col < 14; ++col)
          ASSERT_EQ(selection.Contains(row, col), model.count({row, col}) != 0) << row << "," << col;
      Cells visited;
      selection.ForEachCell([&](int row, int col) { EXPECT_TRUE(visited.insert({row, col}).second); });
      ASSERT_EQ(visited, model);
      const CGridCellRange bounds = selection.Bounds({99, 99, -1, -1});
      if (model.empty()) {
        EXPECT_EQ(bounds, CGridCellRange(99, 99, -1, -1));
      } else {
        EXPECT_EQ(bounds.minRow, model.begin()->first);
        EXPECT_EQ(bounds.maxRow, model.rbegin()->first);
      }
    }
  }
}

TEST(GridSelectionRanges, CellsSelectedOneByOneAlongARowStayOneRectangle) {
  GridSelectionRanges selection;
  for (int row = 0; row < 1000; ++row)
    for (int col = 0; col < 3; ++col) selection.Add(row, col);
  EXPECT_EQ(selection.Count(), 3000);
  EXPECT_EQ(selection.Ranges().size(), 1u);
  selection.Add({0, 0, 999'999, 2});
  EXPECT_EQ(selection.Ranges().size(), 1u);
  EXPECT_EQ(selection.Count(), 3'000'000);
}

}  // namespace
