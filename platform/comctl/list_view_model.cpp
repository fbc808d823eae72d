// The list view's rows.
#include "platform/comctl/list_view_model.h"

#include <algorithm>
#include <numeric>

#include "platform/nls/nls.h"

namespace comctl {
namespace {

const std::u16string kEmpty;

char16_t Fold(char16_t c) {
  WCHAR s[2] = {c, 0};
  CharUpperBuffW(s, 1);
  return s[0];
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

}  // namespace

int ListModel::InsertColumn(int column) {
  column = std::clamp(column, 0, columns_);
  for (ListRow& r : rows_) {
    if (columns_ == 0) break;
    if (static_cast<int>(r.texts.size()) > column) r.texts.insert(r.texts.begin() + column, std::u16string());
    if (static_cast<int>(r.callbacks.size()) > column) r.callbacks.insert(r.callbacks.begin() + column, false);
  }
  ++columns_;
  return column;
}

bool ListModel::DeleteColumn(int column) {
  if (column < 0 || column >= columns_) return false;
  for (ListRow& r : rows_) {
    if (static_cast<int>(r.texts.size()) > column) r.texts.erase(r.texts.begin() + column);
    if (static_cast<int>(r.callbacks.size()) > column) r.callbacks.erase(r.callbacks.begin() + column);
  }
  --columns_;
  return true;
}

int ListModel::Insert(int row, ListRow value) {
  row = std::clamp(row, 0, rows());
  rows_.insert(rows_.begin() + row, std::move(value));
  return row;
}

bool ListModel::Delete(int row) {
  if (!Valid(row)) return false;
  rows_.erase(rows_.begin() + row);
  return true;
}

const std::u16string& ListModel::Text(int row, int column) const {
  if (!Valid(row) || column < 0) return kEmpty;
  const ListRow& r = at(row);
  return column < static_cast<int>(r.texts.size()) ? r.texts[static_cast<size_t>(column)] : kEmpty;
}

bool ListModel::IsCallback(int row, int column) const {
  if (!Valid(row) || column < 0) return false;
  const ListRow& r = at(row);
  return column < static_cast<int>(r.callbacks.size()) && r.callbacks[static_cast<size_t>(column)];
}

bool ListModel::SetText(int row, int column, std::u16string text, bool callback) {
  if (!Valid(row) || column < 0 || column >= std::max(columns_, 1)) return false;
  ListRow& r = at(row);
  const auto slot = static_cast<size_t>(column);
  if (r.texts.size() <= slot) r.texts.resize(slot + 1);
  if (r.callbacks.size() <= slot) r.callbacks.resize(slot + 1, false);
  r.texts[slot] = std::move(text);
  r.callbacks[slot] = callback;
  return true;
}

int ListModel::Next(int start, UINT mask) const {
  for (int i = std::max(start + 1, 0); i < rows(); ++i)
    if ((at(i).state & mask) == mask) return i;
  return -1;
}

int ListModel::Count(UINT mask) const {
  return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [mask](const ListRow& r) { return (r.state & mask) == mask; }));
}

int ListModel::FindText(int start, std::u16string_view text, bool prefix, bool wrap) const {
  const int n = rows();
  const int first = std::clamp(start, 0, n);
  for (int k = 0; k < (wrap ? n : n - first); ++k) {
    const int i = (first + k) % std::max(n, 1);
    const std::u16string& t = Text(i, 0);
    if (prefix ? (t.size() >= text.size() && EqualsIgnoringCase(std::u16string_view(t).substr(0, text.size()), text))
               : EqualsIgnoringCase(t, text))
      return i;
  }
  return -1;
}

int ListModel::FindParam(int start, LPARAM param, bool wrap) const {
  const int n = rows();
  const int first = std::clamp(start, 0, n);
  for (int k = 0; k < (wrap ? n : n - first); ++k) {
    const int i = (first + k) % std::max(n, 1);
    if (at(i).param == param) return i;
  }
  return -1;
}

std::vector<int> ListModel::Sort(const std::function<int(int, int)>& compare) {
  const size_t n = rows_.size();
  std::vector<int> order(n), merged(n);
  std::iota(order.begin(), order.end(), 0);
  // A bottom-up merge sort: every step stays inside its runs whatever the
  // comparison answers, so an inconsistent one only gives an odd order.
  for (size_t width = 1; width < n; width *= 2) {
    for (size_t left = 0; left < n; left += 2 * width) {
      const size_t mid = std::min(left + width, n), right = std::min(left + 2 * width, n);
      size_t a = left, b = mid, out = left;
      while (a < mid && b < right) merged[out++] = compare(order[b], order[a]) < 0 ? order[b++] : order[a++];
      while (a < mid) merged[out++] = order[a++];
      while (b < right) merged[out++] = order[b++];
    }
    order.swap(merged);
  }
  // The comparison may have changed the rows; then the order no longer fits.
  if (rows_.size() != n) return {};
  std::vector<ListRow> sorted;
  sorted.reserve(n);
  for (int i : order) sorted.push_back(std::move(rows_[static_cast<size_t>(i)]));
  rows_ = std::move(sorted);
  return order;
}

}  // namespace comctl
