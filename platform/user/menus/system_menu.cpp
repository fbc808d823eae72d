// The window menu (system menu): each window's own copy, its items' states
// following the window, and its tracking from Alt+Space or a click on the
// caption's icon. Its commands reach the window as WM_SYSCOMMAND.
#include <utility>

#include "platform/user/controls/controls.h"
#include "platform/user/menus/menu_model.h"
#include "platform/user/window_internal.h"

namespace menus {
namespace {

struct Entry {
  WPARAM command;  // 0: a separator
  const char16_t* text;
};
constexpr Entry kWindowMenu[] = {{SC_RESTORE, u"&Restore"},  {SC_MOVE, u"&Move"},         {SC_SIZE, u"&Size"},
                                 {SC_MINIMIZE, u"Mi&nimize"}, {SC_MAXIMIZE, u"Ma&ximize"}, {0, nullptr},
                                 {SC_CLOSE, u"&Close\tAlt+F4"}};
// A document window (MDI child) closes with Ctrl+F4 and moves on with Ctrl+F6.
constexpr Entry kDocumentMenu[] = {{SC_RESTORE, u"&Restore"},      {SC_MOVE, u"&Move"},         {SC_SIZE, u"&Size"},
                                   {SC_MINIMIZE, u"Mi&nimize"},     {SC_MAXIMIZE, u"Ma&ximize"}, {0, nullptr},
                                   {SC_CLOSE, u"&Close\tCtrl+F4"}, {0, nullptr},                {SC_NEXTWINDOW, u"Nex&t\tCtrl+F6"}};

HMENU MakeWindowMenu(HWND window, bool document) {
  const HMENU menu = CreatePopupMenu();
  auto add = [menu](const auto& entries) {
    for (const Entry& e : entries)
      AppendMenuW(menu, e.command ? MF_STRING : MF_SEPARATOR, e.command, e.text);
  };
  if (document) add(kDocumentMenu);
  else add(kWindowMenu);
  Find(menu)->systemOf = window;
  return menu;
}

// "The window menu's items are enabled as the window's state allows."
void UpdateStates(HWND window, HMENU menu) {
  const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  const bool zoomed = IsZoomed(window) || (style & WS_MAXIMIZE), iconic = IsIconic(window) != FALSE;
  const bool noClose = (GetClassLongPtrW(window, GCL_STYLE) & CS_NOCLOSE) != 0;
  auto enable = [menu](WPARAM command, bool on) {
    EnableMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
  };
  enable(SC_RESTORE, zoomed || iconic);
  enable(SC_MOVE, !zoomed);
  enable(SC_SIZE, (style & WS_THICKFRAME) && !zoomed && !iconic);
  enable(SC_MINIMIZE, (style & WS_MINIMIZEBOX) && !iconic);
  enable(SC_MAXIMIZE, (style & WS_MAXIMIZEBOX) && !zoomed);
  enable(SC_CLOSE, !noClose);
}

}  // namespace

void TrackSystemMenu(HWND window, bool keyboard) {
  if (InMenuLoop() || !(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU)) return;
  const HMENU menu = GetSystemMenu(window, FALSE);
  if (!menu) return;
  UpdateStates(window, menu);
  // It opens under the caption's icon: the window's top-left corner, below
  // its caption.
  POINT at{0, 0};
  const RECT button = user::SystemMenuButtonRect(window);
  if (!IsRectEmpty(&button)) {
    at = POINT{button.left - 2, button.bottom + 2};
  } else {
    RECT r;
    GetWindowRect(window, &r);
    at = POINT{r.left + GetSystemMetrics(SM_CXFRAME), r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION)};
  }
  SendMessageW(window, WM_ENTERMENULOOP, FALSE, 0);
  SendMessageW(window, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
  const Outcome outcome = RunPopup(menu, window, Anchor{at}, 0, false, keyboard);
  // The menu key that ended the menu does not start it again when let go.
  user::ThisQueue().menuKeyAlone = 0;
  SendMessageW(window, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  SendMessageW(window, WM_EXITMENULOOP, FALSE, 0);
  PostChoice(window, outcome);
}

}  // namespace menus

using namespace menus;

HMENU GetSystemMenu(HWND window, BOOL revert) {
  user::WindowPtr w = user::FindWin(window);
  if (!w) return nullptr;
  HMENU menu;
  bool document;
  {
    user::UserLock lock;
    menu = w->systemMenu;
    document = (w->exStyle & WS_EX_MDICHILD) != 0;
    if (revert) w->systemMenu = nullptr;
  }
  if (revert) {
    if (menu && IsMenu(menu)) DestroyMenu(menu);
    return nullptr;
  }
  if (menu && IsMenu(menu)) return menu;
  menu = MakeWindowMenu(window, document);
  user::UserLock lock;
  w->systemMenu = menu;
  return menu;
}
