// CWnd: the window calls, each on the object's handle.
#include "platform/framework/gdi_objects.h"
#include "platform/framework/controls.h"
#include "platform/framework/menu.h"
#include "platform/framework/wnd.h"

#include <algorithm>

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageA(m_hWnd, message, wParam, lParam);
}
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::PostMessageA(m_hWnd, message, wParam, lParam);
}
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER) ? ::GetWindow(m_hWnd, GW_OWNER) : ::GetParent(m_hWnd)); }
CWnd* CWnd::GetTopLevelParent() const {
  HWND window = m_hWnd;
  for (HWND up; (up = ::GetParent(window)) != nullptr;) window = up;
  return FromHandle(window);
}
CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
CWnd* CWnd::GetDescendantWindow(int id, BOOL onlyPermanent) const {
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (::GetDlgCtrlID(child) == id) {
      CWnd* wnd = onlyPermanent ? FromHandlePermanent(child) : FromHandle(child);
      if (wnd) return wnd;
    }
    CWnd temp(child);
    CWnd* found = temp.GetDescendantWindow(id, onlyPermanent);
    temp.m_hWnd = nullptr;
    if (found) return found;
  }
  return nullptr;
}
CWnd* CWnd::GetWindow(UINT command) const { return FromHandle(::GetWindow(m_hWnd, command)); }
CWnd* CWnd::GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
CWnd* CWnd::GetNextWindow(UINT flag) const { return FromHandle(::GetNextWindow(m_hWnd, flag)); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int id) { return static_cast<int>(::SetWindowLongPtrA(m_hWnd, GWLP_ID, id)); }
BOOL CWnd::IsChild(const CWnd* window) const { return window && ::IsChild(m_hWnd, window->m_hWnd); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)); }

namespace {

BOOL Modify(HWND window, int index, DWORD remove, DWORD add, UINT flags) {
  const auto style = static_cast<DWORD>(::GetWindowLongA(window, index));
  const DWORD changed = (style & ~remove) | add;
  if (changed == style) return FALSE;
  ::SetWindowLongA(window, index, static_cast<LONG>(changed));
  if (flags) ::SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
  return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) { return Modify(m_hWnd, GWL_STYLE, remove, add, flags); }
BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
  return Modify(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}
void CWnd::SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
int CWnd::GetWindowText(char* text, int size) const { return ::GetWindowTextA(m_hWnd, text, size); }
void CWnd::GetWindowText(CString& text) const {
  const int length = ::GetWindowTextLengthA(m_hWnd);
  char* buffer = text.GetBufferSetLength(length);
  ::GetWindowTextA(m_hWnd, buffer, length + 1);
  text.ReleaseBuffer();
}
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
void CWnd::GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
void CWnd::GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
void CWnd::ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
void CWnd::ClientToScreen(LPRECT rect) const { ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(rect), 2); }
void CWnd::ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
void CWnd::ScreenToClient(LPRECT rect) const { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(rect), 2); }
void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
  ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}
void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
  MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}
BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}
BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }
void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) { ::InvalidateRect(m_hWnd, rect, erase); }
void CWnd::ValidateRect(LPCRECT rect) { ::ValidateRect(m_hWnd, rect); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
BOOL CWnd::RedrawWindow(LPCRECT rect, HRGN region, UINT flags) { return ::RedrawWindow(m_hWnd, rect, region, flags); }
void CWnd::SetRedraw(BOOL redraw) { SendMessage(WM_SETREDRAW, redraw, 0); }
CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
BOOL CWnd::SetMenu(CMenu* menu) { return ::SetMenu(m_hWnd, menu ? menu->m_hMenu : nullptr); }
void CWnd::DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) { return ::SetTimer(m_hWnd, id, elapse, proc); }
BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
void CWnd::SetFont(CFont* font, BOOL redraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->m_hObject : nullptr), redraw);
}
CFont* CWnd::GetFont() const {
  return static_cast<CFont*>(CGdiObject::FromHandle(reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT, 0, 0)),
                                                    RUNTIME_CLASS(CFont)));
}
CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* dc) { return dc ? ::ReleaseDC(m_hWnd, dc->m_hDC) : 0; }
void CWnd::CenterWindow(CWnd* alternateOwner) {
  RECT mine, around;
  ::GetWindowRect(m_hWnd, &mine);
  HWND owner = alternateOwner ? alternateOwner->m_hWnd : ::GetParent(m_hWnd);
  if (owner) {
    ::GetWindowRect(owner, &around);
  } else {
    around = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }
  const int w = mine.right - mine.left, h = mine.bottom - mine.top;
  POINT at{around.left + (around.right - around.left - w) / 2, around.top + (around.bottom - around.top - h) / 2};
  if (GetStyle() & WS_CHILD) ::ScreenToClient(::GetParent(m_hWnd), &at);
  ::SetWindowPos(m_hWnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
  return ::MessageBoxA(m_hWnd, text, caption ? caption : "", type);
}

void CWnd::SetDlgItemText(int id, const char* text) { ::SetDlgItemTextA(m_hWnd, id, text); }
int CWnd::GetDlgItemText(int id, CString& text) const {
  text.Empty();
  if (HWND item = ::GetDlgItem(m_hWnd, id)) CWnd::FromHandle(item)->GetWindowText(text);
  return text.GetLength();
}
int CWnd::GetDlgItemText(int id, char* text, int size) const { return ::GetDlgItemTextA(m_hWnd, id, text, size); }
UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
  return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
}
void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) { ::SetDlgItemInt(m_hWnd, id, value, isSigned); }
void CWnd::CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
UINT CWnd::IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
void CWnd::CheckRadioButton(int first, int last, int check) { ::CheckRadioButton(m_hWnd, first, last, check); }
LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendDlgItemMessageA(m_hWnd, id, message, wParam, lParam);
}
CWnd* CWnd::GetNextDlgTabItem(CWnd* control, BOOL previous) const {
  return FromHandle(::GetNextDlgTabItem(m_hWnd, control ? control->m_hWnd : nullptr, previous));
}
CWnd* CWnd::GetNextDlgGroupItem(CWnd* control, BOOL previous) const {
  return FromHandle(::GetNextDlgGroupItem(m_hWnd, control ? control->m_hWnd : nullptr, previous));
}

// A window whose scroll bar is a control elsewhere (a pane of a splitter
// with shared bars) scrolls through that control.
int CWnd::GetScrollPos(int bar) const {
  if (CScrollBar* shared = GetScrollBarCtrl(bar)) return shared->GetScrollPos();
  return ::GetScrollPos(m_hWnd, bar);
}
int CWnd::SetScrollPos(int bar, int pos, BOOL redraw) {
  if (CScrollBar* shared = GetScrollBarCtrl(bar)) return shared->SetScrollPos(pos, redraw);
  return ::SetScrollPos(m_hWnd, bar, pos, redraw);
}
void CWnd::GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const {
  if (CScrollBar* shared = GetScrollBarCtrl(bar)) {
    ::GetScrollRange(shared->m_hWnd, SB_CTL, minPos, maxPos);
    return;
  }
  ::GetScrollRange(m_hWnd, bar, minPos, maxPos);
}
void CWnd::SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw) {
  if (CScrollBar* shared = GetScrollBarCtrl(bar)) {
    shared->SetScrollRange(minPos, maxPos, redraw);
    return;
  }
  ::SetScrollRange(m_hWnd, bar, minPos, maxPos, redraw);
}
BOOL CWnd::SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw) {
  info->cbSize = sizeof(SCROLLINFO);
  if (CScrollBar* shared = GetScrollBarCtrl(bar)) return shared->SetScrollInfo(info, redraw);
  ::SetScrollInfo(m_hWnd, bar, info, redraw);
  return TRUE;
}
BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask) const {
  info->cbSize = sizeof(SCROLLINFO);
  info->fMask = mask;
  if (CScrollBar* shared = GetScrollBarCtrl(bar)) return shared->GetScrollInfo(info, mask);
  return ::GetScrollInfo(m_hWnd, bar, info);
}
int CWnd::GetScrollLimit(int bar) const {
  SCROLLINFO info{};
  if (!GetScrollInfo(bar, &info, SIF_RANGE | SIF_PAGE)) return 0;
  return std::max(info.nMax - std::max(static_cast<int>(info.nPage) - 1, 0), info.nMin);
}
void CWnd::ShowScrollBar(UINT bar, BOOL show) {
  if (CScrollBar* shared = GetScrollBarCtrl(static_cast<int>(bar))) {
    shared->ShowWindow(show ? SW_SHOW : SW_HIDE);
    return;
  }
  ::ShowScrollBar(m_hWnd, static_cast<int>(bar), show);
}
void CWnd::ScrollWindow(int dx, int dy, LPCRECT scroll, LPCRECT clip) { ::ScrollWindow(m_hWnd, dx, dy, scroll, clip); }
CScrollBar* CWnd::GetScrollBarCtrl(int) const { return nullptr; }

