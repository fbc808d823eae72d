// CWnd's own message map and the default handlers of the ON_WM_* entries:
// each does the window's default handling of the message; those of messages
// a control sends its parent first offer it back to the control (reflection).
#include "platform/framework/framework_all.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
  ON_WM_CTLCOLOR()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnImeChar(UINT, UINT, UINT) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnMDIActivate(BOOL, CWnd*, CWnd*) { Default(); }
void CWnd::OnParentNotify(UINT, LPARAM) { Default(); }
void CWnd::OnSettingChange(UINT, const char*) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnChildActivate() { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT dis) {
  if (dis && dis->CtlType != ODT_MENU && ReflectLastMsg(dis->hwndItem)) return;
  Default();
}

void CWnd::OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis) {
  // The item's control is found by its id; a menu item has none to reflect to.
  if (mis && mis->CtlType != ODT_MENU) {
    if (HWND control = ::GetDlgItem(m_hWnd, id); control && ReflectLastMsg(control)) return;
  }
  Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* window, UINT) {
  LRESULT result = 0;
  if (window && ReflectLastMsg(window->m_hWnd, &result)) return reinterpret_cast<HBRUSH>(result);
  return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* bar) {
  if (bar && ReflectLastMsg(bar->m_hWnd)) return;
  Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* bar) {
  if (bar && ReflectLastMsg(bar->m_hWnd)) return;
  Default();
}
