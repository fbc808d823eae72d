// Scrolling by whole rows and columns under the fixed ones, the wheel, and
// bringing a cell into view.
#include <algorithm>

#include "grid/grid_ctrl.h"

int CGridCtrl::GetWheelScrollLines() {
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  return static_cast<int>(lines);
}

int CGridCtrl::GetScrollPos32(int bar, bool track) {
  if (!m_hWnd) return 0;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = track ? SIF_TRACKPOS : SIF_POS;
  if (!::GetScrollInfo(m_hWnd, bar, &info)) return 0;
  return track ? info.nTrackPos : info.nPos;
}

bool CGridCtrl::SetScrollPos32(int bar, int pos, bool redraw) {
  ResetTopLeft();
  if (!m_hWnd) return false;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_POS;
  info.nPos = pos;
  ::SetScrollInfo(m_hWnd, bar, &info, redraw);
  return true;
}

void CGridCtrl::EnableScrollBars(int bar, bool show) {
  if (!m_hWnd) return;
  auto apply = [&](int which, int bit) {
    if (((m_nBarState & bit) != 0) == show) return;
    ::ShowScrollBar(m_hWnd, which, show);
    m_nBarState = show ? m_nBarState | bit : m_nBarState & ~bit;
  };
  if (bar == SB_HORZ || bar == SB_BOTH) apply(SB_HORZ, 1);
  if (bar == SB_VERT || bar == SB_BOTH) apply(SB_VERT, 2);
}

void CGridCtrl::ResetScrollBars() {
  ResetTopLeft();
  if (!m_bAllowDraw || !m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  if (client.Width() == 0 || client.Height() == 0) return;
  if (m_nBarState & 2) client.right += GetSystemMetrics(SM_CXVSCROLL) + GetSystemMetrics(SM_CXBORDER);
  if (m_nBarState & 1) client.bottom += GetSystemMetrics(SM_CYHSCROLL) + GetSystemMetrics(SM_CYBORDER);
  const int fixedWidth = GetFixedColumnWidth(), fixedHeight = GetFixedRowHeight();
  if (fixedWidth >= client.right || fixedHeight >= client.bottom) {
    EnableScrollBars(SB_BOTH, false);
    return;
  }
  CRect visible(fixedWidth, fixedHeight, client.right, client.bottom);
  const CRect all(fixedWidth, fixedHeight, static_cast<int>(GetVirtualWidth()), static_cast<int>(GetVirtualHeight()));
  if (visible.Height() < all.Height()) visible.right -= GetSystemMetrics(SM_CXVSCROLL);
  if (visible.Width() < all.Width()) visible.bottom -= GetSystemMetrics(SM_CYHSCROLL);
  if (visible.Height() < all.Height()) {
    EnableScrollBars(SB_VERT, true);
    m_nVScrollMax = all.Height() - 1;
  } else {
    EnableScrollBars(SB_VERT, false);
    m_nVScrollMax = 0;
  }
  if (visible.Width() < all.Width()) {
    EnableScrollBars(SB_HORZ, true);
    m_nHScrollMax = all.Width() - 1;
  } else {
    EnableScrollBars(SB_HORZ, false);
    m_nHScrollMax = 0;
  }
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMin = 0;
  info.nMax = m_nHScrollMax;
  info.nPage = m_nHScrollMax > 0 ? static_cast<UINT>(visible.Width()) : 0;
  ::SetScrollInfo(m_hWnd, SB_HORZ, &info, TRUE);
  info.fMask |= SIF_DISABLENOSCROLL;
  info.nMax = m_nVScrollMax;
  info.nPage = m_nVScrollMax > 0 ? static_cast<UINT>(visible.Height()) : 0;
  ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
}

void CGridCtrl::OnHScroll(UINT code, UINT, CScrollBar*) {
  CRect client;
  GetClientRect(&client);
  ScrollAxis(SB_HORZ, code, client);
}

void CGridCtrl::OnVScroll(UINT code, UINT, CScrollBar*) {
  CRect client;
  GetClientRect(&client);
  ScrollAxis(SB_VERT, code, client);
}

void CGridCtrl::ScrollAxis(int bar, UINT code, const RECT& client) {
  EndEditing();
  HideTitleTip();
  const bool horz = bar == SB_HORZ;
  const int pos = GetScrollPos32(bar);
  const CGridCellId topLeft = GetTopleftNonFixedCell();
  const int first = horz ? m_nFixedCols : m_nFixedRows;
  const int last = (horz ? m_nCols : m_nRows) - 1;
  const int max = horz ? m_nHScrollMax : m_nVScrollMax;
  const int fixedExtent = horz ? GetFixedColumnWidth() : GetFixedRowHeight();
  const int page = horz ? client.right - fixedExtent : client.bottom - fixedExtent;
  auto size = [&](int i) { return horz ? GetColumnWidth(i) : GetRowHeight(i); };
  const int topIndex = horz ? topLeft.col : topLeft.row;
  bool changed = false;
  switch (code) {
    case SB_LINEUP:  // also SB_LINELEFT
      if (pos > 0 && topIndex != first) {
        int i = topIndex - 1;
        while (i > first && size(i) == 0) --i;
        SetScrollPos32(bar, std::max(0, pos - size(i)));
        changed = true;
      }
      break;
    case SB_LINEDOWN:  // also SB_LINERIGHT
      if (pos < max) {
        int i = std::max(topIndex, first);
        while (i < last && size(i) == 0) ++i;
        SetScrollPos32(bar, pos + size(i));
        changed = GetScrollPos32(bar) != pos;
      }
      break;
    case SB_PAGEUP:
      if (pos > 0) {
        SetScrollPos32(bar, std::max(0, pos - page));
        changed = true;
      }
      break;
    case SB_PAGEDOWN:
      if (pos < max) {
        SetScrollPos32(bar, std::min(max, pos + page));
        changed = true;
      }
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      SetScrollPos32(bar, GetScrollPos32(bar, true));
      const CGridCellId now = GetTopleftNonFixedCell(true);
      changed = !(now == topLeft);
      break;
    }
    case SB_TOP:
      if (pos > 0) {
        SetScrollPos32(bar, 0);
        Invalidate();
      }
      return;
    case SB_BOTTOM:
      if (pos < max) {
        SetScrollPos32(bar, max);
        Invalidate();
      }
      return;
    default:
      return;
  }
  if (!changed) return;
  CRect area(client);
  if (horz)
    area.left = fixedExtent;
  else
    area.top = fixedExtent;
  InvalidateRect(&area);
}

BOOL CGridCtrl::OnMouseWheel(UINT, short delta, CPoint) {
  const int lines = m_nRowsPerWheelNotch;
  if (lines == -1) {
    const int n = delta / 120;
    for (int i = 0; i < std::abs(n); ++i) PostMessage(WM_VSCROLL, n > 0 ? SB_PAGEUP : SB_PAGEDOWN, 0);
  } else {
    const int m = lines * delta / 120;
    for (int i = 0; i < std::abs(m); ++i) PostMessage(WM_VSCROLL, m > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
  }
  return TRUE;
}

bool CGridCtrl::SendScrollMessage(UINT message, int code) {
  (message == WM_HSCROLL ? m_bHScrolled : m_bVScrolled) = true;
  SendMessage(message, static_cast<WPARAM>(code), 0);
  return true;
}

void CGridCtrl::EnsureVisible(int row, int col) {
  if (!m_bAllowDraw || !m_hWnd) return;
  HWND focus = ::GetFocus();
  const CGridCellRange visible = GetVisibleNonFixedCellRange();
  // Each message scrolls by one visible column or row; stop as soon as the
  // position stops moving.
  auto step = [&](int bar, int code) {
    const int before = GetScrollPos32(bar);
    SendMessage(bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, static_cast<WPARAM>(code), 0);
    return GetScrollPos32(bar) != before;
  };
  for (int c = visible.maxCol + 1; c <= col; ++c)
    if (GetColumnWidth(c) > 0 && !step(SB_HORZ, SB_LINERIGHT)) break;
  for (int c = visible.minCol - 1; c >= col && c >= m_nFixedCols; --c)
    if (GetColumnWidth(c) > 0 && !step(SB_HORZ, SB_LINELEFT)) break;
  CRect client;
  GetClientRect(&client);
  // A row more than a page away is reached by placing the position at once:
  // a message per row would cost a million messages in a record list.
  const int pageRows = std::max(1, visible.maxRow - visible.minRow + 1);
  if (row > visible.maxRow + pageRows || (row >= m_nFixedRows && row < visible.minRow - pageRows)) {
    long pos = 0;
    if (row > visible.maxRow) {
      // The rows above `row` that still fit with it under the fixed rows.
      long room = client.Height() - GetFixedRowHeight() - GetRowHeight(row);
      int top = row;
      while (top > m_nFixedRows && room >= GetRowHeight(top - 1)) room -= GetRowHeight(--top);
      pos = m_arRowHeights.Sum(m_nFixedRows, top);
    } else {
      pos = m_arRowHeights.Sum(m_nFixedRows, row);
    }
    SetScrollPos32(SB_VERT, static_cast<int>(std::min<long>(pos, m_nVScrollMax)));
    m_bVScrolled = true;
    Invalidate();
  } else {
    for (int r = visible.maxRow + 1; r <= row; ++r)
      if (GetRowHeight(r) > 0 && !step(SB_VERT, SB_LINEDOWN)) break;
    for (int r = visible.minRow - 1; r >= row && r >= m_nFixedRows; --r)
      if (GetRowHeight(r) > 0 && !step(SB_VERT, SB_LINEUP)) break;
  }
  CRect rect;
  const int fixedWidth = GetFixedColumnWidth(), fixedHeight = GetFixedRowHeight();
  while (GetCellRect(row, col, &rect) && rect.right > client.right && rect.left > fixedWidth && (m_nBarState & 1))
    if (!step(SB_HORZ, SB_LINERIGHT)) break;
  while (GetCellRect(row, col, &rect) && rect.bottom > client.bottom && rect.top > fixedHeight && (m_nBarState & 2))
    if (!step(SB_VERT, SB_LINEDOWN)) break;
  if (focus && ::IsWindow(focus)) ::SetFocus(focus);
}
