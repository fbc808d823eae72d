// Painting: the background, the fixed and scrolled cells in order, the grid
// lines, and redrawing or invalidating single cells.
#include <algorithm>

#include "grid/grid_ctrl.h"
#include "grid/grid_mem_dc.h"

void CGridCtrl::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  if (m_bDoubleBuffer) {
    CGridMemDC memory(dc);
    OnDraw(memory);
  } else {
    OnDraw(dc);
  }
  ::EndPaint(m_hWnd, &ps);
}

BOOL CGridCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CGridCtrl::EraseBkgnd(HDC dc) {
  UniqueBrush corner(CreateSolidBrush(m_cellFixedRowColDef.GetBackClr()));
  UniqueBrush fixedRow(CreateSolidBrush(m_cellFixedRowDef.GetBackClr()));
  UniqueBrush fixedCol(CreateSolidBrush(m_cellFixedColDef.GetBackClr()));
  UniqueBrush normal(CreateSolidBrush(m_cellDefault.GetBackClr()));
  UniqueBrush background(CreateSolidBrush(m_crGridBkColour));
  RECT clip;
  if (GetClipBox(dc, &clip) == ERROR) return;
  RECT extent;
  GetVisibleNonFixedCellRange(&extent);
  const int fw = GetFixedColumnWidth(), fh = GetFixedRowHeight();
  const int right = extent.right, bottom = extent.bottom;
  auto fill = [&](RECT r, HBRUSH brush) { FillRect(dc, &r, brush); };
  if (clip.left < fw && clip.top < fh) fill({clip.left, clip.top, fw, fh}, corner.get());
  if (clip.left < fw && clip.top < bottom) fill({clip.left, clip.top, fw, bottom}, fixedCol.get());
  if (clip.top < fh && fw < clip.right && clip.left < right) fill({fw - 1, clip.top, right, fh}, fixedRow.get());
  RECT cells{std::max(static_cast<int>(clip.left), fw), std::max(static_cast<int>(clip.top), fh),
             std::min(static_cast<int>(clip.right), right), std::min(static_cast<int>(clip.bottom), bottom)};
  if (cells.left < cells.right && cells.top < cells.bottom) fill(cells, normal.get());
  if (right < clip.right) fill({right, clip.top, clip.right, clip.bottom}, background.get());
  if (bottom < clip.bottom && clip.left < right) fill({clip.left, bottom, right, clip.bottom}, background.get());
}

namespace {
void DrawCellAt(CGridCtrl& grid, HDC dc, int row, int col, const RECT& rect) {
  if (CGridCellBase* cell = grid.GetCell(row, col)) {
    cell->SetCoords(row, col);
    cell->Draw(dc, row, col, rect, false);
  }
}
}  // namespace

void CGridCtrl::OnDraw(HDC dc) {
  RECT clip;
  if (!m_bAllowDraw || GetClipBox(dc, &clip) == ERROR) return;
  EraseBkgnd(dc);
  const int fh = GetFixedRowHeight(), fw = GetFixedColumnWidth();
  const CGridCellId topLeft = GetTopleftNonFixedCell();
  const CGridCellRange visible = GetVisibleNonFixedCellRange();
  if (m_bVirtualMode) SendCacheHintToParent(visible);
  // The cells of one row from column `first` to `last`, starting at x =
  // `left`, within the clip box.
  auto drawColumns = [&](int row, int top, int bottom, int first, int last, int left) {
    for (int col = first; col <= last && col >= 0; ++col) {
      const int width = GetColumnWidth(col);
      if (width <= 0) continue;
      if (left > clip.right) break;
      if (left + width - 1 >= clip.left) DrawCellAt(*this, dc, row, col, {left, top, left + width - 1, bottom});
      left += width;
    }
  };

  // The corner.
  int top = 0;
  for (int row = 0; row < m_nFixedRows; ++row) {
    const int height = GetRowHeight(row);
    if (height <= 0) continue;
    int left = 0;
    for (int col = 0; col < m_nFixedCols; ++col) {
      const int width = GetColumnWidth(col);
      if (width <= 0) continue;
      DrawCellAt(*this, dc, row, col, {left, top, left + width - 1, top + height - 1});
      left += width;
    }
    top += height;
  }
  // The fixed columns of the scrolled rows.
  top = fh;
  for (int row = topLeft.row; row <= visible.maxRow && row >= 0; ++row) {
    const int height = GetRowHeight(row);
    if (height <= 0) continue;
    if (top > clip.bottom) break;
    const int bottom = top + height - 1;
    if (bottom >= clip.top) {
      drawColumns(row, top, bottom, 0, m_nFixedCols - 1, 0);
    }
    top += height;
  }
  // The fixed rows of the scrolled columns.
  top = 0;
  for (int row = 0; row < m_nFixedRows; ++row) {
    const int height = GetRowHeight(row);
    if (height <= 0) continue;
    if (top > clip.bottom) break;
    const int bottom = top + height - 1;
    if (bottom >= clip.top) {
      int left = fw;
      for (int col = topLeft.col; col <= visible.maxCol && col >= 0; ++col) {
        const int width = GetColumnWidth(col);
        if (width <= 0) continue;
        if (left > clip.right) break;
        if (left + width - 1 >= clip.left) {
          CGridCellBase* cell = GetCell(row, col);
          if (cell) {
            cell->m_highlight = RowPickMode && cell->GetData() != 0;
            cell->m_highlightColour = 0x1C229E;
            cell->SetCoords(row, col);
            cell->Draw(dc, row, col, {left, top, left + width - 1, bottom}, false);
            cell->m_highlight = false;
          }
        }
        left += width;
      }
    }
    top += height;
  }
  // The scrolled cells; rows without data ask the owner to load them.
  HWND owner = GetOwner() ? GetOwner()->GetSafeHwnd() : nullptr;
  top = fh;
  for (int row = topLeft.row; row <= visible.maxRow && row >= 0; ++row) {
    const int height = GetRowHeight(row);
    if (height <= 0) continue;
    if (top > clip.bottom) break;
    const int bottom = top + height - 1;
    if (bottom >= clip.top) {
      if (owner && GetItemData(row, 0) == 0)
        ::PostMessageA(owner, kGridMsgLoadRows, static_cast<WPARAM>(row), visible.maxRow);
      drawColumns(row, top, bottom, topLeft.col, visible.maxCol, fw);
    }
    top += height;
  }
  // Grid lines over the scrolled cells only.
  RECT extent;
  GetVisibleNonFixedCellRange(&extent);
  UniquePen pen(CreatePen(PS_SOLID, 0, m_crGridLineColour));
  HGDIOBJ oldPen = SelectObject(dc, pen.get());
  if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT) {
    int x = fw;
    for (int col = topLeft.col; col <= visible.maxCol && col >= 0; ++col) {
      const int width = GetColumnWidth(col);
      if (width <= 0) continue;
      x += width;
      MoveToEx(dc, x - 1, fh, nullptr);
      LineTo(dc, x - 1, extent.bottom);
    }
  }
  if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ) {
    int y = fh;
    for (int row = topLeft.row; row <= visible.maxRow && row >= 0; ++row) {
      const int height = GetRowHeight(row);
      if (height <= 0) continue;
      y += height;
      MoveToEx(dc, fw, y - 1, nullptr);
      LineTo(dc, extent.right, y - 1);
    }
  }
  SelectObject(dc, GetStockObject(NULL_PEN));
  (void)oldPen;
  if (m_bVirtualMode) SendCacheHintToParent({});
}

bool CGridCtrl::RedrawCell(int row, int col, HDC dc) {
  if (!m_bAllowDraw || !m_hWnd || !IsCellVisible(row, col)) return false;
  RECT rect;
  if (!GetCellRect(row, col, &rect)) return false;
  HDC taken = nullptr;
  if (!dc) dc = taken = ::GetDC(m_hWnd);
  if (!dc) {
    RECT area{rect.left, rect.top, rect.right + 1, rect.bottom + 1};
    InvalidateRect(&area, TRUE);
    return true;
  }
  bool result = true;
  CGridCellBase* cell = GetCell(row, col);
  if (cell) {
    cell->SetCoords(row, col);
    result = cell->Draw(dc, row, col, rect, true) != FALSE;
    if (!IsCellFixed(row, col)) {
      UniquePen pen(CreatePen(PS_SOLID, 0, m_crGridLineColour));
      SelectScope use(dc, pen.get());
      if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ) {
        MoveToEx(dc, rect.left, rect.bottom, nullptr);
        LineTo(dc, rect.right + 1, rect.bottom);
      }
      if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT) {
        MoveToEx(dc, rect.right, rect.top, nullptr);
        LineTo(dc, rect.right, rect.bottom + 1);
      }
    }
  }
  if (taken) ::ReleaseDC(m_hWnd, taken);
  return result;
}

bool CGridCtrl::RedrawLine(int row, int col) {
  if (!m_hWnd) return false;
  HDC dc = ::GetDC(m_hWnd);
  bool ok = true;
  const int count = row >= 0 ? m_nCols : m_nRows;
  for (int i = 0; i < count; ++i) ok = RedrawCell(row >= 0 ? row : i, row >= 0 ? i : col, dc) && ok;
  ::ReleaseDC(m_hWnd, dc);
  return ok;
}

bool CGridCtrl::RedrawRow(int row) { return row >= 0 && RedrawLine(row, -1); }

bool CGridCtrl::RedrawColumn(int col) { return col >= 0 && RedrawLine(-1, col); }

bool CGridCtrl::InvalidateCellRect(int row, int col) {
  if (!m_hWnd || !m_bAllowDraw || !IsValid(row, col) || !IsCellVisible(row, col)) return false;
  RECT rect;
  if (!GetCellRect(row, col, &rect)) return false;
  rect.right++;
  rect.bottom++;
  InvalidateRect(&rect, TRUE);
  return true;
}

bool CGridCtrl::InvalidateCellRect(const CGridCellRange& range) {
  if (!m_hWnd || !m_bAllowDraw) return false;
  const CGridCellRange visible = GetVisibleNonFixedCellRange().Intersect(range);
  RECT rect;
  if (!GetCellRangeRect(visible, &rect)) return false;
  rect.right++;
  rect.bottom++;
  InvalidateRect(&rect, TRUE);
  return true;
}

void CGridCtrl::InvalidateRow(int row, bool erase) {
  RECT rect;
  if (!m_hWnd || !GetRowRect(row, &rect)) return;
  rect.right++;
  rect.bottom++;
  InvalidateRect(&rect, erase);
}
