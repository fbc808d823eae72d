// The window tree: parents, owners, children in Z order, and the calls that
// walk it (GetWindow, GetParent, EnumWindows, FindWindow...).
#include <algorithm>

#include "platform/display/display.h"
#include "platform/user/window_internal.h"

namespace user {

namespace {
bool IsTopmost(const Window* w) { return (w->exStyle & WS_EX_TOPMOST) != 0; }
}  // namespace

void LinkWindow(Window& window, Window& parent, HWND insertAfter) {
  auto& list = parent.children;
  window.parent = &parent;
  auto firstNonTopmost = std::find_if(list.begin(), list.end(), [](Window* w) { return !IsTopmost(w); });
  if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST) {
    // Topmost windows stay above the others.
    list.insert(IsTopmost(&window) || parent.desktop == false ? list.begin() : firstNonTopmost, &window);
  } else if (insertAfter == HWND_BOTTOM || insertAfter == HWND_NOTOPMOST) {
    if (insertAfter == HWND_NOTOPMOST) list.insert(firstNonTopmost, &window);
    else list.push_back(&window);
  } else {
    auto it = std::find_if(list.begin(), list.end(), [&](Window* w) { return w->handle == insertAfter; });
    list.insert(it == list.end() ? list.end() : it + 1, &window);
  }
}

void UnlinkWindow(Window& window) {
  if (!window.parent) return;
  auto& list = window.parent->children;
  list.erase(std::remove(list.begin(), list.end(), &window), list.end());
  window.parent = nullptr;
}

bool IsDescendant(const Window& ancestor, const Window& window) {
  for (const Window* w = window.parent; w; w = w->parent)
    if (w == &ancestor) return true;
  return false;
}

Window* TopLevelOf(Window& window) {
  Window* w = &window;
  while (w->parent && !w->parent->desktop) w = w->parent;
  return w;
}

POINT ClientOrigin(const Window& window) {
  POINT p{window.clientRect.left, window.clientRect.top};
  for (const Window* w = window.parent; w && !w->desktop; w = w->parent) {
    p.x += w->clientRect.left;
    p.y += w->clientRect.top;
  }
  return p;
}

RECT ScreenWindowRect(const Window& window) {
  RECT r = window.windowRect;
  if (window.parent && !window.parent->desktop) {
    const POINT o = ClientOrigin(*window.parent);
    OffsetRect(&r, o.x, o.y);
  }
  return r;
}

RECT ScreenClientRect(const Window& window) {
  const POINT o = ClientOrigin(window);
  return RECT{o.x, o.y, o.x + window.clientRect.right - window.clientRect.left,
              o.y + window.clientRect.bottom - window.clientRect.top};
}

POINT SurfaceOffset(const Window& window) {
  const Window* top = &window;
  while (top->parent && !top->parent->desktop) top = top->parent;
  const RECT mine = ScreenWindowRect(window);
  return POINT{mine.left - top->windowRect.left, mine.top - top->windowRect.top};
}

bool ReallyVisible(const Window& window) {
  for (const Window* w = &window; w && !w->desktop; w = w->parent)
    if (!w->Visible()) return false;
  return true;
}

std::vector<HWND> ChildHandles(const Window& parent) {
  std::vector<HWND> out;
  out.reserve(parent.children.size());
  for (const Window* c : parent.children) out.push_back(c->handle);
  return out;
}

}  // namespace user

using namespace user;

HWND GetDesktopWindow() {
  EnsureSystemClasses();
  // The desktop is as large as the screen of the display in use, which may
  // have been chosen after the desktop window was made.
  const SIZE screen = display::Current().ScreenSize();
  Window& desktop = Desktop();
  {
    UserLock lock;
    desktop.windowRect = desktop.clientRect = RECT{0, 0, screen.cx, screen.cy};
  }
  return desktop.handle;
}

BOOL IsWindow(HWND window) {
  WindowPtr w = FindWinQuiet(window);
  if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w && w->life != Life::Dead ? TRUE : FALSE;
}

HWND GetParent(HWND window) {
  WindowPtr w = FindWin(window);
  if (!w) return nullptr;
  UserLock lock;
  if (w->IsChild()) return w->parent && !w->parent->desktop ? w->parent->handle : nullptr;
  if (w->style & WS_POPUP) return w->owner;
  return nullptr;
}

HWND GetAncestor(HWND window, UINT flags) {
  WindowPtr w = FindWin(window);
  if (!w) return nullptr;
  UserLock lock;
  if (w->desktop) return nullptr;
  switch (flags) {
    case GA_PARENT: return w->parent ? w->parent->handle : nullptr;
    case GA_ROOT: return TopLevelOf(*w)->handle;
    case GA_ROOTOWNER: {
      HWND h = TopLevelOf(*w)->handle;
      for (;;) {
        WindowPtr cur = FindWinQuiet(h);
        if (!cur || !cur->owner) return h;
        h = cur->owner;
      }
    }
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
  }
}

HWND GetWindow(HWND window, UINT command) {
  WindowPtr w = FindWin(window);
  if (!w) return nullptr;
  UserLock lock;
  switch (command) {
    case GW_CHILD: return w->children.empty() ? nullptr : w->children.front()->handle;
    case GW_OWNER: return w->owner;
    case GW_ENABLEDPOPUP: return nullptr;
    default: break;
  }
  if (!w->parent) return nullptr;
  const auto& list = w->parent->children;
  auto it = std::find(list.begin(), list.end(), w.get());
  if (it == list.end()) return nullptr;
  switch (command) {
    case GW_HWNDFIRST: return list.front()->handle;
    case GW_HWNDLAST: return list.back()->handle;
    case GW_HWNDNEXT: return it + 1 == list.end() ? nullptr : (*(it + 1))->handle;
    case GW_HWNDPREV: return it == list.begin() ? nullptr : (*(it - 1))->handle;
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
  }
}

HWND GetTopWindow(HWND window) { return GetWindow(window ? window : GetDesktopWindow(), GW_CHILD); }
HWND GetNextWindow(HWND window, UINT command) { return GetWindow(window, command); }

BOOL IsChild(HWND parent, HWND window) {
  WindowPtr p = FindWinQuiet(parent);
  WindowPtr w = FindWinQuiet(window);
  if (!p || !w) return FALSE;
  UserLock lock;
  for (const Window* cur = w.get(); cur && cur->IsChild(); cur = cur->parent)
    if (cur->parent == p.get()) return TRUE;
  return FALSE;
}

namespace {

// Enumerates handles gathered first, so a callback that destroys or creates
// windows does not disturb the walk; windows destroyed meanwhile are skipped.
BOOL EnumHandles(const std::vector<HWND>& handles, WNDENUMPROC callback, LPARAM param) {
  for (HWND h : handles) {
    if (!IsWindow(h)) continue;
    if (!callback(h, param)) return FALSE;
  }
  return TRUE;
}

void GatherDescendants(const Window& parent, std::vector<HWND>& out) {
  for (const Window* c : parent.children) {
    out.push_back(c->handle);
    GatherDescendants(*c, out);
  }
}

bool NameMatches(const Window& w, LPCWSTR className, LPCWSTR windowName) {
  if (className) {
    if (IsAtomArg(className)) {
      if (w.cls->atom != static_cast<ATOM>(reinterpret_cast<uintptr_t>(className))) return false;
    } else {
      ClassPtr c = FindClass(className, w.instance);
      if (!c || c != w.cls) {
        // Same name, another module's class: still the class asked for by name.
        std::u16string a = w.cls->name, b = className;
        auto up = [](std::u16string s) {
          for (auto& ch : s)
            if (ch >= u'a' && ch <= u'z') ch = static_cast<char16_t>(ch - 32);
          return s;
        };
        if (up(a) != up(b)) return false;
      }
    }
  }
  return !windowName || w.text == windowName;
}

}  // namespace

BOOL EnumWindows(WNDENUMPROC callback, LPARAM param) {
  if (!callback) return Fail(ERROR_INVALID_PARAMETER);
  std::vector<HWND> handles;
  {
    UserLock lock;
    handles = ChildHandles(Desktop());
  }
  return EnumHandles(handles, callback, param);
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM param) {
  if (!callback) return Fail(ERROR_INVALID_PARAMETER);
  WindowPtr p = parent ? FindWin(parent) : nullptr;
  if (parent && !p) return FALSE;
  std::vector<HWND> handles;
  {
    UserLock lock;
    GatherDescendants(p ? *p : Desktop(), handles);
  }
  return EnumHandles(handles, callback, param);
}

BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC callback, LPARAM param) {
  if (!callback) return Fail(ERROR_INVALID_PARAMETER);
  std::vector<HWND> handles;
  {
    UserLock lock;
    for (const Window* w : Desktop().children)
      if (w->thread == threadId) handles.push_back(w->handle);
  }
  return EnumHandles(handles, callback, param);
}

HWND FindWindowExW(HWND parent, HWND after, LPCWSTR className, LPCWSTR windowName) {
  WindowPtr p = parent ? FindWin(parent) : nullptr;
  if (parent && !p) return nullptr;
  UserLock lock;
  const Window& base = p ? *p : Desktop();
  bool started = after == nullptr;
  for (const Window* c : base.children) {
    if (!started) {
      started = c->handle == after;
      continue;
    }
    if (NameMatches(*c, className, windowName)) return c->handle;
  }
  SetLastError(ERROR_FILE_NOT_FOUND);
  return nullptr;
}

HWND FindWindowW(LPCWSTR className, LPCWSTR windowName) {
  return FindWindowExW(nullptr, nullptr, className, windowName);
}

HWND FindWindowExA(HWND parent, HWND after, LPCSTR className, LPCSTR windowName) {
  const std::u16string c = className && !IsAtomArg(className) ? ToWide(className) : u"";
  const std::u16string n = windowName ? ToWide(windowName) : u"";
  LPCWSTR cw = !className ? nullptr : IsAtomArg(className) ? reinterpret_cast<LPCWSTR>(className) : c.c_str();
  return FindWindowExW(parent, after, cw, windowName ? n.c_str() : nullptr);
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName) {
  return FindWindowExA(nullptr, nullptr, className, windowName);
}

HWND GetDlgItem(HWND dialog, int id) {
  WindowPtr d = FindWin(dialog);
  if (!d) return nullptr;
  UserLock lock;
  for (const Window* c : d->children)
    if (c->IsChild() && static_cast<int>(c->id) == id) return c->handle;
  SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
  return nullptr;
}

int GetDlgCtrlID(HWND window) {
  WindowPtr w = FindWin(window);
  if (!w) return 0;
  UserLock lock;
  return w->IsChild() ? static_cast<int>(w->id) : 0;
}

DWORD GetWindowThreadProcessId(HWND window, LPDWORD processId) {
  WindowPtr w = FindWin(window);
  if (!w) return 0;
  if (processId) *processId = GetCurrentProcessId();
  UserLock lock;
  return w->thread;
}

HWND SetParent(HWND window, HWND newParent) {
  WindowPtr w = FindWin(window);
  if (!w) return nullptr;
  WindowPtr p = newParent ? FindWin(newParent) : nullptr;
  if (newParent && !p) return nullptr;
  HWND old = nullptr;
  {
    UserLock lock;
    Window& target = p ? *p : Desktop();
    if (w->desktop || &target == w.get() || IsDescendant(*w, target)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    old = w->parent ? w->parent->handle : nullptr;
    const RECT screen = ScreenWindowRect(*w);
    UnlinkWindow(*w);
    LinkWindow(*w, target, HWND_TOP);
    // Keep the window where it is on the screen.
    RECT r = screen;
    if (!target.desktop) {
      const POINT o = ClientOrigin(target);
      OffsetRect(&r, -o.x, -o.y);
    }
    const int dx = r.left - w->windowRect.left, dy = r.top - w->windowRect.top;
    OffsetRect(&w->windowRect, dx, dy);
    OffsetRect(&w->clientRect, dx, dy);
    if (target.desktop) EnsureSurface(*w);
    else w->surface.reset();
  }
  InvalidateRect(window, nullptr, TRUE);
  return old;
}
