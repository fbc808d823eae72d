// The list box: ListItems in a window. Single, multiple and extended
// selection, sorted lists, item data, owner-drawn items of fixed or variable
// height, LB_DIR, keyboard and mouse selection and the LBN_* notifications.
// A combo box's drop-down list is a list box of the ComboLBox class that
// reports to its combo box instead of to a parent.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/kernel/kernel.h"
#include "platform/user/controls/control_classes.h"
#include "platform/user/controls/control_support.h"
#include "platform/user/controls/list_box_internal.h"
#include "platform/user/controls/list_items.h"
#include "platform/user/message_crack.h"

namespace controls {
namespace {

struct List {
  ListItems items;
  HFONT font = nullptr;
  int itemHeight = 0;
  bool focused = false;
  bool tracking = false;
  bool ownerDraw = false;
  bool variable = false;
  bool hasStrings = true;
  bool wantsBar = false;        // created with WS_VSCROLL
  bool syncingBar = false;      // hiding or showing the bar resizes the box
  HWND notifyTarget = nullptr;  // the combo box of a drop-down list
};

DWORD StyleOf(HWND w) { return static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE)); }

SelectionMode ModeFor(DWORD style) {
  if (style & LBS_NOSEL) return SelectionMode::None;
  if (style & LBS_EXTENDEDSEL) return SelectionMode::Extended;
  if (style & LBS_MULTIPLESEL) return SelectionMode::Multiple;
  return SelectionMode::Single;
}

bool Single(const List& l) { return l.items.mode() == SelectionMode::Single; }

void NotifyOwner(HWND w, const List& l, WORD code) {
  if (l.notifyTarget) {
    SendMessageW(l.notifyTarget, kComboListNotify, code, reinterpret_cast<LPARAM>(w));
    return;
  }
  if (StyleOf(w) & LBS_NOTIFY || code == LBN_ERRSPACE) Notify(w, code);
}

int HeightOf(const List& l, size_t index) {
  if (l.variable && l.items.at(index).height > 0) return l.items.at(index).height;
  return l.itemHeight;
}

// Item index at a client y, or -1 past the last item.
long ItemAt(const List& l, int y) {
  int top = 0;
  for (size_t i = static_cast<size_t>(l.items.top()); i < l.items.size(); ++i) {
    const int h = HeightOf(l, i);
    if (y >= top && y < top + h) return static_cast<long>(i);
    top += h;
  }
  return -1;
}

RECT ItemRect(HWND w, const List& l, long index) {
  RECT client;
  GetClientRect(w, &client);
  int top = 0;
  for (long i = l.items.top(); i < index; ++i) top += HeightOf(l, static_cast<size_t>(i));
  for (long i = index; i < l.items.top(); ++i) top -= HeightOf(l, static_cast<size_t>(i));
  return RECT{0, top, client.right, top + HeightOf(l, static_cast<size_t>(index))};
}

void Measure(HWND w, List& l, long index) {
  MEASUREITEMSTRUCT m{};
  m.CtlType = l.notifyTarget ? ODT_COMBOBOX : ODT_LISTBOX;
  m.CtlID = static_cast<UINT>(GetDlgCtrlID(l.notifyTarget ? l.notifyTarget : w));
  // A fixed height is asked once, as the height of item 0.
  m.itemID = static_cast<UINT>(std::max(index, 0L));
  m.itemHeight = static_cast<UINT>(l.itemHeight);
  m.itemData = index >= 0 ? static_cast<ULONG_PTR>(l.items.at(static_cast<size_t>(index)).data) : 0;
  SendMessageW(l.notifyTarget ? GetParent(l.notifyTarget) : GetParent(w), WM_MEASUREITEM, m.CtlID,
               reinterpret_cast<LPARAM>(&m));
  if (index < 0) l.itemHeight = static_cast<int>(m.itemHeight);
  else l.items.SetHeight(index, static_cast<int>(std::min<UINT>(m.itemHeight, 255)));
}

void DrawItem(HWND w, const List& l, HDC dc, long index, const RECT& r) {
  const ListItem& item = l.items.at(static_cast<size_t>(index));
  const bool selected = l.items.IsSelected(index) || (Single(l) && l.items.current() == index);
  const bool focus = l.focused && l.items.caret() == index;
  if (l.ownerDraw) {
    DRAWITEMSTRUCT d{};
    // A combo box's list draws as the combo box's items.
    d.CtlType = l.notifyTarget ? ODT_COMBOBOX : ODT_LISTBOX;
    d.CtlID = static_cast<UINT>(GetDlgCtrlID(l.notifyTarget ? l.notifyTarget : w));
    d.itemID = static_cast<UINT>(index);
    d.itemAction = ODA_DRAWENTIRE;
    d.itemState = (selected ? ODS_SELECTED : 0) | (focus ? ODS_FOCUS : 0) | (IsWindowEnabled(w) ? 0 : ODS_DISABLED);
    d.hwndItem = l.notifyTarget ? l.notifyTarget : w;
    d.hDC = dc;
    d.rcItem = r;
    d.itemData = static_cast<ULONG_PTR>(item.data);
    SendMessageW(l.notifyTarget ? GetParent(l.notifyTarget) : GetParent(w), WM_DRAWITEM, d.CtlID, reinterpret_cast<LPARAM>(&d));
    return;
  }
  if (selected) FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : (IsWindowEnabled(w) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT)));
  SetBkMode(dc, TRANSPARENT);
  RECT text = r;
  text.left += 2;
  DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
  if (focus) DrawFocusRect(dc, &r);
}

void Paint(HWND w, List& l) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w, &ps);
  RECT client;
  GetClientRect(w, &client);
  FillRect(dc, &client, ParentBrush(w, dc, WM_CTLCOLORLISTBOX, COLOR_WINDOW));
  HGDIOBJ old = SelectObject(dc, DrawingFont(l.font));
  for (long i = l.items.top(); i < static_cast<long>(l.items.size()); ++i) {
    const RECT r = ItemRect(w, l, i);
    if (r.top >= client.bottom) break;
    DrawItem(w, l, dc, i, r);
  }
  SelectObject(dc, old);
  EndPaint(w, &ps);
}

void EnsureVisible(HWND w, List& l, long index) {
  if (!l.items.Valid(index)) return;
  RECT client;
  GetClientRect(w, &client);
  if (index < l.items.top()) l.items.SetTop(index);
  while (index > l.items.top() && ItemRect(w, l, index).bottom > client.bottom) l.items.SetTop(l.items.top() + 1);
}

// Items wholly inside the client area from the top item down.
long VisibleCount(HWND w, const List& l) {
  RECT client;
  GetClientRect(w, &client);
  long n = 0;
  int y = 0;
  for (size_t i = static_cast<size_t>(std::max(0L, l.items.top())); i < l.items.size(); ++i) {
    y += HeightOf(l, i);
    if (y > client.bottom) return n;
    ++n;
  }
  // Past the last item, rows of the fixed height would still fit.
  const int h = std::max(l.itemHeight, 1);
  return n + std::max(0, (static_cast<int>(client.bottom) - y) / h);
}

// The vertical bar follows the items: range one step per item, page the
// items in view, position the top item. A list whose items all fit has
// nothing to scroll: the bar goes away, or stays disabled and without a
// thumb under LBS_DISABLENOSCROLL.
void SyncBar(HWND w, List& l) {
  if (!l.wantsBar || l.syncingBar) return;
  l.syncingBar = true;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | ((StyleOf(w) & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0);
  si.nMin = 0;
  si.nMax = std::max(0L, static_cast<long>(l.items.size()) - 1);
  si.nPage = static_cast<UINT>(std::max(1L, VisibleCount(w, l)));
  si.nPos = static_cast<int>(std::max(0L, l.items.top()));
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  l.syncingBar = false;
}

void Redraw(HWND w) {
  if (List* l = StateOf<List>(w)) SyncBar(w, *l);
  InvalidateRect(w, nullptr, TRUE);
}

// WM_VSCROLL from the bar: the top item moves, never past the last page.
void Scroll(HWND w, List& l, WORD request, int thumb) {
  const long count = static_cast<long>(l.items.size());
  const long page = std::max(1L, VisibleCount(w, l));
  const long last = std::max(0L, count - page);
  long top = l.items.top();
  switch (request) {
    case SB_LINEUP: --top; break;
    case SB_LINEDOWN: ++top; break;
    case SB_PAGEUP: top -= page; break;
    case SB_PAGEDOWN: top += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: top = thumb; break;
    case SB_TOP: top = 0; break;
    case SB_BOTTOM: top = last; break;
    default: return;
  }
  top = std::clamp(top, 0L, last);
  if (top == l.items.top()) return;
  l.items.SetTop(top);
  Redraw(w);
}

// The text to store: a copy of the caller's string, or nothing for an
// owner-drawn list without strings (whose "string" is the item data).
bool TextArg(const List& l, LPARAM lParam, std::u16string& text, intptr_t& data) {
  if (!l.hasStrings) {
    data = lParam;
    return true;
  }
  const auto* s = reinterpret_cast<const char16_t*>(lParam);
  if (!s) return false;
  text = s;
  return true;
}

LRESULT AddOrInsert(HWND w, List& l, long index, LPARAM lParam, bool add) {
  std::u16string text;
  intptr_t data = 0;
  if (!TextArg(l, lParam, text, data)) return LB_ERR;
  long at;
  if (add && l.items.sorted() && !l.hasStrings) {
    // Sorted without strings: the owner compares; items go to the end here.
    at = l.items.Insert(-1, text, data);
  } else {
    at = add ? l.items.Add(text, data) : l.items.Insert(index, text, data);
  }
  if (at < 0) return LB_ERR;
  if (l.variable) Measure(w, l, at);
  Redraw(w);
  return at;
}

LRESULT CopyItemText(const List& l, long index, LPARAM buffer) {
  if (!l.items.Valid(index)) return LB_ERR;
  if (!buffer) return LB_ERR;
  const ListItem& item = l.items.at(static_cast<size_t>(index));
  if (!l.hasStrings) {
    std::memcpy(reinterpret_cast<void*>(buffer), &item.data, sizeof item.data);
    return sizeof item.data;
  }
  auto* out = reinterpret_cast<char16_t*>(buffer);
  std::copy(item.text.begin(), item.text.end(), out);
  out[item.text.size()] = u'\0';
  return static_cast<LRESULT>(item.text.size());
}

// LB_DIR: files of a pattern, with folders as "[name]" when asked.
LRESULT Directory(HWND w, List& l, UINT attributes, const char16_t* pattern) {
  if (!pattern) return LB_ERR;
  std::string spec;
  for (const char16_t* p = pattern; *p; ++p) spec.push_back(*p < 0x80 ? static_cast<char>(*p) : '?');
  WIN32_FIND_DATAA found{};
  HANDLE find = FindFirstFileA(spec.c_str(), &found);
  long last = LB_ERR;
  if (find == INVALID_HANDLE_VALUE) return LB_ERR;
  do {
    const std::string name = found.cFileName;
    if (name == ".") continue;
    const bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (folder && !(attributes & DDL_DIRECTORY)) continue;
    if (!folder && (attributes & DDL_EXCLUSIVE)) continue;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) && !(attributes & DDL_HIDDEN)) continue;
    std::u16string text(name.begin(), name.end());
    if (folder) text = u"[" + text + u"]";
    last = l.items.Add(text, 0);
  } while (FindNextFileA(find, &found));
  FindClose(find);
  Redraw(w);
  return last;
}

void UserSelect(HWND w, List& l, long index, bool shift, bool control) {
  if (!l.items.Valid(index)) return;
  const std::vector<long> before = l.items.SelectedItems();
  const long current = l.items.current();
  l.items.UserSelect(index, shift, control);
  EnsureVisible(w, l, index);
  Redraw(w);
  if (l.items.SelectedItems() != before || l.items.current() != current) NotifyOwner(w, l, LBN_SELCHANGE);
}

bool KeyDown(HWND w, List& l, WPARAM key) {
  const long count = static_cast<long>(l.items.size());
  if (count == 0) return false;
  long at = l.items.caret() < 0 ? 0 : l.items.caret();
  const bool shift = GetKeyState(VK_SHIFT) < 0, control = GetKeyState(VK_CONTROL) < 0;
  switch (key) {
    case VK_UP: at = std::max(0L, at - 1); break;
    case VK_DOWN: at = std::min(count - 1, at + (l.items.caret() < 0 ? 0 : 1)); break;
    case VK_HOME: at = 0; break;
    case VK_END: at = count - 1; break;
    case VK_PRIOR: at = std::max(0L, at - 8); break;
    case VK_NEXT: at = std::min(count - 1, at + 8); break;
    case VK_SPACE:
      if (l.items.mode() == SelectionMode::Multiple || l.items.mode() == SelectionMode::Extended) {
        UserSelect(w, l, at, false, true);
      }
      return true;
    default: return false;
  }
  if (l.items.mode() == SelectionMode::Multiple || (l.items.mode() == SelectionMode::Extended && control && !shift)) {
    l.items.SetCaret(at);
    EnsureVisible(w, l, at);
    Redraw(w);
  } else {
    UserSelect(w, l, at, shift, false);
  }
  return true;
}

LRESULT Messages(HWND w, List& l, UINT message, WPARAM wParam, LPARAM lParam) {
  const long index = static_cast<long>(static_cast<int>(wParam));
  switch (message) {
    case LB_ADDSTRING: return AddOrInsert(w, l, -1, lParam, true);
    case LB_INSERTSTRING: return AddOrInsert(w, l, index, lParam, false);
    case LB_DELETESTRING: {
      const long left = l.items.Delete(index);
      Redraw(w);
      return left < 0 ? LB_ERR : left;
    }
    case LB_RESETCONTENT: l.items.Clear(); Redraw(w); return LB_OKAY;
    case LB_GETCOUNT: return static_cast<LRESULT>(l.items.size());
    case LB_GETTEXT: return CopyItemText(l, index, lParam);
    case LB_GETTEXTLEN:
      if (!l.items.Valid(index)) return LB_ERR;
      return l.hasStrings ? static_cast<LRESULT>(l.items.at(static_cast<size_t>(index)).text.size())
                          : static_cast<LRESULT>(sizeof(intptr_t));
    case LB_GETITEMDATA: return l.items.Valid(index) ? l.items.at(static_cast<size_t>(index)).data : LB_ERR;
    case LB_SETITEMDATA: return l.items.SetData(index, lParam) ? LB_OKAY : LB_ERR;
    case LB_GETCURSEL:
      if (Single(l)) return l.items.current();
      return l.items.caret();
    case LB_SETCURSEL:
      // "In a multiple-selection list box ... LB_SETCURSEL" is not for them (public documentation).
      if (!Single(l)) return LB_ERR;
      if (!l.items.SetCurrent(index)) return LB_ERR;
      EnsureVisible(w, l, index);
      Redraw(w);
      return index == -1 ? LB_ERR : index;
    case LB_GETSEL:
      if (!l.items.Valid(index)) return LB_ERR;
      return Single(l) ? (l.items.current() == index ? 1 : 0) : (l.items.IsSelected(index) ? 1 : 0);
    case LB_SETSEL: {
      const long item = static_cast<long>(static_cast<int>(lParam));
      if (!l.items.SetSelected(item, wParam != 0)) return LB_ERR;
      if (item >= 0) l.items.SetCaret(item);
      Redraw(w);
      return LB_OKAY;
    }
    case LB_GETSELCOUNT: return Single(l) ? LB_ERR : l.items.SelectedCount();
    case LB_GETSELITEMS: {
      if (Single(l) || !lParam) return LB_ERR;
      const std::vector<long> selected = l.items.SelectedItems();
      const size_t n = std::min<size_t>(selected.size(), wParam);
      auto* out = reinterpret_cast<int*>(lParam);
      for (size_t i = 0; i < n; ++i) out[i] = static_cast<int>(selected[i]);
      return static_cast<LRESULT>(n);
    }
    case LB_SELITEMRANGE:
      return l.items.SelectRange(LOWORD(static_cast<DWORD_PTR>(lParam)), HIWORD(static_cast<DWORD_PTR>(lParam)), wParam != 0)
                 ? (Redraw(w), LB_OKAY) : LB_ERR;
    case LB_SELITEMRANGEEX: {
      const long first = index, last = static_cast<long>(static_cast<int>(lParam));
      const bool ok = first <= last ? l.items.SelectRange(first, last, true) : l.items.SelectRange(last, first, false);
      Redraw(w);
      return ok ? LB_OKAY : LB_ERR;
    }
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
    case LB_SELECTSTRING: {
      const auto* text = reinterpret_cast<const char16_t*>(lParam);
      if (!l.hasStrings) {
        for (size_t i = 0; i < l.items.size(); ++i)
          if (l.items.at(i).data == lParam) return static_cast<LRESULT>(i);
        return LB_ERR;
      }
      if (!text) return LB_ERR;
      const long found = message == LB_FINDSTRINGEXACT ? l.items.FindExact(index, text) : l.items.FindPrefix(index, text);
      if (found < 0) return LB_ERR;
      if (message == LB_SELECTSTRING) {
        if (Single(l)) l.items.SetCurrent(found);
        else l.items.SetCaret(found);
        EnsureVisible(w, l, found);
        Redraw(w);
      }
      return found;
    }
    case LB_GETTOPINDEX: return l.items.top();
    case LB_SETTOPINDEX:
      if (index != 0 && !l.items.Valid(index)) return LB_ERR;
      l.items.SetTop(index);
      Redraw(w);
      return LB_OKAY;
    case LB_GETITEMRECT: {
      if (!lParam || (index != 0 && !l.items.Valid(index))) return LB_ERR;
      *reinterpret_cast<RECT*>(lParam) = ItemRect(w, l, index);
      return LB_OKAY;
    }
    case LB_GETITEMHEIGHT:
      if (l.variable) return l.items.Valid(index) ? HeightOf(l, static_cast<size_t>(index)) : LB_ERR;
      return l.itemHeight;
    case LB_SETITEMHEIGHT: {
      const int height = LOWORD(static_cast<DWORD_PTR>(lParam));
      if (height == 0 || height > 255) return LB_ERR;
      if (l.variable) return l.items.SetHeight(index, height) ? (Redraw(w), LB_OKAY) : LB_ERR;
      l.itemHeight = height;
      Redraw(w);
      return LB_OKAY;
    }
    case LB_GETANCHORINDEX: return l.items.anchor();
    case LB_SETANCHORINDEX: if (!l.items.Valid(index)) return LB_ERR; l.items.SetAnchor(index); return LB_OKAY;
    case LB_GETCARETINDEX: return l.items.caret() < 0 ? 0 : l.items.caret();
    case LB_SETCARETINDEX:
      if (!l.items.Valid(index)) return LB_ERR;
      l.items.SetCaret(index);
      EnsureVisible(w, l, index);
      Redraw(w);
      return LB_OKAY;
    case LB_ITEMFROMPOINT: {
      const POINT p = crack::MouseOf(0, lParam).pt;
      const long at = ItemAt(l, p.y);
      RECT client;
      GetClientRect(w, &client);
      const bool outside = at < 0 || !PtInRect(&client, p);
      const long nearest = at < 0 ? std::max(0L, static_cast<long>(l.items.size()) - 1) : at;
      return static_cast<LRESULT>(MAKEWPARAM(static_cast<WORD>(nearest), outside ? 1 : 0));
    }
    case LB_DIR: return Directory(w, l, static_cast<UINT>(wParam), reinterpret_cast<const char16_t*>(lParam));
    default: return DefWindowProcW(w, message, wParam, lParam);
  }
}

LRESULT Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    List* l = MakeState<List>(w);
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    const DWORD style = static_cast<DWORD>(cs->style);
    l->items = ListItems((style & LBS_SORT) != 0, ModeFor(style));
    l->ownerDraw = (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
    l->variable = (style & LBS_OWNERDRAWVARIABLE) != 0;
    l->hasStrings = !l->ownerDraw || (style & LBS_HASSTRINGS);
    l->wantsBar = (style & WS_VSCROLL) != 0;
    l->itemHeight = FontCellSize(nullptr).cy;
    return DefWindowProcW(w, message, wParam, lParam);
  }
  List* l = StateOf<List>(w);
  if (!l) return DefWindowProcW(w, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      if (l->ownerDraw && !l->variable) Measure(w, *l, -1);
      SyncBar(w, *l);
      return 0;
    case WM_SIZE:
      SyncBar(w, *l);
      return 0;
    case WM_VSCROLL:
      Scroll(w, *l, LOWORD(static_cast<DWORD_PTR>(wParam)), static_cast<int>(HIWORD(static_cast<DWORD_PTR>(wParam))));
      return 0;
    case WM_DESTROY:
      // The window's data is out of reach once WM_NCDESTROY starts.
      DropState<List>(w);
      return DefWindowProcW(w, message, wParam, lParam);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFONT:
      l->font = reinterpret_cast<HFONT>(wParam);
      if (!l->ownerDraw) l->itemHeight = FontCellSize(l->font).cy;
      if (LOWORD(static_cast<DWORD_PTR>(lParam))) Redraw(w);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(l->font);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(w, *l); return 0;
    case WM_ENABLE: Redraw(w); return 0;
    case WM_SETFOCUS:
      l->focused = true;
      Redraw(w);
      NotifyOwner(w, *l, LBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      l->focused = false;
      Redraw(w);
      NotifyOwner(w, *l, LBN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDOWN: {
      if (!l->notifyTarget) SetFocus(w);
      const crack::Mouse m = crack::MouseOf(wParam, lParam);
      const long at = ItemAt(*l, m.pt.y);
      if (at >= 0) UserSelect(w, *l, at, (m.keys & MK_SHIFT) != 0, (m.keys & MK_CONTROL) != 0);
      l->tracking = true;
      SetCapture(w);
      return 0;
    }
    case WM_LBUTTONUP:
      if (l->tracking) {
        l->tracking = false;
        ReleaseCapture();
        if (l->notifyTarget) SendMessageW(l->notifyTarget, kComboListNotify, kComboListChosen, reinterpret_cast<LPARAM>(w));
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      NotifyOwner(w, *l, LBN_DBLCLK);
      return 0;
    case WM_KEYDOWN: return KeyDown(w, *l, wParam) ? 0 : DefWindowProcW(w, message, wParam, lParam);
    case WM_CHAR: {
      const char16_t text[2] = {static_cast<char16_t>(wParam), 0};
      const long found = l->hasStrings ? l->items.FindPrefix(l->items.caret(), text) : -1;
      if (found >= 0) UserSelect(w, *l, found, false, false);
      return 0;
    }
    case kComboListModel: return reinterpret_cast<LRESULT>(&l->items);
    default: return Messages(w, *l, message, wParam, lParam);
  }
}

}  // namespace

LRESULT ListBoxProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) { return Proc(w, message, wParam, lParam); }
LRESULT ComboListProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Proc(w, message, wParam, lParam);
  // A combo box's list is made with the combo box as its creation
  // parameter: from WM_CREATE on, it measures and reports as its combo box.
  if (message == WM_NCCREATE)
    if (List* l = StateOf<List>(w))
      l->notifyTarget = static_cast<HWND>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
  return result;
}

}  // namespace controls
