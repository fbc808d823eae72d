// Positions and sizes: SetWindowPos (WM_WINDOWPOSCHANGING, WM_GETMINMAXINFO
// through DefWindowProc, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, whose default
// handling sends WM_MOVE and WM_SIZE), Z order, coordinate mapping, hit
// lookups and enabling.
#include <algorithm>

#include "platform/display/display.h"
#include "platform/user/window_internal.h"

namespace user {
namespace {

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Where a change of a child shows: its old and new rectangles on the parent.
void InvalidateOnParent(Window& w, const RECT& oldRect) {
  Window* parent = w.parent;
  if (!parent || parent->desktop) return;
  // Parent client coordinates from parent-client-relative rectangles: the same.
  gdi::SpanRegion region = gdi::SpanRegion::FromRect(oldRect);
  if (w.Visible()) region = gdi::SpanRegion::Combine(region, gdi::SpanRegion::FromRect(w.windowRect), RGN_OR);
  InvalidateWindow(*parent, &region, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void ApplyZOrder(Window& w, HWND after) {
  if (!w.parent) return;
  if (after == HWND_TOPMOST) w.exStyle |= WS_EX_TOPMOST;
  if (after == HWND_NOTOPMOST) w.exStyle &= ~WS_EX_TOPMOST;
  if (after == w.handle) return;
  Window& parent = *w.parent;
  UnlinkWindow(w);
  LinkWindow(w, parent, after);
}

}  // namespace

void RecalcClient(const WindowPtr& w, bool sendMessage, WINDOWPOS* pos) {
  RECT window, oldWindow, oldClient;
  {
    UserLock lock;
    window = w->windowRect;
    oldWindow = w->windowRect;
    oldClient = w->clientRect;
  }
  RECT client = window;
  if (sendMessage) {
    if (pos) {
      NCCALCSIZE_PARAMS params{};
      params.rgrc[0] = window;
      params.rgrc[1] = oldWindow;
      params.rgrc[2] = oldClient;
      params.lppos = pos;
      CallProc(w, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
      client = params.rgrc[0];
    } else {
      CallProc(w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
    }
  }
  UserLock lock;
  if (w->life == Life::Dead) return;
  // The client area stays inside the window.
  client.left = std::clamp(client.left, window.left, window.right);
  client.right = std::clamp(client.right, client.left, window.right);
  client.top = std::clamp(client.top, window.top, window.bottom);
  client.bottom = std::clamp(client.bottom, client.top, window.bottom);
  w->clientRect = client;
}

BOOL SetWindowPosImpl(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  WINDOWPOS wp{window, insertAfter, x, y, std::max(cx, 0), std::max(cy, 0), flags};
  RECT oldRect, oldClient;
  bool wasVisible;
  {
    UserLock lock;
    if (w->desktop) return Fail(ERROR_ACCESS_DENIED);
    oldRect = w->windowRect;
    oldClient = w->clientRect;
    wasVisible = w->Visible();
    if (wasVisible) wp.flags &= ~SWP_SHOWWINDOW;
    if (!wasVisible) wp.flags &= ~SWP_HIDEWINDOW;
    if (w->IsChild() && !(wp.flags & SWP_NOZORDER) && (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST))
      wp.hwndInsertAfter = HWND_TOP;
    if (wp.flags & SWP_NOSIZE) {
      wp.cx = w->Width();
      wp.cy = w->Height();
    }
    if (wp.flags & SWP_NOMOVE) {
      wp.x = oldRect.left;
      wp.y = oldRect.top;
    }
    if (w->IsChild()) wp.flags |= SWP_NOACTIVATE;
  }
  if (!(wp.flags & SWP_NOSENDCHANGING)) CallProc(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
  if (!IsWindow(window)) return FALSE;
  // What stays the same counts as not asked for only now: WM_WINDOWPOSCHANGING
  // (and its WM_GETMINMAXINFO) hears the size the caller passed.
  {
    UserLock lock;
    if (!(wp.flags & SWP_NOSIZE) && wp.cx == w->Width() && wp.cy == w->Height()) wp.flags |= SWP_NOSIZE;
    if (!(wp.flags & SWP_NOMOVE) && wp.x == oldRect.left && wp.y == oldRect.top) wp.flags |= SWP_NOMOVE;
  }
  // Nothing to change: the window heard WM_WINDOWPOSCHANGING and no more.
  constexpr UINT kNothing = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER;
  if ((wp.flags & kNothing) == kNothing && !(wp.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED))) {
    bool topLevel;
    {
      UserLock lock;
      topLevel = w->parent && w->parent->desktop;
    }
    if (!(wp.flags & SWP_NOACTIVATE) && topLevel && IsWindowVisible(window)) ActivateWindow(window, WA_ACTIVE);
    return TRUE;
  }
  const bool sized = !(wp.flags & SWP_NOSIZE);
  {
    UserLock lock;
    w->windowRect = RECT{wp.x, wp.y, wp.x + std::max(wp.cx, 0), wp.y + std::max(wp.cy, 0)};
    const int dx = wp.x - oldRect.left, dy = wp.y - oldRect.top;
    w->clientRect = oldClient;
    OffsetRect(&w->clientRect, dx, dy);
    if (!(wp.flags & SWP_NOZORDER)) ApplyZOrder(*w, wp.hwndInsertAfter);
    if (wp.flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
    if (wp.flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;
    if (!w->maximized && !w->minimized) w->normalRect = w->windowRect;
  }
  if (sized || (wp.flags & SWP_FRAMECHANGED)) RecalcClient(w, true, &wp);
  bool topLevel;
  RECT newClient;
  {
    UserLock lock;
    if (w->life == Life::Dead) return FALSE;
    topLevel = w->parent && w->parent->desktop;
    newClient = w->clientRect;
    if (topLevel) EnsureSurface(*w);
    const bool changed = sized || !SameRect(oldRect, w->windowRect) || (wp.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) ||
                         (wp.flags & SWP_FRAMECHANGED) || !(wp.flags & SWP_NOZORDER);
    if (changed && !(wp.flags & SWP_NOREDRAW)) {
      if (w->Visible() && (sized || (wp.flags & (SWP_SHOWWINDOW | SWP_FRAMECHANGED)) || topLevel))
        InvalidateWindow(*w, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
      if (!topLevel) InvalidateOnParent(*w, wasVisible ? oldRect : RECT{0, 0, 0, 0});
    }
  }
  UINT changedFlags = wp.flags;
  if (newClient.right - newClient.left == oldClient.right - oldClient.left &&
      newClient.bottom - newClient.top == oldClient.bottom - oldClient.top)
    changedFlags |= SWP_NOCLIENTSIZE;
  if (newClient.left == oldClient.left && newClient.top == oldClient.top) changedFlags |= SWP_NOCLIENTMOVE;
  WINDOWPOS done = wp;
  done.flags = changedFlags;
  // A top-level window is activated before it hears WM_WINDOWPOSCHANGED.
  if (!(wp.flags & SWP_NOACTIVATE) && topLevel && IsWindowVisible(window)) ActivateWindow(window, WA_ACTIVE);
  if (!IsWindow(window)) return FALSE;
  CallProc(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&done));
  if (topLevel) {
    RECT r;
    bool visible;
    {
      UserLock lock;
      r = w->windowRect;
      visible = w->Visible();
    }
    display::Current().WindowPlaced(window, r, visible);
    // Activated before it showed (inside this call, or while hidden): the
    // display hears of it again now that the window is on the screen.
    if (visible && (wp.flags & SWP_SHOWWINDOW) && GetForegroundWindow() == window)
      display::Current().WindowActivated(window);
  }
  return TRUE;
}

}  // namespace user

using namespace user;

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return SetWindowPosImpl(window, insertAfter, x, y, cx, cy, flags);
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPosImpl(window, nullptr, x, y, width, height,
                          SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND window) {
  return SetWindowPosImpl(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL GetWindowRect(HWND window, LPRECT rect) {
  if (!rect) return Fail(ERROR_INVALID_PARAMETER);
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  UserLock lock;
  *rect = ScreenWindowRect(*w);
  return TRUE;
}

BOOL GetClientRect(HWND window, LPRECT rect) {
  if (!rect) return Fail(ERROR_INVALID_PARAMETER);
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  UserLock lock;
  *rect = RECT{0, 0, w->clientRect.right - w->clientRect.left, w->clientRect.bottom - w->clientRect.top};
  return TRUE;
}

BOOL ClientToScreen(HWND window, LPPOINT point) {
  if (!point) return Fail(ERROR_INVALID_PARAMETER);
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  UserLock lock;
  const POINT o = ClientOrigin(*w);
  point->x += o.x;
  point->y += o.y;
  return TRUE;
}

BOOL ScreenToClient(HWND window, LPPOINT point) {
  if (!point) return Fail(ERROR_INVALID_PARAMETER);
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  UserLock lock;
  const POINT o = ClientOrigin(*w);
  point->x -= o.x;
  point->y -= o.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  POINT a{0, 0}, b{0, 0};
  if (from) {
    WindowPtr w = FindWin(from);
    if (!w) return 0;
    UserLock lock;
    a = ClientOrigin(*w);
  }
  if (to) {
    WindowPtr w = FindWin(to);
    if (!w) return 0;
    UserLock lock;
    b = ClientOrigin(*w);
  }
  const int dx = a.x - b.x, dy = a.y - b.y;
  if (points)
    for (UINT i = 0; i < count; ++i) {
      points[i].x += dx;
      points[i].y += dy;
    }
  SetLastError(0);
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
  if (!rect) return Fail(ERROR_INVALID_PARAMETER);
  // The frame is what ClientFromWindow takes away from a window rectangle.
  const RECT probe{0, 0, 1000, 1000};
  const RECT client = ClientFromWindow(probe, style & ~(WS_HSCROLL | WS_VSCROLL), exStyle, menu != FALSE);
  rect->left -= client.left - probe.left;
  rect->top -= client.top - probe.top;
  rect->right += probe.right - client.right;
  rect->bottom += probe.bottom - client.bottom;
  return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) { return AdjustWindowRectEx(rect, style, menu, 0); }

namespace {

// The deepest visible child under a point (screen coordinates), top of the Z order first.
Window* ChildAt(Window& parent, POINT screen, UINT skip) {
  for (Window* c : parent.children) {
    if ((skip & CWP_SKIPINVISIBLE) && !c->Visible()) continue;
    if ((skip & CWP_SKIPDISABLED) && (c->style & WS_DISABLED)) continue;
    if ((skip & CWP_SKIPTRANSPARENT) && (c->exStyle & WS_EX_TRANSPARENT)) continue;
    if (PtInRect(&c->windowRect, POINT{screen.x, screen.y})) return c;
  }
  return nullptr;
}

}  // namespace

HWND WindowFromPoint(POINT point) {
  EnsureSystemClasses();
  UserLock lock;
  Window* top = nullptr;
  for (Window* w : Desktop().children)
    if (w->Visible() && PtInRect(&w->windowRect, point)) {
      top = w;
      break;
    }
  if (!top) return nullptr;
  Window* found = top;
  for (;;) {
    const RECT client = ScreenClientRect(*found);
    if (!PtInRect(&client, point)) break;
    const POINT o = ClientOrigin(*found);
    Window* next = ChildAt(*found, POINT{point.x - o.x, point.y - o.y}, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!next) break;
    found = next;
  }
  return found->handle;
}

HWND ChildWindowFromPointEx(HWND parent, POINT point, UINT flags) {
  WindowPtr p = FindWin(parent);
  if (!p) return nullptr;
  UserLock lock;
  RECT client{0, 0, p->clientRect.right - p->clientRect.left, p->clientRect.bottom - p->clientRect.top};
  if (!PtInRect(&client, point)) return nullptr;
  Window* c = ChildAt(*p, point, flags);
  return c ? c->handle : parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT point) { return ChildWindowFromPointEx(parent, point, CWP_ALL); }

BOOL EnableWindow(HWND window, BOOL enable) {
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  bool wasDisabled;
  {
    UserLock lock;
    wasDisabled = (w->style & WS_DISABLED) != 0;
    if (wasDisabled == !enable) return wasDisabled;
    if (enable) w->style &= ~WS_DISABLED;
    else w->style |= WS_DISABLED;
  }
  if (!enable) {
    // "If the window is being disabled, the system sends a WM_CANCELMODE
    // message" (EnableWindow); it keeps neither the focus nor the capture.
    Send(window, WM_CANCELMODE, 0, 0);
    if (!IsWindow(window)) return wasDisabled;
    if (GetFocus() == window || IsChild(window, GetFocus())) SetFocus(nullptr);
    if (GetCapture() == window) ReleaseCapture();
  }
  Send(window, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND window) {
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  UserLock lock;
  return (w->style & WS_DISABLED) ? FALSE : TRUE;
}

BOOL IsWindowVisible(HWND window) {
  WindowPtr w = FindWinQuiet(window);
  if (!w) return FALSE;
  UserLock lock;
  return ReallyVisible(*w) ? TRUE : FALSE;
}
