// Showing, hiding, minimising and maximising windows, and their placement.
// ShowWindow sends WM_SHOWWINDOW when the visibility changes, then moves the
// window with SetWindowPos (which activates a shown top-level window unless
// asked not to); a child of a hidden parent only changes its style. An
// overlapped window's first showing sends its first WM_SIZE and WM_MOVE.
#include <algorithm>

#include "platform/user/window_internal.h"

namespace user {
namespace {

RECT MaximizedRect(const WindowPtr& w) {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  bool child;
  RECT parentClient{};
  {
    UserLock lock;
    child = w->IsChild();
    if (child && w->parent)
      parentClient = RECT{0, 0, w->parent->clientRect.right - w->parent->clientRect.left,
                          w->parent->clientRect.bottom - w->parent->clientRect.top};
  }
  if (child) work = parentClient;
  // The frame lies just outside the area, so the client fills it.
  DWORD style, exStyle;
  {
    UserLock lock;
    style = w->style;
    exStyle = w->exStyle;
  }
  RECT r = work;
  const RECT probe{0, 0, 1000, 1000};
  const RECT client = ClientFromWindow(probe, style & ~(WS_HSCROLL | WS_VSCROLL | WS_CAPTION), exStyle, false);
  r.left -= client.left;
  r.top -= client.top;
  r.right += probe.right - client.right;
  r.bottom += probe.bottom - client.bottom;
  MINMAXINFO mmi{};
  mmi.ptMaxSize = POINT{r.right - r.left, r.bottom - r.top};
  mmi.ptMaxPosition = POINT{r.left, r.top};
  mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  mmi.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  CallProc(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  return RECT{mmi.ptMaxPosition.x, mmi.ptMaxPosition.y, mmi.ptMaxPosition.x + mmi.ptMaxSize.x,
              mmi.ptMaxPosition.y + mmi.ptMaxSize.y};
}

void SetState(const WindowPtr& w, bool maximized, bool minimized) {
  UserLock lock;
  if (!w->maximized && !w->minimized) w->normalRect = w->windowRect;
  w->maximized = maximized;
  w->minimized = minimized;
  w->style &= ~(WS_MAXIMIZE | WS_MINIMIZE);
  if (maximized) w->style |= WS_MAXIMIZE;
  if (minimized) w->style |= WS_MINIMIZE;
}

// The first WM_SIZE and WM_MOVE of an overlapped window, on its first showing.
void SendPendingSize(const WindowPtr& w) {
  RECT client;
  WPARAM kind;
  {
    UserLock lock;
    if (!w->sizePending || w->life != Life::Alive) return;
    w->sizePending = false;
    client = w->clientRect;
    kind = w->maximized ? SIZE_MAXIMIZED : w->minimized ? SIZE_MINIMIZED : SIZE_RESTORED;
  }
  CallProc(w, WM_SIZE, kind,
           MAKELONG(static_cast<WORD>(client.right - client.left), static_cast<WORD>(client.bottom - client.top)));
  CallProc(w, WM_MOVE, 0, crack::PackPoint(POINT{client.left, client.top}));
}

}  // namespace
}  // namespace user

using namespace user;

BOOL ShowWindow(HWND window, int command) {
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  bool wasVisible, child;
  {
    UserLock lock;
    if (w->desktop) return FALSE;
    wasVisible = w->Visible();
    child = w->IsChild();
  }
  if (command < SW_HIDE || command > SW_FORCEMINIMIZE) return Fail(ERROR_INVALID_PARAMETER);
  // Showing what is shown changes nothing.
  if (wasVisible && (command == SW_SHOW || command == SW_SHOWNA || command == SW_SHOWNOACTIVATE)) return TRUE;
  UINT flags = SWP_NOSIZE | SWP_NOMOVE | (child ? SWP_NOZORDER : 0);
  bool show = true;
  RECT target{};
  switch (command) {
    case SW_HIDE:
      if (!wasVisible) return FALSE;
      show = false;
      flags |= SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER;
      break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE: flags |= SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER; break;
    case SW_SHOW: flags |= SWP_SHOWWINDOW; break;
    case SW_SHOWMAXIMIZED: {
      target = MaximizedRect(w);
      SetState(w, true, false);
      flags = SWP_SHOWWINDOW | SWP_FRAMECHANGED | (child ? SWP_NOZORDER : 0);
      break;
    }
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE: {
      SetState(w, false, true);
      const int cx = GetSystemMetrics(SM_CXMINTRACK), cy = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
      target = RECT{-32000, -32000, -32000 + cx, -32000 + cy};
      flags = SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOZORDER | (command == SW_SHOWMINIMIZED ? 0 : SWP_NOACTIVATE);
      break;
    }
    default: {  // SW_SHOWNORMAL, SW_RESTORE, SW_SHOWDEFAULT
      bool restore;
      {
        UserLock lock;
        restore = w->maximized || w->minimized;
        target = w->normalRect;
      }
      flags |= SWP_SHOWWINDOW;
      if (restore) {
        SetState(w, false, false);
        flags = SWP_SHOWWINDOW | SWP_FRAMECHANGED | (child ? SWP_NOZORDER : 0);
      }
      break;
    }
  }
  if (show != wasVisible) CallProc(w, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
  if (!IsWindow(window)) return wasVisible;
  const bool wasActive = !show && GetActiveWindow() == window;
  const bool hadFocus = !show && (GetFocus() == window || IsChild(window, GetFocus()));
  if (child && !(flags & SWP_FRAMECHANGED) && !IsWindowVisible(GetParent(window))) {
    // Nothing of a child of a hidden parent shows: only its style changes
    // (a change of placement still moves it).
    UserLock lock;
    if (show) w->style |= WS_VISIBLE;
    else w->style &= ~WS_VISIBLE;
  } else {
    SetWindowPosImpl(window, HWND_TOP, target.left, target.top, target.right - target.left,
                     target.bottom - target.top, flags);
  }
  if (wasActive) ActivateOtherWindow(w);
  else if (hadFocus) SetFocus(GetParent(window));
  if (show) SendPendingSize(w);
  return wasVisible;
}

BOOL IsIconic(HWND window) {
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  UserLock lock;
  return w->minimized;
}

BOOL IsZoomed(HWND window) {
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  UserLock lock;
  return w->maximized;
}

BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement) {
  if (!placement) return Fail(ERROR_INVALID_PARAMETER);
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  UserLock lock;
  placement->length = sizeof(WINDOWPLACEMENT);
  placement->flags = 0;
  placement->showCmd = w->minimized ? SW_SHOWMINIMIZED : w->maximized ? SW_SHOWMAXIMIZED
                                                       : w->Visible() ? SW_SHOWNORMAL : SW_HIDE;
  placement->ptMinPosition = POINT{-1, -1};
  placement->ptMaxPosition = POINT{-1, -1};
  placement->rcNormalPosition = w->normalRect;
  return TRUE;
}

BOOL SetWindowPlacement(HWND window, const WINDOWPLACEMENT* placement) {
  if (!placement || placement->length != sizeof(WINDOWPLACEMENT)) return Fail(ERROR_INVALID_PARAMETER);
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  bool normal;
  {
    UserLock lock;
    w->normalRect = placement->rcNormalPosition;
    normal = !w->maximized && !w->minimized;
  }
  if (normal) {
    const RECT& r = placement->rcNormalPosition;
    SetWindowPosImpl(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(window, static_cast<int>(placement->showCmd));
  return TRUE;
}
