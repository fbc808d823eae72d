// List mode, virtual mode, searching a column and sorting rows.
#include <cstdlib>
#include <cstring>

#include "foundation/util/text.h"
#include "grid/grid_ctrl.h"

void CGridCtrl::SetListMode(bool enable) {
  ResetSelectedRange();
  SetSortColumn(-1);
  m_bListMode = enable;
  SetFixedRowSelection(false);
  Refresh();
}

void CGridCtrl::SetVirtualMode(bool enable) {
  DeleteAllItems();
  m_bVirtualMode = enable;
  if (enable) {
    m_bEditable = false;
    m_bSortOnClick = false;
    m_nAutoSizeColumnStyle = GVS_HEADER;
    m_bFixedColumnSelection = false;
    m_bFixedRowSelection = false;
  }
}

void CGridCtrl::SetSortColumn(int col) {
  if (m_nSortColumn >= 0) InvalidateCellRect(0, m_nSortColumn);
  m_nSortColumn = col;
  if (col >= 0) InvalidateCellRect(0, col);
}

int CGridCtrl::CompareTextItems(const CGridCellBase* a, const CGridCellBase* b, LPARAM) {
  if (!a || !b) return 0;
  return std::strcmp(a->GetText().IsEmpty() ? "" : a->GetText().GetData(),
                     b->GetText().IsEmpty() ? "" : b->GetText().GetData());
}

int CGridCtrl::CompareIntegerItems(const CGridCellBase* a, const CGridCellBase* b, LPARAM) {
  if (!a || !b) return 0;
  const long x = a->GetText().IsEmpty() ? 0 : atol(a->GetText().GetData());
  const long y = b->GetText().IsEmpty() ? 0 : atol(b->GetText().GetData());
  return x < y ? -1 : (x > y ? 1 : 0);
}

bool CGridCtrl::SortTextItems(int col, bool ascending, LPARAM data) {
  return SortItems(CompareTextItems, col, ascending, data);
}

bool CGridCtrl::SortItems(int col, bool ascending, LPARAM data) {
  return SortItems(m_pfnCompare ? m_pfnCompare : CompareTextItems, col, ascending, data);
}

bool CGridCtrl::SortItems(GridCompareFunc func, int col, bool ascending, LPARAM data, int low, int high) {
  // Virtual rows live with the owner: the grid has nothing to move.
  if (m_bVirtualMode || col < 0 || col >= m_nCols) return false;
  if (high == -1) high = m_nRows - 1;
  if (low == 0 && high == m_nRows - 1) {
    low = m_nFixedRows;
    SetSortColumn(col);
    m_bAscending = ascending;
    ResetSelectedRange();
    SetFocusCell(-1, -1);
  }
  if (low >= high) return false;
  const int mid = (low + high) / 2;
  // The pivot row's cell moves while rows are exchanged; compare against a
  // copy of its text so the partition stays consistent.
  CGridCell pivot;
  pivot.CopyFrom(*GetCell(mid, col));
  int i = low, j = high;
  auto less = [&](int row) { const int c = func(GetCell(row, col), &pivot, data); return ascending ? c < 0 : c > 0; };
  auto more = [&](int row) { const int c = func(GetCell(row, col), &pivot, data); return ascending ? c > 0 : c < 0; };
  while (i <= j) {
    while (i < high && less(i)) ++i;
    while (j > low && more(j)) --j;
    if (i <= j) {
      if (func(GetCell(i, col), GetCell(j, col), data) != 0) {
        std::swap(m_RowData[static_cast<size_t>(i)], m_RowData[static_cast<size_t>(j)]);
        m_arRowHeights.Swap(i, j);
      }
      ++i;
      --j;
    }
  }
  if (low < j) SortItems(func, col, ascending, data, low, j);
  if (i < high) SortItems(func, col, ascending, data, i, high);
  return true;
}

namespace {
bool StandsAlone(const char* text, int length, int at, int size) {
  if (at > 0 && IsAlnumChar(static_cast<unsigned char>(text[at - 1]))) return false;
  if (at + size < length && IsAlnumChar(static_cast<unsigned char>(text[at + size]))) return false;
  return true;
}
}  // namespace

int CGridCtrl::FindInColumn(int startRow, int col, const AString& text, bool matchCase, bool matchPart) {
  if (startRow < 1) startRow = 1;
  if (startRow >= m_nRows) startRow = m_nFixedRows;
  // A fixed start row would never come round again: start at the first
  // non-fixed row so each row is visited once.
  if (startRow < m_nFixedRows) startRow = m_nFixedRows;
  CWnd* owner = GetOwner();
  const int size = text.GetLength();
  int current = startRow;
  for (int passed = 0;; ++passed) {
    if ((passed > 0 && current == startRow) || current < 0 || current >= m_nRows) return -1;
    if (GetItemData(current, 0) == 0 && owner && owner->GetSafeHwnd())
      owner->SendMessage(kGridMsgLoadRows, static_cast<WPARAM>(current), current + 100);
    const AString cell = GetItemText(current, col);
    const char* chars = cell.IsEmpty() ? "" : cell.GetData();
    if (matchCase) {
      const int at = cell.Find(text, 0);
      if (at >= 0 && (matchPart || StandsAlone(chars, cell.GetLength(), at, size))) return current;
    } else {
      for (int at = cell.FindNoCase(text.IsEmpty() ? "" : text.GetData(), 0); at >= 0;
           at = cell.FindNoCase(text.GetData(), at + 1)) {
        if (matchPart || StandsAlone(chars, cell.GetLength(), at, size)) return current;
      }
    }
    ++current;
    if (current >= m_nRows) current = m_nFixedRows;
  }
}
