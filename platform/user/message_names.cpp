// Message names for tests and traces (one table, checked at compile time),
// and registered window messages.
#include <algorithm>
#include <array>
#include <string_view>

#include "platform/kernel/atom_table.h"
#include "platform/user/window_internal.h"

namespace user {
namespace {

struct NameRow {
  UINT message;
  std::string_view name;
};
#define TAV_MSG(m) NameRow{m, #m}
constexpr std::array kNames{
    TAV_MSG(WM_NULL), TAV_MSG(WM_CREATE), TAV_MSG(WM_DESTROY), TAV_MSG(WM_MOVE), TAV_MSG(WM_SIZE),
    TAV_MSG(WM_ACTIVATE), TAV_MSG(WM_SETFOCUS), TAV_MSG(WM_KILLFOCUS), TAV_MSG(WM_ENABLE), TAV_MSG(WM_SETREDRAW),
    TAV_MSG(WM_SETTEXT), TAV_MSG(WM_GETTEXT), TAV_MSG(WM_GETTEXTLENGTH), TAV_MSG(WM_PAINT), TAV_MSG(WM_CLOSE),
    TAV_MSG(WM_QUIT), TAV_MSG(WM_ERASEBKGND), TAV_MSG(WM_SYSCOLORCHANGE), TAV_MSG(WM_SHOWWINDOW),
    TAV_MSG(WM_SETTINGCHANGE), TAV_MSG(WM_ACTIVATEAPP), TAV_MSG(WM_CANCELMODE), TAV_MSG(WM_SETCURSOR),
    TAV_MSG(WM_MOUSEACTIVATE), TAV_MSG(WM_CHILDACTIVATE), TAV_MSG(WM_GETMINMAXINFO), TAV_MSG(WM_NEXTDLGCTL),
    TAV_MSG(WM_DRAWITEM), TAV_MSG(WM_MEASUREITEM), TAV_MSG(WM_DELETEITEM), TAV_MSG(WM_SETFONT),
    TAV_MSG(WM_GETFONT), TAV_MSG(WM_COMPAREITEM), TAV_MSG(WM_WINDOWPOSCHANGING), TAV_MSG(WM_WINDOWPOSCHANGED),
    TAV_MSG(WM_NOTIFY), TAV_MSG(WM_HELP), TAV_MSG(WM_CONTEXTMENU), TAV_MSG(WM_STYLECHANGING),
    TAV_MSG(WM_STYLECHANGED), TAV_MSG(WM_GETICON), TAV_MSG(WM_SETICON), TAV_MSG(WM_NCCREATE),
    TAV_MSG(WM_NCDESTROY), TAV_MSG(WM_NCCALCSIZE), TAV_MSG(WM_NCHITTEST), TAV_MSG(WM_NCPAINT),
    TAV_MSG(WM_NCACTIVATE), TAV_MSG(WM_GETDLGCODE), TAV_MSG(WM_NCMOUSEMOVE), TAV_MSG(WM_NCLBUTTONDOWN),
    TAV_MSG(WM_NCLBUTTONUP), TAV_MSG(WM_NCLBUTTONDBLCLK), TAV_MSG(WM_NCRBUTTONDOWN), TAV_MSG(WM_NCRBUTTONUP),
    TAV_MSG(WM_NCRBUTTONDBLCLK), TAV_MSG(WM_NCMBUTTONDOWN), TAV_MSG(WM_NCMBUTTONUP), TAV_MSG(WM_NCMBUTTONDBLCLK),
    TAV_MSG(WM_KEYDOWN), TAV_MSG(WM_KEYUP), TAV_MSG(WM_CHAR), TAV_MSG(WM_DEADCHAR), TAV_MSG(WM_SYSKEYDOWN),
    TAV_MSG(WM_SYSKEYUP), TAV_MSG(WM_SYSCHAR), TAV_MSG(WM_SYSDEADCHAR), TAV_MSG(WM_UNICHAR),
    TAV_MSG(WM_IME_STARTCOMPOSITION), TAV_MSG(WM_IME_ENDCOMPOSITION), TAV_MSG(WM_IME_COMPOSITION),
    TAV_MSG(WM_INITDIALOG), TAV_MSG(WM_COMMAND), TAV_MSG(WM_SYSCOMMAND), TAV_MSG(WM_TIMER), TAV_MSG(WM_HSCROLL),
    TAV_MSG(WM_VSCROLL), TAV_MSG(WM_INITMENU), TAV_MSG(WM_INITMENUPOPUP), TAV_MSG(WM_MENUSELECT),
    TAV_MSG(WM_MENUCHAR), TAV_MSG(WM_ENTERIDLE), TAV_MSG(WM_CTLCOLORMSGBOX), TAV_MSG(WM_CTLCOLOREDIT),
    TAV_MSG(WM_CTLCOLORLISTBOX), TAV_MSG(WM_CTLCOLORBTN), TAV_MSG(WM_CTLCOLORDLG), TAV_MSG(WM_CTLCOLORSCROLLBAR),
    TAV_MSG(WM_CTLCOLORSTATIC), TAV_MSG(WM_MOUSEMOVE), TAV_MSG(WM_LBUTTONDOWN), TAV_MSG(WM_LBUTTONUP),
    TAV_MSG(WM_LBUTTONDBLCLK), TAV_MSG(WM_RBUTTONDOWN), TAV_MSG(WM_RBUTTONUP), TAV_MSG(WM_RBUTTONDBLCLK),
    TAV_MSG(WM_MBUTTONDOWN), TAV_MSG(WM_MBUTTONUP), TAV_MSG(WM_MBUTTONDBLCLK), TAV_MSG(WM_MOUSEWHEEL),
    TAV_MSG(WM_MOUSEHWHEEL), TAV_MSG(WM_PARENTNOTIFY), TAV_MSG(WM_ENTERMENULOOP), TAV_MSG(WM_EXITMENULOOP),
    TAV_MSG(WM_CAPTURECHANGED), TAV_MSG(WM_MDICREATE), TAV_MSG(WM_MDIDESTROY), TAV_MSG(WM_MDIACTIVATE),
    TAV_MSG(WM_ENTERSIZEMOVE), TAV_MSG(WM_EXITSIZEMOVE), TAV_MSG(WM_IME_CHAR), TAV_MSG(WM_NCMOUSELEAVE),
    TAV_MSG(WM_MOUSELEAVE), TAV_MSG(WM_CUT), TAV_MSG(WM_COPY),
    TAV_MSG(WM_PASTE), TAV_MSG(WM_CLEAR), TAV_MSG(WM_UNDO), TAV_MSG(WM_PRINT), TAV_MSG(WM_PRINTCLIENT),
};
#undef TAV_MSG
constexpr bool Sorted() {
  for (size_t i = 1; i < kNames.size(); ++i)
    if (kNames[i - 1].message >= kNames[i].message && kNames[i].message != WM_IME_CHAR &&
        kNames[i - 1].message != WM_IME_CHAR)
      return false;
  return true;
}
static_assert(Sorted(), "message names are listed by number, each once");

kernel::AtomTable& Registered() {
  static auto* table = new kernel::AtomTable;
  return *table;
}

}  // namespace
}  // namespace user

using namespace user;

std::string MessageName(UINT message) {
  for (const auto& row : kNames)
    if (row.message == message) return std::string(row.name);
  if (message >= 0xC000 && message <= 0xFFFF) {
    std::u16string name;
    if (Registered().Name(static_cast<ATOM>(message), name)) return "registered:" + ToAnsi(name);
  }
  if (message >= WM_APP) return "WM_APP+" + std::to_string(message - WM_APP);
  if (message >= WM_USER) return "WM_USER+" + std::to_string(message - WM_USER);
  return "0x" + [&] {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04X", message);
    return std::string(buffer);
  }();
}

UINT RegisterWindowMessageW(LPCWSTR name) {
  if (!name || IsAtomArg(name) || !*name) return static_cast<UINT>(Fail(ERROR_INVALID_PARAMETER));
  const ATOM atom = Registered().Add(name);
  if (!atom) return static_cast<UINT>(Fail(ERROR_INVALID_PARAMETER));
  return atom;
}

UINT RegisterWindowMessageA(LPCSTR name) {
  if (!name || IsAtomArg(name) || !*name) return static_cast<UINT>(Fail(ERROR_INVALID_PARAMETER));
  const std::u16string wide = ToWide(name);
  return RegisterWindowMessageW(wide.c_str());
}
