// Which cells are selected and which one has the focus. The selection is kept
// as rectangles of whole (row, column) pairs, so a grid of one row per
// database record never confuses row 65,536 with row 0, and selecting a
// million rows is one rectangle.
#include <algorithm>

#include "grid/grid_ctrl.h"

bool CGridCtrl::SetItemState(int row, int col, UINT state) {
  if (!IsValid(row, col)) return false;
  if (state & GVIS_SELECTED)
    m_Selection.Add(row, col);
  else
    m_Selection.Remove(row, col);
  if (m_bVirtualMode) return false;
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return false;
  cell->SetState(state);
  return true;
}

UINT CGridCtrl::GetItemState(int row, int col) const {
  if (m_bVirtualMode) return OwnerItem(row, col).state;
  CGridCellBase* cell = GetCell(row, col);
  return cell ? cell->GetState() : 0;
}

bool CGridCtrl::IsCellSelected(int row, int col) const {
  if (!m_bEnableSelection) return false;
  if (m_bVirtualMode) return m_Selection.Contains(row, col);
  CGridCellBase* cell = GetCell(row, col);
  return cell && cell->IsSelected();
}

CGridCellId CGridCtrl::SetFocusCell(int row, int col) { return SetFocusCell(CGridCellId(row, col)); }

CGridCellId CGridCtrl::SetFocusCell(CGridCellId cell) {
  if (RowPickMode) {
    const CGridCellId old = m_idCurrentCell;
    m_idCurrentCell = cell;
    return old;
  }
  if (cell == m_idCurrentCell) return m_idCurrentCell;
  const CGridCellId old = m_idCurrentCell;
  if (cell.row != -1 && cell.row < m_nFixedRows) cell.row = m_nFixedRows;
  if (cell.col != -1 && cell.col < m_nFixedCols) cell.col = m_nFixedCols;
  m_idCurrentCell = cell;
  if (IsValid(old)) {
    if (!m_bVirtualMode) SetItemState(old.row, old.col, GetItemState(old.row, old.col) & ~GVIS_FOCUSED);
    RedrawCell(old);
    if (m_bTrackFocusCell) {
      if (old.col != cell.col)
        for (int row = 0; row < m_nFixedRows; ++row) RedrawCell(row, old.col);
      if (old.row != cell.row)
        for (int col = 0; col < m_nFixedCols; ++col) RedrawCell(old.row, col);
    }
  }
  if (IsValid(cell)) {
    if (!m_bVirtualMode) SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GVIS_FOCUSED);
    RedrawCell(cell);
    if (m_bTrackFocusCell) {
      if (old.col != cell.col)
        for (int row = 0; row < m_nFixedRows; ++row) RedrawCell(row, cell.col);
      if (old.row != cell.row)
        for (int col = 0; col < m_nFixedCols; ++col) RedrawCell(cell.row, col);
    }
  }
  return old;
}

void CGridCtrl::MarkSelected(const CGridCellRange& range, bool selected) {
  // Cells supplied by the owner have no state of their own to keep.
  if (m_bVirtualMode) return;
  const CGridCellRange inside = range.Intersect(GetCellRange());
  for (int row = inside.minRow; row <= inside.maxRow; ++row)
    for (int col = inside.minCol; col <= inside.maxCol; ++col)
      if (CGridCellBase* cell = GetCell(row, col))
        cell->SetState(selected ? cell->GetState() | GVIS_SELECTED : cell->GetState() & ~GVIS_SELECTED);
}

void CGridCtrl::RepaintSelectionChange(const GridSelectionRanges& before, bool redrawOld, HDC dc, bool invalidate) {
  if (!m_hWnd) return;
  // Only visible cells are drawn, so a million selected rows cost a page.
  const CGridCellRange visible = GetVisibleNonFixedCellRange();
  for (int row = std::max(visible.minRow, 0); row <= visible.maxRow; ++row)
    for (int col = std::max(visible.minCol, 0); col <= visible.maxCol; ++col) {
      const bool was = before.Contains(row, col);
      if (was == m_Selection.Contains(row, col) && !(redrawOld && was)) continue;
      if (invalidate)
        InvalidateCellRect(row, col);
      else
        RedrawCell(row, col, dc);
    }
}

void CGridCtrl::SetSelectedRange(const CGridCellRange& r, bool forceRepaint, bool selectCells) {
  SetSelectedRange(r.minRow, r.minCol, r.maxRow, r.maxCol, forceRepaint, selectCells);
}

void CGridCtrl::SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, bool forceRepaint,
                                 bool selectCells) {
  if (!m_bEnableSelection) return;
  HDC dc = forceRepaint && m_hWnd ? ::GetDC(m_hWnd) : nullptr;
  auto clampRow = [&](int& r) { if (r >= 0 && r < m_nFixedRows) r = m_nFixedRows; };
  auto clampCol = [&](int& c) { if (c >= 0 && c < m_nFixedCols) c = m_nFixedCols; };
  clampRow(minRow);
  clampRow(maxRow);
  clampCol(minCol);
  clampCol(maxCol);
  const CGridCellRange range(minRow, minCol, maxRow, maxCol);
  const bool allSet = minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0;
  const GridSelectionRanges before = m_Selection;
  auto mark = [this](const CGridCellRange& r, bool selected) { MarkSelected(r, selected); };
  if (selectCells) {
    m_Selection.ClipTo(m_nRows, m_nCols);
    for (const CGridCellRange& r : m_Selection.Ranges()) mark(r, false);
    m_Selection.Clear();
    if (!(m_bSingleRowSelection && m_bListMode) && allSet) {
      GridSelectionRanges previous = m_PrevSelection;
      previous.ClipTo(m_nRows, m_nCols);
      for (const CGridCellRange& r : previous.Ranges()) {
        m_Selection.Add(r);
        mark(r, true);
      }
    }
  }
  if (allSet && maxRow < m_nRows && maxCol < m_nCols && minRow <= maxRow && minCol <= maxCol) {
    if (selectCells)
      m_Selection.Add(range);
    else
      m_Selection.Remove(range);
    mark(range, selectCells);
  }
  // A new selection draws the old one again as well.
  RepaintSelectionChange(before, selectCells, dc, dc == nullptr);
  if (dc) ::ReleaseDC(m_hWnd, dc);
}

void CGridCtrl::SelectAllCells() {
  if (m_bEnableSelection) SetSelectedRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1, false, true);
}

void CGridCtrl::SelectRow(int row) {
  SetSelectedRange(row, 0, row, m_nCols - 1, false, true);
  SetFocusCell(row, m_nCols - 1);
}

void CGridCtrl::SelectColumns(CGridCellId cell, bool forceRepaint, bool selectCells) {
  if (!m_bEnableSelection || cell.col < m_nFixedCols || !IsValid(cell)) return;
  if (m_bSingleColSelection)
    SetSelectedRange(m_nFixedRows, cell.col, m_nRows - 1, cell.col, forceRepaint, selectCells);
  else
    SetSelectedRange(m_nFixedRows, std::min(m_SelectionStartCell.col, cell.col), m_nRows - 1,
                     std::max(m_SelectionStartCell.col, cell.col), forceRepaint, selectCells);
}

void CGridCtrl::SelectRows(CGridCellId cell, bool forceRepaint, bool selectCells) {
  if (!m_bEnableSelection || cell.row < m_nFixedRows || !IsValid(cell)) return;
  if (m_bSingleRowSelection && m_bListMode)
    SetSelectedRange(cell.row, m_nFixedCols, cell.row, m_nCols - 1, forceRepaint, selectCells);
  else
    SetSelectedRange(std::min(m_SelectionStartCell.row, cell.row), m_nFixedCols,
                     std::max(m_SelectionStartCell.row, cell.row), m_nCols - 1, forceRepaint, selectCells);
}

void CGridCtrl::SelectCells(CGridCellId cell, bool forceRepaint, bool selectCells) {
  if (!m_bEnableSelection || cell.row < m_nFixedRows || cell.col < m_nFixedCols || !IsValid(cell)) return;
  SetSelectedRange(std::min(m_SelectionStartCell.row, cell.row), std::min(m_SelectionStartCell.col, cell.col),
                   std::max(m_SelectionStartCell.row, cell.row), std::max(m_SelectionStartCell.col, cell.col),
                   forceRepaint, selectCells);
}

void CGridCtrl::OnSelecting(const CGridCellId& cell) {
  if (!m_bEnableSelection) return;
  switch (m_MouseMode) {
    case MOUSE_SELECT_ALL: SelectAllCells(); break;
    case MOUSE_SELECT_COL: SelectColumns(cell, false, true); break;
    case MOUSE_SELECT_ROW: SelectRows(cell, false, true); break;
    case MOUSE_SELECT_CELLS: SelectCells(cell, false, true); break;
    default: break;
  }
}

CGridCellRange CGridCtrl::GetSelectedCellRange() const {
  return m_Selection.Bounds({m_nRows, m_nCols, -1, -1});
}

void CGridCtrl::UnselectCell(CGridCellId keep, bool invalidate) {
  const GridSelectionRanges before = m_Selection;
  const bool kept = IsValid(keep) && before.Contains(keep.row, keep.col);
  for (const CGridCellRange& r : before.Ranges()) MarkSelected(r, false);
  m_Selection.Clear();
  if (kept) {
    m_Selection.Add(keep.row, keep.col);
    MarkSelected({keep.row, keep.col, keep.row, keep.col}, true);
  }
  RepaintSelectionChange(before, false, nullptr, invalidate);
}

void CGridCtrl::ResetSelectedRange() {
  m_PrevSelection.Clear();
  SetSelectedRange(-1, -1, -1, -1, false, true);
  SetFocusCell(-1, -1);
}

CGridCellId CGridCtrl::GetNextItem(CGridCellId start, int flags) const {
  auto matches = [&](int row, int col) {
    const UINT state = GetItemState(row, col);
    return ((flags & GVNI_FOCUSED) && (state & GVIS_FOCUSED)) || ((flags & GVNI_SELECTED) && (state & GVIS_SELECTED)) ||
           ((flags & GVNI_DROPHILITED) && (state & GVIS_DROPHILITED)) ||
           ((flags & GVNI_READONLY) && (state & GVIS_READONLY)) || ((flags & GVNI_FIXED) && (state & GVIS_FIXED)) ||
           ((flags & GVNI_MODIFIED) && (state & GVIS_MODIFIED));
  };
  if ((flags & 0x3F) == 0) return {};
  if ((flags & GVNI_ALL) == GVNI_ALL) {
    int row = start.row <= 0 ? m_nFixedRows : start.row;
    int col = start.col <= 0 ? m_nFixedCols : start.col + 1;
    for (; row < m_nRows; ++row, col = m_nFixedCols)
      for (; col < m_nCols; ++col)
        if (matches(row, col)) return {row, col};
    return {};
  }
  if ((flags & GVNI_AREA) == GVNI_AREA) {
    for (int row = start.row <= 0 ? m_nFixedRows : start.row; row < m_nRows; ++row)
      for (int col = start.col == -1 ? m_nFixedCols : start.col + 1; col < m_nCols; ++col)
        if (matches(row, col)) return {row, col};
    return {};
  }
  if (flags & GVNI_ABOVE) {
    for (int row = start.row - 1; row >= m_nFixedRows; --row)
      if (matches(row, start.col)) return {row, start.col};
  } else if (flags & GVNI_BELOW) {
    for (int row = start.row + 1; row < m_nRows; ++row)
      if (matches(row, start.col)) return {row, start.col};
  } else if (flags & GVNI_TOLEFT) {
    for (int col = start.col - 1; col >= m_nFixedCols; --col)
      if (matches(start.row, col)) return {start.row, col};
  } else if (flags & GVNI_TORIGHT) {
    for (int col = start.col + 1; col < m_nCols; ++col)
      if (matches(start.row, col)) return {start.row, col};
  }
  return {};
}
