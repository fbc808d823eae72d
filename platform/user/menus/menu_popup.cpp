// Popup menus as windows of their own, and the nested loop that tracks them
// (TrackPopupMenu and the menu bar): keys, mnemonics, the mouse, owner-drawn
// items, WM_INITMENUPOPUP and WM_MENUSELECT to the owner.
#include <algorithm>
#include <string>

#include "platform/nls/nls.h"
#include "platform/user/controls/control_support.h"
#include "platform/user/dialogs/dialogs.h"
#include "platform/user/menus/menu_model.h"
#include "platform/user/message_crack.h"

namespace menus {
namespace {

constexpr int kCheckWidth = 18, kArrowWidth = 14, kSeparatorHeight = 8, kTextPad = 4;
constexpr int kEdge = 2;  // the raised edge around a popup's items

struct Popup {
  HMENU menu = nullptr;
  HWND owner = nullptr;
  int selected = -1;
};

struct Hook {
  user::MenuLoopHook hook = nullptr;
  void* context = nullptr;
};
Hook& TheHook() {
  thread_local Hook hook;
  return hook;
}

Popup* PopupOf(HWND w) { return reinterpret_cast<Popup*>(GetWindowLongPtrW(w, 0)); }

int ItemHeight() { return std::max(controls::FontCellSize(nullptr).cy + kTextPad, 18); }

bool Selectable(const MenuItem& i) { return !(i.type & MFT_SEPARATOR); }

// Item sizes: owner-drawn items are measured by the owner.
SIZE MeasureItem(HDC dc, HWND owner, MenuItem& item) {
  if (item.type & MFT_SEPARATOR) return SIZE{0, kSeparatorHeight};
  if (item.type & MFT_OWNERDRAW) {
    MEASUREITEMSTRUCT m{ODT_MENU, 0, item.id, 0, 0, item.data};
    SendMessageW(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m));
    return SIZE{static_cast<LONG>(m.itemWidth), static_cast<LONG>(m.itemHeight)};
  }
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  return SIZE{r.right + 24, ItemHeight()};
}

SIZE Layout(HWND owner, Menu& m) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, controls::DrawingFont(nullptr));
  int width = 60, y = kEdge;
  for (MenuItem& item : m.items) {
    const SIZE s = MeasureItem(dc, owner, item);
    item.rect = RECT{kEdge, y, 0, y + s.cy};
    width = std::max<int>(width, s.cx);
    y += s.cy;
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  const int full = width + kCheckWidth + kArrowWidth;
  for (MenuItem& item : m.items) item.rect.right = kEdge + full;
  return SIZE{full + 2 * kEdge, y + kEdge};
}

void PaintItem(HDC dc, HWND owner, HMENU menu, const MenuItem& item, bool selected) {
  RECT r = item.rect;
  const bool grayed = (item.state & MFS_GRAYED) != 0;
  if (item.type & MFT_SEPARATOR) {
    RECT line{r.left + 1, r.top + kSeparatorHeight / 2 - 1, r.right - 1, r.top + kSeparatorHeight / 2 + 1};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  if (item.type & MFT_OWNERDRAW) {
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_MENU;
    d.itemID = item.id;
    d.itemAction = ODA_DRAWENTIRE;
    d.itemState = (selected ? ODS_SELECTED : 0) | (grayed ? ODS_GRAYED : 0) | (item.state & MFS_CHECKED ? ODS_CHECKED : 0);
    d.hwndItem = reinterpret_cast<HWND>(menu);
    d.hDC = dc;
    d.rcItem = r;
    d.itemData = item.data;
    SendMessageW(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
    return;
  }
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  const int textColour = grayed ? COLOR_GRAYTEXT : (selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  SetTextColor(dc, GetSysColor(textColour));
  SetBkMode(dc, TRANSPARENT);
  if (item.state & MFS_CHECKED) {
    RECT mark{r.left, r.top, r.left + kCheckWidth, r.bottom};
    DrawFrameControl(dc, &mark, DFC_MENU, (item.type & MFT_RADIOCHECK ? DFCS_MENUBULLET : DFCS_MENUCHECK) | (grayed ? DFCS_INACTIVE : 0));
  }
  // The text, and what follows a tab (the accelerator) right-aligned.
  const size_t tab = item.text.find(u'\t');
  RECT text{r.left + kCheckWidth, r.top, r.right - kArrowWidth, r.bottom};
  DrawTextW(dc, item.text.c_str(), static_cast<int>(std::min(tab, item.text.size())), &text, DT_SINGLELINE | DT_VCENTER);
  if (tab != std::u16string::npos)
    DrawTextW(dc, item.text.c_str() + tab + 1, static_cast<int>(item.text.size() - tab - 1), &text,
              DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  if (item.submenu) {
    RECT arrow{r.right - kArrowWidth, r.top, r.right, r.bottom};
    DrawFrameControl(dc, &arrow, DFC_MENU, DFCS_MENUARROW | (grayed ? DFCS_INACTIVE : 0));
  }
}

LRESULT PopupProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  Popup* p = PopupOf(w);
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(w, 0, reinterpret_cast<LONG_PTR>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams));
      return DefWindowProcW(w, message, wParam, lParam);
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(w, &ps);
      RECT r;
      GetClientRect(w, &r);
      FillRect(dc, &r, GetSysColorBrush(COLOR_MENU));
      DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
      if (p) {
        if (std::shared_ptr<Menu> m = Find(p->menu)) {
          HGDIOBJ old = SelectObject(dc, controls::DrawingFont(nullptr));
          for (size_t i = 0; i < m->items.size(); ++i)
            PaintItem(dc, p->owner, p->menu, m->items[i], static_cast<int>(i) == p->selected);
          SelectObject(dc, old);
        }
      }
      EndPaint(w, &ps);
      return 0;
    }
    default: return DefWindowProcW(w, message, wParam, lParam);
  }
}

void RegisterPopupClass() {
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_SAVEBITS | CS_DBLCLKS;
    wc.lpfnWndProc = PopupProc;
    wc.cbWndExtra = sizeof(void*);
    wc.lpszClassName = u"TavMenuPopup";
    return RegisterClassExW(&wc);
  }();
  (void)atom;
}

void Select(HWND w, Popup& p, int index) {
  std::shared_ptr<Menu> m = Find(p.menu);
  if (!m || p.selected == index) return;
  p.selected = index;
  // Drawn at once: a submenu about to open keeps the loop from painting.
  InvalidateRect(w, nullptr, TRUE);
  UpdateWindow(w);
  if (index >= 0 && static_cast<size_t>(index) < m->items.size()) {
    const MenuItem& item = m->items[static_cast<size_t>(index)];
    const UINT flags = (item.submenu ? MF_POPUP : 0) | (item.state & (MFS_GRAYED | MFS_CHECKED)) | MF_HILITE |
                       (item.type & MFT_OWNERDRAW) | (m->systemOf ? MF_SYSMENU : 0);
    const UINT id = item.submenu ? static_cast<UINT>(index) : item.id;
    SendMessageW(p.owner, WM_MENUSELECT, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(flags)),
                 reinterpret_cast<LPARAM>(p.menu));
  }
}

int Step(const Menu& m, int from, int direction) {
  const int n = static_cast<int>(m.items.size());
  for (int k = 1; k <= n; ++k) {
    const int i = ((from < 0 ? (direction > 0 ? -1 : 0) : from) + direction * k % n + n * 2) % n;
    if (Selectable(m.items[static_cast<size_t>(i)])) return i;
  }
  return -1;
}

int ItemAt(const Menu& m, POINT client) {
  for (size_t i = 0; i < m.items.size(); ++i)
    if (PtInRect(&m.items[i].rect, client)) return static_cast<int>(i);
  return -1;
}

}  // namespace

int MnemonicItem(const Menu& m, WCHAR ch) {
  WCHAR upper = ch;
  CharUpperBuffW(&upper, 1);
  for (size_t i = 0; i < m.items.size(); ++i) {
    WCHAR mark = MnemonicOf(m.items[i].text.c_str());
    CharUpperBuffW(&mark, 1);
    if (mark && mark == upper) return static_cast<int>(i);
  }
  return -1;
}

namespace {

Outcome Choose(HWND w, Popup& p, const Menu& m, int index, int depth) {
  if (index < 0) return {Outcome::Cancelled};
  const MenuItem& item = m.items[static_cast<size_t>(index)];
  if (!Selectable(item) || (item.state & MFS_GRAYED)) return {Outcome::Cancelled, 0xFFFF};
  if (item.submenu) {
    RECT parent, at = item.rect;
    GetWindowRect(w, &parent);
    MapWindowPoints(w, nullptr, reinterpret_cast<LPPOINT>(&at), 2);
    const Outcome nested = RunPopup(item.submenu, p.owner, Anchor{POINT{at.right, at.top}, &parent, &at}, depth + 1,
                                    false, false);
    // Left or Esc in the submenu come back to this popup.
    if (nested.kind == Outcome::MoveLeft || nested.kind == Outcome::Escaped) return {Outcome::Cancelled, 0xFFFF};
    return nested;
  }
  return {Outcome::Chosen, item.id, m.systemOf};
}

// A key that is no item's mnemonic: the owner may name an item
// (WM_MENUCHAR), as it must for owner-drawn and untitled items.
Outcome MenuChar(HWND w, Popup& p, const Menu& m, WCHAR ch, int depth, bool& done) {
  const WORD type = static_cast<WORD>(MF_POPUP | (m.systemOf ? MF_SYSMENU : 0));
  const LRESULT answer = SendMessageW(p.owner, WM_MENUCHAR, MAKEWPARAM(ch, type), reinterpret_cast<LPARAM>(p.menu));
  const WORD action = HIWORD(static_cast<DWORD>(answer));
  const WORD index = LOWORD(static_cast<DWORD>(answer));
  const bool valid = index < m.items.size() && Selectable(m.items[index]);
  if (action == MNC_CLOSE) {
    done = true;
    return {Outcome::Cancelled};
  }
  if ((action == MNC_EXECUTE || action == MNC_SELECT) && valid) {
    Select(w, p, index);
    if (action == MNC_SELECT) return {};
    const Outcome outcome = Choose(w, p, m, index, depth);
    done = outcome.id != 0xFFFF;
    return outcome;
  }
  MessageBeep(0);
  return {};
}

}  // namespace

namespace {
thread_local int loops = 0;
}  // namespace

InLoopGuard::InLoopGuard() { ++loops; }
InLoopGuard::~InLoopGuard() { --loops; }
bool InMenuLoop() { return loops > 0; }

namespace {

RECT WorkArea() {
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

// One direction of PopupOrigin: the popup's start from `start`, its length
// and the point it opened at, within low to high.
LONG KeepWithin(LONG start, LONG length, LONG point, LONG low, LONG high) {
  if (start + length > high) start = std::min(point - length >= low ? point - length : high, high - length);
  if (start < low) start = point + length <= high ? point : low;
  return start;
}

}  // namespace

POINT SubmenuOrigin(const RECT& parent, const RECT& item, SIZE size) {
  const RECT work = WorkArea();
  POINT at{parent.right, item.top - kEdge};
  if (at.x + size.cx > work.right) at.x = std::max<LONG>(parent.left - size.cx, work.left);
  if (at.y + size.cy > work.bottom) at.y = std::max<LONG>(work.bottom - size.cy, work.top);
  return at;
}

POINT PopupOrigin(POINT at, SIZE size, UINT flags) {
  const RECT work = WorkArea();
  LONG x = at.x, y = at.y;
  if (flags & TPM_RIGHTALIGN) x -= size.cx;
  else if (flags & TPM_CENTERALIGN) x -= size.cx / 2;
  if (flags & TPM_BOTTOMALIGN) y -= size.cy;
  else if (flags & TPM_VCENTERALIGN) y -= size.cy / 2;
  return POINT{KeepWithin(x, size.cx, at.x, work.left, work.right), KeepWithin(y, size.cy, at.y, work.top, work.bottom)};
}

Outcome RunPopup(HMENU menu, HWND owner, Anchor anchor, int depth, bool fromBar, bool selectFirst) {
  std::shared_ptr<Menu> m = Find(menu);
  if (!m || depth > 16) return {};
  const InLoopGuard inLoop;
  RegisterPopupClass();
  SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELONG(0, m->systemOf ? TRUE : FALSE));
  m = Find(menu);
  if (!m) return {};
  const SIZE size = Layout(owner, *m);
  const POINT at = anchor.parent && anchor.item ? SubmenuOrigin(*anchor.parent, *anchor.item, size)
                                                : PopupOrigin(anchor.at, size, anchor.flags);
  Popup p{menu, owner, -1};
  const HWND w = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, u"TavMenuPopup", u"", WS_POPUP, at.x, at.y, size.cx,
                                 size.cy, owner, nullptr, nullptr, &p);
  if (!w) return {};
  ShowWindow(w, SW_SHOWNOACTIVATE);
  UpdateWindow(w);
  SetCapture(w);
  if (selectFirst) Select(w, p, Step(*m, -1, 1));
  Hook& hook = TheHook();
  if (hook.hook) {
    const Hook once = hook;
    hook = {};
    once.hook(w, once.context);
  }
  Outcome outcome;
  bool done = false;
  while (!done) {
    MSG msg;
    // "No messages are waiting": the owner hears that the menu is idle.
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      SendMessageW(owner, WM_ENTERIDLE, MSGF_MENU, reinterpret_cast<LPARAM>(w));
      if (!IsWindow(w) || !Find(menu)) break;
    }
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (CallMsgFilterW(&msg, static_cast<int>(MSGF_MENU))) {  // a filter took it
      if (!IsWindow(w) || !Find(menu)) break;
      continue;
    }
    switch (msg.message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        switch (msg.wParam) {
          case VK_UP: Select(w, p, Step(*m, p.selected, -1)); break;
          case VK_DOWN: Select(w, p, Step(*m, p.selected, 1)); break;
          case VK_ESCAPE: outcome = {Outcome::Escaped}; done = true; break;
          case VK_MENU:
          case VK_F10:
            // The menu key again leaves every level of the menu.
            outcome = {Outcome::Cancelled};
            done = true;
            break;
          case VK_LEFT:
            // Closes a submenu, or moves along the menu bar; a lone popup stays.
            if (depth > 0 || fromBar) {
              outcome = {Outcome::MoveLeft};
              done = true;
            }
            break;
          case VK_RIGHT:
            if (p.selected >= 0 && m->items[static_cast<size_t>(p.selected)].submenu) {
              outcome = Choose(w, p, *m, p.selected, depth);
              done = outcome.id != 0xFFFF;
            } else if (fromBar) {
              outcome = {Outcome::MoveRight};
              done = true;
            }
            break;
          case VK_RETURN:
            outcome = Choose(w, p, *m, p.selected, depth);
            done = outcome.id != 0xFFFF;
            break;
          default: TranslateMessage(&msg); break;
        }
        break;
      case WM_CHAR:
      case WM_SYSCHAR: {
        const int index = MnemonicItem(*m, static_cast<WCHAR>(msg.wParam));
        if (index >= 0) {
          Select(w, p, index);
          outcome = Choose(w, p, *m, index, depth);
          done = outcome.id != 0xFFFF;
        } else {
          outcome = MenuChar(w, p, *m, static_cast<WCHAR>(msg.wParam), depth, done);
        }
        break;
      }
      case WM_MOUSEMOVE:
        if (msg.hwnd == w) {
          const POINT pt = crack::MouseOf(msg.wParam, msg.lParam).pt;
          const int index = ItemAt(*m, pt);
          if (index >= 0 && Selectable(m->items[static_cast<size_t>(index)])) {
            Select(w, p, index);
            break;
          }
          POINT screen = pt;
          ClientToScreen(w, &screen);
          // Onto another item of the menu bar: its popup opens instead.
          const int other = fromBar && depth == 0 ? OtherBarItemAt(owner, screen) : -1;
          if (other >= 0) {
            outcome = {Outcome::MoveTo, static_cast<UINT>(other)};
            done = true;
          }
        }
        break;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN: {
        RECT client;
        GetClientRect(w, &client);
        const POINT pt = crack::MouseOf(msg.wParam, msg.lParam).pt;
        if (msg.hwnd != w || !PtInRect(&client, pt)) {
          outcome = {Outcome::Cancelled};
          done = true;
        }
        break;
      }
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
        if (msg.hwnd == w) {
          const int index = ItemAt(*m, crack::MouseOf(msg.wParam, msg.lParam).pt);
          if (index >= 0) {
            outcome = Choose(w, p, *m, index, depth);
            done = outcome.id != 0xFFFF;
          }
        }
        break;
      default:
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        break;
    }
    if (!IsWindow(w) || !Find(menu)) done = true;
  }
  if (GetCapture() == w) ReleaseCapture();
  if (IsWindow(w)) DestroyWindow(w);
  SendMessageW(owner, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  return outcome;
}

void PostChoice(HWND owner, const Outcome& outcome) {
  if (outcome.kind != Outcome::Chosen) return;
  if (outcome.system && IsWindow(outcome.system)) PostMessageW(outcome.system, WM_SYSCOMMAND, outcome.id, 0);
  else PostMessageW(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(outcome.id), 0), 0);
}

}  // namespace menus

using namespace menus;

void user::SetMenuLoopHook(MenuLoopHook hook, void* context) { TheHook() = {hook, context}; }

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  if (!Find(menu) || !IsWindow(owner)) {
    SetLastError(!Find(menu) ? ERROR_INVALID_MENU_HANDLE : ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  SendMessageW(owner, WM_ENTERMENULOOP, TRUE, 0);
  const Outcome outcome = RunPopup(menu, owner, Anchor{POINT{x, y}, nullptr, nullptr, flags}, 0, false, false);
  // "The menu is closed": WM_MENUSELECT with 0xFFFF flags and no menu.
  SendMessageW(owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  SendMessageW(owner, WM_EXITMENULOOP, TRUE, 0);
  const bool chosen = outcome.kind == Outcome::Chosen;
  if (flags & TPM_RETURNCMD) return chosen ? static_cast<BOOL>(outcome.id) : 0;
  if (chosen && !(flags & TPM_NONOTIFY)) PostChoice(owner, outcome);
  return chosen;
}

BOOL EndMenu() {
  // The innermost loop ends at its next message.
  PostMessageW(nullptr, WM_KEYDOWN, VK_ESCAPE, 0);
  return TRUE;
}
