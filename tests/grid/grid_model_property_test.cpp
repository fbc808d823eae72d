// Thousands of random sequences of structural and cell operations, each
// checked after every step against a plain model kept here: rows of strings,
// the fixed counts, the selection as a set of positions.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "grid_test_util.h"

namespace {

struct Model {
  std::vector<std::vector<std::string>> rows;
  int fixedRows = 0, fixedCols = 0;
  std::set<std::pair<int, int>> selected;
  int Rows() const { return static_cast<int>(rows.size()); }
  int Cols() const { return rows.empty() ? cols : static_cast<int>(rows[0].size()); }
  int cols = 0;
  void SetCols(int n) {
    cols = n;
    for (auto& r : rows) r.resize(static_cast<size_t>(n));
  }
  void SetRows(int n) { rows.resize(static_cast<size_t>(n), std::vector<std::string>(static_cast<size_t>(cols))); }
};

void Check(CGridCtrl& grid, const Model& m, int step) {
  ASSERT_EQ(grid.GetRowCount(), m.Rows()) << step;
  ASSERT_EQ(grid.GetColumnCount(), m.cols) << step;
  ASSERT_EQ(grid.GetFixedRowCount(), m.fixedRows) << step;
  ASSERT_EQ(grid.GetFixedColumnCount(), m.fixedCols) << step;
  for (int r = 0; r < m.Rows(); ++r)
    for (int c = 0; c < m.cols; ++c) {
      ASSERT_EQ(gridtest::Text(grid.GetItemText(r, c)), m.rows[r][c]) << step << " at " << r << "," << c;
      const UINT state = grid.GetItemState(r, c);
      const UINT fixedBits = (r < m.fixedRows ? GVIS_FIXED | GVIS_FIXEDROW : 0) |
                             (c < m.fixedCols ? GVIS_FIXED | GVIS_FIXEDCOL : 0);
      ASSERT_EQ(state & (GVIS_FIXED | GVIS_FIXEDROW | GVIS_FIXEDCOL), fixedBits) << step << " at " << r << "," << c;
      ASSERT_EQ(grid.IsCellSelected(r, c), m.selected.count({r, c}) != 0) << step << " at " << r << "," << c;
    }
  ASSERT_EQ(grid.GetSelectedCount(), static_cast<int>(m.selected.size())) << step;
}

}  // namespace

TEST(GridModelProperty, RandomSequencesAgreeWithAPlainModel) {
  std::mt19937 random(20261211);
  auto pick = [&](int n) { return n <= 0 ? 0 : static_cast<int>(random() % static_cast<unsigned>(n)); };
  int steps = 0;
  for (int sequence = 0; sequence < 2000; ++sequence) {
    CGridCtrl grid;
    Model m;
    std::string log;
    for (int step = 0; step < 12; ++step, ++steps) {
      const int op = pick(9);
      log += std::to_string(op) + " ";
      SCOPED_TRACE(log);
      if (op == 0) {  // set the row count
        const int n = pick(7);
        grid.SetRowCount(n);
        m.SetRows(n);
        m.fixedRows = std::min(m.fixedRows, n);
        std::erase_if(m.selected, [&](auto p) { return p.first >= n; });
      } else if (op == 1) {  // set the column count
        const int n = pick(6);
        grid.SetColumnCount(n);
        m.SetCols(n);
        m.fixedCols = std::min(m.fixedCols, n);
        std::erase_if(m.selected, [&](auto p) { return p.second >= n; });
      } else if (op == 2) {  // insert a row
        const int before = pick(m.Rows() + 2) - 1;
        const int got = grid.InsertRow("h", before);
        const bool refused = before >= 0 && (before < m.fixedRows || before >= m.Rows());
        if (refused) {
          ASSERT_EQ(got, -1) << steps;
        } else {
          m.selected.clear();
          if (m.cols == 0) m.SetCols(1);
          const int at = before < 0 ? m.Rows() : before;
          m.rows.insert(m.rows.begin() + at, std::vector<std::string>(static_cast<size_t>(m.cols)));
          m.rows[at][0] = "h";
          ASSERT_EQ(got, at) << steps;
        }
      } else if (op == 3 && m.Rows() > 0) {  // delete a row
        const int row = pick(m.Rows() + 1) - (sequence % 2);
        const bool ok = grid.DeleteRow(row);
        ASSERT_EQ(ok, row >= 0 && row < m.Rows()) << steps;
        if (ok) {
          m.selected.clear();
          m.rows.erase(m.rows.begin() + row);
          if (row < m.fixedRows) --m.fixedRows;
        }
      } else if (op == 4) {  // insert a column
        const int before = pick(m.cols + 2) - 1;
        const int got = grid.InsertColumn("H", DT_LEFT, before);
        const bool refused = before >= 0 && before != m.cols && (before < m.fixedCols || before > m.cols);
        if (refused) {
          ASSERT_EQ(got, -1) << steps;
        } else {
          m.selected.clear();
          if (m.Rows() == 0) m.SetRows(1);
          const int at = before < 0 ? m.cols : before;
          for (auto& r : m.rows) r.insert(r.begin() + at, std::string());
          ++m.cols;
          m.rows[0][at] = "H";
          ASSERT_EQ(got, at) << steps;
        }
      } else if (op == 5 && m.Rows() > 0 && m.cols > 0) {  // set a text
        const int r = pick(m.Rows()), c = pick(m.cols);
        const std::string text = "t" + std::to_string(steps);
        ASSERT_TRUE(grid.SetItemText(r, c, text.c_str()));
        m.rows[r][c] = text;
      } else if (op == 6) {  // select a range
        const int r0 = pick(m.Rows() + 1), c0 = pick(m.cols + 1), r1 = pick(m.Rows() + 1), c1 = pick(m.cols + 1);
        grid.SetSelectedRange(r0, c0, r1, c1);
        m.selected.clear();
        const int a = std::max(r0, m.fixedRows), b = std::max(c0, m.fixedCols);
        const int ra = r1 < m.fixedRows ? m.fixedRows : r1, cb = c1 < m.fixedCols ? m.fixedCols : c1;
        if (ra < m.Rows() && cb < m.cols && a <= ra && b <= cb)
          for (int r = a; r <= ra; ++r)
            for (int c = b; c <= cb; ++c) m.selected.insert({r, c});
      } else if (op == 7) {  // fixed counts
        const int fr = pick(3), fc = pick(3);
        grid.SetFixedRowCount(fr);
        grid.SetFixedColumnCount(fc);
        if (fr != m.fixedRows || fc != m.fixedCols) m.selected.clear();
        if (fr > m.Rows()) m.SetRows(fr);
        if (fc > m.cols) m.SetCols(fc);
        m.fixedRows = fr;
        m.fixedCols = fc;
      } else if (op == 8 && m.cols > 0) {  // sort
        const int col = pick(m.cols);
        const bool ascending = pick(2) == 0;
        const bool sorted = grid.SortTextItems(col, ascending);
        ASSERT_EQ(sorted, m.Rows() - m.fixedRows >= 2) << steps;
        m.selected.clear();  // a sort starts by clearing the selection
        if (sorted) {
          std::stable_sort(m.rows.begin() + m.fixedRows, m.rows.end(), [&](const auto& x, const auto& y) {
            return ascending ? x[col] < y[col] : x[col] > y[col];
          });
          // Equal keys may land in any order: the grid must hold the same
          // rows, in the order of the key; the model then takes its order.
          std::vector<std::vector<std::string>> fromGrid;
          for (int r = m.fixedRows; r < m.Rows(); ++r) {
            fromGrid.emplace_back();
            for (int c = 0; c < m.cols; ++c) fromGrid.back().push_back(gridtest::Text(grid.GetItemText(r, c)));
          }
          std::vector<std::vector<std::string>> expected(m.rows.begin() + m.fixedRows, m.rows.end());
          std::sort(fromGrid.begin(), fromGrid.end());
          std::sort(expected.begin(), expected.end());
          ASSERT_EQ(fromGrid, expected) << steps;
          for (int r = m.fixedRows; r < m.Rows(); ++r)
            for (int c = 0; c < m.cols; ++c) m.rows[r][c] = gridtest::Text(grid.GetItemText(r, c));
          for (int r = m.fixedRows + 1; r < m.Rows(); ++r) {
            const std::string& prev = m.rows[r - 1][col];
            const std::string& cur = m.rows[r][col];
            ASSERT_TRUE(ascending ? prev <= cur : prev >= cur) << steps;
          }
        }
      }
      ASSERT_NO_FATAL_FAILURE(Check(grid, m, steps));
    }
  }
  EXPECT_GE(steps, 20000);
}
