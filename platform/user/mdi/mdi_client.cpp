// The MDIClient window: its children in Z order, the active one, maximised
// and normal placements, cascading and tiling, and the window-menu list.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "platform/user/controls/control_support.h"
#include "platform/user/mdi/mdi.h"

namespace mdi {
namespace {

struct Client {
  HMENU windowMenu = nullptr;
  UINT firstId = 0;
  HWND active = nullptr;
  bool maximized = false;
  bool wantsBars = false;      // made with WS_HSCROLL / WS_VSCROLL
  bool placingBars = false;    // the bars are being shown or hidden (which sizes the client)
  HMENU decoratedBar = nullptr;  // the frame's menu bar carrying a maximised document's buttons
  int created = 0;
  std::vector<HWND> children;  // in creation order (their ids follow it)
  std::vector<std::pair<HWND, RECT>> normal;  // placements of maximised children
};

Client* ClientOf(HWND w) { return controls::StateOf<Client>(w); }

// Children front to back.
std::vector<HWND> ZOrder(HWND client) {
  std::vector<HWND> out;
  for (HWND w = GetWindow(client, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
    if (IsWindowVisible(w)) out.push_back(w);
  return out;
}

void RefreshMenu(HWND client, Client& c) {
  if (!c.windowMenu || !IsMenu(c.windowMenu)) return;
  // Drop the list (ids from firstId on) and the separator before it.
  for (int i = GetMenuItemCount(c.windowMenu) - 1; i >= 0; --i) {
    const UINT id = GetMenuItemID(c.windowMenu, i);
    if (id >= c.firstId && id < c.firstId + 0x1000) RemoveMenu(c.windowMenu, static_cast<UINT>(i), MF_BYPOSITION);
  }
  const int count = GetMenuItemCount(c.windowMenu);
  if (count > 0 && (GetMenuState(c.windowMenu, static_cast<UINT>(count - 1), MF_BYPOSITION) & MF_SEPARATOR))
    RemoveMenu(c.windowMenu, static_cast<UINT>(count - 1), MF_BYPOSITION);
  if (c.children.empty()) return;
  AppendMenuW(c.windowMenu, MF_SEPARATOR, 0, nullptr);
  for (size_t i = 0; i < c.children.size() && i < 9; ++i) {
    const std::u16string title = u"&" + std::u16string(1, static_cast<char16_t>(u'1' + i)) + u" " +
                                 controls::WindowText(c.children[i]);
    AppendMenuW(c.windowMenu, MF_STRING | (c.children[i] == c.active ? MF_CHECKED : 0),
                c.firstId + static_cast<UINT>(i), title.c_str());
  }
}

// A document moved or was sized: the client's scroll bars follow.
UINT ChildMovedMessage() {
  static const UINT message = RegisterWindowMessageW(u"TavMdiChildMoved");
  return message;
}

// The client's scroll bars show how far its documents reach past it: none
// while every document lies within it, none around a maximised document.
void UpdateScrollBars(HWND client, Client& c) {
  if (!c.wantsBars || c.placingBars) return;
  c.placingBars = true;
  // A second pass: a bar that came or went changed the other's page.
  for (int pass = 0; pass < 2; ++pass) {
    RECT area;
    GetClientRect(client, &area);
    RECT reach = area;
    const bool maximized = c.active && (GetWindowLongW(c.active, GWL_STYLE) & WS_MAXIMIZE);
    if (!maximized) {
      for (HWND w = GetWindow(client, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (!IsWindowVisible(w)) continue;
        RECT r;
        GetWindowRect(w, &r);
        MapWindowPoints(nullptr, client, reinterpret_cast<LPPOINT>(&r), 2);
        UnionRect(&reach, &reach, &r);
      }
    }
    // A range no longer than the page hides the bar.
    SCROLLINFO h{sizeof h, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    SCROLLINFO v = h;
    if (!maximized) {
      h = SCROLLINFO{sizeof h, SIF_RANGE | SIF_PAGE | SIF_POS, reach.left, reach.right - 1,
                     static_cast<UINT>(area.right), 0, 0};
      v = SCROLLINFO{sizeof v, SIF_RANGE | SIF_PAGE | SIF_POS, reach.top, reach.bottom - 1,
                     static_cast<UINT>(area.bottom), 0, 0};
    }
    SetScrollInfo(client, SB_HORZ, &h, TRUE);
    SetScrollInfo(client, SB_VERT, &v, TRUE);
  }
  c.placingBars = false;
}

// Scrolling moves the documents, not the client.
void Scroll(HWND client, Client& c, int bar, WORD request) {
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  if (!GetScrollInfo(client, bar, &si)) return;
  const int line = GetSystemMetrics(SM_CYCAPTION);
  const int page = static_cast<int>(si.nPage);
  int pos = si.nPos;
  switch (request) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = si.nMin; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
  }
  pos = std::clamp(pos, si.nMin, std::max(si.nMin, si.nMax - std::max(page - 1, 0)));
  const int delta = pos - si.nPos;
  if (delta == 0) return;
  ScrollWindowEx(client, bar == SB_HORZ ? -delta : 0, bar == SB_VERT ? -delta : 0, nullptr, nullptr, nullptr, nullptr,
                 SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  UpdateScrollBars(client, c);
}

// While a document is maximised its window-menu icon (the menu of its
// window commands) opens the frame's menu bar, and its Minimize, Restore
// and Close buttons end it, right-justified; their commands reach the frame
// as WM_COMMAND with the SC_* ids, which DefFrameProc hands to the document.
bool IsBarButton(HBITMAP b) {
  return b == HBMMENU_SYSTEM || b == HBMMENU_MBAR_MINIMIZE || b == HBMMENU_MBAR_RESTORE || b == HBMMENU_MBAR_CLOSE;
}

void RemoveBarButtons(HWND client, Client& c) {
  const HMENU bar = std::exchange(c.decoratedBar, nullptr);
  if (!bar || !IsMenu(bar)) return;
  for (int i = GetMenuItemCount(bar) - 1; i >= 0; --i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP | MIIM_FTYPE;
    if (GetMenuItemInfoW(bar, static_cast<UINT>(i), TRUE, &info) && (info.fType & MFT_BITMAP) && IsBarButton(info.hbmpItem))
      RemoveMenu(bar, static_cast<UINT>(i), MF_BYPOSITION);  // the document keeps its window menu
  }
  DrawMenuBar(GetParent(client));
}

void AddBarButtons(HWND client, Client& c, HWND child) {
  RemoveBarButtons(client, c);
  const HWND frame = GetParent(client);
  const HMENU bar = GetMenu(frame);
  const HMENU windowMenu = GetSystemMenu(child, FALSE);
  if (!bar || !windowMenu) return;
  InsertMenuW(bar, 0, MF_BYPOSITION | MF_POPUP | MF_BITMAP, reinterpret_cast<UINT_PTR>(windowMenu),
              reinterpret_cast<LPCWSTR>(HBMMENU_SYSTEM));
  AppendMenuW(bar, MF_BITMAP | MF_RIGHTJUSTIFY, SC_MINIMIZE, reinterpret_cast<LPCWSTR>(HBMMENU_MBAR_MINIMIZE));
  AppendMenuW(bar, MF_BITMAP, SC_RESTORE, reinterpret_cast<LPCWSTR>(HBMMENU_MBAR_RESTORE));
  AppendMenuW(bar, MF_BITMAP, SC_CLOSE, reinterpret_cast<LPCWSTR>(HBMMENU_MBAR_CLOSE));
  c.decoratedBar = bar;
  DrawMenuBar(frame);
}

RECT MaximizedRect(HWND client, HWND child) {
  RECT r;
  GetClientRect(client, &r);
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE)) & ~WS_MAXIMIZE, FALSE,
                     static_cast<DWORD>(GetWindowLongW(child, GWL_EXSTYLE)));
  return r;
}

RECT ParentRect(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<LPPOINT>(&r), 2);
  return r;
}

void Activate(HWND client, Client& c, HWND child);

void Maximize(HWND client, Client& c, HWND child) {
  if (!child) return;
  // A document maximised comes to the front as the active one.
  if (child != c.active) {
    Activate(client, c, child);
    if (GetWindowLongW(child, GWL_STYLE) & WS_MAXIMIZE) return;  // it took over a maximised one's state
  }
  if (!(GetWindowLongW(child, GWL_STYLE) & WS_MAXIMIZE)) {
    std::erase_if(c.normal, [&](const auto& n) { return n.first == child; });
    c.normal.emplace_back(child, ParentRect(child));
  }
  SetWindowLongW(child, GWL_STYLE, GetWindowLongW(child, GWL_STYLE) | static_cast<LONG>(WS_MAXIMIZE));
  c.maximized = true;
  UpdateScrollBars(client, c);
  const RECT r = MaximizedRect(client, child);
  SetWindowPos(child, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_FRAMECHANGED);
  if (child == c.active) AddBarButtons(client, c, child);
}

void Restore(HWND client, Client& c, HWND child) {
  if (!child || !(GetWindowLongW(child, GWL_STYLE) & WS_MAXIMIZE)) return;
  SetWindowLongW(child, GWL_STYLE, GetWindowLongW(child, GWL_STYLE) & ~static_cast<LONG>(WS_MAXIMIZE));
  for (const auto& [window, r] : c.normal)
    if (window == child)
      SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_FRAMECHANGED);
  std::erase_if(c.normal, [&](const auto& n) { return n.first == child; });
  c.maximized = false;
  RemoveBarButtons(client, c);
  UpdateScrollBars(client, c);
}

void Activate(HWND client, Client& c, HWND child) {
  if (!child || child == c.active) return;
  const HWND old = c.active;
  const bool wasMaximized = old && (GetWindowLongW(old, GWL_STYLE) & WS_MAXIMIZE);
  c.active = child;
  SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (old && IsWindow(old)) {
    SendMessageW(old, WM_NCACTIVATE, FALSE, 0);
    SendMessageW(old, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
  }
  // A maximised child passes the maximised state on to the next active one.
  if (wasMaximized && IsWindow(old)) {
    Restore(client, c, old);
    Maximize(client, c, child);
  }
  SendMessageW(child, WM_NCACTIVATE, TRUE, 0);
  SendMessageW(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
  SetFocus(child);
  RefreshMenu(client, c);
}

HWND Create(HWND client, Client& c, const MDICREATESTRUCTW* cs) {
  if (!cs || !cs->szClass) return nullptr;
  RECT area;
  GetClientRect(client, &area);
  const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
  int x = cs->x, y = cs->y, cx = cs->cx, cy = cs->cy;
  if (x == CW_USEDEFAULT) {
    x = (c.created % 8) * step;
    y = (c.created % 8) * step;
  }
  if (cx == CW_USEDEFAULT) {
    cx = area.right * 2 / 3;
    cy = area.bottom * 2 / 3;
  }
  const DWORD style = cs->style | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU |
                      WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  const UINT id = c.firstId + static_cast<UINT>(c.children.size());
  const HWND child = CreateWindowExW(WS_EX_MDICHILD | WS_EX_WINDOWEDGE, cs->szClass, cs->szTitle,
                                     (style & ~WS_MAXIMIZE) | WS_VISIBLE, x, y, cx, cy, client,
                                     reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)),
                                     static_cast<HINSTANCE>(cs->hOwner),
                                     // A document's creation parameter is the MDI record itself;
                                     // its own parameter is the record's lParam.
                                     const_cast<MDICREATESTRUCTW*>(cs));
  if (!child) return nullptr;
  ++c.created;
  c.children.push_back(child);
  const bool maximize = c.maximized || (cs->style & WS_MAXIMIZE);
  Activate(client, c, child);
  if (maximize) Maximize(client, c, child);
  RefreshMenu(client, c);
  return child;
}

void Forget(HWND client, Client& c, HWND child) {
  c.children.erase(std::remove(c.children.begin(), c.children.end(), child), c.children.end());
  // Ids follow the list's order.
  for (size_t i = 0; i < c.children.size(); ++i) SetWindowLongPtrW(c.children[i], GWLP_ID, static_cast<LONG_PTR>(c.firstId + i));
  std::erase_if(c.normal, [&](const auto& n) { return n.first == child; });
  if (c.active == child) {
    // A maximised document that closes hands its state to the next one.
    const bool wasMaximized = (GetWindowLongW(child, GWL_STYLE) & WS_MAXIMIZE) != 0;
    RemoveBarButtons(client, c);
    c.active = nullptr;
    const std::vector<HWND> order = ZOrder(client);
    const auto next = std::find_if(order.begin(), order.end(), [&](HWND w) { return w != child; });
    if (next != order.end()) {
      Activate(client, c, *next);
      if (wasMaximized) Maximize(client, c, *next);
    } else if (IsWindow(child)) {
      // The last child leaves: it hears that nothing takes its place, so
      // its frame can put its own menu back.
      SendMessageW(child, WM_NCACTIVATE, FALSE, 0);
      SendMessageW(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
    }
  }
  if (c.children.empty()) {
    c.maximized = false;
    RemoveBarButtons(client, c);
  }
  RefreshMenu(client, c);
  UpdateScrollBars(client, c);
}

// Cascade and Tile arrange the documents within the client, so its own bars
// go: the arrangement takes the area they leave (arranged within the smaller
// area, the documents would leave a bar's width empty once the bars had
// gone), and the bars are shown anew only once every document is placed.
class Arranging {
 public:
  Arranging(HWND client, Client& c) : client_(client), c_(c) {
    if (c.active) Restore(client, c, c.active);
    SCROLLINFO none{sizeof none, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    c.placingBars = true;
    SetScrollInfo(client, SB_HORZ, &none, TRUE);
    SetScrollInfo(client, SB_VERT, &none, TRUE);
  }
  ~Arranging() {
    c_.placingBars = false;
    UpdateScrollBars(client_, c_);
  }
  Arranging(const Arranging&) = delete;
  Arranging& operator=(const Arranging&) = delete;
  RECT Area() const {
    RECT area;
    GetClientRect(client_, &area);
    return area;
  }

 private:
  HWND client_;
  Client& c_;
};

void Cascade(HWND client, Client& c) {
  const Arranging arranging(client, c);
  std::vector<HWND> order = ZOrder(client);
  std::reverse(order.begin(), order.end());  // back to front
  const RECT area = arranging.Area();
  const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
  int i = 0;
  for (HWND w : order) {
    SetWindowPos(w, nullptr, i * step, i * step, area.right * 2 / 3, area.bottom * 2 / 3, SWP_NOZORDER | SWP_NOACTIVATE);
    ++i;
  }
}

void Tile(HWND client, Client& c, UINT how) {
  const Arranging arranging(client, c);
  const std::vector<HWND> order = ZOrder(client);
  const int n = static_cast<int>(order.size());
  if (n == 0) return;
  const RECT area = arranging.Area();
  // Columns side by side (vertical) or rows one above another (horizontal).
  const int lines = std::max(1, static_cast<int>(std::floor(std::sqrt(static_cast<double>(n)))));
  int i = 0;
  for (int line = 0; line < lines; ++line) {
    const int inLine = n / lines + (line < n % lines ? 1 : 0);
    for (int k = 0; k < inLine; ++k, ++i) {
      RECT r;
      if (how & MDITILE_HORIZONTAL) {
        const int h = area.bottom / n * 1;
        r = RECT{0, i * h, area.right, (i + 1) * h};
        (void)inLine;
      } else {
        const int w = area.right / lines;
        const int h = area.bottom / inLine;
        r = RECT{line * w, k * h, (line + 1) * w, (k + 1) * h};
      }
      SetWindowPos(order[static_cast<size_t>(i)], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
}

LRESULT Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    controls::MakeState<Client>(w);
    return DefWindowProcW(w, message, wParam, lParam);
  }
  Client* c = ClientOf(w);
  if (!c) return DefWindowProcW(w, message, wParam, lParam);
  switch (message) {
    case WM_CREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      c->wantsBars = (cs->style & (WS_HSCROLL | WS_VSCROLL)) != 0;
      // Bars appear only when a document reaches past the client.
      if (c->wantsBars) {
        ShowScrollBar(w, SB_BOTH, FALSE);
      }
      if (const auto* ccs = static_cast<const CLIENTCREATESTRUCT*>(cs->lpCreateParams)) {
        c->windowMenu = static_cast<HMENU>(ccs->hWindowMenu);
        c->firstId = ccs->idFirstChild;
      }
      return 0;
    }
    case WM_DESTROY:
      RemoveBarButtons(w, *c);
      // The window's data is out of reach once WM_NCDESTROY starts.
      controls::DropState<Client>(w);
      return DefWindowProcW(w, message, wParam, lParam);
    case WM_MDICREATE: return reinterpret_cast<LRESULT>(Create(w, *c, reinterpret_cast<const MDICREATESTRUCTW*>(lParam)));
    case WM_MDIDESTROY: {
      const HWND child = reinterpret_cast<HWND>(wParam);
      if (!IsWindow(child) || GetParent(child) != w) return 0;
      Forget(w, *c, child);
      DestroyWindow(child);
      if (ClientOf(w)) UpdateScrollBars(w, *ClientOf(w));
      return 0;
    }
    case WM_MDIACTIVATE: {
      const HWND child = reinterpret_cast<HWND>(wParam);
      if (IsWindow(child) && GetParent(child) == w) Activate(w, *c, child);
      return 0;
    }
    case WM_MDIGETACTIVE:
      if (lParam) *reinterpret_cast<BOOL*>(lParam) = c->active && (GetWindowLongW(c->active, GWL_STYLE) & WS_MAXIMIZE);
      return reinterpret_cast<LRESULT>(c->active);
    case WM_MDINEXT: {
      // Next: the window at the back comes to the front; previous: the one behind the active.
      const std::vector<HWND> order = ZOrder(w);
      if (order.size() < 2) return 0;
      Activate(w, *c, lParam ? order[1] : order.back());
      return 0;
    }
    case WM_MDIMAXIMIZE: Maximize(w, *c, reinterpret_cast<HWND>(wParam)); return 0;
    case WM_MDIRESTORE: Restore(w, *c, reinterpret_cast<HWND>(wParam)); return 0;
    case WM_MDICASCADE: Cascade(w, *c); return TRUE;
    case WM_MDITILE: Tile(w, *c, static_cast<UINT>(wParam)); return TRUE;
    case WM_MDISETMENU: {
      const HMENU old = c->windowMenu;
      if (lParam) {
        c->windowMenu = reinterpret_cast<HMENU>(lParam);
        RefreshMenu(w, *c);
      }
      if (wParam) {
        // The maximised document's buttons move to the new bar.
        const bool decorated = c->decoratedBar != nullptr;
        RemoveBarButtons(w, *c);
        SetMenu(GetParent(w), reinterpret_cast<HMENU>(wParam));
        if (decorated && c->active && IsWindow(c->active)) AddBarButtons(w, *c, c->active);
      }
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_MDIREFRESHMENU: RefreshMenu(w, *c); return 0;
    case WM_SIZE:
      if (c->active && (GetWindowLongW(c->active, GWL_STYLE) & WS_MAXIMIZE)) {
        const RECT r = MaximizedRect(w, c->active);
        SetWindowPos(c->active, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
      }
      UpdateScrollBars(w, *c);
      return DefWindowProcW(w, message, wParam, lParam);
    case WM_HSCROLL:
    case WM_VSCROLL:
      Scroll(w, *c, message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(static_cast<DWORD>(wParam)));
      return 0;
    case WM_PARENTNOTIFY:
      return 0;
    default:
      if (message == ChildMovedMessage()) {
        UpdateScrollBars(w, *c);
        return 0;
      }
      return DefWindowProcW(w, message, wParam, lParam);
  }
}

const bool installed = SetSystemClassProcedure(u"MDIClient", Proc, 16) != FALSE;

}  // namespace
}  // namespace mdi

LRESULT DefFrameProcW(HWND frame, HWND client, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      // The window menu's list activates its document. Its ids (from the
      // client's first child id on) lie above the window commands' range,
      // so the list is asked first.
      const HWND target = client ? GetDlgItem(client, LOWORD(wParam)) : nullptr;
      if (target && HIWORD(wParam) == 0 && lParam == 0) {
        SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(target), 0);
        return 0;
      }
      // The maximised document's buttons in the menu bar: its window commands.
      if (client && LOWORD(wParam) >= SC_SIZE && HIWORD(wParam) == 0) {
        BOOL maximized = FALSE;
        const HWND active =
            reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
        if (active && maximized) {
          SendMessageW(active, WM_SYSCOMMAND, LOWORD(wParam), 0);
          return 0;
        }
      }
      return DefWindowProcW(frame, message, wParam, lParam);
    }
    case WM_SIZE:
      if (client) {
        RECT r;
        GetClientRect(frame, &r);
        MoveWindow(client, 0, 0, r.right, r.bottom, TRUE);
      }
      return 0;
    case WM_SETFOCUS:
      if (client) SetFocus(client);
      return 0;
    default: return DefWindowProcW(frame, message, wParam, lParam);
  }
}

LRESULT DefMDIChildProcW(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND client = GetParent(child);
  switch (message) {
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MAXIMIZE: SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0); return 0;
        case SC_RESTORE: SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0); return 0;
        // Closing asks the document first (WM_CLOSE), as the caption's
        // button and Ctrl+F4 must not drop unsaved work.
        case SC_CLOSE: SendMessageW(child, WM_CLOSE, 0, 0); return 0;
        case SC_NEXTWINDOW: SendMessageW(client, WM_MDINEXT, reinterpret_cast<WPARAM>(child), 0); return 0;
        case SC_PREVWINDOW: SendMessageW(client, WM_MDINEXT, reinterpret_cast<WPARAM>(child), 1); return 0;
        case SC_MINIMIZE:
          // A document is not iconised here: it steps back to its normal size.
          SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
          return 0;
        default: return DefWindowProcW(child, message, wParam, lParam);
      }
    case WM_CLOSE: SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0); return 0;
    case WM_MOUSEACTIVATE:
    case WM_CHILDACTIVATE:
      SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
      return message == WM_MOUSEACTIVATE ? MA_ACTIVATE : 0;
    case WM_SETTEXT: {
      const LRESULT r = DefWindowProcW(child, message, wParam, lParam);
      SendMessageW(client, WM_MDIREFRESHMENU, 0, 0);
      return r;
    }
    case WM_WINDOWPOSCHANGED: {
      const LRESULT r = DefWindowProcW(child, message, wParam, lParam);
      SendMessageW(client, mdi::ChildMovedMessage(), 0, 0);
      return r;
    }
    default: return DefWindowProcW(child, message, wParam, lParam);
  }
}

HWND CreateMDIWindowW(LPCWSTR className, LPCWSTR title, DWORD style, int x, int y, int width, int height, HWND client,
                      HINSTANCE instance, LPARAM param) {
  MDICREATESTRUCTW cs{className, title, instance, x, y, width, height, style, param};
  return reinterpret_cast<HWND>(SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&cs)));
}

LRESULT DefFrameProcA(HWND frame, HWND client, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_SIZE:
    case WM_SETFOCUS: return DefFrameProcW(frame, client, message, wParam, lParam);
    default: return DefWindowProcA(frame, message, wParam, lParam);
  }
}

BOOL TranslateMDISysAccel(HWND client, const MSG* msg) {
  if (!client || !msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
  if (!(GetKeyState(VK_CONTROL) & 0x8000) || (GetKeyState(VK_MENU) & 0x8000)) return FALSE;
  const HWND active = reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0));
  if (!active || !IsWindowEnabled(active)) return FALSE;
  WPARAM command = 0;
  switch (msg->wParam) {
    case VK_F6:
    case VK_TAB: command = (GetKeyState(VK_SHIFT) & 0x8000) ? SC_PREVWINDOW : SC_NEXTWINDOW; break;
    case VK_F4: command = SC_CLOSE; break;
    default: return FALSE;
  }
  SendMessageW(active, WM_SYSCOMMAND, command, static_cast<LPARAM>(msg->wParam));
  return TRUE;
}

LRESULT DefMDIChildProcA(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
    case WM_SYSCOMMAND:
    case WM_MOUSEACTIVATE:
    case WM_CHILDACTIVATE: return DefMDIChildProcW(child, message, wParam, lParam);
    case WM_WINDOWPOSCHANGED: {
      const LRESULT r = DefWindowProcA(child, message, wParam, lParam);
      SendMessageW(GetParent(child), mdi::ChildMovedMessage(), 0, 0);
      return r;
    }
    case WM_SETTEXT: {
      const LRESULT r = DefWindowProcA(child, message, wParam, lParam);
      SendMessageW(GetParent(child), WM_MDIREFRESHMENU, 0, 0);
      return r;
    }
    default: return DefWindowProcA(child, message, wParam, lParam);
  }
}
