// Calling window procedures: the one path every sent message takes, the
// conversion of messages for A procedures (W does the work, A converts), and
// the values that stand for procedures of the other kind.
#include <vector>

#include "platform/user/window_internal.h"

namespace user {
namespace {

// Procedures handed to a caller of the other kind are numbered values in
// this range, which CallWindowProc recognises; real code never lives there.
constexpr uintptr_t kProcHandleBase = 0xFFFF0000u;
struct ProcEntry {
  WNDPROC proc;
  bool unicode;
};
std::vector<ProcEntry>& ProcHandles() {
  static auto* handles = new std::vector<ProcEntry>;
  return *handles;
}

bool CarriesText(UINT message) {
  return message == WM_SETTEXT || message == WM_GETTEXT || message == WM_GETTEXTLENGTH || message == WM_NCCREATE ||
         message == WM_CREATE || message == WM_CHAR || message == WM_SYSCHAR || message == WM_DEADCHAR ||
         message == WM_IME_CHAR;
}

WPARAM CharToAnsi(WPARAM wParam) {
  const char16_t c = static_cast<char16_t>(wParam);
  const std::string bytes = ToAnsi(std::u16string_view(&c, 1));
  if (bytes.size() == 2) return static_cast<BYTE>(bytes[1]) | (static_cast<WPARAM>(static_cast<BYTE>(bytes[0])) << 8);
  return bytes.empty() ? '?' : static_cast<BYTE>(bytes[0]);
}

WPARAM CharToWide(WPARAM wParam) {
  char bytes[2];
  int n = 0;
  if (wParam > 0xFF) bytes[n++] = static_cast<char>((wParam >> 8) & 0xFF);
  bytes[n++] = static_cast<char>(wParam & 0xFF);
  const std::u16string wide = ToWide(bytes, n);
  return wide.empty() ? u'?' : wide[0];
}

// A W message to an A procedure.
LRESULT CallAFromW(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT: {
      if (!lParam) return proc(window, message, wParam, 0);
      const std::string text = ToAnsi(reinterpret_cast<LPCWSTR>(lParam));
      const RelayScope relay(message, window, text.c_str(), reinterpret_cast<const void*>(lParam));
      return proc(window, message, wParam, reinterpret_cast<LPARAM>(text.c_str()));
    }
    case WM_GETTEXT: {
      auto* out = reinterpret_cast<LPWSTR>(lParam);
      if (!out || wParam == 0) return proc(window, message, wParam, lParam);
      std::vector<char> buffer(wParam * 2 + 2, '\0');
      const RelayScope relay(message, window, buffer.data(), out);
      proc(window, message, buffer.size() - 1, reinterpret_cast<LPARAM>(buffer.data()));
      buffer.back() = '\0';
      if (const std::u16string* answer = relay.Answer(buffer.data()))
        return CopyOut(*answer, out, static_cast<int>(wParam));
      return CopyOut(ToWide(buffer.data()), out, static_cast<int>(wParam));
    }
    case WM_GETTEXTLENGTH: {
      const RelayScope relay(message, window, wParam, wParam);
      return proc(window, message, wParam, lParam);
    }
    case WM_NCCREATE:
    case WM_CREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      if (!cs) return proc(window, message, wParam, lParam);
      const std::string name = cs->lpszName ? ToAnsi(cs->lpszName) : std::string();
      const std::string cls = IsAtomArg(cs->lpszClass) ? std::string() : ToAnsi(cs->lpszClass);
      CREATESTRUCTA a{cs->lpCreateParams, cs->hInstance, cs->hMenu, cs->hwndParent, cs->cy, cs->cx, cs->y, cs->x,
                      cs->style, cs->lpszName ? name.c_str() : nullptr,
                      IsAtomArg(cs->lpszClass) ? reinterpret_cast<LPCSTR>(cs->lpszClass) : cls.c_str(),
                      cs->dwExStyle};
      const RelayScope relay(message, window, &a, cs);
      return proc(window, message, wParam, reinterpret_cast<LPARAM>(&a));
    }
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_IME_CHAR: {
      const WPARAM narrowed = CharToAnsi(wParam);
      const RelayScope relay(message, window, narrowed, wParam);
      return proc(window, message, narrowed, lParam);
    }
    default: return proc(window, message, wParam, lParam);
  }
}

// A created window's name for a W procedure: the W caller's own, when the A
// procedure passes on the name it was given.
std::u16string CreateNameToWide(const CREATESTRUCTA& cs, const WideRelay* relay) {
  const auto* original = relay ? static_cast<const CREATESTRUCTW*>(relay->wide) : nullptr;
  if (original && original->lpszName && ToAnsi(original->lpszName) == cs.lpszName) return original->lpszName;
  return ToWide(cs.lpszName);
}

// An A message to a W procedure.
LRESULT CallWFromA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT: {
      if (!lParam) return proc(window, message, wParam, 0);
      if (const WideRelay* relay = FindRelay(message, window, wParam, lParam))
        return proc(window, message, wParam, reinterpret_cast<LPARAM>(relay->wide));
      const std::u16string text = ToWide(reinterpret_cast<LPCSTR>(lParam));
      return proc(window, message, wParam, reinterpret_cast<LPARAM>(text.c_str()));
    }
    case WM_GETTEXT: {
      auto* out = reinterpret_cast<LPSTR>(lParam);
      if (!out || wParam == 0) return proc(window, message, wParam, lParam);
      std::vector<WCHAR> buffer(wParam + 1, 0);
      proc(window, message, wParam, reinterpret_cast<LPARAM>(buffer.data()));
      buffer.back() = 0;
      const int copied = CopyOut(ToAnsi(buffer.data()), out, static_cast<int>(wParam));
      if (WideRelay* relay = FindRelay(message, window, wParam, lParam))
        relay->Answer(buffer.data(), std::string_view(out, static_cast<size_t>(copied)));
      return copied;
    }
    case WM_GETTEXTLENGTH: {
      // The A length may be longer than the W one: ask for the text. A W
      // caller's length, passed on by an A procedure, is the W one.
      const LRESULT units = proc(window, message, wParam, lParam);
      if (units <= 0 || FindRelay(message, window, wParam, lParam)) return units;
      std::vector<WCHAR> buffer(static_cast<size_t>(units) + 1, 0);
      proc(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
      buffer.back() = 0;
      return static_cast<LRESULT>(ToAnsi(buffer.data()).size());
    }
    case WM_NCCREATE:
    case WM_CREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      if (!cs) return proc(window, message, wParam, lParam);
      const std::u16string name = cs->lpszName ? CreateNameToWide(*cs, FindRelay(message, window, wParam, lParam))
                                               : std::u16string();
      const std::u16string cls = IsAtomArg(cs->lpszClass) ? std::u16string() : ToWide(cs->lpszClass);
      CREATESTRUCTW w{cs->lpCreateParams, cs->hInstance, cs->hMenu, cs->hwndParent, cs->cy, cs->cx, cs->y, cs->x,
                      cs->style, cs->lpszName ? name.c_str() : nullptr,
                      IsAtomArg(cs->lpszClass) ? reinterpret_cast<LPCWSTR>(cs->lpszClass) : cls.c_str(),
                      cs->dwExStyle};
      return proc(window, message, wParam, reinterpret_cast<LPARAM>(&w));
    }
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_IME_CHAR: {
      const WideRelay* relay = FindRelay(message, window, wParam, lParam);
      return proc(window, message, relay ? relay->wideParam : CharToWide(wParam), lParam);
    }
    default: return proc(window, message, wParam, lParam);
  }
}

}  // namespace

WNDPROC ProcHandle(WNDPROC proc, bool unicode, bool callerUnicode) {
  if (!proc || unicode == callerUnicode) return proc;
  UserLock lock;
  auto& handles = ProcHandles();
  for (size_t i = 0; i < handles.size(); ++i)
    if (handles[i].proc == proc && handles[i].unicode == unicode)
      return reinterpret_cast<WNDPROC>(kProcHandleBase + i);
  handles.push_back(ProcEntry{proc, unicode});
  return reinterpret_cast<WNDPROC>(kProcHandleBase + handles.size() - 1);
}

void ResolveProc(WNDPROC value, bool callerUnicode, WNDPROC& proc, bool& unicode) {
  const auto raw = reinterpret_cast<uintptr_t>(value);
  if (raw >= kProcHandleBase && raw < kProcHandleBase + 0x10000) {
    UserLock lock;
    const size_t index = raw - kProcHandleBase;
    if (index < ProcHandles().size()) {
      proc = ProcHandles()[index].proc;
      unicode = ProcHandles()[index].unicode;
      return;
    }
    proc = nullptr;
    unicode = callerUnicode;
    return;
  }
  proc = value;
  unicode = callerUnicode;
}

LRESULT CallProcW(WNDPROC proc, bool unicode, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!proc) return 0;
  Unlocked unlocked;
  if (unicode) return proc(window, message, wParam, lParam);
  if (IsListTextMessage(message)) return CallListAFromW(proc, window, message, wParam, lParam);
  if (!CarriesText(message)) return proc(window, message, wParam, lParam);
  return CallAFromW(proc, window, message, wParam, lParam);
}

LRESULT CallProcA(WNDPROC proc, bool unicode, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!proc) return 0;
  Unlocked unlocked;
  if (!unicode) return proc(window, message, wParam, lParam);
  if (IsListTextMessage(message)) return CallListWFromA(proc, window, message, wParam, lParam);
  if (!CarriesText(message)) return proc(window, message, wParam, lParam);
  return CallWFromA(proc, window, message, wParam, lParam);
}

LRESULT CallProc(const WindowPtr& window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC proc = nullptr;
  bool unicode = true;
  {
    UserLock lock;
    // Nothing reaches a window after its WM_NCDESTROY.
    if (window->life == Life::Dead) return 0;
    proc = window->proc;
    unicode = window->unicode;
  }
  return CallProcW(proc, unicode, window->handle, message, wParam, lParam);
}

}  // namespace user

using namespace user;

LRESULT CallWindowProcW(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC real = nullptr;
  bool unicode = true;
  ResolveProc(proc, true, real, unicode);
  if (!real) return 0;
  return CallProcW(real, unicode, window, message, wParam, lParam);
}

LRESULT CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC real = nullptr;
  bool unicode = false;
  ResolveProc(proc, false, real, unicode);
  if (!real) return 0;
  return CallProcA(real, unicode, window, message, wParam, lParam);
}
