// The mouse: selecting by clicking and dragging, resizing rows and columns
// by their borders, preparing edits, auto-scrolling while a selection is
// dragged past the edge, and the cursor.
#include <algorithm>
#include <cstring>

#include "grid/grid_ctrl.h"

CPoint CGridCtrl::GetPointClicked(int row, int col, const CPoint& point) {
  POINT origin;
  if (!GetCellOrigin(row, col, &origin)) return CPoint(0, 0);
  return CPoint(point.x - origin.x, point.y - origin.y);
}

bool CGridCtrl::MouseOverRowResizeArea(CPoint point) {
  if (point.x >= GetFixedColumnWidth()) return false;
  const CGridCellId cell = GetCellFromPt(point);
  RECT rect;
  if (!GetCellRect(cell, &rect)) return false;
  const int range = m_nResizeCaptureRange;
  return (cell.row != 0 && point.y < rect.top + range) || point.y > rect.bottom - range;
}

bool CGridCtrl::MouseOverColumnResizeArea(CPoint point) {
  if (point.y >= GetFixedRowHeight()) return false;
  const CGridCellId cell = GetCellFromPt(point);
  RECT rect;
  if (!GetCellRect(cell, &rect)) return false;
  const int range = m_nResizeCaptureRange;
  return (cell.col != 0 && point.x < rect.left + range) || point.x > rect.right - range;
}

void CGridCtrl::DrawSizingLine(CPoint from, CPoint to, bool vertical) {
  HDC dc = ::GetDC(m_hWnd);
  CRect client;
  GetClientRect(&client);
  auto invert = [&](CPoint p) {
    RECT line = vertical ? RECT{p.x, client.top, p.x + 2, client.bottom} : RECT{client.left, p.y, client.right, p.y + 2};
    InvertRect(dc, &line);
  };
  if (m_bSizingLineShown) invert(from);
  invert(to);
  m_bSizingLineShown = true;
  ::ReleaseDC(m_hWnd, dc);
}

void CGridCtrl::OnLButtonDown(UINT flags, CPoint point) {
  const CGridCellId oldFocus = m_idCurrentCell;
  SetFocus();
  m_bLMouseButtonDown = true;
  m_LeftClickDownPoint = point;
  m_LeftClickDownCell = GetCellFromPt(point);
  if (!IsValid(m_LeftClickDownCell)) {
    UnselectCell({-1, -1}, true);
    if (CWnd* owner = GetOwner()) owner->SendMessage(kGridMsgClickOutside, 0, 0);
    return;
  }
  if (GetItemState(m_LeftClickDownCell.row, m_LeftClickDownCell.col) & GVIS_READONLY) return;
  const bool ctrl = (flags & MK_CONTROL) != 0, shift = (flags & MK_SHIFT) != 0;
  CGridCellId fromFocus = oldFocus;
  if (shift) {
    if (!IsValid(m_SelectionStartCell)) m_SelectionStartCell = m_idCurrentCell;
    const CGridCellRange selected = GetSelectedCellRange();
    if (m_idCurrentCell.row == selected.minRow)
      fromFocus.row = selected.maxRow;
    else if (m_idCurrentCell.row == selected.maxRow)
      fromFocus.row = selected.minRow;
  } else {
    m_SelectionStartCell = m_LeftClickDownCell;
  }
  EndEditing();
  CGridCellBase* cell = GetCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col);
  bool inText = false;
  if (cell) {
    cell->OnClickDown(GetPointClicked(m_LeftClickDownCell.row, m_LeftClickDownCell.col, point));
    RECT text;
    inText = GetTextRect(m_LeftClickDownCell.row, m_LeftClickDownCell.col, &text) && PtInRect(&text, point);
  }
  if (m_LeftClickDownCell == m_idCurrentCell && !ctrl && inText && IsCellEditable(m_LeftClickDownCell)) {
    m_MouseMode = MOUSE_PREPARE_EDIT;
    return;
  }
  if (IsCellSelected(m_LeftClickDownCell)) {
    SetFocusCell(m_LeftClickDownCell);
    if (ctrl) {
      if (m_bListMode)
        SelectRows(m_LeftClickDownCell, true, false);
      else
        SelectCells(m_LeftClickDownCell, true, false);
      return;
    }
    if (m_bAllowDragAndDrop) m_MouseMode = MOUSE_PREPARE_DRAG;
  } else if (m_MouseMode != MOUSE_OVER_COL_DIVIDE && m_MouseMode != MOUSE_OVER_ROW_DIVIDE) {
    if (IsCellFixed(m_LeftClickDownCell.row, m_LeftClickDownCell.col))
      SetFocusCell(-1, -1);
    else
      SetFocusCell(m_LeftClickDownCell);
  }
  SetCapture();
  if (m_MouseMode == MOUSE_NOTHING) {
    if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
      ::SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
      m_MouseMode = MOUSE_OVER_COL_DIVIDE;
    } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
      ::SetCursor(LoadCursorA(nullptr, IDC_SIZENS));
      m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
    } else if (ClickEditsCell && IsValid(m_idCurrentCell)) {
      m_MouseMode = MOUSE_NOTHING;
      if (!ctrl) UnselectCell(m_idCurrentCell, true);
      if (RowPickMode) {
        const int from = std::min(shift ? fromFocus.row : m_idCurrentCell.row, m_idCurrentCell.row);
        const int to = std::max(shift ? fromFocus.row : m_idCurrentCell.row, m_idCurrentCell.row);
        const bool wasSelected = IsCellSelected(m_idCurrentCell);
        for (int row = std::max(from, 0); row <= to; ++row) {
          for (int col = 0; col < m_nCols; ++col) SetItemState(row, col, GetItemState(row, col) | GVIS_SELECTED);
          InvalidateRow(row);
        }
        if (!shift && !ctrl && wasSelected && from == to) OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, point, VK_LBUTTON);
      } else {
        SetItemState(m_idCurrentCell.row, m_idCurrentCell.col,
                     GetItemState(m_idCurrentCell.row, m_idCurrentCell.col) | GVIS_SELECTED);
        RedrawCell(m_idCurrentCell);
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, point, VK_LBUTTON);
      }
      SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GVN_SELCHANGED, 0, oldFocus.row, oldFocus.col);
      if (m_idCurrentCell.col == 0 && m_idCurrentCell.row != oldFocus.row)
        if (CWnd* owner = GetOwner()) owner->PostMessage(kGridMsgRowAction, static_cast<WPARAM>(m_idCurrentCell.row), 0);
      m_LastMousePoint = point;
      return;
    }
  }
  if (m_MouseMode == MOUSE_OVER_COL_DIVIDE) {
    m_MouseMode = MOUSE_SIZING_COL;
    RECT rect;
    GetCellRect(m_LeftClickDownCell, &rect);
    int col = m_LeftClickDownCell.col;
    if (point.x < rect.left + m_nResizeCaptureRange && col > 0) {
      --col;
      if (!m_bHiddenColUnhide)
        while (col > 0 && GetColumnWidth(col) == 0) --col;
    }
    m_nSizingIndex = col;
    m_bSizingLineShown = false;
    DrawSizingLine(point, point, true);
    POINT origin;
    GetCellOrigin(0, col, &origin);
    CRect client;
    GetClientRect(&client);
    RECT confine{origin.x + 1, client.top, origin.x + client.Width() - GetFixedColumnWidth() + 1, client.bottom};
    ClientToScreen(reinterpret_cast<POINT*>(&confine.left));
    ClientToScreen(reinterpret_cast<POINT*>(&confine.right));
    ClipCursor(&confine);
  } else if (m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
    m_MouseMode = MOUSE_SIZING_ROW;
    RECT rect;
    GetCellRect(m_LeftClickDownCell, &rect);
    int row = m_LeftClickDownCell.row;
    if (point.y < rect.top + m_nResizeCaptureRange && row > 0) {
      --row;
      if (!m_bHiddenRowUnhide)
        while (row > 0 && GetRowHeight(row) == 0) --row;
    }
    m_nSizingIndex = row;
    m_bSizingLineShown = false;
    DrawSizingLine(point, point, false);
  } else if (m_MouseMode != MOUSE_PREPARE_DRAG) {
    SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GVN_SELCHANGING);
    m_PrevSelection.Clear();
    if (ctrl) m_PrevSelection = m_Selection;
    if (m_LeftClickDownCell.row < m_nFixedRows) {
      OnFixedRowClick(m_LeftClickDownCell);
    } else if (m_LeftClickDownCell.col < m_nFixedCols) {
      OnFixedColumnClick(m_LeftClickDownCell);
    } else {
      m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
      OnSelecting(m_LeftClickDownCell);
      m_nTimerID = SetTimer(WM_LBUTTONDOWN, static_cast<UINT>(m_nTimerInterval));
    }
  }
  m_LastMousePoint = point;
}

void CGridCtrl::OnMouseMove(UINT flags, CPoint point) {
  CRect client;
  GetClientRect(&client);
  if (!client.PtInRect(point) && m_MouseMode != MOUSE_DRAGGING) return;
  const bool button = (flags & MK_LBUTTON) != 0 && m_bLMouseButtonDown;
  if (!button || m_MouseMode == MOUSE_NOTHING) {
    int mode = MOUSE_NOTHING;
    LPCSTR cursor = IDC_ARROW;
    if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
      mode = MOUSE_OVER_COL_DIVIDE;
      cursor = IDC_SIZEWE;
    } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
      mode = MOUSE_OVER_ROW_DIVIDE;
      cursor = IDC_SIZENS;
    }
    if (mode != m_MouseMode) {
      ::SetCursor(LoadCursorA(nullptr, cursor));
      m_MouseMode = mode;
    }
    if (m_MouseMode == MOUSE_NOTHING && (!m_bVirtualMode || m_bTitleTips)) {
      const CGridCellId id = GetCellFromPt(point);
      if (CGridCellBase* cell = IsValid(id) ? GetCell(id.row, id.col) : nullptr) {
        cell->OnMouseOver();
        if (m_bTitleTips) ShowTitleTipFor(id, cell);
      }
    }
    m_LastMousePoint = point;
    return;
  }
  if (!IsValid(m_LeftClickDownCell)) {
    m_LastMousePoint = point;
    return;
  }
  switch (m_MouseMode) {
    case MOUSE_SELECT_COL:
    case MOUSE_SELECT_ROW:
    case MOUSE_SELECT_CELLS: {
      const CGridCellId id = GetCellFromPt(point);
      if (IsValid(id) && !(id == m_idCurrentCell)) {
        OnSelecting(id);
        if (!IsCellFixed(id.row, id.col) || m_MouseMode != MOUSE_SELECT_CELLS) SetFocusCell(id);
      }
      break;
    }
    case MOUSE_SIZING_ROW: DrawSizingLine(m_LastMousePoint, point, false); break;
    case MOUSE_SIZING_COL: DrawSizingLine(m_LastMousePoint, point, true); break;
    case MOUSE_PREPARE_EDIT:
    case MOUSE_PREPARE_DRAG:
      m_MouseMode = MOUSE_PREPARE_DRAG;
      OnBeginDrag();
      break;
    default: break;
  }
  m_LastMousePoint = point;
}

void CGridCtrl::OnLButtonUp(UINT flags, CPoint point) {
  CWnd::OnLButtonUp(flags, point);
  m_bLMouseButtonDown = false;
  ClipCursor(nullptr);
  if (GetCapture() == this) {
    ReleaseCapture();
    KillTimer(m_nTimerID);
    m_nTimerID = 0;
  }
  const CGridCellId focus = m_idCurrentCell;
  CGridCellBase* focusCell = GetCell(focus.row, focus.col);
  switch (m_MouseMode) {
    case MOUSE_PREPARE_EDIT:
      OnEditCell(focus.row, focus.col, GetPointClicked(focus.row, focus.col, point), VK_LBUTTON);
      break;
    case MOUSE_PREPARE_DRAG:
      if (focusCell) focusCell->OnClick(GetPointClicked(focus.row, focus.col, point));
      SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GVN_CLICK);
      SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GVN_SELCHANGING);
      ResetSelectedRange();
      SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GVN_SELCHANGED, 0, -1, -1);
      break;
    case MOUSE_SIZING_COL:
    case MOUSE_SIZING_ROW: {
      const bool col = m_MouseMode == MOUSE_SIZING_COL;
      if (m_bSizingLineShown) DrawSizingLine(m_LastMousePoint, m_LastMousePoint, col);  // erases it
      m_bSizingLineShown = false;
      if (!(point == m_LeftClickDownPoint) && !(point.x == 0 && point.y == 0)) {
        POINT origin;
        if (col && GetCellOrigin(0, m_nSizingIndex, &origin)) {
          SetColumnWidth(m_nSizingIndex, std::max(static_cast<int>(point.x - origin.x), m_bAllowColHide ? 0 : 1));
        } else if (!col && GetCellOrigin(m_nSizingIndex, 0, &origin)) {
          SetRowHeight(m_nSizingIndex, std::max(static_cast<int>(point.y - origin.y), m_bAllowRowHide ? 0 : 1));
        }
        ResetScrollBars();
        Invalidate();
      }
      break;
    }
    default:
      SendMessageToParent(focus.row, focus.col, GVN_SELCHANGED, 0, -1, -1);
      if (focusCell) focusCell->OnClick(GetPointClicked(focus.row, focus.col, point));
      SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GVN_CLICK);
      break;
  }
  m_MouseMode = MOUSE_NOTHING;
  ::SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  if (IsValid(m_LeftClickDownCell))
    if (CWnd* owner = GetOwner())
      owner->PostMessage(WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(m_hWnd));
}

void CGridCtrl::OnLButtonDblClk(UINT flags, CPoint point) {
  const CGridCellId cell = GetCellFromPt(point);
  if (!IsValid(cell)) return;
  // The first click's release left the mode at nothing; the border under
  // the pointer decides as a move over it would have.
  if (m_MouseMode == MOUSE_NOTHING) {
    if (m_bAllowColumnResize && MouseOverColumnResizeArea(point))
      m_MouseMode = MOUSE_OVER_COL_DIVIDE;
    else if (m_bAllowRowResize && MouseOverRowResizeArea(point))
      m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
  }
  if (m_MouseMode == MOUSE_OVER_COL_DIVIDE) {
    RECT rect;
    int col = cell.col;
    if (GetCellRect(cell, &rect) && point.x < rect.left + m_nResizeCaptureRange && col > 0) {
      --col;
      while (col > 0 && GetColumnWidth(col) == 0) --col;
    }
    AutoSizeColumn(col, m_nAutoSizeColumnStyle, true);
    Invalidate();
  } else if (m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
    RECT rect;
    int row = cell.row;
    if (GetCellRect(cell, &rect) && point.y < rect.top + m_nResizeCaptureRange && row > 0) {
      --row;
      while (row > 0 && GetRowHeight(row) == 0) --row;
    }
    AutoSizeRow(row, true);
    Invalidate();
  } else if (m_MouseMode == MOUSE_NOTHING) {
    RECT text;
    const bool inText = GetTextRect(cell.row, cell.col, &text) && PtInRect(&text, point);
    if (!IsCellFixed(cell.row, cell.col) && (m_bListMode || (inText && IsValid(m_LeftClickDownCell))))
      OnEditCell(cell.row, cell.col, GetPointClicked(cell.row, cell.col, point), VK_LBUTTON);
    if (CGridCellBase* c = GetCell(cell.row, cell.col)) c->OnDblClick(GetPointClicked(cell.row, cell.col, point));
    SendMessageToParent(cell.row, cell.col, GVN_DBLCLK);
  }
  m_MouseMode = MOUSE_NOTHING;
  CWnd::OnLButtonDblClk(flags, point);
}

void CGridCtrl::OnRButtonUp(UINT flags, CPoint point) {
  CWnd::OnRButtonUp(flags, point);
  EndEditing();
  const CGridCellId cell = GetCellFromPt(point);
  if (IsValid(cell)) {
    SetFocusCell(std::max(cell.row, m_nFixedRows), std::max(cell.col, m_nFixedCols));
    if (CGridCellBase* c = GetCell(cell.row, cell.col)) c->OnRClick(GetPointClicked(cell.row, cell.col, point));
    SendMessageToParent(cell.row, cell.col, GVN_RCLICK);
  } else {
    SendMessageToParent(-1, -1, GVN_RCLICK);
  }
}

void CGridCtrl::OnTimer(UINT_PTR id) {
  if (id != WM_LBUTTONDOWN) return;
  POINT cursor;
  if (!GetCursorPos(&cursor)) return;
  ScreenToClient(&cursor);
  CRect client;
  GetClientRect(&client);
  const int fh = GetFixedRowHeight(), fw = GetFixedColumnWidth();
  const auto clampX = [&](LONG x) { return std::clamp(x, client.left, client.right); };
  const auto clampY = [&](LONG y) { return std::clamp(y, client.top, client.bottom); };
  if (cursor.y > client.bottom) {
    SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    OnSelecting(GetCellFromPt(CPoint(clampX(cursor.x), client.bottom)));
  } else if (cursor.y < fh) {
    SendMessage(WM_KEYDOWN, VK_UP, 0);
    OnSelecting(GetCellFromPt(CPoint(clampX(cursor.x), fh + 1)));
  }
  if (cursor.x > client.right) {
    SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    OnSelecting(GetCellFromPt(CPoint(client.right, clampY(cursor.y))));
  } else if (cursor.x < fw) {
    SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    OnSelecting(GetCellFromPt(CPoint(fw + 1, clampY(cursor.y))));
  }
}

void CGridCtrl::OnCaptureChanged(CWnd* window) {
  if (window == this) return;
  if (m_nTimerID) {
    KillTimer(m_nTimerID);
    m_nTimerID = 0;
  }
  if (m_MouseMode == MOUSE_DRAGGING) m_MouseMode = MOUSE_NOTHING;
}

BOOL CGridCtrl::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
  if (hitTest != HTCLIENT) return static_cast<BOOL>(Default());
  switch (m_MouseMode) {
    case MOUSE_OVER_ROW_DIVIDE:
    case MOUSE_SIZING_ROW: ::SetCursor(LoadCursorA(nullptr, IDC_SIZENS)); return TRUE;
    case MOUSE_OVER_COL_DIVIDE:
    case MOUSE_SIZING_COL: ::SetCursor(LoadCursorA(nullptr, IDC_SIZEWE)); return TRUE;
    case MOUSE_DRAGGING: return TRUE;
    default: break;
  }
  (void)window;
  (void)message;
  if (!m_bVirtualMode) {
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    const CGridCellId id = GetCellFromPt(cursor);
    if (CGridCellBase* cell = IsValid(id) ? GetCell(id.row, id.col) : nullptr) {
      if (cell->IsEditing() && !std::strstr(cell->GetRuntimeClass()->m_lpszClassName, "Combo")) {
        ::SetCursor(LoadCursorA(nullptr, IDC_IBEAM));
        return TRUE;
      }
      return cell->OnSetCursor();
    }
  }
  ::SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  return TRUE;
}

void CGridCtrl::OnSize(UINT type, int cx, int cy) {
  static bool sizing = false;  // shared by all grids
  if (sizing || !m_hWnd) return;
  sizing = true;
  EndEditing();
  CWnd::OnSize(type, cx, cy);
  // Refused, harmlessly, once registered.
  m_DropTarget.Register(this);
  ResetScrollBars();
  sizing = false;
}

void CGridCtrl::OnSysColorChange() {
  for (CGridDefaultCell* cell : {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef}) {
    if (cell->GetTextClr() == m_crWindowText) cell->SetTextClr(GetSysColor(COLOR_WINDOWTEXT));
    if (cell->GetBackClr() == m_crWindowColour) cell->SetBackClr(GetSysColor(COLOR_WINDOW));
  }
  if (m_crGridBkColour == m_crShadow) m_crGridBkColour = GetSysColor(COLOR_BTNSHADOW);
  m_crWindowText = GetSysColor(COLOR_WINDOWTEXT);
  m_crWindowColour = GetSysColor(COLOR_WINDOW);
  m_cr3DFace = GetSysColor(COLOR_3DFACE);
  m_crShadow = GetSysColor(COLOR_3DSHADOW);
}

LRESULT CGridCtrl::OnSetFont(WPARAM wParam, LPARAM) {
  const LRESULT result = Default();
  LOGFONTA lf;
  if (wParam && GetObjectA(reinterpret_cast<HGDIOBJ>(wParam), sizeof(lf), &lf)) {
    for (CGridDefaultCell* cell : {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef})
      cell->SetFont(&lf);
    Refresh();
  }
  return result;
}

LRESULT CGridCtrl::OnGetFont(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_cellDefault.GetFontObject()); }
