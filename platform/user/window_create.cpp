// Creating and destroying windows, with the documented message sequences:
// WM_GETMINMAXINFO (sizeable and overlapped windows), WM_NCCREATE,
// WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_PARENTNOTIFY, then showing;
// on destruction WM_PARENTNOTIFY, hiding, deactivation, WM_DESTROY parent
// first, WM_NCDESTROY children first.
#include <algorithm>

#include <utility>

#include "platform/display/display.h"
#include "platform/user/menus/menu_model.h"
#include "platform/user/window_internal.h"

namespace user {
namespace {

bool WantsMinMaxInfo(DWORD style) { return (style & WS_THICKFRAME) || !(style & (WS_POPUP | WS_CHILD)); }

// Default placement of overlapped windows given CW_USEDEFAULT: cascaded from
// the work area's corner, three quarters of the screen.
void DefaultPlacement(int& x, int& y, int& cx, int& cy, DWORD style) {
  static int cascade = 0;
  if (x == CW_USEDEFAULT) {
    const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    x = y = (cascade++ % 8) * step;
  } else if (y == CW_USEDEFAULT) {
    y = 0;
  }
  if (cx == CW_USEDEFAULT) {
    cx = GetSystemMetrics(SM_CXSCREEN) * 3 / 4;
    cy = GetSystemMetrics(SM_CYSCREEN) * 3 / 4;
  }
  (void)style;
}

void SendParentNotify(const WindowPtr& w, UINT event) {
  HWND child;
  LONG_PTR id;
  std::vector<HWND> ancestors;
  {
    UserLock lock;
    if (!w->IsChild() || (w->exStyle & WS_EX_NOPARENTNOTIFY)) return;
    child = w->handle;
    id = w->id;
    // Each ancestor hears of it, up to the top-level window or one that asks not to.
    for (Window* cur = w.get(); cur->IsChild() && !(cur->exStyle & WS_EX_NOPARENTNOTIFY) && cur->parent &&
                                !cur->parent->desktop;
         cur = cur->parent)
      ancestors.push_back(cur->parent->handle);
  }
  for (HWND a : ancestors)
    Send(a, WM_PARENTNOTIFY, MAKELONG(static_cast<WORD>(event), static_cast<WORD>(id)),
         reinterpret_cast<LPARAM>(child));
}

// Removes a window and its children from everything: the tree, the table,
// the timers, the input state. Sends WM_NCDESTROY children first.
void FinalDestroy(const WindowPtr& w) {
  std::vector<HWND> children;
  {
    UserLock lock;
    children = ChildHandles(*w);
  }
  for (HWND c : children)
    if (WindowPtr child = FindWinQuiet(c)) FinalDestroy(child);
  // From here on nothing reaches the window, not even what its own
  // WM_NCDESTROY handler sends or posts to it.
  WNDPROC proc;
  bool unicode;
  {
    UserLock lock;
    proc = w->proc;
    unicode = w->unicode;
    w->life = Life::Dead;
  }
  CallProcW(proc, unicode, w->handle, WM_NCDESTROY, 0, 0);
  KillWindowTimers(w->handle);
  ForgetWindowInput(w->handle);
  bool topLevel;
  HMENU systemMenu;
  {
    UserLock lock;
    topLevel = w->parent && w->parent->desktop;
    systemMenu = std::exchange(w->systemMenu, nullptr);
    UnlinkWindow(*w);
    if (w->cls) --w->cls->windows;
    w->surface.reset();
  }
  // The window's own copy of the window menu goes with it.
  if (systemMenu && IsMenu(systemMenu)) DestroyMenu(systemMenu);
  if (topLevel) display::Current().WindowDestroyed(w->handle);
  RemoveWindow(w->handle);
}

void SendDestroy(const WindowPtr& w) {
  CallProc(w, WM_DESTROY, 0, 0);
  std::vector<HWND> children;
  {
    UserLock lock;
    children = ChildHandles(*w);
  }
  // During WM_DESTROY every child still exists; each hears of it after its parent.
  for (HWND c : children)
    if (WindowPtr child = FindWinQuiet(c)) {
      {
        UserLock lock;
        if (child->life == Life::Destroying || child->life == Life::Dead) continue;
        child->life = Life::Destroying;
      }
      SendDestroy(child);
    }
}

}  // namespace
}  // namespace user

using namespace user;

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  EnsureSystemClasses();
  if (!className) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  ClassPtr cls = FindClass(className, instance);
  if (!cls) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return nullptr;
  }
  WindowPtr parentWin;
  if (parent && parent != HWND_MESSAGE) {
    parentWin = FindWin(parent);
    if (!parentWin) return nullptr;
  }
  if ((style & WS_CHILD) && !parentWin) {
    SetLastError(ERROR_TLW_WITH_WSCHILD);
    return nullptr;
  }
  if (!(style & WS_CHILD) && !(style & WS_POPUP)) {
    style |= WS_CLIPSIBLINGS;  // overlapped windows always clip their siblings
    if (!(style & WS_POPUP)) style |= WS_CAPTION;
  }
  if ((style & WS_CAPTION) == WS_CAPTION && !(style & WS_CHILD)) exStyle |= WS_EX_WINDOWEDGE;

  auto w = std::make_shared<Window>();
  w->cls = cls;
  w->style = style & ~(WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE);
  w->exStyle = exStyle;
  w->instance = instance;
  w->thread = ThisThread();
  ThisQueue();
  {
    UserLock lock;
    w->proc = cls->proc;
    w->unicode = cls->unicode;
    w->extra.assign(static_cast<size_t>(cls->windowExtraBytes), 0);
    ++cls->windows;
  }
  w->id = reinterpret_cast<LONG_PTR>(menu);  // a child's id, a top-level window's menu

  const bool child = (style & WS_CHILD) != 0;
  if (!child && (x == CW_USEDEFAULT || width == CW_USEDEFAULT)) {
    if (style & WS_POPUP) {
      if (x == CW_USEDEFAULT) x = y = 0;
      if (width == CW_USEDEFAULT) width = height = 0;
    } else {
      DefaultPlacement(x, y, width, height, style);
    }
  }
  if (child) {
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT) width = height = 0;
  }
  HWND handle = AddWindow(w);
  // A menu given at creation is the window's bar, redrawn when it changes.
  if (!child && menu)
    if (std::shared_ptr<menus::Menu> m = menus::Find(menu)) m->window = handle;
  {
    UserLock lock;
    Window& container = child ? *parentWin : Desktop();
    if (!child && parentWin) w->owner = TopLevelOf(*parentWin)->handle;
    LinkWindow(*w, container, child ? HWND_BOTTOM : HWND_TOP);
    w->windowRect = RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
    w->clientRect = w->windowRect;
    w->normalRect = w->windowRect;
  }

  if (WantsMinMaxInfo(style)) {
    MINMAXINFO mmi{};
    mmi.ptMaxSize = POINT{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
    mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    mmi.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    CallProc(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    UserLock lock;
    const int cx = std::clamp<int>(w->Width(), 0, std::max<int>(mmi.ptMaxTrackSize.x, 0));
    const int cy = std::clamp<int>(w->Height(), 0, std::max<int>(mmi.ptMaxTrackSize.y, 0));
    w->windowRect.right = w->windowRect.left + cx;
    w->windowRect.bottom = w->windowRect.top + cy;
    w->clientRect = w->windowRect;
  }
  {
    UserLock lock;
    if (!child) EnsureSurface(*w);
  }

  CREATESTRUCTW cs{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style), windowName,
                   className, exStyle};
  {
    UserLock lock;
    cs.cx = w->Width();
    cs.cy = w->Height();
  }
  if (!CallProc(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    FinalDestroy(w);
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!IsWindow(handle)) return nullptr;  // destroyed by its own WM_NCCREATE
  RecalcClient(w, true, nullptr);
  {
    UserLock lock;
    w->life = Life::Alive;
  }
  if (CallProc(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(handle);
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!IsWindow(handle)) return nullptr;
  RECT client;
  POINT origin;
  {
    UserLock lock;
    client = w->clientRect;
    origin = POINT{client.left, client.top};
  }
  if (child || (style & WS_POPUP)) {
    CallProc(w, WM_SIZE, SIZE_RESTORED,
             MAKELONG(static_cast<WORD>(client.right - client.left), static_cast<WORD>(client.bottom - client.top)));
    CallProc(w, WM_MOVE, 0, crack::PackPoint(origin));
  } else {
    UserLock lock;
    w->sizePending = true;
  }
  SendParentNotify(w, WM_CREATE);
  if (!IsWindow(handle)) return nullptr;
  if (style & WS_VISIBLE) {
    if (style & WS_MAXIMIZE) ShowWindow(handle, SW_SHOWMAXIMIZED);
    else if (style & WS_MINIMIZE) ShowWindow(handle, SW_SHOWMINIMIZED);
    else ShowWindow(handle, SW_SHOW);
  }
  return IsWindow(handle) ? handle : nullptr;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  const std::u16string cls = className && !IsAtomArg(className) ? ToWide(className) : u"";
  const std::u16string name = windowName ? ToWide(windowName) : u"";
  LPCWSTR clsArg = !className ? nullptr : IsAtomArg(className) ? reinterpret_cast<LPCWSTR>(className) : cls.c_str();
  return CreateWindowExW(exStyle, clsArg, windowName ? name.c_str() : nullptr, style, x, y, width, height, parent,
                         menu, instance, param);
}

BOOL DestroyWindow(HWND window) {
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  bool wasVisible, child;
  {
    UserLock lock;
    if (w->desktop) return Fail(ERROR_ACCESS_DENIED);
    if (w->thread != ThisThread()) return Fail(ERROR_ACCESS_DENIED);
    if (w->life == Life::Destroying || w->life == Life::Dead) return TRUE;  // already on its way
    w->life = Life::Destroying;
    wasVisible = w->Visible();
    child = w->IsChild();
  }
  SendParentNotify(w, WM_DESTROY);
  // A child is hidden as ShowWindow hides it (WM_SHOWWINDOW first); a
  // top-level window only moves out of sight.
  if (wasVisible && child) {
    ShowWindow(window, SW_HIDE);
  } else if (wasVisible) {
    SetWindowPosImpl(window, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
  }
  ActivateOtherWindow(w);
  // Owned windows go first.
  std::vector<HWND> owned;
  {
    UserLock lock;
    for (const Window* other : Desktop().children)
      if (other->owner == window) owned.push_back(other->handle);
  }
  for (HWND o : owned) DestroyWindow(o);
  SendDestroy(w);
  FinalDestroy(w);
  return TRUE;
}
