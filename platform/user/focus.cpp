// Activation, keyboard focus and mouse capture, per thread. Activating sends
// WM_NCACTIVATE and WM_ACTIVATE to the window losing activation first, then to
// the one gaining it (WM_ACTIVATEAPP when the thread had no active window);
// DefWindowProc of WM_ACTIVATE gives the focus, which sends WM_KILLFOCUS to the
// window losing it before WM_SETFOCUS to the one gaining it.
#include <atomic>

#include "platform/display/display.h"
#include "platform/user/window_internal.h"

namespace user {
namespace {

std::atomic<HWND> g_foreground{nullptr};
std::atomic<HWND> g_capture{nullptr};  // of whichever thread set it

std::vector<HWND> ThreadTopLevels() {
  std::vector<HWND> out;
  UserLock lock;
  for (const Window* w : Desktop().children)
    if (w->thread == ThisThread()) out.push_back(w->handle);
  return out;
}

WPARAM ActivateParam(WORD how, HWND window) {
  WindowPtr w = FindWinQuiet(window);
  bool minimized = false;
  if (w) {
    UserLock lock;
    minimized = w->minimized;
  }
  return MAKELONG(how, minimized ? 1 : 0);
}

void Deactivate(HWND old, HWND next) {
  if (!old || !IsWindow(old)) return;
  Send(old, WM_NCACTIVATE, FALSE, 0);
  Send(old, WM_ACTIVATE, ActivateParam(WA_INACTIVE, old), reinterpret_cast<LPARAM>(next));
}

}  // namespace

void ActivateWindow(HWND window, WORD how) {
  Queue& q = ThisQueue();
  WindowPtr w = FindWinQuiet(window);
  if (!w) return;
  {
    UserLock lock;
    if (w->thread != ThisThread() || w->IsChild()) return;
    if (w->exStyle & WS_EX_NOACTIVATE) return;
  }
  HWND old = q.active;
  if (old == window) return;
  q.active = window;
  g_foreground.store(window);
  display::Current().WindowActivated(window);
  Deactivate(old, window);
  if (!old || !IsWindow(old))
    for (HWND top : ThreadTopLevels()) Send(top, WM_ACTIVATEAPP, TRUE, 0);
  if (!IsWindow(window) || q.active != window) return;
  {
    UserLock lock;
    if (w->parent && w->parent->children.front() != w.get() && !(w->exStyle & WS_EX_TOPMOST)) {
      Window& parent = *w->parent;
      UnlinkWindow(*w);
      LinkWindow(*w, parent, HWND_TOP);
    }
  }
  Send(window, WM_NCACTIVATE, TRUE, 0);
  Send(window, WM_ACTIVATE, ActivateParam(how, window), reinterpret_cast<LPARAM>(old));
}

void ActivateOtherWindow(const WindowPtr& leaving) {
  Queue& q = ThisQueue();
  const HWND gone = leaving->handle;
  const bool active = q.active == gone;
  if (!active) {
    if (q.focus == gone || IsChild(gone, q.focus)) SetFocus(nullptr);
    return;
  }
  // The owner if it can take it, else the next visible, enabled top-level window of the thread.
  HWND next = nullptr;
  {
    UserLock lock;
    WindowPtr owner = leaving->owner ? FindWinQuiet(leaving->owner) : nullptr;
    if (owner && owner->Visible() && !(owner->style & WS_DISABLED)) next = owner->handle;
    if (!next)
      for (const Window* w : Desktop().children)
        if (w != leaving.get() && w->thread == ThisThread() && w->Visible() && !(w->style & WS_DISABLED) &&
            w->life == Life::Alive) {
          next = w->handle;
          break;
        }
  }
  if (next) {
    ActivateWindow(next, WA_ACTIVE);
    return;
  }
  q.active = nullptr;
  g_foreground.store(nullptr);
  Deactivate(gone, nullptr);
  for (HWND top : ThreadTopLevels()) Send(top, WM_ACTIVATEAPP, FALSE, 0);
  SetFocus(nullptr);
}

void DeactivateThread() {
  Queue& q = ThisQueue();
  const HWND old = q.active;
  if (!old) return;
  q.active = nullptr;
  HWND expected = old;
  g_foreground.compare_exchange_strong(expected, nullptr);
  Deactivate(old, nullptr);
  for (HWND top : ThreadTopLevels()) Send(top, WM_ACTIVATEAPP, FALSE, 0);
  SetFocus(nullptr);
}

HWND CaptureOfAnyThread() { return g_capture.load(); }

void ForgetWindowInput(HWND window) {
  ForgetTracking(window);
  HWND captured = window;
  g_capture.compare_exchange_strong(captured, nullptr);
  Queue& q = ThisQueue();
  if (q.focus == window) q.focus = nullptr;
  if (q.active == window) q.active = nullptr;
  if (q.capture == window) q.capture = nullptr;
  if (g_foreground.load() == window) g_foreground.store(nullptr);
  if (q.caret.window == window) DestroyCaret();
}

}  // namespace user

using namespace user;

HWND GetActiveWindow() { return ThisQueue().active; }
HWND GetForegroundWindow() { return g_foreground.load(); }

HWND SetActiveWindow(HWND window) {
  Queue& q = ThisQueue();
  HWND old = q.active;
  if (!window) {
    if (old) {
      WindowPtr w = FindWinQuiet(old);
      if (w) ActivateOtherWindow(w);
    }
    return old;
  }
  WindowPtr w = FindWin(window);
  if (!w) return nullptr;
  {
    UserLock lock;
    if (w->thread != ThisThread()) return static_cast<HWND>(nullptr);
    window = TopLevelOf(*w)->handle;
  }
  ActivateWindow(window, WA_ACTIVE);
  return old;
}

BOOL SetForegroundWindow(HWND window) {
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  SetActiveWindow(window);
  return TRUE;
}

HWND GetFocus() { return ThisQueue().focus; }

HWND SetFocus(HWND window) {
  Queue& q = ThisQueue();
  HWND old = q.focus;
  if (window) {
    WindowPtr w = FindWin(window);
    if (!w) return nullptr;
    HWND top;
    {
      UserLock lock;
      if (w->thread != ThisThread()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
      }
      for (const Window* cur = w.get(); cur && !cur->desktop; cur = cur->parent)
        if (cur->style & WS_DISABLED) return nullptr;  // a disabled window cannot take the keyboard
      top = TopLevelOf(*w)->handle;
    }
    if (old == window) return old;
    if (q.active != top) {
      ActivateWindow(top, WA_ACTIVE);
      old = q.focus;
      if (old == window) return old;
    }
  }
  q.focus = window;
  if (old && IsWindow(old)) Send(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
  if (window && IsWindow(window) && q.focus == window)
    Send(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

HWND GetCapture() { return ThisQueue().capture; }

namespace {

// The desktop sends the pointer to the captured window's top-level window
// even outside the process's windows (a click beside an open menu closes it).
void TellDisplayCapture(HWND window) {
  HWND top = nullptr;
  if (WindowPtr w = window ? FindWinQuiet(window) : nullptr) {
    UserLock lock;
    top = TopLevelOf(*w)->handle;
  }
  display::Current().CaptureChanged(top);
}

}  // namespace

HWND SetCapture(HWND window) {
  Queue& q = ThisQueue();
  HWND old = q.capture;
  if (window) {
    WindowPtr w = FindWin(window);
    if (!w) return nullptr;
    UserLock lock;
    if (w->thread != ThisThread()) return static_cast<HWND>(nullptr);
  }
  q.capture = window;
  g_capture.store(window);
  if (old != window) TellDisplayCapture(window);
  if (old && old != window && IsWindow(old)) Send(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window));
  return old;
}

BOOL ReleaseCapture() {
  Queue& q = ThisQueue();
  HWND old = q.capture;
  q.capture = nullptr;
  if (old) {
    HWND expected = old;
    g_capture.compare_exchange_strong(expected, nullptr);
    TellDisplayCapture(nullptr);
  }
  if (old && IsWindow(old)) Send(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}
