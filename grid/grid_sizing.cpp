// Sizing rows and columns to their contents and stretching them to fill the
// window.
#include <algorithm>

#include "grid/grid_ctrl.h"

bool CGridCtrl::AutoSizeColumn(int col, int style, bool resetScroll) {
  if (col < 0 || col >= m_nCols || GetColumnWidth(col) <= 0 || !m_hWnd) return false;
  if (style == 0) style = m_nAutoSizeColumnStyle;
  HDC dc = ::GetDC(m_hWnd);
  if (!dc) return false;
  const int first = (style & GVS_HEADER) ? 0 : m_nFixedRows;
  const int last = (style & GVS_DATA) ? m_nRows - 1 : m_nFixedRows - 1;
  if (m_bVirtualMode) SendCacheHintToParent({first, col, last, col});
  int width = 0;
  for (int row = first; row <= last; ++row)
    if (CGridCellBase* cell = GetCell(row, col)) width = std::max(width, static_cast<int>(cell->GetCellExtent(dc).cx));
  if (m_bVirtualMode) SendCacheHintToParent({});
  m_arColWidths.Set(col, static_cast<UINT>(width));
  ::ReleaseDC(m_hWnd, dc);
  if (resetScroll) ResetScrollBars();
  return true;
}

bool CGridCtrl::AutoSizeRow(int row, bool resetScroll) {
  if (row < 0 || row >= m_nRows || GetRowHeight(row) <= 0 || !m_hWnd) return false;
  HDC dc = ::GetDC(m_hWnd);
  if (!dc) return false;
  if (m_bVirtualMode) SendCacheHintToParent({row, 0, row, m_nCols - 1});
  int height = 0;
  for (int col = 0; col < m_nCols; ++col)
    if (CGridCellBase* cell = GetCell(row, col)) height = std::max(height, static_cast<int>(cell->GetCellExtent(dc).cy));
  if (m_bVirtualMode) SendCacheHintToParent({});
  m_arRowHeights.Set(row, static_cast<UINT>(height));
  ::ReleaseDC(m_hWnd, dc);
  if (resetScroll) ResetScrollBars();
  return true;
}

void CGridCtrl::AutoSizeColumns(int style) {
  for (int col = 0; col < m_nCols; ++col)
    if (GetColumnWidth(col) > 0) AutoSizeColumn(col, style, false);
  ResetScrollBars();
}

void CGridCtrl::AutoSizeRows() {
  for (int row = 0; row < m_nRows; ++row)
    if (GetRowHeight(row) > 0) AutoSizeRow(row, false);
  ResetScrollBars();
}

void CGridCtrl::AutoSize(int style) {
  if (!m_hWnd) return;
  if (style == 0) style = m_nAutoSizeColumnStyle;
  HDC dc = ::GetDC(m_hWnd);
  if (!dc) return;
  const int first = (style & GVS_HEADER) ? 0 : m_nFixedRows;
  const int last = (style & GVS_DATA) ? m_nRows - 1 : m_nFixedRows - 1;
  for (int row = first; row <= last; ++row)
    if (GetRowHeight(row) > 0) m_arRowHeights.Set(row, 1);
  for (int col = 0; col < m_nCols; ++col) {
    if (GetColumnWidth(col) <= 0) continue;
    m_arColWidths.Set(col, 0);
    for (int row = first; row <= last; ++row) {
      if (GetRowHeight(row) <= 0) continue;
      CGridCellBase* cell = GetCell(row, col);
      if (!cell) continue;
      const SIZE size = cell->GetCellExtent(dc);
      m_arColWidths.Set(col, std::max(m_arColWidths.Get(col), static_cast<UINT>(size.cx)));
      m_arRowHeights.Set(row, std::max(m_arRowHeights.Get(row), static_cast<UINT>(size.cy)));
    }
  }
  ::ReleaseDC(m_hWnd, dc);
  ResetScrollBars();
  Refresh();
}

namespace {
// Spreads `difference` pixels over the visible entries from `first`: each
// gets the even share, the first few positions one pixel of the remainder.
// Nothing shrinks below 1 pixel; hidden entries (0) stay hidden.
void Spread(GridExtents& sizes, int first, long difference) {
  int count = 0;
  for (int i = first; i < sizes.Count(); ++i)
    if (sizes.Get(i) != 0) ++count;
  if (count == 0) return;
  const long share = difference / count;
  auto add = [&](int i, long amount) {
    const long grown = static_cast<long>(sizes.Get(i)) + amount;
    sizes.Set(i, static_cast<UINT>(std::max(1L, grown)));
  };
  for (int i = first; i < sizes.Count(); ++i)
    if (sizes.Get(i) != 0) add(i, share);
  const long remainder = difference <= 0 ? (-difference) % count : difference % count;
  const long unit = difference <= 0 ? -1 : 1;
  for (long i = 0; i < remainder && first + i < sizes.Count(); ++i)
    if (sizes.Get(static_cast<int>(first + i)) != 0) add(static_cast<int>(first + i), unit);
}
}  // namespace

void CGridCtrl::ExpandColumnsToFit(bool includeFixed) {
  if (!m_hWnd || m_nCols <= (includeFixed ? 0 : m_nFixedCols)) return;
  EnableScrollBars(SB_HORZ, false);
  CRect client;
  GetClientRect(&client);
  Spread(m_arColWidths, includeFixed ? 0 : m_nFixedCols, client.Width() - GetVirtualWidth());
  Refresh();
  ResetScrollBars();
}

void CGridCtrl::ExpandRowsToFit(bool includeFixed) {
  if (!m_hWnd || m_nRows <= (includeFixed ? 0 : m_nFixedRows)) return;
  EnableScrollBars(SB_VERT, false);
  CRect client;
  GetClientRect(&client);
  Spread(m_arRowHeights, includeFixed ? 0 : m_nFixedRows, client.Height() - GetVirtualHeight());
  Refresh();
  ResetScrollBars();
}

void CGridCtrl::ExpandLastColumn() {
  if (!m_hWnd) return;
  int last = m_nCols - 1;
  while (last >= 0 && GetColumnWidth(last) == 0) --last;
  if (last <= 0) return;
  EnableScrollBars(SB_HORZ, false);
  CRect client;
  GetClientRect(&client);
  if (client.Width() > GetVirtualWidth()) {
    m_arColWidths.Set(last, m_arColWidths.Get(last) + static_cast<UINT>(client.Width() - GetVirtualWidth()));
    Refresh();
  }
  ResetScrollBars();
}

void CGridCtrl::ExpandToFit(bool includeFixed) {
  ExpandColumnsToFit(includeFixed);
  ExpandRowsToFit(includeFixed);
  ExpandColumnsToFit(includeFixed);
  Refresh();
}
