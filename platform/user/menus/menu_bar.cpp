// Menu bars: a window's menu, drawn in its non-client area, and tracked
// from a click on it.
#include <algorithm>

#include "platform/user/controls/control_support.h"
#include "platform/user/menus/menu_model.h"

namespace menus {

struct Outcome {
  enum Kind { Chosen, Cancelled, MoveLeft, MoveRight } kind = Cancelled;
  UINT id = 0;
};
Outcome RunPopup(HMENU menu, HWND owner, POINT at, int depth, bool fromBar);

namespace {

HMENU MenuOf(HWND window) {
  if (!IsWindow(window) || (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) return nullptr;
  const HMENU menu = reinterpret_cast<HMENU>(GetWindowLongPtrW(window, GWLP_ID));
  return Find(menu) ? menu : nullptr;
}

// Lays the bar's items out from the bar's left edge (window coordinates).
void LayoutBar(HWND owner, Menu& m, const RECT& bar) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, controls::DrawingFont(nullptr));
  int x = bar.left;
  for (MenuItem& item : m.items) {
    int width = 0;
    if (item.type & MFT_OWNERDRAW) {
      MEASUREITEMSTRUCT mi{ODT_MENU, 0, item.id, 0, 0, item.data};
      SendMessageW(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi));
      width = static_cast<int>(mi.itemWidth);
    } else {
      RECT r{0, 0, 0, 0};
      DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
      width = r.right + 14;
    }
    item.rect = RECT{x, bar.top, x + width, bar.bottom};
    x += width;
  }
  SelectObject(dc, old);
  DeleteDC(dc);
}

int tracked = -1;  // the bar item whose popup is open (one menu loop at a time)

}  // namespace

void PaintMenuBar(HWND window, HDC dc, const RECT& bar) {
  const HMENU menu = MenuOf(window);
  std::shared_ptr<Menu> m = Find(menu);
  if (!m) return;
  LayoutBar(window, *m, bar);
  HGDIOBJ old = SelectObject(dc, controls::DrawingFont(nullptr));
  SetBkMode(dc, TRANSPARENT);
  for (size_t i = 0; i < m->items.size(); ++i) {
    const MenuItem& item = m->items[i];
    const bool open = static_cast<int>(i) == tracked;
    if (item.type & MFT_OWNERDRAW) {
      DRAWITEMSTRUCT d{};
      d.CtlType = ODT_MENU;
      d.itemID = item.id;
      d.itemAction = ODA_DRAWENTIRE;
      d.itemState = (open ? ODS_SELECTED : 0) | (item.state & MFS_GRAYED ? ODS_GRAYED : 0);
      d.hwndItem = reinterpret_cast<HWND>(menu);
      d.hDC = dc;
      d.rcItem = item.rect;
      d.itemData = item.data;
      SendMessageW(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
      continue;
    }
    RECT r = item.rect;
    if (open) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    SetTextColor(dc, GetSysColor(item.state & MFS_GRAYED ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
    DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  }
  SelectObject(dc, old);
}

// Opens bar item `index` and follows Left/Right along the bar.
void TrackBarItem(HWND window, HMENU menu, int index) {
  SendMessageW(window, WM_ENTERMENULOOP, FALSE, 0);
  SendMessageW(window, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
  RECT windowRect;
  GetWindowRect(window, &windowRect);
  Outcome outcome;
  for (int guard = 0; guard < 64; ++guard) {
    std::shared_ptr<Menu> m = Find(menu);
    if (!m || m->items.empty()) break;
    index = (index % static_cast<int>(m->items.size()) + static_cast<int>(m->items.size())) % static_cast<int>(m->items.size());
    const MenuItem item = m->items[static_cast<size_t>(index)];
    tracked = index;
    DrawMenuBar(window);
    if (!item.submenu) {
      // A command on the bar itself.
      outcome = {Outcome::Chosen, item.id};
      break;
    }
    const POINT below{windowRect.left + item.rect.left, windowRect.top + item.rect.bottom};
    outcome = RunPopup(item.submenu, window, below, 0, true);
    if (outcome.kind == Outcome::MoveLeft) --index;
    else if (outcome.kind == Outcome::MoveRight) ++index;
    else break;
  }
  tracked = -1;
  DrawMenuBar(window);
  SendMessageW(window, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  SendMessageW(window, WM_EXITMENULOOP, FALSE, 0);
  if (outcome.kind == Outcome::Chosen) PostMessageW(window, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(outcome.id), 0), 0);
}

void TrackMenuBar(HWND window, POINT screen) {
  const HMENU menu = MenuOf(window);
  std::shared_ptr<Menu> m = Find(menu);
  if (!m) return;
  RECT windowRect;
  GetWindowRect(window, &windowRect);
  const POINT at{screen.x - windowRect.left, screen.y - windowRect.top};
  for (size_t i = 0; i < m->items.size(); ++i)
    if (PtInRect(&m->items[i].rect, at)) return TrackBarItem(window, menu, static_cast<int>(i));
}

}  // namespace menus

using namespace menus;

BOOL SetMenu(HWND window, HMENU menu) {
  if (!IsWindow(window) || (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  std::shared_ptr<Menu> m = menu ? Find(menu) : nullptr;
  if (menu && !m) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  if (std::shared_ptr<Menu> old = Find(MenuOf(window))) old->window = nullptr;
  if (m) m->window = window;
  SetWindowLongPtrW(window, GWLP_ID, reinterpret_cast<LONG_PTR>(menu));
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return TRUE;
}

HMENU GetMenu(HWND window) { return MenuOf(window); }

BOOL DrawMenuBar(HWND window) {
  if (!MenuOf(window)) return FALSE;
  return RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}
