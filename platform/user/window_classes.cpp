// Window classes: the system classes registered at start-up from one table,
// application classes per module, and the class calls.
#include <algorithm>
#include <array>

#include "platform/kernel/atom_table.h"
#include "platform/user/window_internal.h"

namespace user {
namespace {

// The built-in classes: name, style, window extra bytes, cursor, background
// (a system colour index + 1, 0 for none). Their procedures start as
// DefWindowProcW and are installed by the areas that implement them.
struct SystemClassRow {
  const char16_t* name;
  UINT style;
  int windowExtraBytes;
  LPCSTR cursor;
  int background;
};
constexpr UINT kCtl = CS_DBLCLKS | CS_PARENTDC | CS_GLOBALCLASS;
const std::array kSystemClasses{
    SystemClassRow{u"Button", kCtl | CS_VREDRAW | CS_HREDRAW, 16, IDC_ARROW, 0},
    SystemClassRow{u"Static", kCtl & ~CS_DBLCLKS, 16, IDC_ARROW, 0},
    SystemClassRow{u"Edit", kCtl, 16, IDC_IBEAM, 0},
    SystemClassRow{u"ListBox", kCtl, 16, IDC_ARROW, 0},
    SystemClassRow{u"ComboBox", kCtl | CS_VREDRAW | CS_HREDRAW, 16, IDC_ARROW, 0},
    SystemClassRow{u"ComboLBox", CS_DBLCLKS | CS_SAVEBITS | CS_GLOBALCLASS, 16, IDC_ARROW, 0},
    SystemClassRow{u"ScrollBar", kCtl | CS_VREDRAW | CS_HREDRAW, 16, IDC_ARROW, 0},
    SystemClassRow{u"MDIClient", CS_GLOBALCLASS, 16, IDC_ARROW, COLOR_APPWORKSPACE + 1},
    SystemClassRow{u"#32770", CS_SAVEBITS | CS_DBLCLKS | CS_GLOBALCLASS, 30, IDC_ARROW, 0},
    SystemClassRow{u"tooltips_class32", CS_DBLCLKS | CS_SAVEBITS | CS_GLOBALCLASS, 16, IDC_ARROW, 0},
    SystemClassRow{u"msctls_statusbar32", kCtl, 16, IDC_ARROW, 0},
    SystemClassRow{u"ToolbarWindow32", kCtl, 16, IDC_ARROW, 0},
    SystemClassRow{u"SysTabControl32", kCtl, 16, IDC_ARROW, 0},
    SystemClassRow{u"SysListView32", kCtl, 16, IDC_ARROW, 0},
    SystemClassRow{u"SysHeader32", kCtl, 16, IDC_ARROW, 0},
    SystemClassRow{u"msctls_updown32", kCtl, 16, IDC_ARROW, 0},
    SystemClassRow{u"msctls_progress32", kCtl, 16, IDC_ARROW, 0},
    SystemClassRow{u"RichEdit20W", kCtl, 16, IDC_IBEAM, 0},
    SystemClassRow{u"RichEdit20A", kCtl, 16, IDC_IBEAM, 0},
};
static_assert(kSystemClasses.size() == 19);

struct ClassRegistry {
  kernel::AtomTable atoms;
  std::vector<ClassPtr> classes;
};
ClassRegistry& Registry() {
  static auto* registry = new ClassRegistry;
  return *registry;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto up = [](char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; };
    if (up(a[i]) != up(b[i])) return false;
  }
  return true;
}

ClassPtr FindLocked(LPCWSTR nameOrAtom, HINSTANCE instance, bool exactInstance) {
  ATOM atom = 0;
  std::u16string name;
  if (IsAtomArg(nameOrAtom)) {
    atom = static_cast<ATOM>(reinterpret_cast<uintptr_t>(nameOrAtom));
    if (!atom) return nullptr;
  } else {
    name = nameOrAtom;
  }
  auto matches = [&](const ClassPtr& c) { return atom ? c->atom == atom : SameName(c->name, name); };
  // A module's own class first, then global classes, then the system's.
  for (const auto& c : Registry().classes)
    if (matches(c) && !c->system && c->instance == instance) return c;
  if (exactInstance) return nullptr;
  for (const auto& c : Registry().classes)
    if (matches(c) && !c->system && (c->style & CS_GLOBALCLASS)) return c;
  for (const auto& c : Registry().classes)
    if (matches(c) && c->system) return c;
  // Classes registered without a module serve every module.
  for (const auto& c : Registry().classes)
    if (matches(c) && !c->system && c->instance == nullptr) return c;
  return nullptr;
}

ATOM Register(ClassPtr cls) {
  EnsureSystemClasses();
  if (cls->name.empty() || cls->classExtraBytes < 0 || cls->windowExtraBytes < 0 ||
      cls->classExtraBytes > 40000 || cls->windowExtraBytes > 40000) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  UserLock lock;
  if (auto existing = FindLocked(cls->name.c_str(), cls->instance, true)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  if ((cls->style & CS_GLOBALCLASS)) {
    for (const auto& c : Registry().classes)
      if (!c->system && (c->style & CS_GLOBALCLASS) && SameName(c->name, cls->name)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
      }
  }
  cls->atom = Registry().atoms.Add(cls->name);
  if (!cls->atom) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  cls->extra.assign(static_cast<size_t>(cls->classExtraBytes), 0);
  Registry().classes.push_back(cls);
  return cls->atom;
}

ClassPtr FromW(const WNDCLASSEXW& wc) {
  auto cls = std::make_shared<WindowClass>();
  cls->style = wc.style;
  cls->proc = wc.lpfnWndProc;
  cls->unicode = true;
  cls->classExtraBytes = wc.cbClsExtra;
  cls->windowExtraBytes = wc.cbWndExtra;
  cls->instance = wc.hInstance;
  cls->icon = wc.hIcon;
  cls->smallIcon = wc.hIconSm;
  cls->cursor = wc.hCursor;
  cls->background = wc.hbrBackground;
  if (IsAtomArg(wc.lpszMenuName)) cls->menuId = reinterpret_cast<LONG_PTR>(wc.lpszMenuName);
  else cls->menuName = wc.lpszMenuName;
  if (!IsAtomArg(wc.lpszClassName)) cls->name = wc.lpszClassName;
  return cls;
}

}  // namespace

void EnsureSystemClasses() {
  static const bool done = [] {
    UserLock lock;
    for (const auto& row : kSystemClasses) {
      auto cls = std::make_shared<WindowClass>();
      cls->name = row.name;
      cls->style = row.style;
      cls->proc = DefWindowProcW;
      cls->windowExtraBytes = row.windowExtraBytes;
      cls->cursor = LoadCursorA(nullptr, row.cursor);
      cls->background = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(row.background));
      cls->system = true;
      cls->atom = Registry().atoms.Add(cls->name);
      Registry().classes.push_back(std::move(cls));
    }
    return true;
  }();
  (void)done;
}

ClassPtr FindClass(LPCWSTR nameOrAtom, HINSTANCE instance) {
  EnsureSystemClasses();
  UserLock lock;
  return FindLocked(nameOrAtom, instance, false);
}

}  // namespace user

using namespace user;

BOOL SetSystemClassProcedure(LPCWSTR className, WNDPROC proc, int windowExtraBytes) {
  EnsureSystemClasses();
  UserLock lock;
  for (auto& c : Registry().classes)
    if (c->system && !IsAtomArg(className) && SameName(c->name, className)) {
      c->proc = proc ? proc : DefWindowProcW;
      if (windowExtraBytes >= 0) c->windowExtraBytes = windowExtraBytes;
      return TRUE;
    }
  return Fail(ERROR_CLASS_DOES_NOT_EXIST);
}

ATOM RegisterClassExW(const WNDCLASSEXW* wc) {
  if (!wc || wc->cbSize != sizeof(WNDCLASSEXW) || !wc->lpszClassName || IsAtomArg(wc->lpszClassName) ||
      !wc->lpfnWndProc)
    return static_cast<ATOM>(Fail(ERROR_INVALID_PARAMETER));
  return Register(FromW(*wc));
}

ATOM RegisterClassExA(const WNDCLASSEXA* wc) {
  if (!wc || wc->cbSize != sizeof(WNDCLASSEXA) || !wc->lpszClassName || IsAtomArg(wc->lpszClassName) ||
      !wc->lpfnWndProc)
    return static_cast<ATOM>(Fail(ERROR_INVALID_PARAMETER));
  const std::u16string name = ToWide(wc->lpszClassName);
  const std::u16string menu = IsAtomArg(wc->lpszMenuName) ? u"" : ToWide(wc->lpszMenuName);
  WNDCLASSEXW w{sizeof(WNDCLASSEXW), wc->style, wc->lpfnWndProc, wc->cbClsExtra, wc->cbWndExtra, wc->hInstance,
                wc->hIcon, wc->hCursor, wc->hbrBackground,
                IsAtomArg(wc->lpszMenuName) ? reinterpret_cast<LPCWSTR>(wc->lpszMenuName) : menu.c_str(),
                name.c_str(), wc->hIconSm};
  auto cls = FromW(w);
  cls->unicode = false;
  return Register(std::move(cls));
}

ATOM RegisterClassW(const WNDCLASSW* wc) {
  if (!wc) return static_cast<ATOM>(Fail(ERROR_INVALID_PARAMETER));
  WNDCLASSEXW w{sizeof(WNDCLASSEXW), wc->style, wc->lpfnWndProc, wc->cbClsExtra, wc->cbWndExtra, wc->hInstance,
                wc->hIcon, wc->hCursor, wc->hbrBackground, wc->lpszMenuName, wc->lpszClassName, nullptr};
  return RegisterClassExW(&w);
}

ATOM RegisterClassA(const WNDCLASSA* wc) {
  if (!wc) return static_cast<ATOM>(Fail(ERROR_INVALID_PARAMETER));
  WNDCLASSEXA a{sizeof(WNDCLASSEXA), wc->style, wc->lpfnWndProc, wc->cbClsExtra, wc->cbWndExtra, wc->hInstance,
                wc->hIcon, wc->hCursor, wc->hbrBackground, wc->lpszMenuName, wc->lpszClassName, nullptr};
  return RegisterClassExA(&a);
}

BOOL UnregisterClassW(LPCWSTR name, HINSTANCE instance) {
  if (!name) return Fail(ERROR_INVALID_PARAMETER);
  EnsureSystemClasses();
  UserLock lock;
  ClassPtr cls = FindLocked(name, instance, true);
  if (!cls) cls = FindLocked(name, instance, false);
  if (!cls || cls->system) return Fail(ERROR_CLASS_DOES_NOT_EXIST);
  if (cls->windows > 0) return Fail(ERROR_CLASS_HAS_WINDOWS);
  auto& list = Registry().classes;
  list.erase(std::remove(list.begin(), list.end(), cls), list.end());
  Registry().atoms.Delete(cls->atom);
  return TRUE;
}

BOOL UnregisterClassA(LPCSTR name, HINSTANCE instance) {
  if (IsAtomArg(name)) return UnregisterClassW(reinterpret_cast<LPCWSTR>(name), instance);
  const std::u16string wide = ToWide(name);
  return UnregisterClassW(wide.c_str(), instance);
}

BOOL GetClassInfoExW(HINSTANCE instance, LPCWSTR name, WNDCLASSEXW* wc) {
  if (!name || !wc) return Fail(ERROR_INVALID_PARAMETER);
  ClassPtr cls = FindClass(name, instance);
  if (!cls) return Fail(ERROR_CLASS_DOES_NOT_EXIST);
  UserLock lock;
  wc->style = cls->style;
  wc->lpfnWndProc = ProcHandle(cls->proc, cls->unicode, true);
  wc->cbClsExtra = cls->classExtraBytes;
  wc->cbWndExtra = cls->windowExtraBytes;
  wc->hInstance = cls->instance;
  wc->hIcon = cls->icon;
  wc->hCursor = cls->cursor;
  wc->hbrBackground = cls->background;
  wc->lpszMenuName = cls->menuId ? reinterpret_cast<LPCWSTR>(cls->menuId) : nullptr;
  wc->lpszClassName = name;
  wc->hIconSm = cls->smallIcon;
  return static_cast<BOOL>(cls->atom);
}

BOOL GetClassInfoExA(HINSTANCE instance, LPCSTR name, WNDCLASSEXA* wc) {
  if (!name || !wc) return Fail(ERROR_INVALID_PARAMETER);
  const std::u16string wide = IsAtomArg(name) ? u"" : ToWide(name);
  WNDCLASSEXW w{};
  w.cbSize = sizeof(w);
  const BOOL found =
      GetClassInfoExW(instance, IsAtomArg(name) ? reinterpret_cast<LPCWSTR>(name) : wide.c_str(), &w);
  if (!found) return FALSE;
  ClassPtr cls = FindClass(IsAtomArg(name) ? reinterpret_cast<LPCWSTR>(name) : wide.c_str(), instance);
  wc->style = w.style;
  wc->lpfnWndProc = cls ? ProcHandle(cls->proc, cls->unicode, false) : nullptr;
  wc->cbClsExtra = w.cbClsExtra;
  wc->cbWndExtra = w.cbWndExtra;
  wc->hInstance = w.hInstance;
  wc->hIcon = w.hIcon;
  wc->hCursor = w.hCursor;
  wc->hbrBackground = w.hbrBackground;
  wc->lpszMenuName = reinterpret_cast<LPCSTR>(w.lpszMenuName);
  wc->lpszClassName = name;
  wc->hIconSm = w.hIconSm;
  return found;
}

int GetClassNameW(HWND window, LPWSTR name, int size) {
  WindowPtr w = FindWin(window);
  if (!w) return 0;
  if (!name || size < 1) return static_cast<int>(Fail(ERROR_INSUFFICIENT_BUFFER));
  UserLock lock;
  return CopyOut(w->desktop ? std::u16string_view(u"#32769") : std::u16string_view(w->cls->name), name, size);
}

int GetClassNameA(HWND window, LPSTR name, int size) {
  WindowPtr w = FindWin(window);
  if (!w) return 0;
  if (!name || size < 1) return static_cast<int>(Fail(ERROR_INSUFFICIENT_BUFFER));
  UserLock lock;
  return CopyOut(ToAnsi(w->desktop ? u"#32769" : w->cls->name), name, size);
}

namespace {

ULONG_PTR ClassLong(HWND window, int index, bool unicode, bool set, LONG_PTR value) {
  WindowPtr w = FindWin(window);
  if (!w) return 0;
  UserLock lock;
  if (w->desktop) return Fail(ERROR_ACCESS_DENIED);
  WindowClass& c = *w->cls;
  if (index >= 0) {
    if (index + static_cast<int>(sizeof(LONG_PTR)) > c.classExtraBytes) return Fail(ERROR_INVALID_INDEX);
    LONG_PTR old = 0;
    std::memcpy(&old, c.extra.data() + index, sizeof(old));
    if (set) std::memcpy(c.extra.data() + index, &value, sizeof(value));
    return static_cast<ULONG_PTR>(old);
  }
  auto swap = [&](auto& field) {
    const auto old = reinterpret_cast<ULONG_PTR>(field);
    if (set) field = reinterpret_cast<std::remove_reference_t<decltype(field)>>(value);
    return old;
  };
  switch (index) {
    case GCLP_HBRBACKGROUND: return swap(c.background);
    case GCLP_HCURSOR: return swap(c.cursor);
    case GCLP_HICON: return swap(c.icon);
    case GCLP_HICONSM: return swap(c.smallIcon);
    case GCLP_HMODULE: return swap(c.instance);
    case GCL_CBWNDEXTRA: return static_cast<ULONG_PTR>(c.windowExtraBytes);
    case GCL_CBCLSEXTRA: return static_cast<ULONG_PTR>(c.classExtraBytes);
    case GCW_ATOM: return c.atom;
    case GCLP_MENUNAME: return static_cast<ULONG_PTR>(c.menuId);
    case GCL_STYLE: {
      const ULONG_PTR old = c.style;
      if (set) c.style = static_cast<UINT>(value);
      return old;
    }
    case GCLP_WNDPROC: {
      const auto old = reinterpret_cast<ULONG_PTR>(ProcHandle(c.proc, c.unicode, unicode));
      if (set) ResolveProc(reinterpret_cast<WNDPROC>(value), unicode, c.proc, c.unicode);
      return old;
    }
    default: return Fail(ERROR_INVALID_INDEX);
  }
}

}  // namespace

ULONG_PTR GetClassLongPtrW(HWND window, int index) { return ClassLong(window, index, true, false, 0); }
ULONG_PTR GetClassLongPtrA(HWND window, int index) { return ClassLong(window, index, false, false, 0); }
ULONG_PTR SetClassLongPtrW(HWND window, int index, LONG_PTR value) { return ClassLong(window, index, true, true, value); }
ULONG_PTR SetClassLongPtrA(HWND window, int index, LONG_PTR value) {
  return ClassLong(window, index, false, true, value);
}
WORD GetClassWord(HWND window, int index) {
  if (index == GCW_ATOM) return static_cast<WORD>(ClassLong(window, index, true, false, 0));
  WindowPtr w = FindWin(window);
  if (!w) return 0;
  UserLock lock;
  if (index < 0 || index + 2 > w->cls->classExtraBytes) return static_cast<WORD>(Fail(ERROR_INVALID_INDEX));
  WORD v = 0;
  std::memcpy(&v, w->cls->extra.data() + index, 2);
  return v;
}
