// The list view's procedure: creation with its header, layout, scrolling,
// the header's notifications, and dispatch to the item, input and editing
// files.
#include <algorithm>

#include "platform/comctl/list_view_internal.h"
#include "platform/user/controls/control_support.h"
#include "platform/user/message_crack.h"

namespace comctl::lv {

ListView* StateOf(HWND w) { return controls::StateOf<ListView>(w); }
DWORD StyleOf(HWND w) { return static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE)); }

namespace {

int gLayoutDepth = 0;  // scroll bars coming and going resize the client

}  // namespace

void Layout(ListView& lv) {
  if (!lv.header || gLayoutDepth > 2) return;
  ++gLayoutDepth;
  RECT client;
  GetClientRect(lv.self, &client);
  WINDOWPOS pos{};
  HDLAYOUT layout{&client, &pos};
  SendMessageW(lv.header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
  const bool hidden = (StyleOf(lv.self) & LVS_NOCOLUMNHEADER) != 0;
  const int width = std::max(pos.cx + lv.scrollX, TotalWidth(lv));
  SetWindowPos(lv.header, nullptr, pos.x - lv.scrollX, pos.y, width, hidden ? 0 : pos.cy,
               SWP_NOZORDER | SWP_NOACTIVATE | (hidden ? SWP_HIDEWINDOW : SWP_SHOWWINDOW));
  UpdateScrollBars(lv);
  --gLayoutDepth;
}

void UpdateScrollBars(ListView& lv) {
  if (StyleOf(lv.self) & LVS_NOSCROLL) return;
  RECT client;
  GetClientRect(lv.self, &client);
  SCROLLINFO v{};
  v.cbSize = sizeof v;
  v.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  v.nMin = 0;
  v.nMax = std::max(0, lv.model.rows() - 1);
  v.nPage = static_cast<UINT>(RowsPerPage(lv));
  v.nPos = lv.top;
  SetScrollInfo(lv.self, SB_VERT, &v, TRUE);
  SCROLLINFO h = v;
  h.nMax = std::max(0, TotalWidth(lv) - 1);
  h.nPage = static_cast<UINT>(std::max<LONG>(0, client.right));
  h.nPos = lv.scrollX;
  SetScrollInfo(lv.self, SB_HORZ, &h, TRUE);
}

void ScrollTo(ListView& lv, int top, int scrollX) {
  RECT client;
  GetClientRect(lv.self, &client);
  top = std::clamp(top, 0, std::max(0, lv.model.rows() - std::max(RowsPerPage(lv), 1)));
  scrollX = std::clamp(scrollX, 0, std::max(0, TotalWidth(lv) - static_cast<int>(client.right)));
  if (top == lv.top && scrollX == lv.scrollX) {
    UpdateScrollBars(lv);
    return;
  }
  // An edit in progress belongs to where the item was.
  if (lv.edit) EndEdit(lv, false);
  lv.top = top;
  const bool sideways = scrollX != lv.scrollX;
  lv.scrollX = scrollX;
  if (sideways) Layout(lv);
  else UpdateScrollBars(lv);
  Invalidate(lv);
}

bool EnsureVisible(ListView& lv, int row, bool partialOk) {
  if (!lv.model.Valid(row)) return false;
  const int page = std::max(RowsPerPage(lv), 1);
  int top = lv.top;
  if (row < top) top = row;
  else if (row >= top + page && !(partialOk && row == top + page)) top = row - page + 1;
  ScrollTo(lv, top, lv.scrollX);
  return true;
}

namespace {

void OnScroll(ListView& lv, UINT message, WPARAM wParam) {
  const crack::Scroll s = crack::ScrollOf(wParam, 0);
  const bool vertical = message == WM_VSCROLL;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(lv.self, vertical ? SB_VERT : SB_HORZ, &info);
  const int line = vertical ? 1 : 16;
  const int page = std::max(1, static_cast<int>(info.nPage));
  int pos = vertical ? lv.top : lv.scrollX;
  switch (s.request) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = info.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = info.nMax; break;
    default: return;
  }
  if (vertical) ScrollTo(lv, pos, lv.scrollX);
  else ScrollTo(lv, lv.top, pos);
}

// The header reports to the list view, which follows its changes and passes
// them on to its own parent.
LRESULT OnHeaderNotify(ListView& lv, NMHDR* hdr) {
  const auto* nm = reinterpret_cast<NMHEADERW*>(hdr);
  const HWND parent = GetParent(lv.self);
  const UINT code = hdr->code;
  if (code == HDN_ITEMCLICKW || code == HDN_ITEMCLICKA) {
    NotifyListView(lv, LVN_COLUMNCLICK, -1, nm->iItem, 0, 0, 0, POINT{});
    return 0;
  }
  if (code == HDN_DIVIDERDBLCLICKW || code == HDN_DIVIDERDBLCLICKA) {
    SendMessageW(lv.self, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(nm->iItem), LVSCW_AUTOSIZE);
    return 0;
  }
  const LRESULT answer = parent ? SendMessageW(parent, WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr)) : 0;
  if (code == HDN_ITEMCHANGEDW || code == HDN_ITEMCHANGEDA || code == HDN_TRACKW || code == HDN_TRACKA) {
    if (lv.edit) EndEdit(lv, false);
    Layout(lv);
    Invalidate(lv);
  }
  return answer;
}

void Create(ListView& lv, const CREATESTRUCTW* cs) {
  lv.unicode = ParentWantsUnicode(lv.self);
  MeasureRows(lv);
  DWORD headerStyle = WS_CHILD | HDS_HORZ | HDS_FULLDRAG;
  if (!(cs->style & LVS_NOSORTHEADER)) headerStyle |= HDS_BUTTONS;
  if (!(cs->style & LVS_NOCOLUMNHEADER)) headerStyle |= WS_VISIBLE;
  lv.header = CreateWindowExW(0, u"SysHeader32", u"", headerStyle, 0, 0, 0, 0, lv.self, nullptr, nullptr, nullptr);
  Layout(lv);
}

LRESULT Window(ListView& lv, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND w = lv.self;
  switch (message) {
    case WM_CREATE: Create(lv, reinterpret_cast<const CREATESTRUCTW*>(lParam)); return 0;
    case WM_DESTROY:
      KillTimer(w, kEditTimer);
      if (!(StyleOf(w) & LVS_SHAREIMAGELISTS))
        for (HIMAGELIST list : lv.images)
          if (list) ImageList_Destroy(list);
      controls::DropState<ListView>(w);
      return DefWindowProcW(w, message, wParam, lParam);
    case WM_NOTIFYFORMAT:
      // The header asks its parent, this list: it speaks as this list's parent wants.
      if (lParam == NF_REQUERY) lv.unicode = ParentWantsUnicode(w);
      return lv.unicode ? NFR_UNICODE : NFR_ANSI;
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lParam);
      if (hdr && hdr->hwndFrom == lv.header) return OnHeaderNotify(lv, hdr);
      return 0;
    }
    case WM_SETFONT:
      lv.font = reinterpret_cast<HFONT>(wParam);
      SendMessageW(lv.header, WM_SETFONT, wParam, lParam);
      MeasureRows(lv);
      Layout(lv);
      if (LOWORD(static_cast<DWORD_PTR>(lParam))) Invalidate(lv);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(lv.font);
    case WM_SIZE: Layout(lv); ScrollTo(lv, lv.top, lv.scrollX); return 0;
    case WM_STYLECHANGED: Layout(lv); Invalidate(lv); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(lv); return 0;
    case WM_VSCROLL:
    case WM_HSCROLL: OnScroll(lv, message, wParam); return 0;
    case WM_MOUSEWHEEL: {
      const int notches = crack::WheelOf(wParam, lParam).delta / WHEEL_DELTA;
      ScrollTo(lv, lv.top - 3 * notches, lv.scrollX);
      return 0;
    }
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case CCM_GETUNICODEFORMAT: return lv.unicode;
    case CCM_SETUNICODEFORMAT: {
      const bool before = lv.unicode;
      lv.unicode = wParam != 0;
      return before;
    }
    case LVM_EDITLABELW:
    case LVM_EDITLABELA:
      if (static_cast<int>(wParam) == -1) {
        EndEdit(lv, true);
        return 0;
      }
      if (GetFocus() != w) SetFocus(w);
      return reinterpret_cast<LRESULT>(BeginEdit(lv, static_cast<int>(wParam)));
    case LVM_GETEDITCONTROL: return reinterpret_cast<LRESULT>(lv.edit);
    case LVM_GETIMAGELIST:
      return wParam <= LVSIL_STATE ? reinterpret_cast<LRESULT>(lv.images[wParam]) : 0;
    case LVM_SETIMAGELIST: {
      if (wParam > LVSIL_STATE) return 0;
      const HIMAGELIST before = lv.images[wParam];
      lv.images[wParam] = reinterpret_cast<HIMAGELIST>(lParam);
      MeasureRows(lv);
      Layout(lv);
      Invalidate(lv);
      return reinterpret_cast<LRESULT>(before);
    }
    case LVM_GETCALLBACKMASK: return lv.callbackMask;
    case LVM_SETCALLBACKMASK: lv.callbackMask = static_cast<int>(wParam); return TRUE;
    default: {
      bool handled = false;
      LRESULT result = ItemMessages(lv, message, wParam, lParam, handled);
      if (handled) return result;
      result = Input(lv, message, wParam, lParam, handled);
      if (handled) return result;
      return DefWindowProcW(w, message, wParam, lParam);
    }
  }
}

LRESULT ListViewProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    ListView* lv = controls::MakeState<ListView>(w);
    lv->self = w;
    return DefWindowProcW(w, message, wParam, lParam);
  }
  ListView* lv = StateOf(w);
  if (!lv) return DefWindowProcW(w, message, wParam, lParam);
  return Window(*lv, message, wParam, lParam);
}

const bool installed = SetSystemClassProcedure(u"SysListView32", ListViewProc, 16) != FALSE;

}  // namespace
}  // namespace comctl::lv
