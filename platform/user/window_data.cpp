// Window data: GetWindowLongPtr/SetWindowLongPtr (styles, procedure,
// identifier, user data, extra bytes), window text, and properties.
#include <algorithm>

#include "platform/user/window_internal.h"

using namespace user;

namespace {

LONG_PTR ReadExtra(const Window& w, int index, int size) {
  LONG_PTR value = 0;
  std::memcpy(&value, w.extra.data() + index, static_cast<size_t>(size));
  return value;
}

LONG_PTR WindowLong(HWND window, int index, bool unicode, bool set, LONG_PTR value, int size = sizeof(LONG_PTR)) {
  WindowPtr w = FindWin(window);
  if (!w) return 0;
  if (index >= 0) {
    UserLock lock;
    if (index + size > static_cast<int>(w->extra.size())) return Fail(ERROR_INVALID_INDEX);
    const LONG_PTR old = ReadExtra(*w, index, size);
    if (set) std::memcpy(w->extra.data() + index, &value, static_cast<size_t>(size));
    return old;
  }
  if (set && index == GWLP_WNDPROC && w->thread != ThisThread())
    return Fail(ERROR_ACCESS_DENIED);  // another thread's procedure is not ours to replace
  if (set && (index == GWL_STYLE || index == GWL_EXSTYLE)) {
    STYLESTRUCT ss{};
    {
      UserLock lock;
      ss.styleOld = index == GWL_STYLE ? w->style : w->exStyle;
    }
    ss.styleNew = static_cast<DWORD>(value);
    Send(window, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
    {
      UserLock lock;
      if (w->life == Life::Dead) return 0;
      DWORD& field = index == GWL_STYLE ? w->style : w->exStyle;
      field = ss.styleNew;
    }
    Send(window, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
    return static_cast<LONG_PTR>(ss.styleOld);
  }
  UserLock lock;
  switch (index) {
    case GWL_STYLE: return static_cast<LONG_PTR>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(w->exStyle);
    case GWLP_USERDATA: {
      const LONG_PTR old = w->userData;
      if (set) w->userData = value;
      return old;
    }
    case GWLP_ID: {
      const LONG_PTR old = w->id;
      if (set) w->id = value;
      return old;
    }
    case GWLP_HINSTANCE: {
      const auto old = reinterpret_cast<LONG_PTR>(w->instance);
      if (set) w->instance = reinterpret_cast<HINSTANCE>(value);
      return old;
    }
    case GWLP_HWNDPARENT: {
      if (set) return Fail(ERROR_INVALID_INDEX);
      if (w->IsChild()) return reinterpret_cast<LONG_PTR>(w->parent ? w->parent->handle : nullptr);
      return reinterpret_cast<LONG_PTR>(w->owner);
    }
    case GWLP_WNDPROC: {
      const auto old = reinterpret_cast<LONG_PTR>(ProcHandle(w->proc, w->unicode, unicode));
      if (set) {
        if (!value) return Fail(ERROR_INVALID_PARAMETER);
        ResolveProc(reinterpret_cast<WNDPROC>(value), unicode, w->proc, w->unicode);
      }
      return old;
    }
    default: return Fail(ERROR_INVALID_INDEX);
  }
}

}  // namespace

LONG_PTR GetWindowLongPtrW(HWND window, int index) { return WindowLong(window, index, true, false, 0); }
LONG_PTR GetWindowLongPtrA(HWND window, int index) { return WindowLong(window, index, false, false, 0); }
LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
  SetLastError(0);
  return WindowLong(window, index, true, true, value);
}
LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value) {
  SetLastError(0);
  return WindowLong(window, index, false, true, value);
}
WORD GetWindowWord(HWND window, int index) {
  if (index < 0) return static_cast<WORD>(Fail(ERROR_INVALID_INDEX));
  return static_cast<WORD>(WindowLong(window, index, true, false, 0, 2));
}
WORD SetWindowWord(HWND window, int index, WORD value) {
  if (index < 0) return static_cast<WORD>(Fail(ERROR_INVALID_INDEX));
  return static_cast<WORD>(WindowLong(window, index, true, true, value, 2));
}

BOOL IsWindowUnicode(HWND window) {
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  UserLock lock;
  return w->unicode;
}

BOOL SetWindowTextW(HWND window, LPCWSTR text) {
  if (!FindWin(window)) return FALSE;
  return static_cast<BOOL>(Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}
BOOL SetWindowTextA(HWND window, LPCSTR text) {
  if (!FindWin(window)) return FALSE;
  return static_cast<BOOL>(SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

int GetWindowTextW(HWND window, LPWSTR text, int size) {
  if (!text || size < 1) return 0;
  text[0] = 0;
  if (!FindWin(window)) return 0;
  const LRESULT n = Send(window, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(text));
  text[size - 1] = 0;  // whatever the procedure did, the buffer ends in a zero
  return static_cast<int>(std::clamp<LRESULT>(n, 0, size - 1));
}
int GetWindowTextA(HWND window, LPSTR text, int size) {
  if (!text || size < 1) return 0;
  text[0] = 0;
  if (!FindWin(window)) return 0;
  const LRESULT n = SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(text));
  text[size - 1] = 0;
  return static_cast<int>(std::clamp<LRESULT>(n, 0, size - 1));
}
int GetWindowTextLengthW(HWND window) {
  if (!FindWin(window)) return 0;
  return static_cast<int>(Send(window, WM_GETTEXTLENGTH, 0, 0));
}
int GetWindowTextLengthA(HWND window) {
  if (!FindWin(window)) return 0;
  return static_cast<int>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
}

namespace {

std::u16string PropKey(LPCWSTR name) {
  if (IsAtomArg(name)) return u"#" + std::u16string(1, static_cast<char16_t>(reinterpret_cast<uintptr_t>(name)));
  std::u16string key = name;
  for (auto& c : key)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  return key;
}
std::u16string PropKeyA(LPCSTR name) {
  if (IsAtomArg(name)) return PropKey(reinterpret_cast<LPCWSTR>(name));
  const std::u16string wide = ToWide(name);
  return PropKey(wide.c_str());
}

BOOL SetPropKey(HWND window, const std::u16string& key, HANDLE data) {
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  UserLock lock;
  w->props[key] = data;
  return TRUE;
}
HANDLE GetPropKey(HWND window, const std::u16string& key, bool remove) {
  WindowPtr w = FindWin(window);
  if (!w) return nullptr;
  UserLock lock;
  auto it = w->props.find(key);
  if (it == w->props.end()) return nullptr;
  HANDLE value = it->second;
  if (remove) w->props.erase(it);
  return value;
}

}  // namespace

BOOL SetPropW(HWND window, LPCWSTR name, HANDLE data) {
  return name ? SetPropKey(window, PropKey(name), data) : Fail(ERROR_INVALID_PARAMETER);
}
BOOL SetPropA(HWND window, LPCSTR name, HANDLE data) {
  return name ? SetPropKey(window, PropKeyA(name), data) : Fail(ERROR_INVALID_PARAMETER);
}
HANDLE GetPropW(HWND window, LPCWSTR name) { return name ? GetPropKey(window, PropKey(name), false) : nullptr; }
HANDLE GetPropA(HWND window, LPCSTR name) { return name ? GetPropKey(window, PropKeyA(name), false) : nullptr; }
HANDLE RemovePropW(HWND window, LPCWSTR name) { return name ? GetPropKey(window, PropKey(name), true) : nullptr; }
HANDLE RemovePropA(HWND window, LPCSTR name) { return name ? GetPropKey(window, PropKeyA(name), true) : nullptr; }
