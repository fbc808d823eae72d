#include "grid/grid_combo.h"

#include <algorithm>

#include "grid/grid_ctrl.h"
#include "grid/grid_edit.h"

IMPLEMENT_DYNCREATE(CGridCellCombo, CGridCell)

namespace {
bool IsNavigation(UINT key) {
  return key == VK_PRIOR || key == VK_NEXT || key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN;
}
bool CtrlDown() { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }
constexpr int kComboEditId = 1001;
constexpr int kMaxDropWidth = 400;
}  // namespace

// ---- The cell ---------------------------------------------------------------

void CGridCellCombo::SetOptions(const AArray<AString>& options, const AArray<int>* itemData) {
  m_Strings = options;
  if (itemData) m_ItemData = *itemData;
}

CGridComboList* CGridCellCombo::GetComboWnd() const {
  if (!m_hEditWnd || !::IsWindow(m_hEditWnd)) return nullptr;
  return dynamic_cast<CGridComboList*>(CWnd::FromHandlePermanent(m_hEditWnd));
}

BOOL CGridCellCombo::Edit(int row, int col, RECT rect, POINT, UINT id, UINT firstKey) {
  m_bEditing = true;
  auto* list = new CGridComboList(m_pGrid, rect, GetStyle(), id, row, col, m_Strings, m_ItemData, GetText(), firstKey,
                                  m_pGrid && m_pGrid->GetColumnRawText(col), m_nSelected);
  m_hEditWnd = list->GetSafeHwnd();
  if (m_hEditWnd) list->SetCell(this);
  return TRUE;
}

HWND CGridCellCombo::GetEditWnd() const {
  CGridComboList* list = GetComboWnd();
  if (!list || (GetStyle() & 3) != CBS_DROPDOWN) return nullptr;
  return ::GetDlgItem(list->GetSafeHwnd(), kComboEditId);
}

void CGridCellCombo::EndEdit() {
  if (CGridComboList* list = GetComboWnd()) list->EndEdit();
}

BOOL CGridCellCombo::Draw(HDC dc, int row, int col, RECT rect, bool eraseBkgnd) {
  CGridCtrl* grid = GetGrid();
  if (grid && grid->IsCellEditable(row, col) && !IsEditing()) {
    const int width = GetSystemMetrics(SM_CXVSCROLL), height = GetSystemMetrics(SM_CYHSCROLL);
    if (width < rect.right - rect.left && height < rect.bottom - rect.top &&
        (!grid->m_bButtonOnFocusOnly || IsFocused())) {
      RECT button{rect.right - width, rect.top, rect.right, rect.top + height};
      const BOOL drawn = CGridCell::Draw(dc, row, col, {rect.left, rect.top, button.left, rect.bottom}, eraseBkgnd);
      // The strip under the button belongs to the cell too.
      RECT below{button.left, button.bottom, rect.right + 1, rect.bottom + 1};
      CGridCellBase* def = GetDefaultCell();
      if (below.top < below.bottom && def) {
        UniqueBrush brush(CreateSolidBrush(IsSelected() ? GetSysColor(COLOR_HIGHLIGHT)
                                          : GetBackClr() != CLR_DEFAULT_GRID ? GetBackClr()
                                                                              : def->GetBackClr()));
        FillRect(dc, &below, brush.get());
      }
      DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLDOWN);
      return drawn;
    }
  }
  if (IsEditing()) {
    // The list shows the text while it is open.
    const AString kept = m_strText;
    m_strText.Empty();
    const BOOL drawn = CGridCell::Draw(dc, row, col, rect, eraseBkgnd);
    m_strText = kept;
    return drawn;
  }
  return CGridCell::Draw(dc, row, col, rect, eraseBkgnd);
}

SIZE CGridCellCombo::GetCellExtent(HDC dc) {
  SIZE size = CGridCell::GetCellExtent(dc);
  size.cx += GetSystemMetrics(SM_CXVSCROLL);
  size.cy = std::max(size.cy, static_cast<LONG>(GetSystemMetrics(SM_CYHSCROLL)));
  return size;
}

// ---- The embedded edit ------------------------------------------------------

BEGIN_MESSAGE_MAP(CGridComboEdit, CEdit)
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_WM_KILLFOCUS()
  ON_WM_SYSCHAR()
END_MESSAGE_MAP()

BOOL CGridComboEdit::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_SYSCHAR) return TRUE;
  if (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) {
    ::TranslateMessage(msg);
    ::DispatchMessageA(msg);
    return TRUE;
  }
  return CEdit::PreTranslateMessage(msg);
}

void CGridComboEdit::OnKeyDown(UINT ch, UINT repeat, UINT flags) {
  if (IsNavigation(ch) && CtrlDown()) {
    GetParent()->SendMessage(WM_KEYDOWN, ch, 0);
    return;
  }
  CEdit::OnKeyDown(ch, repeat, flags);
}

void CGridComboEdit::OnKeyUp(UINT ch, UINT repeat, UINT flags) {
  if (ch == VK_TAB || ch == VK_RETURN || ch == VK_ESCAPE) {
    GetParent()->SendMessage(WM_KEYUP, ch, 0);
    return;
  }
  CEdit::OnKeyUp(ch, repeat, flags);
}

void CGridComboEdit::OnKillFocus(CWnd* next) {
  CEdit::OnKillFocus(next);
  if (auto* list = dynamic_cast<CGridComboList*>(GetParent())) list->EndEdit();
}

// ---- The drop list ------------------------------------------------------------

BEGIN_MESSAGE_MAP(CGridComboList, CMruComboBox)
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_WM_KILLFOCUS()
  ON_WM_GETDLGCODE()
  ON_WM_CTLCOLOR()
  ON_CONTROL_REFLECT_EX(CBN_SELENDOK, OnSelEndOk)
  ON_CONTROL_REFLECT_EX(CBN_DROPDOWN, OnComboDropDown)
END_MESSAGE_MAP()

CGridComboList::CGridComboList(CWnd* grid, RECT rect, DWORD style, UINT id, int row, int col,
                               const AArray<AString>& options, const AArray<int>& itemData, const AString& initText,
                               UINT firstKey, bool rawText, int selected)
    : m_sInitText(initText), m_nRow(row), m_nCol(col), m_bRawText(rawText) {
  const int cellHeight = rect.bottom - rect.top;
  rect.bottom += cellHeight * m_nNumLines + GetSystemMetrics(SM_CYHSCROLL);
  m_key = "NoMRU";
  m_historyOff = 1;
  m_editTakenOver = 1;  // the grid's own edit subclass serves in drop-down style
  if (!Create(style | WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_AUTOHSCROLL | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, rect,
              grid, id))
    return;
  for (int i = 0; i < options.GetSize(); ++i) {
    const int index = AddTranslatedString(options[i].IsEmpty() ? "" : options[i].GetData(), m_bRawText);
    if (i < itemData.GetSize()) SetItemData(index, static_cast<DWORD_PTR>(itemData[i]));
  }
  SendMessage(WM_SETFONT, grid->SendMessage(WM_GETFONT), 0);
  SetItemHeight(-1, static_cast<UINT>(std::max(cellHeight - 6, 1)));
  // The list's lines as tall as the font needs.
  TEXTMETRICA metrics{};
  HDC dc = ::GetDC(m_hWnd);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ::ReleaseDC(m_hWnd, dc);
  SetItemHeight(0, static_cast<UINT>(metrics.tmHeight + 2));
  SendMessage(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(DropWidth()));
  // The cell's chosen option is selected before the first key is applied
  // (so the key is never overwritten); a text that is no option stays shown.
  const char* init = m_sInitText.IsEmpty() ? "" : m_sInitText.GetData();
  SetCurSel(selected);
  const int exact = static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(init)));
  if (exact == CB_ERR)
    SetWindowText(init);
  else if (exact != selected)
    SetCurSel(exact);
  ShowDropDown(TRUE);
  SetFocus();
  if ((style & 3) != CBS_DROPDOWN) return;
  if (HWND edit = ::GetDlgItem(m_hWnd, kComboEditId)) m_edit.SubclassWindow(edit);
  m_edit.SetFocus();
  const int length = m_edit.GetWindowTextLength();
  switch (firstKey) {
    case VK_LBUTTON:
    case VK_RETURN:
      m_edit.SetSel(length, length);
      break;
    case VK_BACK:
      m_edit.SetSel(length, length);
      m_edit.SendMessage(WM_CHAR, VK_BACK, 0);
      break;
    default:
      // A typed first character replaces the text; it is never lost.
      m_edit.SetSel(0, -1);
      m_edit.SendMessage(WM_CHAR, firstKey, 0);
      break;
  }
}

int CGridComboList::DropWidth() {
  HDC dc = ::GetDC(m_hWnd);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
  int widest = 0;
  CString text;
  for (int i = 0; i < GetCount(); ++i) {
    GetLBText(i, text);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.GetString(), text.GetLength(), &size);
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  SIZE zero{};
  GetTextExtentPoint32A(dc, "0", 1, &zero);
  SelectObject(dc, old);
  ::ReleaseDC(m_hWnd, dc);
  return std::min(widest + GetSystemMetrics(SM_CXVSCROLL) + static_cast<int>(zero.cx), kMaxDropWidth);
}

BOOL CGridComboList::OnComboDropDown() {
  SendMessage(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(DropWidth()));
  return FALSE;
}

void CGridComboList::OnKeyDown(UINT ch, UINT repeat, UINT flags) {
  m_nLastPressed = ch;
  if (IsNavigation(ch) && CtrlDown()) {
    m_nLastChar = ch;
    GetParent()->SetFocus();
    return;
  }
  CMruComboBox::OnKeyDown(ch, repeat, flags);
}

void CGridComboList::OnKeyUp(UINT ch, UINT repeat, UINT flags) {
  if (ch == VK_ESCAPE) SetWindowText(m_sInitText.IsEmpty() ? "" : m_sInitText.GetData());
  if ((ch == VK_TAB && m_nLastPressed == VK_TAB) || ch == VK_RETURN || ch == VK_ESCAPE) {
    m_nLastChar = ch;
    GetParent()->SetFocus();
    return;
  }
  CMruComboBox::OnKeyUp(ch, repeat, flags);
}

void CGridComboList::OnKillFocus(CWnd* next) {
  CMruComboBox::OnKillFocus(next);
  if (next == this || (next && next->GetSafeHwnd() == m_edit.GetSafeHwnd())) return;
  if ((GetStyle() & 3) != CBS_DROPDOWN) EndEdit();
}

BOOL CGridComboList::OnSelEndOk() {
  if (m_pCell) m_pCell->m_nSelected = GetCurSel();
  return FALSE;
}

void CGridComboList::EndEdit() {
  static bool ending = false;  // shared by all lists: a notice may end editing again
  if (ending || m_bEnded) return;
  ending = true;
  m_bEnded = true;
  CString text;
  if (m_hWnd) GetWindowText(text);
  // The selection is stored in the cell before the grid hears of the end,
  // so its handler reads the new choice.
  if (m_pCell) m_pCell->m_nSelected = GetCurSel();
  SendEndEditNotice(m_hWnd, ::GetParent(m_hWnd), static_cast<UINT>(GetDlgCtrlID()), m_nRow, m_nCol,
                    AString(text.GetString()), m_nLastChar);
  if (::IsWindow(m_hWnd)) PostMessage(WM_CLOSE);
  ending = false;
}
