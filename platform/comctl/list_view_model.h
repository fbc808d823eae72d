// The rows of a list view apart from its window: per row the texts of its
// columns (item text first), its value, state bits, image and indent; rows
// inserted, deleted, searched and sorted. Columns' titles, widths and order
// live in the header; here each column is only a slot in every row.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/kernel/types.h"

namespace comctl {

struct ListRow {
  std::vector<std::u16string> texts;  // by column; missing ones are empty
  std::vector<bool> callbacks;        // by column: text asked of the parent
  LPARAM param = 0;
  UINT state = 0;
  int image = 0;
  int indent = 0;
};

class ListModel {
 public:
  int rows() const { return static_cast<int>(rows_.size()); }
  int columns() const { return columns_; }
  bool Valid(int row) const { return row >= 0 && row < rows(); }
  const ListRow& at(int row) const { return rows_[static_cast<size_t>(row)]; }
  ListRow& at(int row) { return rows_[static_cast<size_t>(row)]; }

  // A column slot added at `column` (clamped) or removed from every row. The
  // first column inserted takes over the item texts rows already have.
  int InsertColumn(int column);
  bool DeleteColumn(int column);

  // Inserts at `row` (clamped to the end); returns the row's index.
  int Insert(int row, ListRow value);
  bool Delete(int row);
  void Clear() { rows_.clear(); }

  // The text of a row's column, empty past the texts it has.
  const std::u16string& Text(int row, int column) const;
  bool IsCallback(int row, int column) const;
  // Column 0 always exists for a row, even before any column is inserted.
  bool SetText(int row, int column, std::u16string text, bool callback = false);

  // Rows whose state has every bit of `mask`, after `start` (-1: from the first).
  int Next(int start, UINT mask) const;
  int Count(UINT mask) const;
  // First row from `start` whose item text equals (or, with prefix, starts
  // with) `text` ignoring case, wrapping to the top when asked; -1 when none.
  int FindText(int start, std::u16string_view text, bool prefix, bool wrap) const;
  int FindParam(int start, LPARAM param, bool wrap) const;

  // Stable sort by a comparison of row indices (negative: first before
  // second). A comparison that is not a consistent order still leaves every
  // row in the list exactly once. Returns the old index of each new row.
  std::vector<int> Sort(const std::function<int(int, int)>& compare);

 private:
  std::vector<ListRow> rows_;
  int columns_ = 0;
};

}  // namespace comctl
