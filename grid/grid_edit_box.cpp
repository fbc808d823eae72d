// The in-place edit box over a cell.
#include <algorithm>

#include "grid/grid_ctrl.h"
#include "grid/grid_edit.h"

BEGIN_MESSAGE_MAP(CGridEditBox, CEdit)
  ON_WM_KEYDOWN()
  ON_WM_CHAR()
  ON_WM_KILLFOCUS()
  ON_WM_GETDLGCODE()
  ON_WM_SYSCHAR()
END_MESSAGE_MAP()

void SendEndEditNotice(HWND editor, HWND grid, UINT id, int row, int col, const AString& text, UINT lastKey) {
  if (!grid || !::IsWindow(grid)) return;
  GridDispInfo info;
  info.hdr.hwndFrom = editor;
  info.hdr.idFrom = id;
  info.hdr.code = static_cast<UINT>(GVN_ENDLABELEDIT);
  info.item.row = row;
  info.item.col = col;
  info.item.mask = GVIF_TEXT | GVIF_PARAM;
  info.item.text = text;
  info.item.lParam = static_cast<LPARAM>(lastKey);
  ::SendMessageA(grid, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&info));
}

CGridEditBox::CGridEditBox(CGridCtrl* grid, const RECT& rect, DWORD style, UINT id, int row, int col,
                           const AString& text, UINT firstKey)
    : m_nRow(row), m_nCol(col), m_sInitText(text), m_bExitOnArrows(firstKey != VK_LBUTTON), m_Rect(rect) {
  if (!Create(style | WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect, grid, id)) return;
  SendMessage(WM_SETFONT, grid->SendMessage(WM_GETFONT), 0);
  SetWindowText(text.IsEmpty() ? "" : text.GetData());
  SetFocus();
  const int length = GetWindowTextLength();
  switch (firstKey) {
    case VK_BACK:
      SetSel(length, -1);
      break;
    case VK_RETURN:
      SetSel(length, -1);
      return;
    case VK_TAB:
      SetSel(0, -1);
      return;
    default:
      // Every other key is a typed character (space and the punctuation
      // that shares its code with a navigation key included) and replaces
      // the whole text; 1 (a click or F2) only selects it.
      SetSel(0, -1);
      if (firstKey == VK_LBUTTON) return;
      break;
  }
  PostMessage(firstKey < 0x80 ? WM_CHAR : WM_IME_CHAR, firstKey, 0);
}

BOOL CGridEditBox::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_SYSCHAR) return TRUE;
  return CEdit::PreTranslateMessage(msg);
}

void CGridEditBox::OnKeyDown(UINT ch, UINT repeat, UINT flags) {
  const bool navigation = ch == VK_PRIOR || ch == VK_NEXT || ch == VK_LEFT || ch == VK_UP || ch == VK_RIGHT ||
                          ch == VK_DOWN;
  if (navigation && (m_bExitOnArrows || (GetKeyState(VK_CONTROL) & 0x8000))) {
    m_nLastChar = ch;
    GetParent()->SetFocus();
    return;
  }
  CEdit::OnKeyDown(ch, repeat, flags);
}

void CGridEditBox::OnChar(UINT ch, UINT repeat, UINT flags) {
  if (ch == VK_TAB || ch == VK_RETURN) {
    m_nLastChar = ch;
    GetParent()->SetFocus();
    return;
  }
  if (ch == VK_ESCAPE) {
    SetWindowText(m_sInitText.IsEmpty() ? "" : m_sInitText.GetData());
    m_nLastChar = ch;
    GetParent()->SetFocus();
    return;
  }
  CEdit::OnChar(ch, repeat, flags);
  Grow();
}

void CGridEditBox::Grow() {
  CString text;
  GetWindowText(text);
  text += "  ";
  HDC dc = ::GetDC(m_hWnd);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
  SIZE size{};
  GetTextExtentPoint32A(dc, text.GetString(), text.GetLength(), &size);
  SelectObject(dc, old);
  ::ReleaseDC(m_hWnd, dc);
  // The border and the edit's own margins take room from the text too.
  CRect window, client;
  GetWindowRect(&window);
  GetClientRect(&client);
  const LRESULT margins = SendMessage(EM_GETMARGINS);
  size.cx += window.Width() - client.Width() + LOWORD(margins) + HIWORD(margins);
  if (m_Rect.right - m_Rect.left >= size.cx) return;
  CRect gridClient;
  GetParent()->GetClientRect(&gridClient);
  m_Rect.right = std::min(static_cast<LONG>(m_Rect.left + size.cx), gridClient.right);
  MoveWindow(&m_Rect);
  // Widened, the whole text fits: show it from its start again.
  int start = 0, end = 0;
  GetSel(start, end);
  SetSel(0, 0);
  SetSel(start, end);
}

void CGridEditBox::OnKillFocus(CWnd* next) {
  CEdit::OnKillFocus(next);
  EndEdit();
}

void CGridEditBox::EndEdit() {
  static bool ending = false;  // shared by all edit boxes
  if (ending || m_bEnded) return;
  ending = true;
  m_bEnded = true;
  CString text;
  GetWindowText(text);
  const HWND self = m_hWnd;
  SendEndEditNotice(self, ::GetParent(self), static_cast<UINT>(GetDlgCtrlID()), m_nRow, m_nCol,
                    AString(text.GetString()), m_nLastChar);
  if (::IsWindow(self)) ::PostMessageA(self, WM_CLOSE, 0, 0);
  ending = false;
}
