// The keyboard: moving the focus cell, the edit keys, and typing that starts
// editing a cell.
#include "grid/grid_ctrl.h"

namespace {
bool Down(int key) { return (GetKeyState(key) & 0x8000) != 0; }
}  // namespace

UINT CGridCtrl::OnGetDlgCode() {
  UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (m_bHandleTabKey && !Down(VK_CONTROL)) code |= DLGC_WANTTAB;
  return code;
}

void CGridCtrl::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (!IsValid(m_idCurrentCell)) {
    CWnd::OnKeyDown(key, repeat, flags);
    return;
  }
  const bool ctrl = Down(VK_CONTROL), shift = Down(VK_SHIFT);
  CGridCellId next = m_idCurrentCell;
  bool wrapped = false;
  m_bHScrolled = m_bVScrolled = false;
  if (ctrl) {
    if (key == VK_INSERT || key == 'C') OnEditCopy();
    if (key == 'A') OnEditSelectAll();
    if (key == 'V') OnEditPaste();
    if (key == 'X') OnEditCut();
  } else if (shift && key == VK_INSERT) {
    OnEditPaste();
  }
  const bool tab = key == VK_TAB;
  auto nextRowDown = [&](int row) {
    for (int r = row + 1; r < m_nRows; ++r)
      if (GetRowHeight(r) > 0) return r;
    return row;
  };
  auto nextRowUp = [&](int row) {
    for (int r = row - 1; r >= m_nFixedRows; --r)
      if (GetRowHeight(r) > 0) return r;
    return row;
  };
  if (key == VK_DELETE) {
    CutSelectedText();
  } else if (key == VK_DOWN || (tab && !shift && RowPickMode)) {
    next.row = nextRowDown(next.row);
  } else if (key == VK_UP || (tab && shift && RowPickMode)) {
    next.row = nextRowUp(next.row);
  } else if (key == VK_RIGHT || (tab && !shift)) {
    int col = next.col + 1;
    // Tab past the last column wraps to the first non-fixed column of the
    // next row, as Shift+Tab past the first wraps back.
    if (tab && col >= m_nCols) {
      const int row = nextRowDown(next.row);
      if (row != next.row) {
        next.row = row;
        col = m_nFixedCols;
        wrapped = true;
      }
    }
    while (col < m_nCols && GetColumnWidth(col) <= 0) ++col;
    if (col >= m_nCols) {
      if (NextFocusWindow) {
        ::SetFocus(NextFocusWindow);
        return;
      }
    } else {
      next.col = col;
    }
  } else if (key == VK_LEFT || (tab && shift)) {
    int col = next.col - 1;
    if (tab && col < m_nFixedCols) {
      const int row = nextRowUp(next.row);
      if (row != next.row) {
        next.row = row;
        col = m_nCols - 1;
        wrapped = true;
      }
    }
    while (col >= m_nFixedCols && GetColumnWidth(col) <= 0) --col;
    if (col < m_nFixedCols) {
      if (PrevFocusWindow) {
        ::SetFocus(PrevFocusWindow);
        return;
      }
    } else {
      next.col = col;
    }
  } else if (key == VK_SPACE) {
    if (CWnd* owner = GetOwner())
      owner->PostMessage(kGridMsgRowAction, static_cast<WPARAM>(m_idCurrentCell.row), m_idCurrentCell.col);
  } else if (key == VK_PRIOR || key == VK_NEXT) {
    const CGridCellId before = GetTopleftNonFixedCell();
    SendScrollMessage(WM_VSCROLL, key == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN);
    const CGridCellId after = GetTopleftNonFixedCell();
    const int moved = after.row - before.row;
    if (key == VK_PRIOR) {
      next.row += moved;
      if (moved == 0 || next.row < m_nFixedRows) next.row = m_nFixedRows;
    } else {
      next.row += moved;
      if (moved == 0 || next.row >= m_nRows) next.row = m_nRows - 1;
    }
  } else if (key == VK_END) {
    if (ctrl) {
      SendScrollMessage(WM_VSCROLL, SB_BOTTOM);
      next.row = m_nRows - 1;
    }
    SendScrollMessage(WM_HSCROLL, SB_RIGHT);
    next.col = m_nCols - 1;
    while (next.col > m_nFixedCols + 1 && GetColumnWidth(next.col) == 0) --next.col;
    while (next.row > m_nFixedRows + 1 && GetRowHeight(next.row) == 0) --next.row;
  } else if (key == VK_HOME) {
    if (ctrl) {
      SendScrollMessage(WM_VSCROLL, SB_TOP);
      next.row = m_nFixedRows;
    }
    SendScrollMessage(WM_HSCROLL, SB_LEFT);
    next.col = m_nFixedCols;
    while (next.col < m_nCols - 1 && GetColumnWidth(next.col) == 0) ++next.col;
    while (next.row < m_nRows - 1 && GetRowHeight(next.row) == 0) ++next.row;
  } else if (key == VK_F2) {
    OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, {-1, -1}, VK_LBUTTON);
  } else {
    CWnd::OnKeyDown(key, repeat, flags);
    return;
  }
  if (next == m_idCurrentCell) return;
  const CGridCellId old = m_idCurrentCell;
  if (m_MouseMode == MOUSE_NOTHING) {
    m_PrevSelection.Clear();
    m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
    if (!shift || tab) m_SelectionStartCell = next;
    SendMessageToParent(next.row, next.col, GVN_SELCHANGING);
    OnSelecting(next);
    SendMessageToParent(next.row, next.col, GVN_SELCHANGED, 0, old.row, old.col);
    m_MouseMode = MOUSE_NOTHING;
  }
  SetFocusCell(next);
  if (!IsCellVisible(next)) {
    if (tab && shift) {
      if (wrapped) {
        SendScrollMessage(WM_VSCROLL, SB_LINEUP);
        SetScrollPos32(SB_HORZ, m_nHScrollMax);
      } else {
        SendScrollMessage(WM_HSCROLL, SB_LINELEFT);
      }
    } else if (tab) {
      if (wrapped) {
        SendScrollMessage(WM_VSCROLL, SB_LINEDOWN);
        SetScrollPos32(SB_HORZ, 0);
      } else {
        SendScrollMessage(WM_HSCROLL, SB_LINERIGHT);
      }
    } else if (key == VK_LEFT) {
      SendScrollMessage(WM_HSCROLL, SB_LINELEFT);
    } else if (key == VK_UP) {
      SendScrollMessage(WM_VSCROLL, SB_LINEUP);
    } else if (key == VK_RIGHT) {
      SendScrollMessage(WM_HSCROLL, SB_LINERIGHT);
    } else if (key == VK_DOWN) {
      SendScrollMessage(WM_VSCROLL, SB_LINEDOWN);
    }
    EnsureVisible(next);
    Invalidate();
  }
  EnsureVisible(next);
  if (m_bHScrolled) SendMessage(WM_HSCROLL, SB_ENDSCROLL, 0);
  if (m_bVScrolled) SendMessage(WM_VSCROLL, SB_ENDSCROLL, 0);
}

void CGridCtrl::OnChar(UINT ch, UINT repeat, UINT flags) {
  if (!Down(VK_CONTROL) && m_MouseMode == MOUSE_NOTHING && ch != VK_ESCAPE && !(m_bHandleTabKey && ch == VK_TAB))
    OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, {-1, -1}, ch);
  CWnd::OnChar(ch, repeat, flags);
}

LRESULT CGridCtrl::OnImeChar(WPARAM ch, LPARAM) {
  if (!Down(VK_CONTROL) && m_MouseMode == MOUSE_NOTHING && ch != VK_ESCAPE)
    OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, {-1, -1}, static_cast<UINT>(ch));
  return 0;
}
