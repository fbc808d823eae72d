// Menu bars: a window's menu, drawn in its non-client area, and tracked
// from a click on it.
#include <algorithm>

#include "platform/user/controls/control_support.h"
#include "platform/user/dialogs/dialogs.h"
#include "platform/user/menus/menu_model.h"
#include "platform/user/window_internal.h"

namespace menus {

namespace {

HMENU MenuOf(HWND window) {
  if (!IsWindow(window) || (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) return nullptr;
  const HMENU menu = reinterpret_cast<HMENU>(GetWindowLongPtrW(window, GWLP_ID));
  return Find(menu) ? menu : nullptr;
}

// The predefined pictures of a maximised document's window menu and buttons.
bool IsBarPicture(const MenuItem& item) {
  return (item.type & MFT_BITMAP) && item.bitmap && reinterpret_cast<uintptr_t>(item.bitmap) <= 11;
}

int BarPictureWidth(const MenuItem& item) {
  return item.bitmap == HBMMENU_SYSTEM ? GetSystemMetrics(SM_CXSMICON) + 6 : GetSystemMetrics(SM_CYMENU);
}

// Lays the bar's items out from the bar's left edge (window coordinates);
// items from a right-justified one on sit at the bar's right end.
void LayoutBar(HWND owner, Menu& m, const RECT& bar) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, controls::DrawingFont(nullptr));
  int x = bar.left;
  size_t rightFrom = m.items.size();
  for (size_t i = 0; i < m.items.size(); ++i) {
    MenuItem& item = m.items[i];
    if ((item.type & MFT_RIGHTJUSTIFY) && rightFrom == m.items.size()) rightFrom = i;
    int width = 0;
    if (item.type & MFT_OWNERDRAW) {
      MEASUREITEMSTRUCT mi{ODT_MENU, 0, item.id, 0, 0, item.data};
      SendMessageW(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi));
      width = static_cast<int>(mi.itemWidth);
    } else if (IsBarPicture(item)) {
      width = BarPictureWidth(item);
    } else {
      RECT r{0, 0, 0, 0};
      DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
      width = r.right + 14;
    }
    item.rect = RECT{x, bar.top, x + width, bar.bottom};
    x += width;
  }
  // The right-justified run moves to the right end when there is room.
  if (rightFrom < m.items.size()) {
    const int shift = bar.right - x;
    if (shift > 0)
      for (size_t i = rightFrom; i < m.items.size(); ++i) OffsetRect(&m.items[i].rect, shift, 0);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
}

// The window menu's icon shows the document's icon (or the application's);
// the buttons are caption buttons on the bar.
void PaintBarPicture(HDC dc, const MenuItem& item, bool open) {
  RECT r = item.rect;
  if (item.bitmap == HBMMENU_SYSTEM) {
    std::shared_ptr<Menu> windowMenu = Find(item.submenu);
    const HWND of = windowMenu ? windowMenu->systemOf : nullptr;
    HICON icon = of ? reinterpret_cast<HICON>(SendMessageW(of, WM_GETICON, ICON_SMALL, 0)) : nullptr;
    if (!icon && of) icon = reinterpret_cast<HICON>(GetClassLongPtrW(of, GCLP_HICONSM));
    if (!icon && of) icon = reinterpret_cast<HICON>(GetClassLongPtrW(of, GCLP_HICON));
    if (!icon) icon = LoadIconA(nullptr, IDI_APPLICATION);
    const int size = GetSystemMetrics(SM_CXSMICON);
    const int x = r.left + (r.right - r.left - size) / 2, y = r.top + (r.bottom - r.top - size) / 2;
    if (open) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    DrawIconEx(dc, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
    return;
  }
  const UINT glyph = item.bitmap == HBMMENU_MBAR_CLOSE      ? DFCS_CAPTIONCLOSE
                     : item.bitmap == HBMMENU_MBAR_MINIMIZE ? DFCS_CAPTIONMIN
                                                            : DFCS_CAPTIONRESTORE;
  InflateRect(&r, -1, -2);
  // A button keeps a square face; the restore button sits next to close.
  const int side = r.bottom - r.top;
  r.left = r.right - side;
  DrawFrameControl(dc, &r, DFC_CAPTION, glyph | (open ? DFCS_PUSHED : 0) | (item.state & MFS_GRAYED ? DFCS_INACTIVE : 0));
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
    if (IsBarPicture(item)) {
      PaintBarPicture(dc, item, open);
      continue;
    }
    RECT r = item.rect;
    if (open) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    SetTextColor(dc, GetSysColor(item.state & MFS_GRAYED ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
    DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  }
  SelectObject(dc, old);
}

namespace {

void SelectBarItem(HWND window, HMENU menu, const MenuItem& item, int index) {
  if (tracked == index) return;
  tracked = index;
  DrawMenuBar(window);
  const UINT flags = (item.submenu ? MF_POPUP : 0) | (item.state & (MFS_GRAYED | MFS_CHECKED)) | MF_HILITE |
                     (item.type & MFT_OWNERDRAW);
  const UINT id = item.submenu ? static_cast<UINT>(index) : item.id;
  SendMessageW(window, WM_MENUSELECT, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(flags)),
               reinterpret_cast<LPARAM>(menu));
}

// The bar with item `index` selected and nothing open: Left/Right move,
// Enter, Down or Up open, a mnemonic opens its item, Esc (or Alt or F10
// again, or a click) leaves. Returns whether to open the selected item;
// *index follows the selection, *leave says the menu ends.
bool BarKeys(HWND window, HMENU menu, int* index, bool* leave) {
  for (;;) {
    std::shared_ptr<Menu> m = Find(menu);
    if (!m || m->items.empty() || !IsWindow(window)) {
      *leave = true;
      return false;
    }
    const int n = static_cast<int>(m->items.size());
    *index = (*index % n + n) % n;
    SelectBarItem(window, menu, m->items[static_cast<size_t>(*index)], *index);
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
      SendMessageW(window, WM_ENTERIDLE, MSGF_MENU, 0);
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      *leave = true;
      return false;
    }
    if (CallMsgFilterW(&msg, static_cast<int>(MSGF_MENU))) continue;  // a filter took it
    switch (msg.message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        switch (msg.wParam) {
          case VK_LEFT: --*index; break;
          case VK_RIGHT: ++*index; break;
          case VK_RETURN:
          case VK_DOWN:
          case VK_UP: return true;
          case VK_ESCAPE:
          case VK_MENU:
          case VK_F10: *leave = true; return false;
          default: TranslateMessage(&msg); break;
        }
        break;
      case WM_KEYUP:
      case WM_SYSKEYUP: break;
      case WM_CHAR:
      case WM_SYSCHAR: {
        const int found = MnemonicItem(*m, static_cast<WCHAR>(msg.wParam));
        if (found >= 0) {
          *index = found;
          SelectBarItem(window, menu, m->items[static_cast<size_t>(found)], found);
          return true;
        }
        // No item has it: the owner may name one (WM_MENUCHAR).
        const LRESULT answer =
            SendMessageW(window, WM_MENUCHAR, MAKEWPARAM(static_cast<WCHAR>(msg.wParam), 0), reinterpret_cast<LPARAM>(menu));
        const WORD action = HIWORD(static_cast<DWORD>(answer));
        const int picked = LOWORD(static_cast<DWORD>(answer));
        if (action == MNC_CLOSE) {
          *leave = true;
          return false;
        }
        if ((action == MNC_EXECUTE || action == MNC_SELECT) && picked < n) {
          *index = picked;
          if (action == MNC_EXECUTE) return true;
          break;
        }
        MessageBeep(0);
        break;
      }
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case WM_NCLBUTTONDOWN:
      case WM_NCRBUTTONDOWN:
        // A click ends the keyboard's menu and then does what it does.
        *leave = true;
        PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
        return false;
      default:
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        break;
    }
  }
}

// The menu loop on the bar: item `index` open or only selected, following
// Left/Right along the bar and Esc back to it. Popups opened by the keyboard
// start with their first item selected.
void BarLoop(HWND window, HMENU menu, int index, bool open, bool keyboard) {
  const InLoopGuard inLoop;
  SendMessageW(window, WM_ENTERMENULOOP, FALSE, 0);
  SendMessageW(window, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
  RECT windowRect;
  GetWindowRect(window, &windowRect);
  Outcome outcome;
  for (int guard = 0; guard < 1024; ++guard) {
    if (!open) {
      bool leave = false;
      open = BarKeys(window, menu, &index, &leave);
      if (leave) break;
    }
    std::shared_ptr<Menu> m = Find(menu);
    if (!m || m->items.empty()) break;
    const int n = static_cast<int>(m->items.size());
    index = (index % n + n) % n;
    const MenuItem item = m->items[static_cast<size_t>(index)];
    SelectBarItem(window, menu, item, index);
    if (!item.submenu) {
      // A command on the bar itself: chosen by a click or Enter.
      if (item.state & MFS_GRAYED) {
        open = false;
        continue;
      }
      outcome = {Outcome::Chosen, item.id};
      break;
    }
    const POINT below{windowRect.left + item.rect.left, windowRect.top + item.rect.bottom};
    outcome = RunPopup(item.submenu, window, Anchor{below}, 0, true, keyboard);
    if (outcome.kind == Outcome::MoveLeft || outcome.kind == Outcome::MoveRight) {
      index += outcome.kind == Outcome::MoveLeft ? -1 : 1;
      // Along the bar the next popup opens too; a command item is only selected.
      std::shared_ptr<Menu> now = Find(menu);
      if (now && !now->items.empty()) {
        const int k = static_cast<int>(now->items.size());
        open = now->items[static_cast<size_t>((index % k + k) % k)].submenu != nullptr;
      }
      continue;
    }
    if (outcome.kind == Outcome::MoveTo) {
      index = static_cast<int>(outcome.id);
      open = true;
      continue;
    }
    if (outcome.kind == Outcome::Escaped) {
      // Esc closes the popup and leaves its bar item selected.
      open = false;
      continue;
    }
    break;
  }
  tracked = -1;
  // The menu key that ended the menu does not start it again when let go.
  user::ThisQueue().menuKeyAlone = 0;
  DrawMenuBar(window);
  SendMessageW(window, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  SendMessageW(window, WM_EXITMENULOOP, FALSE, 0);
  PostChoice(window, outcome);
}

}  // namespace

int OtherBarItemAt(HWND window, POINT screen) {
  std::shared_ptr<Menu> m = Find(MenuOf(window));
  if (!m || tracked < 0) return -1;
  RECT windowRect;
  GetWindowRect(window, &windowRect);
  const POINT at{screen.x - windowRect.left, screen.y - windowRect.top};
  for (size_t i = 0; i < m->items.size(); ++i)
    if (PtInRect(&m->items[i].rect, at)) return static_cast<int>(i) == tracked ? -1 : static_cast<int>(i);
  return -1;
}

void KeyboardMenuBar(HWND window, WCHAR ch) {
  if (InMenuLoop()) return;
  const HMENU menu = MenuOf(window);
  std::shared_ptr<Menu> m = Find(menu);
  if (!m || m->items.empty()) return;
  if (!ch) return BarLoop(window, menu, 0, false, true);
  const int index = MnemonicItem(*m, ch);
  if (index < 0) {
    // No item has it: the owner may pick one (WM_MENUCHAR), else a beep.
    const LRESULT answer = SendMessageW(window, WM_MENUCHAR, MAKEWPARAM(ch, 0), reinterpret_cast<LPARAM>(menu));
    const WORD action = HIWORD(static_cast<DWORD>(answer));
    const int picked = LOWORD(static_cast<DWORD>(answer));
    if ((action == MNC_EXECUTE || action == MNC_SELECT) && picked < static_cast<int>(m->items.size()))
      return BarLoop(window, menu, picked, action == MNC_EXECUTE, true);
    if (action != MNC_CLOSE) MessageBeep(0);
    return;
  }
  BarLoop(window, menu, index, true, true);
}

void TrackMenuBar(HWND window, POINT screen) {
  const HMENU menu = MenuOf(window);
  std::shared_ptr<Menu> m = Find(menu);
  if (!m) return;
  RECT windowRect;
  GetWindowRect(window, &windowRect);
  const POINT at{screen.x - windowRect.left, screen.y - windowRect.top};
  for (size_t i = 0; i < m->items.size(); ++i)
    if (PtInRect(&m->items[i].rect, at)) return BarLoop(window, menu, static_cast<int>(i), true, false);
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

BOOL GetMenuItemRect(HWND window, HMENU menu, UINT item, LPRECT rect) {
  std::shared_ptr<Menu> m = Find(menu);
  if (!rect || !m || item >= m->items.size() || !IsWindow(window)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // Bar items are laid out in window coordinates, a popup's in its own
  // (a popup has no frame).
  RECT windowRect;
  GetWindowRect(window, &windowRect);
  *rect = m->items[item].rect;
  OffsetRect(rect, windowRect.left, windowRect.top);
  return TRUE;
}

BOOL DrawMenuBar(HWND window) {
  if (!MenuOf(window)) return FALSE;
  return RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}
