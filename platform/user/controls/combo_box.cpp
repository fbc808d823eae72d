// The combo box: an edit field (or, for a drop-down list, a selection field
// it draws itself) over a list box of the ComboLBox class, always shown
// (CBS_SIMPLE) or dropped down as a popup. CB_* messages go to the list's
// model; the list's and the edit's reports become CBN_* notifications.
#include <algorithm>
#include <string>

#include "platform/user/controls/control_classes.h"
#include "platform/user/controls/control_support.h"
#include "platform/user/controls/list_box_internal.h"
#include "platform/user/controls/list_items.h"
#include "platform/user/message_crack.h"

namespace controls {
namespace {

constexpr int kEditId = 1001;  // the edit field's id, as the system numbers it
constexpr int kDropItems = 8;

struct Combo {
  HWND edit = nullptr;
  HWND list = nullptr;
  HFONT font = nullptr;
  bool dropped = false;
  bool focused = false;
  int droppedWidth = 0;
  long selectionOnDrop = -1;
  bool showing = false;  // the combo box itself is setting the edit field's text
  int fieldItemHeight = 0;  // an owner-drawn selection field's item height (WM_MEASUREITEM, CB_SETITEMHEIGHT -1)
};

DWORD StyleOf(HWND w) { return static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE)); }
DWORD Kind(HWND w) { return StyleOf(w) & 3; }
int FieldHeight(const Combo& c) { return (c.fieldItemHeight > 0 ? c.fieldItemHeight : FontCellSize(c.font).cy) + 6; }

bool OwnerDrawn(HWND w) { return (StyleOf(w) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0; }
void FitToField(HWND w, const Combo& c);

// An owner-drawn combo box asks its owner for the selection field's height
// (itemID -1) when it is made, before its list asks for the items'.
void MeasureField(HWND w, Combo& c) {
  MEASUREITEMSTRUCT m{};
  m.CtlType = ODT_COMBOBOX;
  m.CtlID = static_cast<UINT>(GetDlgCtrlID(w));
  m.itemID = static_cast<UINT>(-1);
  m.itemHeight = static_cast<UINT>(FontCellSize(c.font).cy);
  SendMessageW(GetParent(w), WM_MEASUREITEM, m.CtlID, reinterpret_cast<LPARAM>(&m));
  c.fieldItemHeight = static_cast<int>(std::min<UINT>(m.itemHeight, 255));
}
int ButtonWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

long Current(const Combo& c) { return static_cast<long>(SendMessageW(c.list, LB_GETCURSEL, 0, 0)); }

std::u16string ItemText(const Combo& c, long index) {
  const LRESULT length = SendMessageW(c.list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return {};
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  SendMessageW(c.list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

// The edit field (or the selection field) shows the current item.
void ShowCurrent(HWND w, Combo& c) {
  if (c.edit) {
    // Not the user's edit: no CBN_EDITUPDATE / CBN_EDITCHANGE for it.
    c.showing = true;
    const long at = Current(c);
    SetWindowTextW(c.edit, at >= 0 ? ItemText(c, at).c_str() : u"");
    SendMessageW(c.edit, EM_SETSEL, 0, -1);
    c.showing = false;
  }
  InvalidateRect(w, nullptr, TRUE);
}

void PlaceList(HWND w, Combo& c) {
  RECT r;
  GetClientRect(w, &r);
  const int field = FieldHeight(c);
  if (Kind(w) == CBS_SIMPLE) {
    MoveWindow(c.list, 0, field, r.right, std::max<int>(r.bottom - field, 0), TRUE);
    return;
  }
  POINT below{0, field};
  ClientToScreen(w, &below);
  const int height = kDropItems * FontCellSize(c.font).cy + 2;
  MoveWindow(c.list, below.x, below.y, std::max<int>(r.right, c.droppedWidth), height, TRUE);
}

void Drop(HWND w, Combo& c, bool down) {
  if (Kind(w) == CBS_SIMPLE || c.dropped == down) return;
  if (down) {
    Notify(w, CBN_DROPDOWN);
    c.selectionOnDrop = Current(c);
    PlaceList(w, c);
    SetWindowPos(c.list, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    c.dropped = true;
  } else {
    ShowWindow(c.list, SW_HIDE);
    c.dropped = false;
    Notify(w, CBN_CLOSEUP);
  }
  InvalidateRect(w, nullptr, TRUE);
}

void PaintField(HWND w, Combo& c) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w, &ps);
  RECT r;
  GetClientRect(w, &r);
  const int field = FieldHeight(c);
  RECT top{0, 0, r.right, field};
  HBRUSH brush = ParentBrush(w, dc, WM_CTLCOLOREDIT, COLOR_WINDOW);
  FillRect(dc, &top, brush);
  DrawEdge(dc, &top, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  if (Kind(w) != CBS_SIMPLE) {
    RECT button{top.right - ButtonWidth(), top.top, top.right, top.bottom};
    DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLDOWN | (c.dropped ? DFCS_PUSHED : 0) |
                                                  (IsWindowEnabled(w) ? 0 : DFCS_INACTIVE));
    top.right = button.left;
  }
  if (Kind(w) == CBS_DROPDOWNLIST) {
    RECT text = top;
    InflateRect(&text, -1, -1);
    const long at = Current(c);
    if (OwnerDrawn(w)) {
      DRAWITEMSTRUCT d{};
      d.CtlType = ODT_COMBOBOX;
      d.CtlID = static_cast<UINT>(GetDlgCtrlID(w));
      d.itemID = static_cast<UINT>(at);
      d.itemAction = ODA_DRAWENTIRE;
      d.itemState = ODS_COMBOBOXEDIT | (c.focused ? ODS_SELECTED | ODS_FOCUS : 0) | (IsWindowEnabled(w) ? 0 : ODS_DISABLED);
      d.hwndItem = w;
      d.hDC = dc;
      d.rcItem = text;
      d.itemData = at >= 0 ? static_cast<ULONG_PTR>(SendMessageW(c.list, LB_GETITEMDATA, static_cast<WPARAM>(at), 0)) : 0;
      SendMessageW(GetParent(w), WM_DRAWITEM, d.CtlID, reinterpret_cast<LPARAM>(&d));
    } else {
      if (c.focused) FillRect(dc, &text, GetSysColorBrush(COLOR_HIGHLIGHT));
      HGDIOBJ old = SelectObject(dc, DrawingFont(c.font));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(c.focused ? COLOR_HIGHLIGHTTEXT : (IsWindowEnabled(w) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT)));
      const std::u16string s = at >= 0 ? ItemText(c, at) : u"";
      RECT inner = text;
      inner.left += 2;
      DrawTextW(dc, s.c_str(), static_cast<int>(s.size()), &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      SelectObject(dc, old);
      if (c.focused) DrawFocusRect(dc, &text);
    }
  }
  EndPaint(w, &ps);
}

// Reports of the list: a click chose an item, the selection moved, a double click.
void ListReport(HWND w, Combo& c, WPARAM code) {
  if (code == LBN_SELCHANGE) {
    ShowCurrent(w, c);
    Notify(w, CBN_SELCHANGE);
  } else if (code == kComboListChosen) {
    if (c.dropped) {
      Notify(w, CBN_SELENDOK);
      Drop(w, c, false);
    }
  } else if (code == LBN_DBLCLK) {
    Notify(w, CBN_DBLCLK);
  }
}

void CreateParts(HWND w, Combo& c, const CREATESTRUCTW* cs) {
  const DWORD style = static_cast<DWORD>(cs->style);
  const DWORD kind = style & 3;
  if (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) MeasureField(w, c);
  const int field = FieldHeight(c);
  if (kind != CBS_DROPDOWNLIST) {
    DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_LEFT;
    if (style & CBS_AUTOHSCROLL) editStyle |= ES_AUTOHSCROLL;
    if (style & CBS_UPPERCASE) editStyle |= ES_UPPERCASE;
    if (style & CBS_LOWERCASE) editStyle |= ES_LOWERCASE;
    const int right = cs->cx - (kind == CBS_SIMPLE ? 0 : ButtonWidth());
    c.edit = CreateWindowExW(0, u"Edit", u"", editStyle, 2, 2, std::max(right - 4, 1), field - 4, w,
                             reinterpret_cast<HMENU>(static_cast<uintptr_t>(kEditId)), cs->hInstance, nullptr);
  }
  DWORD listStyle = WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_COMBOBOX;
  if (style & CBS_SORT) listStyle |= LBS_SORT;
  if (style & CBS_OWNERDRAWFIXED) listStyle |= LBS_OWNERDRAWFIXED;
  if (style & CBS_OWNERDRAWVARIABLE) listStyle |= LBS_OWNERDRAWVARIABLE;
  if (style & CBS_HASSTRINGS) listStyle |= LBS_HASSTRINGS;
  if (kind == CBS_SIMPLE) {
    c.list = CreateWindowExW(0, u"ComboLBox", u"", listStyle | WS_CHILD | WS_VISIBLE, 0, field, cs->cx,
                             std::max(cs->cy - field, 0), w, reinterpret_cast<HMENU>(static_cast<uintptr_t>(1000)),
                             cs->hInstance, w);
  } else {
    c.list = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, u"ComboLBox", u"", listStyle | WS_POPUP, 0, 0, cs->cx,
                             100, GetAncestor(w, GA_ROOT) ? GetAncestor(w, GA_ROOT) : w, nullptr, cs->hInstance,
                             w);
  }
}

LRESULT Forward(const Combo& c, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageW(c.list, message, wParam, lParam);
}

LRESULT Messages(HWND w, Combo& c, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case CB_ADDSTRING: return Forward(c, LB_ADDSTRING, wParam, lParam);
    case CB_INSERTSTRING: return Forward(c, LB_INSERTSTRING, wParam, lParam);
    case CB_DELETESTRING: {
      const LRESULT r = Forward(c, LB_DELETESTRING, wParam, lParam);
      InvalidateRect(w, nullptr, TRUE);
      return r;
    }
    case CB_RESETCONTENT:
      Forward(c, LB_RESETCONTENT, 0, 0);
      ShowCurrent(w, c);
      InvalidateRect(w, nullptr, TRUE);
      return CB_OKAY;
    case CB_GETCOUNT: return Forward(c, LB_GETCOUNT, 0, 0);
    case CB_GETCURSEL: return Current(c);
    case CB_SETCURSEL: {
      // No notification: CBN_SELCHANGE is for the user's choices.
      const LRESULT r = Forward(c, LB_SETCURSEL, wParam, 0);
      ShowCurrent(w, c);
      return r;
    }
    case CB_GETLBTEXT: return Forward(c, LB_GETTEXT, wParam, lParam);
    case CB_GETLBTEXTLEN: return Forward(c, LB_GETTEXTLEN, wParam, 0);
    case CB_GETITEMDATA: return Forward(c, LB_GETITEMDATA, wParam, 0);
    case CB_SETITEMDATA: return Forward(c, LB_SETITEMDATA, wParam, lParam);
    case CB_FINDSTRING: return Forward(c, LB_FINDSTRING, wParam, lParam);
    case CB_FINDSTRINGEXACT: return Forward(c, LB_FINDSTRINGEXACT, wParam, lParam);
    case CB_SELECTSTRING: {
      const LRESULT found = Forward(c, LB_FINDSTRING, wParam, lParam);
      if (found >= 0) {
        Forward(c, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
        ShowCurrent(w, c);
      }
      return found;
    }
    case CB_DIR: return Forward(c, LB_DIR, wParam, lParam);
    case CB_SETITEMHEIGHT:
      // -1 is the selection field, anything else the list's items.
      if (wParam == static_cast<WPARAM>(-1)) {
        if (lParam <= 0 || lParam > 255) return CB_ERR;
        c.fieldItemHeight = static_cast<int>(lParam);
        FitToField(w, c);
        InvalidateRect(w, nullptr, TRUE);
        return 0;
      }
      return Forward(c, LB_SETITEMHEIGHT, wParam, lParam);
    case CB_GETITEMHEIGHT:
      if (wParam == static_cast<WPARAM>(-1)) return FieldHeight(c) - 6;
      return Forward(c, LB_GETITEMHEIGHT, wParam, 0);
    case CB_SHOWDROPDOWN: Drop(w, c, wParam != 0); return TRUE;
    case CB_GETDROPPEDSTATE: return c.dropped;
    case CB_GETDROPPEDCONTROLRECT: {
      if (!lParam) return CB_ERR;
      RECT r;
      GetWindowRect(w, &r);
      r.right = std::max<LONG>(r.right, r.left + c.droppedWidth);
      r.bottom = r.top + FieldHeight(c) + kDropItems * FontCellSize(c.font).cy + 2;
      *reinterpret_cast<RECT*>(lParam) = r;
      return TRUE;
    }
    case CB_SETDROPPEDWIDTH: {
      RECT r;
      GetClientRect(w, &r);
      const int width = static_cast<int>(static_cast<INT_PTR>(wParam));
      if (width < 0) return CB_ERR;
      c.droppedWidth = width;
      return std::max<LRESULT>(width, r.right);
    }
    case CB_GETDROPPEDWIDTH: {
      RECT r;
      GetClientRect(w, &r);
      return std::max<LRESULT>(c.droppedWidth, r.right);
    }
    case CB_LIMITTEXT:
      if (c.edit) SendMessageW(c.edit, EM_LIMITTEXT, wParam, 0);
      return TRUE;
    case CB_GETEDITSEL:
      if (!c.edit) return CB_ERR;
      return SendMessageW(c.edit, EM_GETSEL, wParam, lParam);
    case CB_SETEDITSEL:
      if (!c.edit) return CB_ERR;
      SendMessageW(c.edit, EM_SETSEL, static_cast<WPARAM>(static_cast<int>(static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lParam))))),
                   static_cast<LPARAM>(static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(lParam)))));
      return TRUE;
    default: return DefWindowProcW(w, message, wParam, lParam);
  }
}

void Key(HWND w, Combo& c, WPARAM key) {
  // F4, or Alt with an arrow, drops the list down or closes it.
  if (key == VK_F1 + 3 || ((key == VK_DOWN || key == VK_UP) && GetKeyState(VK_MENU) < 0)) {
    Drop(w, c, !c.dropped);
    return;
  }
  if (key == VK_RETURN && c.dropped) {
    Notify(w, CBN_SELENDOK);
    Drop(w, c, false);
    return;
  }
  if (key == VK_ESCAPE && c.dropped) {
    Forward(c, LB_SETCURSEL, static_cast<WPARAM>(c.selectionOnDrop), 0);
    ShowCurrent(w, c);
    Notify(w, CBN_SELENDCANCEL);
    Drop(w, c, false);
    return;
  }
  if (key == VK_UP || key == VK_DOWN || key == VK_HOME || key == VK_END || key == VK_PRIOR || key == VK_NEXT) {
    const long before = Current(c);
    const long count = static_cast<long>(Forward(c, LB_GETCOUNT, 0, 0));
    if (count == 0) return;
    long at = before < 0 ? 0 : before;
    if (key == VK_UP) at = std::max(0L, at - 1);
    if (key == VK_DOWN) at = before < 0 ? 0 : std::min(count - 1, at + 1);
    if (key == VK_HOME) at = 0;
    if (key == VK_END) at = count - 1;
    if (at != before) {
      Forward(c, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
      ShowCurrent(w, c);
      Notify(w, CBN_SELCHANGE);
      if (!c.dropped) Notify(w, CBN_SELENDOK);
    }
  }
}

// A drop-down combo box is as high as its field: the height it was made
// with is its list's, so the controls below it stay within reach of clicks.
void FitToField(HWND w, const Combo& c) {
  if (Kind(w) == CBS_SIMPLE) return;
  RECT r{};
  GetWindowRect(w, &r);
  if (r.bottom - r.top == FieldHeight(c)) return;
  SetWindowPos(w, nullptr, 0, 0, r.right - r.left, FieldHeight(c), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    MakeState<Combo>(w);
    // WS_VSCROLL and WS_HSCROLL ask for scroll bars on the list, not on the field.
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(w, GWL_STYLE));
    if (style & (WS_VSCROLL | WS_HSCROLL))
      SetWindowLongPtrW(w, GWL_STYLE, static_cast<LONG_PTR>(style & ~(WS_VSCROLL | WS_HSCROLL)));
    return DefWindowProcW(w, message, wParam, lParam);
  }
  Combo* c = StateOf<Combo>(w);
  if (!c) return DefWindowProcW(w, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      CreateParts(w, *c, reinterpret_cast<const CREATESTRUCTW*>(lParam));
      FitToField(w, *c);
      return 0;
    case WM_DESTROY:
      if (c->list && Kind(w) != CBS_SIMPLE) DestroyWindow(c->list);
      // The window's data is out of reach once WM_NCDESTROY starts.
      DropState<Combo>(w);
      return DefWindowProcW(w, message, wParam, lParam);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS | (c->dropped ? DLGC_WANTALLKEYS : 0);
    case WM_SETFONT:
      c->font = reinterpret_cast<HFONT>(wParam);
      if (c->edit) SendMessageW(c->edit, WM_SETFONT, wParam, lParam);
      SendMessageW(c->list, WM_SETFONT, wParam, lParam);
      FitToField(w, *c);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(c->font);
    case WM_SETTEXT:
      if (c->edit) return SetWindowTextW(c->edit, reinterpret_cast<LPCWSTR>(lParam));
      return CB_ERR;
    case WM_GETTEXT: {
      auto* out = reinterpret_cast<char16_t*>(lParam);
      if (!out || wParam == 0) return 0;
      if (c->edit) return GetWindowTextW(c->edit, out, static_cast<int>(wParam));
      const std::u16string text = Current(*c) >= 0 ? ItemText(*c, Current(*c)) : u"";
      const size_t n = std::min<size_t>(text.size(), wParam - 1);
      std::copy_n(text.data(), n, out);
      out[n] = u'\0';
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      if (c->edit) return GetWindowTextLengthW(c->edit);
      return Current(*c) >= 0 ? static_cast<LRESULT>(ItemText(*c, Current(*c)).size()) : 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: PaintField(w, *c); return 0;
    case WM_ENABLE:
      if (c->edit) EnableWindow(c->edit, static_cast<BOOL>(wParam));
      InvalidateRect(w, nullptr, TRUE);
      return 0;
    case WM_SETFOCUS:
      if (c->edit) SetFocus(c->edit);
      c->focused = true;
      InvalidateRect(w, nullptr, TRUE);
      Notify(w, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS: {
      const HWND to = reinterpret_cast<HWND>(wParam);
      if (to == c->edit) return 0;
      c->focused = false;
      Drop(w, *c, false);
      InvalidateRect(w, nullptr, TRUE);
      Notify(w, CBN_KILLFOCUS);
      return 0;
    }
    case WM_LBUTTONDOWN:
      if (!c->edit) SetFocus(w);
      Drop(w, *c, !c->dropped);
      return 0;
    case WM_KEYDOWN: Key(w, *c, wParam); return 0;
    case WM_COMMAND:
      // The edit field's reports.
      if (reinterpret_cast<HWND>(lParam) == c->edit && !c->showing) {
        const WORD code = HIWORD(wParam);
        if (code == EN_UPDATE) Notify(w, CBN_EDITUPDATE);
        else if (code == EN_CHANGE) Notify(w, CBN_EDITCHANGE);
        else if (code == EN_SETFOCUS && !c->focused) {
          c->focused = true;
          Notify(w, CBN_SETFOCUS);
        }
      }
      return 0;
    case kComboListNotify: ListReport(w, *c, wParam); return 0;
    default: return Messages(w, *c, message, wParam, lParam);
  }
}

}  // namespace

LRESULT ComboBoxProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) { return Proc(w, message, wParam, lParam); }

}  // namespace controls
