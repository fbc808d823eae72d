// The tab control's messages: items, selection and its notifications, the
// display area, scrolling, the mouse and keys.
#include <algorithm>
#include <cstring>

#include "platform/comctl/comctl_classes.h"
#include "platform/comctl/control_state.h"
#include "platform/comctl/tab_model.h"
#include "platform/comctl/updown.h"
#include "platform/user/message_crack.h"

namespace comctl {
namespace {

bool Valid(const Tab& t, WPARAM index) { return index < t.items.size(); }

void Relayout(HWND w, Tab& t) {
  LayOutTabs(w, t);
  InvalidateRect(w, nullptr, TRUE);
}

// Scrolls a single row so that tab `index` shows.
void EnsureVisible(HWND w, Tab& t, int index) {
  if (index < 0) return;
  if (GetWindowLongW(w, GWL_STYLE) & TCS_MULTILINE) {
    Relayout(w, t);  // the selected tab's row moves next to the display area
    return;
  }
  RECT client;
  GetClientRect(w, &client);
  int right = client.right;
  if (t.scroller && IsWindowVisible(t.scroller)) {
    RECT arrows;
    GetWindowRect(t.scroller, &arrows);
    right -= arrows.right - arrows.left;
  }
  if (index < t.first) {
    t.first = index;
  } else {
    while (t.first < index) {
      LayOutTabs(w, t);
      if (t.items[static_cast<size_t>(index)].rect.right <= right) break;
      ++t.first;
    }
  }
  Relayout(w, t);
}

// Selection by the user: asks the parent, which may refuse, then tells it.
bool UserSelect(HWND w, Tab& t, int index) {
  if (index < 0 || index >= static_cast<int>(t.items.size())) return false;
  if (index == t.current) return true;
  if (SendNotify(w, TCN_SELCHANGING)) return false;
  if (!IsWindow(w)) return false;
  t.current = index;
  t.focus = index;
  EnsureVisible(w, t, index);
  SendNotify(w, TCN_SELCHANGE);
  return true;
}

template <class Item>
void Store(Tab& t, TabItem& item, const Item& in) {
  if (in.mask & TCIF_TEXT) {
    if constexpr (std::is_same_v<Item, TCITEMW>) item.text = FromWide(in.pszText);
    else item.text = FromAnsi(in.pszText);
  }
  if (in.mask & TCIF_IMAGE) item.image = in.iImage;
  if (in.mask & TCIF_STATE) item.state = (item.state & ~in.dwStateMask) | (in.dwState & in.dwStateMask);
  if (in.mask & TCIF_PARAM) {
    item.extra.assign(t.extraBytes, 0);
    std::memcpy(item.extra.data(), &in.lParam, t.extraBytes);
  }
}

template <class Item>
LRESULT InsertItem(HWND w, Tab& t, WPARAM at, const Item* in) {
  if (!in || static_cast<int>(at) < 0) return -1;
  at = std::min(at, t.items.size());
  TabItem item;
  item.extra.assign(t.extraBytes, 0);
  Store(t, item, *in);
  t.items.insert(t.items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
  if (t.current >= static_cast<int>(at)) ++t.current;
  if (t.focus >= static_cast<int>(at)) ++t.focus;
  if (t.current < 0) t.current = t.focus = 0;  // the first tab is selected as it comes
  Relayout(w, t);
  return static_cast<LRESULT>(at);
}

template <class Item>
LRESULT GetItem(const Tab& t, WPARAM index, Item* out) {
  if (!out || !Valid(t, index)) return FALSE;
  const TabItem& item = t.items[index];
  if (out->mask & TCIF_TEXT) CopyText(item.text, out->pszText, out->cchTextMax);
  if (out->mask & TCIF_IMAGE) out->iImage = item.image;
  if (out->mask & TCIF_STATE) out->dwState = item.state & out->dwStateMask;
  if (out->mask & TCIF_PARAM) std::memcpy(&out->lParam, item.extra.data(), item.extra.size());
  return TRUE;
}

int HitTest(const Tab& t, POINT p, UINT* flags) {
  for (size_t i = 0; i < t.items.size(); ++i) {
    if (ScrolledAway(t.items[i]) || !PtInRect(&t.items[i].rect, p)) continue;
    if (flags) *flags = TCHT_ONITEMLABEL;
    return static_cast<int>(i);
  }
  if (flags) *flags = TCHT_NOWHERE;
  return -1;
}

void DeleteItem(HWND w, Tab& t, size_t index) {
  t.items.erase(t.items.begin() + static_cast<std::ptrdiff_t>(index));
  const int i = static_cast<int>(index);
  if (t.current == i) t.current = -1;
  else if (t.current > i) --t.current;
  if (t.focus == i) t.focus = -1;
  else if (t.focus > i) --t.focus;
  Relayout(w, t);
}

// TCM_ADJUSTRECT: between a window rectangle and its display area.
void Adjust(const Tab& t, bool larger, RECT* r) {
  const int top = TabsBottom(t) + 2, side = 4;
  if (larger) {
    r->left -= side;
    r->right += side;
    r->top -= top;
    r->bottom += side;
  } else {
    r->left += side;
    r->right -= side;
    r->top += top;
    r->bottom -= side;
  }
}

void KeyDown(HWND w, Tab& t, WPARAM key, LPARAM data) {
  NMTCKEYDOWN nm{};
  nm.wVKey = static_cast<WORD>(key);
  nm.flags = static_cast<UINT>(HIWORD(static_cast<DWORD_PTR>(data)));
  SendNotify(w, TCN_KEYDOWN, &nm.hdr);
  if (!IsWindow(w) || t.items.empty()) return;
  int next = t.current;
  if (key == VK_LEFT || key == VK_UP) next = std::max(0, t.current - 1);
  else if (key == VK_RIGHT || key == VK_DOWN) next = std::min(static_cast<int>(t.items.size()) - 1, t.current + 1);
  else if (key == VK_HOME) next = 0;
  else if (key == VK_END) next = static_cast<int>(t.items.size()) - 1;
  if (next != t.current) UserSelect(w, t, next);
}

LRESULT Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    MakeState<Tab>(w);
    return DefWindowProcW(w, message, wParam, lParam);
  }
  Tab* tp = StateOf<Tab>(w);
  if (!tp) return DefWindowProcW(w, message, wParam, lParam);
  Tab& t = *tp;
  switch (message) {
    case WM_CREATE: LayOutTabs(w, t); return 0;
    case WM_NCDESTROY:
      DropState<Tab>(w);
      return DefWindowProcW(w, message, wParam, lParam);
    case WM_PAINT: PaintTabs(w, t); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: Relayout(w, t); return 0;
    case WM_SETFONT:
      t.font = reinterpret_cast<HFONT>(wParam);
      Relayout(w, t);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(t.font);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      t.focused = message == WM_SETFOCUS;
      InvalidateRect(w, nullptr, TRUE);
      SendNotify(w, message == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS);
      return 0;
    case WM_LBUTTONDOWN: {
      const int index = HitTest(t, crack::MouseOf(wParam, lParam).pt, nullptr);
      if (index < 0) return 0;
      const DWORD style = static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE));
      if ((style & TCS_FOCUSONBUTTONDOWN) && !(style & TCS_FOCUSNEVER)) SetFocus(w);
      UserSelect(w, t, index);
      return 0;
    }
    case WM_LBUTTONUP: SendNotify(w, NM_CLICK); return 0;
    case WM_RBUTTONUP: SendNotify(w, NM_RCLICK); return 0;
    case WM_KEYDOWN: KeyDown(w, t, wParam, lParam); return 0;
    case WM_HSCROLL: {
      // The scroll arrows moved: the first tab shown follows them.
      const crack::Scroll s = crack::ScrollOf(wParam, lParam);
      if (s.bar == t.scroller && s.request == SB_THUMBPOSITION) {
        t.first = s.pos;
        Relayout(w, t);
      }
      return 0;
    }
    case TCM_GETITEMCOUNT: return static_cast<LRESULT>(t.items.size());
    case TCM_INSERTITEMW: return InsertItem(w, t, wParam, reinterpret_cast<const TCITEMW*>(lParam));
    case TCM_INSERTITEMA: return InsertItem(w, t, wParam, reinterpret_cast<const TCITEMA*>(lParam));
    case TCM_SETITEMW:
    case TCM_SETITEMA: {
      if (!Valid(t, wParam) || !lParam) return FALSE;
      if (message == TCM_SETITEMW) Store(t, t.items[wParam], *reinterpret_cast<const TCITEMW*>(lParam));
      else Store(t, t.items[wParam], *reinterpret_cast<const TCITEMA*>(lParam));
      Relayout(w, t);
      return TRUE;
    }
    case TCM_GETITEMW: return GetItem(t, wParam, reinterpret_cast<TCITEMW*>(lParam));
    case TCM_GETITEMA: return GetItem(t, wParam, reinterpret_cast<TCITEMA*>(lParam));
    case TCM_DELETEITEM:
      if (!Valid(t, wParam)) return FALSE;
      DeleteItem(w, t, wParam);
      return TRUE;
    case TCM_DELETEALLITEMS:
      t.items.clear();
      t.current = t.focus = -1;
      t.first = 0;
      Relayout(w, t);
      return TRUE;
    case TCM_GETCURSEL: return t.current;
    case TCM_SETCURSEL: {
      // No notification: the caller knows what it chose.
      if (!Valid(t, wParam)) return -1;
      const int old = t.current;
      t.current = t.focus = static_cast<int>(wParam);
      EnsureVisible(w, t, t.current);
      return old;
    }
    case TCM_GETCURFOCUS: return t.focus;
    case TCM_SETCURFOCUS:
      if (!Valid(t, wParam)) return 0;
      UserSelect(w, t, static_cast<int>(wParam));
      return 0;
    case TCM_GETITEMRECT: {
      auto* out = reinterpret_cast<RECT*>(lParam);
      if (!Valid(t, wParam) || !out) return FALSE;
      *out = t.items[wParam].rect;
      return TRUE;
    }
    case TCM_HITTEST: {
      auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
      return info ? HitTest(t, info->pt, &info->flags) : -1;
    }
    case TCM_SETITEMEXTRA:
      if (!t.items.empty() || static_cast<int>(wParam) < 0) return FALSE;
      t.extraBytes = wParam;
      return TRUE;
    case TCM_ADJUSTRECT:
      if (lParam) Adjust(t, wParam != 0, reinterpret_cast<RECT*>(lParam));
      return 0;
    case TCM_SETITEMSIZE: {
      const SIZE old{t.itemSize.cx, t.itemSize.cy ? t.itemSize.cy : t.rowHeight};
      t.itemSize = SIZE{LOWORD(static_cast<DWORD_PTR>(lParam)), HIWORD(static_cast<DWORD_PTR>(lParam))};
      Relayout(w, t);
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(old.cx), static_cast<WORD>(old.cy)));
    }
    case TCM_SETPADDING:
      t.padding = SIZE{LOWORD(static_cast<DWORD_PTR>(lParam)), HIWORD(static_cast<DWORD_PTR>(lParam))};
      Relayout(w, t);
      return 0;
    case TCM_SETMINTABWIDTH: {
      const int old = t.minWidth;
      t.minWidth = static_cast<int>(lParam);
      Relayout(w, t);
      return old;
    }
    case TCM_GETROWCOUNT: return t.rows;
    case TCM_SETIMAGELIST: {
      HIMAGELIST old = t.images;
      t.images = reinterpret_cast<HIMAGELIST>(lParam);
      Relayout(w, t);
      return reinterpret_cast<LRESULT>(old);
    }
    case TCM_GETIMAGELIST: return reinterpret_cast<LRESULT>(t.images);
    case TCM_REMOVEIMAGE:
      if (t.images && ImageList_Remove(t.images, static_cast<int>(wParam))) {
        for (TabItem& item : t.items) {
          if (item.image == static_cast<int>(wParam)) item.image = -1;
          else if (item.image > static_cast<int>(wParam)) --item.image;
        }
        Relayout(w, t);
      }
      return 0;
    case TCM_HIGHLIGHTITEM:
      if (!Valid(t, wParam)) return FALSE;
      if (LOWORD(static_cast<DWORD_PTR>(lParam))) t.items[wParam].state |= TCIS_HIGHLIGHTED;
      else t.items[wParam].state &= ~TCIS_HIGHLIGHTED;
      InvalidateRect(w, nullptr, TRUE);
      return TRUE;
    case TCM_DESELECTALL:
      for (TabItem& item : t.items) item.state &= ~TCIS_BUTTONPRESSED;
      InvalidateRect(w, nullptr, TRUE);
      return 0;
    case TCM_GETTOOLTIPS: return reinterpret_cast<LRESULT>(t.tooltip);
    case TCM_SETTOOLTIPS: t.tooltip = reinterpret_cast<HWND>(wParam); return 0;
    case TCM_SETEXTENDEDSTYLE:
    case TCM_GETEXTENDEDSTYLE: return 0;
    default: return DefWindowProcW(w, message, wParam, lParam);
  }
}

}  // namespace

LRESULT TabProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) { return Proc(w, message, wParam, lParam); }

}  // namespace comctl
