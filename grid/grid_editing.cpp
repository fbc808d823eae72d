// Starting and ending in-place editing, asking the owner and telling it the
// result; replacing cell texts from the keyboard and the clipboard; header
// clicks.
#include <cstdlib>
#include <cstring>

#include "grid/grid_ctrl.h"

namespace {
long NumberOf(const AString& text) { return text.IsEmpty() ? 0 : atol(text.GetData()); }
bool SameText(const AString& a, const AString& b) {
  return a.GetLength() == b.GetLength() && (a.GetLength() == 0 || std::memcmp(a.GetData(), b.GetData(), a.GetLength()) == 0);
}
}  // namespace

void CGridCtrl::OnEditCell(int row, int col, POINT point, UINT firstKey) {
  HideTitleTip();
  if (!IsValid(row, col) || !IsCellEditable(row, col)) return;
  EnsureVisible(row, col);
  if (!IsCellVisible(row, col)) return;
  RECT rect;
  if (!GetCellRect(row, col, &rect)) return;
  if (SendMessageToParent(row, col, GVN_BEGINLABELEDIT) < 0) return;
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return;
  cell->Edit(row, col, rect, point, kGridEditorId, firstKey);
  if (HWND editor = cell->GetEditWnd()) m_hEditWnd = editor;
}

void CGridCtrl::OnEndEditCell(int row, int col, const AString& text) {
  CGridCellBase* cell = GetCell(row, col);
  const AString old = GetItemText(row, col);
  if (cell && m_bVirtualMode && !SameText(old, text)) StoreVirtualText(row, col, text);
  if (cell && !m_bVirtualMode && !SameText(old, text)) {
    // The new text is tried on the cell alone: a refusal puts the old text
    // back and leaves the modified state as it was.
    cell->SetText(text);
    const bool stands = ValidateEdit(row, col, text) &&
                        SendMessageToParent(row, col, GVN_ENDLABELEDIT, static_cast<int>(NumberOf(old)),
                                            static_cast<int>(NumberOf(text)), -1) >= 0;
    if (stands) {
      SetModified(true, row, col);
      RedrawCell(row, col);
    } else {
      cell->SetText(old);
    }
  }
  if (cell) cell->OnEndEdit();
  m_hEditWnd = nullptr;
}

bool CGridCtrl::StoreVirtualText(int row, int col, const AString& text) {
  // The cells of a virtual grid are the owner's: it keeps the text or not.
  if (!ValidateEdit(row, col, text)) return false;
  GridDispInfo info{};
  info.item.row = row;
  info.item.col = col;
  info.item.mask = GVIF_TEXT;
  info.item.text = text;
  if (SendNotice(info.hdr, GVN_SETDISPINFO) < 0) return false;
  m_bModified = true;
  RedrawCell(row, col);
  return true;
}

bool CGridCtrl::ValidateEdit(int row, int col, const AString& text) {
  CGridCellBase* cell = GetCell(row, col);
  return !cell || cell->ValidateEdit(text);
}

void CGridCtrl::EndEditing() {
  if (!IsValid(m_idCurrentCell)) return;
  CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col);
  if (!cell) return;
  cell->EndEdit();
  SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GVN_ENDLABELEDIT, 0, 0, 0);
}

BOOL CGridCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (wParam == kGridEditorId && header && static_cast<int>(header->code) == GVN_ENDLABELEDIT) {
    OnEndInPlaceEdit(*reinterpret_cast<const GridDispInfo*>(lParam));
    *result = 0;
    return TRUE;
  }
  return CWnd::OnNotify(wParam, lParam, result);
}

BOOL CGridCtrl::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == kGridEditorId && HIWORD(wParam) == CBN_SELCHANGE) {
    SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GVN_SELCHANGED, 1, -1, -1);
    return TRUE;
  }
  return CWnd::OnCommand(wParam, lParam);
}

void CGridCtrl::OnEndInPlaceEdit(const GridDispInfo& info) {
  const GridItem& item = info.item;
  OnEndEditCell(item.row, item.col, item.text);
  switch (item.lParam) {
    case VK_TAB:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      OnKeyDown(static_cast<UINT>(item.lParam), 0, 0);
      break;
    default:
      break;
  }
  SendMessageToParent(item.row, item.col, GVN_ENDLABELEDIT, 0, 0, 0);
}

void CGridCtrl::OnSetFocus(CWnd* old) {
  CWnd::OnSetFocus(old);
  // Set the focus cell again so its bits and drawing are current.
  const CGridCellId cell = m_idCurrentCell.row < 0 ? CGridCellId(0, 0) : m_idCurrentCell;
  m_idCurrentCell = {-1, -1};
  SetFocusCell(cell);
}

void CGridCtrl::ReplaceCellText(int row, int col, const AString& text) {
  if (!IsCellEditable(row, col) || SendMessageToParent(row, col, GVN_BEGINLABELEDIT) < 0) return;
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return;
  const AString old = cell->GetText();
  if (SameText(old, text)) return;
  if (m_bVirtualMode) {
    StoreVirtualText(row, col, text);
    return;
  }
  cell->SetText(text);
  if (ValidateEdit(row, col, text) && SendMessageToParent(row, col, GVN_ENDLABELEDIT) >= 0) {
    SetModified(true, row, col);
    RedrawCell(row, col);
  } else {
    cell->SetText(old);
  }
}

void CGridCtrl::ClearCells(const CGridCellRange& range) {
  for (int row = range.minRow; row <= range.maxRow; ++row)
    for (int col = range.minCol; col <= range.maxCol; ++col)
      if (GetRowHeight(row) > 0 && GetColumnWidth(col) > 0) ReplaceCellText(row, col, AString());
  Refresh();
}

SIZE CGridCtrl::GetTextExtent(int row, int col, const AString& text) {
  CGridCellBase* cell = GetCell(row, col);
  return cell ? cell->GetTextExtent(text, nullptr) : SIZE{0, 0};
}

void CGridCtrl::OnFixedRowClick(CGridCellId& cell) {
  if (!IsValid(cell)) return;
  if (m_bSortOnClick) {
    HCURSOR old = ::SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    SortItems(cell.col, cell.col == m_nSortColumn ? !m_bAscending : true);
    ::SetCursor(old);
    Invalidate();
  }
  if (m_bFixedRowSelection) {
    m_MouseMode = cell.col < m_nFixedCols ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
    OnSelecting(cell);
  }
}

void CGridCtrl::OnFixedColumnClick(CGridCellId& cell) {
  if (!IsValid(cell) || !m_bFixedColumnSelection) return;
  m_MouseMode = cell.row < m_nFixedRows ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
  OnSelecting(cell);
}
