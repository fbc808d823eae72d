// Where the cells lie in the window: origins, rectangles, the hit test and
// the visible ranges; row heights and column widths.
#include <algorithm>
#include <utility>

#include "grid/grid_ctrl.h"

int CGridCtrl::GetRowHeight(int row) const {
  return row >= 0 && row < m_nRows ? static_cast<int>(m_arRowHeights.Get(row)) : -1;
}

int CGridCtrl::GetColumnWidth(int col) const {
  return col >= 0 && col < m_nCols ? static_cast<int>(m_arColWidths.Get(col)) : -1;
}

bool CGridCtrl::SetRowHeight(int row, int height) {
  if (row < 0 || row >= m_nRows || height < 0) return false;
  m_arRowHeights.Set(row, static_cast<UINT>(height));
  ResetScrollBars();
  return true;
}

bool CGridCtrl::SetColumnWidth(int col, int width) {
  if (col < 0 || col >= m_nCols || width < 0) return false;
  m_arColWidths.Set(col, static_cast<UINT>(width));
  ResetScrollBars();
  return true;
}

bool CGridCtrl::SetColumnWidthRatio(int col, double ratio) {
  if (!m_hWnd) return false;
  CRect client;
  GetClientRect(&client);
  return SetColumnWidth(col, static_cast<int>(client.Width() * ratio));
}

long CGridCtrl::GetVirtualWidth() const { return m_arColWidths.Total(); }

long CGridCtrl::GetVirtualHeight() const { return m_arRowHeights.Total(); }

int CGridCtrl::GetFixedRowHeight() const { return static_cast<int>(m_arRowHeights.Before(m_nFixedRows)); }

int CGridCtrl::GetFixedColumnWidth() const { return static_cast<int>(m_arColWidths.Before(m_nFixedCols)); }

namespace {
// The first entry from `first` (at most `last`) where the sizes from `first`
// reach `offset`: the top-left row or column for a scroll position.
int FirstReaching(const GridExtents& sizes, int first, long offset, int last) {
  if (first >= last || offset <= 0) return first;
  return std::clamp(sizes.LowerBound(sizes.Before(first) + offset), first, last);
}

// The entry from `first` whose end first reaches `span` past the start of
// `first`, the last entry when none does, and where that entry ends.
std::pair<int, long> LastVisible(const GridExtents& sizes, int first, long span) {
  const int count = sizes.Count();
  if (first >= count) return {first, 0};
  const long start = sizes.Before(first);
  const int index = std::max(first, sizes.LowerBound(start + span) - 1);
  return {index, sizes.Before(std::min(index + 1, count)) - start};
}
}  // namespace

CGridCellId CGridCtrl::GetTopleftNonFixedCell(bool force) {
  if (m_idTopLeftCell.row >= 0 && m_idTopLeftCell.col >= 0 && !force) return m_idTopLeftCell;
  const int hPos = GetScrollPos32(SB_HORZ), vPos = GetScrollPos32(SB_VERT);
  m_idTopLeftCell = {FirstReaching(m_arRowHeights, m_nFixedRows, vPos, m_nRows - 1),
                     FirstReaching(m_arColWidths, m_nFixedCols, hPos, m_nCols - 1)};
  return m_idTopLeftCell;
}

bool CGridCtrl::GetCellOrigin(int row, int col, LPPOINT point) {
  if (!IsValid(row, col)) return false;
  CGridCellId topLeft;
  if (col >= m_nFixedCols || row >= m_nFixedRows) topLeft = GetTopleftNonFixedCell();
  if ((row >= m_nFixedRows && row < topLeft.row) || (col >= m_nFixedCols && col < topLeft.col)) return false;
  const long x = col < m_nFixedCols ? m_arColWidths.Before(col)
                                    : GetFixedColumnWidth() + m_arColWidths.Sum(topLeft.col, col);
  const long y = row < m_nFixedRows ? m_arRowHeights.Before(row)
                                    : GetFixedRowHeight() + m_arRowHeights.Sum(topLeft.row, row);
  point->x = static_cast<LONG>(x);
  point->y = static_cast<LONG>(y);
  return true;
}

bool CGridCtrl::GetCellRect(int row, int col, LPRECT rect) {
  POINT origin;
  if (!GetCellOrigin(row, col, &origin)) return false;
  rect->left = origin.x;
  rect->top = origin.y;
  rect->right = origin.x + GetColumnWidth(col) - 1;
  rect->bottom = origin.y + GetRowHeight(row) - 1;
  return true;
}

bool CGridCtrl::GetTextRect(int row, int col, LPRECT rect) {
  CGridCellBase* cell = GetCell(row, col);
  if (!cell || !GetCellRect(row, col, rect)) return false;
  return cell->GetTextRect(rect) != FALSE;
}

bool CGridCtrl::GetCellRangeRect(const CGridCellRange& range, LPRECT rect) {
  POINT minOrigin, maxOrigin;
  if (!GetCellOrigin(range.minRow, range.minCol, &minOrigin) || !GetCellOrigin(range.maxRow, range.maxCol, &maxOrigin))
    return false;
  rect->left = minOrigin.x;
  rect->top = minOrigin.y;
  rect->right = maxOrigin.x + GetColumnWidth(range.maxCol) - 1;
  rect->bottom = maxOrigin.y + GetRowHeight(range.maxRow) - 1;
  return true;
}

bool CGridCtrl::GetRowRect(int row, LPRECT rect) {
  for (int col = m_nCols - 1; col >= 0; --col)
    if (GetCellRect(row, col, rect)) break;
  rect->left = 0;
  return true;
}

CGridCellId CGridCtrl::GetCellFromPt(POINT point, bool allowFixed) {
  const CGridCellId topLeft = GetTopleftNonFixedCell();
  const int fixedWidth = GetFixedColumnWidth(), fixedHeight = GetFixedRowHeight();
  CGridCellId cell;
  if (!allowFixed && !IsValid(topLeft)) return {};
  if (point.x < 0 || (!allowFixed && point.x < fixedWidth)) {
    cell.col = -1;
  } else if (point.x < fixedWidth) {
    int x = 0, col = 0;
    for (; col < m_nFixedCols; ++col) {
      x += GetColumnWidth(col);
      if (x > point.x) break;
    }
    cell.col = col < m_nFixedCols ? col : -1;
  } else {
    const int col = m_arColWidths.UpperBound(m_arColWidths.Before(topLeft.col) + point.x - fixedWidth) - 1;
    cell.col = col < m_nCols ? col : -1;
  }
  if (point.y < 0 || (!allowFixed && point.y < fixedHeight)) {
    cell.row = -1;
  } else if (point.y < fixedHeight) {
    int y = 0, row = 0;
    for (; row < m_nFixedRows; ++row) {
      y += GetRowHeight(row);
      if (y > point.y) break;
    }
    cell.row = row < m_nFixedRows ? row : -1;
  } else {
    const int row = m_arRowHeights.UpperBound(m_arRowHeights.Before(topLeft.row) + point.y - fixedHeight) - 1;
    cell.row = row < m_nRows ? row : -1;
  }
  return cell;
}

CGridCtrl::VisibleExtent CGridCtrl::MeasureVisible(bool force) {
  CRect client(0, 0, 0, 0);
  if (m_hWnd) GetClientRect(&client);
  VisibleExtent e;
  e.topLeft = GetTopleftNonFixedCell(force);
  e.client = client;
  const int fixedHeight = GetFixedRowHeight(), fixedWidth = GetFixedColumnWidth();
  const auto [row, rowsHeight] = LastVisible(m_arRowHeights, e.topLeft.row, client.bottom - fixedHeight);
  const auto [col, colsWidth] = LastVisible(m_arColWidths, e.topLeft.col, client.right - fixedWidth);
  e.bottom = fixedHeight + static_cast<int>(rowsHeight);
  e.right = fixedWidth + static_cast<int>(colsWidth);
  e.maxRow = std::min(row, m_nRows - 1);
  e.maxCol = std::min(col, m_nCols - 1);
  return e;
}

CGridCellRange CGridCtrl::GetVisibleNonFixedCellRange(LPRECT rect, bool force) {
  const VisibleExtent e = MeasureVisible(force);
  if (rect) *rect = {0, 0, std::min(e.right, static_cast<int>(e.client.right)), std::min(e.bottom, static_cast<int>(e.client.bottom))};
  return {e.topLeft.row, e.topLeft.col, e.maxRow, e.maxCol};
}

CGridCellRange CGridCtrl::GetUnobstructedNonFixedCellRange(bool force) {
  const VisibleExtent e = MeasureVisible(force);
  // A last row or column that sticks out past the client edge is left out.
  const int maxRow = e.maxRow > 0 && e.bottom > e.client.bottom ? e.maxRow - 1 : e.maxRow;
  const int maxCol = e.maxCol > 0 && e.right > e.client.right ? e.maxCol - 1 : e.maxCol;
  return {e.topLeft.row, e.topLeft.col, maxRow, maxCol};
}

bool CGridCtrl::IsCellVisible(int row, int col) {
  if (!m_hWnd) return false;
  const CGridCellId topLeft = GetTopleftNonFixedCell();
  if ((row >= m_nFixedRows && row < topLeft.row) || (col >= m_nFixedCols && col < topLeft.col)) return false;
  CRect client;
  GetClientRect(&client);
  const long x = col < m_nFixedCols ? m_arColWidths.Before(col)
                                    : GetFixedColumnWidth() + m_arColWidths.Sum(topLeft.col, col);
  const long y = row < m_nFixedRows ? m_arRowHeights.Before(row)
                                    : GetFixedRowHeight() + m_arRowHeights.Sum(topLeft.row, row);
  return x < client.right && y < client.bottom;
}
