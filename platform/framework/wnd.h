// CWnd: a C++ object attached to a window. Messages reach it through the
// framework's window procedure and its message map; what it does not handle
// goes to the window's own (super) procedure. Objects made for handles the
// framework did not create are temporary and deleted at idle time.
#pragma once

#include "platform/framework/cmd_target.h"
#include "platform/framework/cstring.h"
#include "platform/framework/geometry.h"
#include "platform/win.h"

class CDC;
class CFont;
class CMenu;
class CScrollBar;
class CFrameWnd;

class CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)

 public:
  CWnd() = default;
  explicit CWnd(HWND window) : m_hWnd(window) {}
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;
  operator HWND() const { return m_hWnd; }  // NOLINT: the framework's handle conversion
  HWND GetSafeHwnd() const { return m_hWnd; }

  // The object of a window: its permanent one, or a temporary one made now.
  static CWnd* FromHandle(HWND window);
  static CWnd* FromHandlePermanent(HWND window);
  // Deletes this thread's temporary objects (at idle time).
  static void DeleteTempMap();
  BOOL Attach(HWND window);
  HWND Detach();
  // Routes the window's messages through this object from now on.
  BOOL SubclassWindow(HWND window);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  HWND UnsubclassWindow();
  virtual void PreSubclassWindow() {}

  virtual BOOL Create(const char* className, const char* windowName, DWORD style, const RECT& rect, CWnd* parent,
                      UINT id, void* param = nullptr);
  virtual BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, const RECT& rect,
                        CWnd* parent, UINT id, void* param = nullptr);
  BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y, int cx,
                int cy, HWND parent, HMENU idOrMenu, void* param = nullptr);
  virtual BOOL DestroyWindow();
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  // Called after the last message; windows that own themselves delete here.
  virtual void PostNcDestroy() {}

  // Messages.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The default handling of the message being handled now.
  LRESULT Default();
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  static BOOL ReflectLastMsg(HWND child, LRESULT* result = nullptr);
  BOOL SendChildNotifyLastMsg(LRESULT* result);
  virtual BOOL PreTranslateMessage(MSG* msg);
  // Offers a message to each window from `window` up to `stop`, innermost first.
  static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);
  virtual BOOL ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }
  virtual void EndModalLoop(int result);
  virtual int RunModalLoop(DWORD flags = 0);
  // Runs the command-update handlers of a dialog's or bar's controls.
  void UpdateDialogControls(CCmdTarget* target, BOOL disableIfNoHandler);
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE,
                                BOOL onlyPermanent = FALSE);
  // Lays out the control bars among the children and the rest for one child.
  void RepositionBars(UINT idFirst, UINT idLast, UINT idLeftOver, UINT queryFlags = 0, LPRECT clientRect = nullptr,
                      LPCRECT boundsRect = nullptr, BOOL stretch = TRUE);

  // Window calls.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  CWnd* GetParent() const;
  CWnd* GetOwner() const;
  CWnd* GetTopLevelParent() const;
  CFrameWnd* GetParentFrame() const;
  CFrameWnd* GetTopLevelFrame() const;
  CWnd* GetDlgItem(int id) const;
  CWnd* GetDescendantWindow(int id, BOOL onlyPermanent = FALSE) const;
  CWnd* GetWindow(UINT command) const;
  CWnd* GetTopWindow() const;
  CWnd* GetNextWindow(UINT flag = GW_HWNDNEXT) const;
  int GetDlgCtrlID() const;
  int SetDlgCtrlID(int id);
  BOOL IsChild(const CWnd* window) const;
  static CWnd* GetFocus();
  CWnd* SetFocus();
  static CWnd* GetActiveWindow();
  CWnd* SetActiveWindow();
  static CWnd* GetCapture();
  CWnd* SetCapture();
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
  void SetWindowText(const char* text);
  int GetWindowText(char* text, int size) const;
  void GetWindowText(CString& text) const;
  int GetWindowTextLength() const;
  void GetClientRect(LPRECT rect) const;
  void GetWindowRect(LPRECT rect) const;
  void ClientToScreen(LPPOINT point) const;
  void ClientToScreen(LPRECT rect) const;
  void ScreenToClient(LPPOINT point) const;
  void ScreenToClient(LPRECT rect) const;
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
  void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
  BOOL ShowWindow(int command);
  BOOL IsWindowVisible() const;
  BOOL IsIconic() const;
  BOOL IsZoomed() const;
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsWindowEnabled() const;
  void Invalidate(BOOL erase = TRUE);
  void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
  void ValidateRect(LPCRECT rect);
  void UpdateWindow();
  BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN region = nullptr, UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  void SetRedraw(BOOL redraw = TRUE);
  CMenu* GetMenu() const;
  BOOL SetMenu(CMenu* menu);
  void DrawMenuBar();
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr);
  BOOL KillTimer(UINT_PTR id);
  void SetFont(CFont* font, BOOL redraw = TRUE);
  CFont* GetFont() const;
  CDC* GetDC();
  CDC* GetWindowDC();
  int ReleaseDC(CDC* dc);
  void CenterWindow(CWnd* alternateOwner = nullptr);
  void BringWindowToTop();
  int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);

  // Dialog-item calls.
  void SetDlgItemText(int id, const char* text);
  int GetDlgItemText(int id, CString& text) const;
  int GetDlgItemText(int id, char* text, int size) const;
  UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
  void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
  void CheckDlgButton(int id, UINT check);
  UINT IsDlgButtonChecked(int id) const;
  void CheckRadioButton(int first, int last, int check);
  LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  CWnd* GetNextDlgTabItem(CWnd* control, BOOL previous = FALSE) const;
  CWnd* GetNextDlgGroupItem(CWnd* control, BOOL previous = FALSE) const;

  // Scroll bars.
  int GetScrollPos(int bar) const;
  int SetScrollPos(int bar, int pos, BOOL redraw = TRUE);
  void GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const;
  void SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw = TRUE);
  BOOL SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw = TRUE);
  BOOL GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask = SIF_ALL) const;
  int GetScrollLimit(int bar) const;
  void ShowScrollBar(UINT bar, BOOL show = TRUE);
  void ScrollWindow(int dx, int dy, LPCRECT scroll = nullptr, LPCRECT clip = nullptr);
  virtual CScrollBar* GetScrollBarCtrl(int bar) const;

  // Default handlers of the ON_WM_* entries: the window's default handling.
  int OnCreate(LPCREATESTRUCT cs);
  void OnDestroy();
  void OnNcDestroy();
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* dc);
  void OnSize(UINT type, int cx, int cy);
  void OnMove(int x, int y);
  void OnClose();
  void OnTimer(UINT_PTR id);
  void OnSetFocus(CWnd* old);
  void OnKillFocus(CWnd* next);
  void OnShowWindow(BOOL show, UINT status);
  void OnActivate(UINT state, CWnd* other, BOOL minimized);
  void OnActivateApp(BOOL active, DWORD threadId);
  void OnEnable(BOOL enable);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnRButtonDown(UINT flags, CPoint point);
  void OnRButtonUp(UINT flags, CPoint point);
  void OnRButtonDblClk(UINT flags, CPoint point);
  void OnMButtonDown(UINT flags, CPoint point);
  void OnMButtonUp(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
  void OnKeyDown(UINT ch, UINT repeat, UINT flags);
  void OnKeyUp(UINT ch, UINT repeat, UINT flags);
  void OnChar(UINT ch, UINT repeat, UINT flags);
  void OnSysKeyDown(UINT ch, UINT repeat, UINT flags);
  void OnSysChar(UINT ch, UINT repeat, UINT flags);
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT ctlColor);
  void OnDrawItem(int id, LPDRAWITEMSTRUCT dis);
  void OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis);
  void OnContextMenu(CWnd* window, CPoint point);
  void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
  void OnGetMinMaxInfo(MINMAXINFO* info);
  void OnWindowPosChanged(WINDOWPOS* pos);
  void OnWindowPosChanging(WINDOWPOS* pos);
  void OnCaptureChanged(CWnd* window);
  int OnMouseActivate(CWnd* topLevel, UINT hitTest, UINT message);
  LRESULT OnNcHitTest(CPoint point);
  void OnNcLButtonDown(UINT hitTest, CPoint point);
  void OnNcLButtonDblClk(UINT hitTest, CPoint point);
  UINT OnGetDlgCode();
  void OnSysColorChange();
  void OnSysCommand(UINT id, LPARAM lParam);
  void OnMDIActivate(BOOL activate, CWnd* activated, CWnd* deactivated);
  void OnParentNotify(UINT message, LPARAM lParam);
  void OnSettingChange(UINT flags, const char* section);
  void OnImeChar(UINT ch, UINT repeat, UINT flags);
  void OnCancelMode();
  void OnChildActivate();
  void OnMenuSelect(UINT id, UINT flags, HMENU menu);

  // Flags of m_nFlags.
  static constexpr UINT WF_CONTINUEMODAL = 0x0001, WF_MODALLOOP = 0x0002, WF_TEMPORARY = 0x0010;
  UINT m_nFlags = 0;
  int m_nModalResult = -1;
  WNDPROC m_pfnSuper = nullptr;  // the procedure messages fall back to

  // The framework's window procedure, for classes registered with it.
  static LRESULT AfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  virtual WNDPROC* GetSuperWndProcAddr() { return &m_pfnSuper; }
  // Makes the window's procedure the framework's, keeping the old one as super.
  void SubclassProcedure();
  friend LRESULT AfxCallWndProc(CWnd* wnd, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()
};

// Registers (once) a window class with the framework's procedure and the
// given style, cursor, brush and icon, and returns its name.
const char* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                                HICON icon = nullptr);
// The framework's own classes: a plain window, frames and views, MDI frames, bars.
inline constexpr const char* AfxWnd = "AfxWnd";
inline constexpr const char* AfxFrameOrView = "AfxFrameOrView";
inline constexpr const char* AfxMDIFrame = "AfxMDIFrame";
inline constexpr const char* AfxControlBar = "AfxControlBar";
BOOL AfxRegisterFrameworkClasses();
LRESULT AfxCallWndProc(CWnd* wnd, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The message being handled on this thread, as Default() passes it on.
const MSG* AfxGetCurrentMessage();
// Wait-cursor nesting of this thread: +1 shows it, -1 ends one, 0 restores it.
void AfxGetThreadWaitCursor(int step);

CWnd* AfxGetMainWnd();
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(UINT textId, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));
