// Making dialogs from templates: the font and its dialog units, the window,
// its controls, WM_SETFONT and WM_INITDIALOG.
#include <algorithm>
#include <string>

#include "platform/resource/dialog_template.h"
#include "platform/resource/resource.h"
#include "platform/resource/resource_internal.h"
#include "platform/user/controls/control_support.h"
#include "platform/user/dialogs/dialog_internal.h"
#include "platform/user/dialogs/dialog_state.h"
#include "platform/user/menus/menus.h"

namespace dialogs {
namespace {

constexpr WORD kDialogType = 5;  // RT_DIALOG
// A template in memory whose end nobody told us is read no further than this.
constexpr size_t kUnboundedTemplate = 1u << 20;

// a * b / c rounded to the nearest, as the system's MulDiv does.
int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t p = static_cast<int64_t>(a) * b;
  return static_cast<int>((p >= 0) == (c > 0) ? (p + c / 2) / c : (p - c / 2) / c);
}

const char16_t* ControlClassName(const resource::ResName& name) {
  if (!name.IsOrdinal()) return name.text.c_str();
  switch (static_cast<resource::ControlAtom>(name.ordinal)) {
    case resource::ControlAtom::Button: return u"Button";
    case resource::ControlAtom::Edit: return u"Edit";
    case resource::ControlAtom::Static: return u"Static";
    case resource::ControlAtom::ListBox: return u"ListBox";
    case resource::ControlAtom::ScrollBar: return u"ScrollBar";
    case resource::ControlAtom::ComboBox: return u"ComboBox";
  }
  return nullptr;
}

HFONT MakeFont(const resource::DialogTemplate& t) {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(t.pointSize, 96, 72);
  lf.lfWeight = t.weight ? t.weight : FW_NORMAL;
  lf.lfItalic = t.italic ? 1 : 0;
  lf.lfCharSet = t.charSet;
  const size_t n = std::min<size_t>(t.faceName.size(), LF_FACESIZE - 1);
  std::copy_n(t.faceName.data(), n, lf.lfFaceName);
  return CreateFontIndirectW(&lf);
}

int ToPixelsX(int units, const SIZE& base) { return MulDiv(units, base.cx, 4); }
int ToPixelsY(int units, const SIZE& base) { return MulDiv(units, base.cy, 8); }

RECT WindowRect(const resource::DialogTemplate& t, const SIZE& base, HWND owner, bool menu) {
  RECT r{0, 0, ToPixelsX(t.cx, base), ToPixelsY(t.cy, base)};
  const DWORD style = t.style;
  AdjustWindowRectEx(&r, style, menu ? TRUE : FALSE, t.exStyle);
  const int width = r.right - r.left, height = r.bottom - r.top;
  POINT at{ToPixelsX(t.x, base), ToPixelsY(t.y, base)};
  if (style & WS_CHILD) {
    // A child dialog is placed in its parent's client area.
  } else if (style & (DS_CENTER | DS_CENTERMOUSE)) {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner) GetWindowRect(owner, &area);
    at = POINT{area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
  } else if (owner && !(style & DS_ABSALIGN)) {
    POINT origin{0, 0};
    ClientToScreen(owner, &origin);
    at.x += origin.x;
    at.y += origin.y;
  }
  return RECT{at.x, at.y, at.x + width, at.y + height};
}

bool CreateItem(HWND dialog, HINSTANCE instance, const resource::DialogItemTemplate& item, const SIZE& base,
                HFONT font) {
  const char16_t* className = ControlClassName(item.windowClass);
  if (!className) return false;
  // A title given by ordinal (an icon or bitmap static's picture) reaches
  // the control as "#n", which the resource calls accept.
  std::u16string title = item.title.text;
  if (item.title.IsOrdinal()) {
    title = u"#";
    for (char c : std::to_string(item.title.ordinal)) title.push_back(static_cast<char16_t>(c));
    if (item.title.ordinal == 0) title.clear();
  }
  void* creationData = item.creationData.empty() ? nullptr : const_cast<uint8_t*>(item.creationData.data());
  const HWND control = CreateWindowExW(item.exStyle | WS_EX_NOPARENTNOTIFY, className, title.c_str(),
                                       item.style | WS_CHILD, ToPixelsX(item.x, base), ToPixelsY(item.y, base),
                                       ToPixelsX(item.cx, base), ToPixelsY(item.cy, base), dialog,
                                       reinterpret_cast<HMENU>(static_cast<uintptr_t>(item.id & 0xFFFF)), instance,
                                       creationData);
  if (!control) return false;
  if (font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // Each control is asked whether it is the default push button.
  if ((SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) && IsWindow(dialog))
    if (DialogState* s = StateOf(dialog)) s->defaultId = static_cast<WORD>(item.id);
  return IsWindow(control);
}

// The record beside a dialog resource that names its menu: the resource
// compiler of the build cannot write a menu into a dialog template, so a
// script gives it as `dialog-id DLGMENU { menu-id }` (a 16-bit ordinal) or
// `dialog-id DLGMENU { L"NAME\0" }`.
const resource::ResName kDialogMenuType{0, u"DLGMENU"};

// The menu's name from such a record; false when the record is malformed.
bool ReadMenuRecord(std::span<const uint8_t> record, resource::ResName& name) {
  ByteReader in(record.data(), record.size());
  if (record.size() == 2) {
    name = resource::ResName{in.U16(), {}};
    return name.ordinal != 0;
  }
  if (record.size() < 4 || record.size() % 2 != 0) return false;
  name = resource::ResName{0, in.Utf16z()};
  return in.ok() && !name.text.empty() && in.AtEnd();
}

// The dialog's menu: named by its template, or by the record beside the
// template's resource. Null without one; false when one is named but cannot
// be loaded.
bool LoadDialogMenu(HINSTANCE instance, const resource::DialogTemplate& t, std::span<const uint8_t> bytes, HMENU& menu) {
  menu = nullptr;
  if (t.style & WS_CHILD) return true;
  resource::ResName name = t.menu;
  if (name.IsOrdinal() && name.ordinal == 0) {
    const std::span<const uint8_t> record = resource::CompanionOf(bytes.data(), kDialogMenuType);
    if (record.empty()) return true;
    if (!ReadMenuRecord(record, name)) return false;
  }
  menu = name.IsOrdinal() ? LoadMenuW(instance, MAKEINTRESOURCEW(name.ordinal)) : LoadMenuW(instance, name.text.c_str());
  return menu != nullptr;
}

WORD TemplateDefaultId(const resource::DialogTemplate& t) {
  for (const auto& item : t.items)
    if (item.windowClass == resource::ResName{0x80, {}} && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
      return static_cast<WORD>(item.id);
  return 0;
}

}  // namespace

HWND CreateFromTemplate(HINSTANCE instance, std::span<const uint8_t> bytes, HWND owner, DLGPROC proc, LPARAM param,
                        bool ansi) {
  resource::DialogTemplate t;
  if (!resource::ParseDialogTemplate(bytes, t)) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  HMENU menu = nullptr;
  if (!LoadDialogMenu(instance, t, bytes, menu)) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  HFONT font = t.hasFont ? MakeFont(t) : nullptr;
  const SIZE base = controls::FontCellSize(font);
  if (!(t.style & WS_CHILD) && owner) owner = GetAncestor(owner, GA_ROOT);
  const RECT r = WindowRect(t, base, owner, menu != nullptr);
  const DWORD exStyle = t.exStyle | ((t.style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0);
  const char16_t* className = t.windowClass.IsOrdinal() ? u"#32770" : t.windowClass.text.c_str();
  const HWND dialog = CreateWindowExW(exStyle, className, t.title.c_str(), t.style & ~WS_VISIBLE, r.left, r.top,
                                      r.right - r.left, r.bottom - r.top, owner, menu, instance, nullptr);
  if (!dialog) {
    if (font) DeleteObject(font);
    if (menu) DestroyMenu(menu);
    return nullptr;
  }
  DialogState* state = AttachState(dialog);
  state->font = font;
  state->ownsFont = font != nullptr;
  state->baseUnits = base;
  state->defaultId = TemplateDefaultId(t);
  state->ansiProc = ansi;
  state->menu = menu;
  SetWindowLongPtrW(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
  if (font) SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  for (const resource::DialogItemTemplate& item : t.items) {
    if (!CreateItem(dialog, instance, item, base, font) && !(t.style & DS_NOFAILCREATE)) {
      DestroyWindow(dialog);
      SetLastError(ERROR_INVALID_DATA);
      return nullptr;
    }
  }
  const HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
  // "The dialog box procedure should return TRUE to direct the system to set
  // the keyboard focus to the control specified by wParam" (WM_INITDIALOG).
  const LRESULT focus = SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
  if (!IsWindow(dialog)) return nullptr;
  if (focus && first) {
    // The first tab stop takes the focus (which activates the dialog, shown
    // or not); a push button there becomes the default while it has it.
    const LRESULT code = SendMessageW(first, WM_GETDLGCODE, 0, 0);
    if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
      SetDialogFocus(dialog, first);
    } else if (IsWindow(dialog)) {
      if (DialogState* s = StateOf(dialog)) s->focus = first;
      SetFocus(first);
      if ((code & DLGC_HASSETSEL) && IsWindow(first)) SendMessageW(first, EM_SETSEL, 0, -1);
    }
    if (!IsWindow(dialog)) return nullptr;
  }
  if (t.style & WS_VISIBLE) {
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
  }
  return dialog;
}

std::span<const uint8_t> TemplateBytes(LPCDLGTEMPLATEW dialogTemplate) {
  if (!dialogTemplate) return {};
  // Bounded by the resource it lies in when it came from one.
  std::span<const uint8_t> bounded = resource::RegisteredDataFrom(dialogTemplate);
  if (!bounded.empty()) return bounded;
  return {reinterpret_cast<const uint8_t*>(dialogTemplate), kUnboundedTemplate};
}

std::span<const uint8_t> ResourceTemplate(HINSTANCE instance, const std::optional<resource::ResName>& name) {
  if (!name) return {};
  const auto data = resource::FindResourceData(instance, resource::ResName{kDialogType, {}}, *name);
  return data ? *data : std::span<const uint8_t>();
}

}  // namespace dialogs

using namespace dialogs;

HWND CreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner, DLGPROC proc,
                                LPARAM param) {
  const std::span<const uint8_t> bytes = TemplateBytes(dialogTemplate);
  if (bytes.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return CreateFromTemplate(instance, bytes, owner, proc, param);
}

HWND CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND owner, DLGPROC proc,
                                LPARAM param) {
  const std::span<const uint8_t> bytes = TemplateBytes(dialogTemplate);
  if (bytes.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return CreateFromTemplate(instance, bytes, owner, proc, param, true);
}

HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR name, HWND owner, DLGPROC proc, LPARAM param) {
  const std::span<const uint8_t> bytes = ResourceTemplate(instance, resource::KeyFromW(name));
  if (bytes.empty()) return nullptr;
  return CreateFromTemplate(instance, bytes, owner, proc, param);
}

HWND CreateDialogParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
  const std::span<const uint8_t> bytes = ResourceTemplate(instance, resource::KeyFromA(name));
  if (bytes.empty()) return nullptr;
  return CreateFromTemplate(instance, bytes, owner, proc, param, true);
}

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
  DialogState* s = StateOf(dialog);
  if (!s || !rect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  rect->left = ToPixelsX(rect->left, s->baseUnits);
  rect->right = ToPixelsX(rect->right, s->baseUnits);
  rect->top = ToPixelsY(rect->top, s->baseUnits);
  rect->bottom = ToPixelsY(rect->bottom, s->baseUnits);
  return TRUE;
}

LONG GetDialogBaseUnits() {
  const SIZE base = controls::FontCellSize(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
  return static_cast<LONG>((static_cast<DWORD>(base.cy) << 16) | static_cast<DWORD>(base.cx));
}
