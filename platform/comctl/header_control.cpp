// The header control: titles in display order, sized by dragging their
// dividers, clicked as buttons with HDS_BUTTONS, and the HDN_* notifications
// in the character set the parent asks for.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/comctl/header_control.h"
#include "platform/comctl/text_buffers.h"
#include "platform/user/controls/control_support.h"
#include "platform/user/message_crack.h"

namespace comctl {
namespace {

constexpr int kDividerGrip = 4;  // pixels either side of a divider that grab it
constexpr int kTextMargin = 6;
constexpr UINT ODT_HEADER = 100;

struct HeaderItem {
  std::u16string text;
  int width = 0;
  int fmt = HDF_LEFT | HDF_STRING;
  LPARAM param = 0;
  int image = 0;
  HBITMAP bitmap = nullptr;
};

struct Header {
  std::vector<HeaderItem> items;
  std::vector<int> order;  // item indices, left to right
  HFONT font = nullptr;
  bool unicode = true;
  int pressed = -1;  // item pressed as a button
  int tracking = -1;  // item whose divider is dragged
  int trackStartX = 0;
  int trackStartWidth = 0;
};

DWORD StyleOf(HWND w) { return static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE)); }

int Count(const Header& h) { return static_cast<int>(h.items.size()); }
bool Valid(const Header& h, int index) { return index >= 0 && index < Count(h); }

int Height(const Header& h) { return controls::FontCellSize(h.font).cy + 8; }

RECT ItemRect(HWND w, const Header& h, int index) {
  RECT client;
  GetClientRect(w, &client);
  int left = 0;
  for (int i : h.order) {
    if (i == index) return RECT{left, 0, left + h.items[static_cast<size_t>(i)].width, client.bottom};
    left += h.items[static_cast<size_t>(i)].width;
  }
  return RECT{};
}

// What lies under a client point: the item, and whether its right divider.
HDHITTESTINFO HitTest(HWND w, const Header& h, POINT p) {
  HDHITTESTINFO info{p, 0, -1};
  RECT client;
  GetClientRect(w, &client);
  if (p.y < client.top) info.flags |= HHT_ABOVE;
  if (p.y >= client.bottom) info.flags |= HHT_BELOW;
  if (p.x < client.left) info.flags |= HHT_TOLEFT;
  if (p.x >= client.right) info.flags |= HHT_TORIGHT;
  if (info.flags) return info;
  int left = 0;
  for (int i : h.order) {
    const int right = left + h.items[static_cast<size_t>(i)].width;
    if (std::abs(p.x - right) <= kDividerGrip) {
      info.flags = HHT_ONDIVIDER;
      info.iItem = i;
      return info;
    }
    left = right;
  }
  left = 0;
  for (int i : h.order) {
    const int right = left + h.items[static_cast<size_t>(i)].width;
    if (p.x >= left && p.x < right) {
      info.flags = HHT_ONHEADER;
      info.iItem = i;
      return info;
    }
    left = right;
  }
  info.flags = HHT_NOWHERE;
  return info;
}

// One notification in one character set: NMHEADERW with HDITEMW and UTF-16
// `text`, or the A forms with ANSI `text` (the item's text, already converted).
template <class NmHeader, class Item, class Text>
LRESULT SendItemNotify(HWND w, UINT code, int index, int button, const HeaderItem* values, UINT mask, Text text) {
  Item item{};
  NmHeader nm{};
  nm.iItem = index;
  nm.iButton = button;
  if (values) {
    item.mask = mask;
    item.cxy = values->width;
    item.fmt = values->fmt;
    item.lParam = values->param;
    item.iImage = values->image;
    item.hbm = values->bitmap;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size()) + 1;
    nm.pitem = &item;
  }
  return SendNotify(w, code, &nm.hdr);
}

// One notification, in the parent's character set; `values` (with `mask`)
// are the item's new values for the codes that carry them.
LRESULT Notify(HWND w, const Header& h, UINT codeW, UINT codeA, int index, int button, const HeaderItem* values,
               UINT mask) {
  if (h.unicode)
    return SendItemNotify<NMHEADERW, HDITEMW>(w, codeW, index, button, values, mask,
                                              values ? values->text : std::u16string());
  return SendItemNotify<NMHEADERA, HDITEMA>(w, codeA, index, button, values, mask,
                                            values ? ToAnsi(values->text) : std::string());
}

// Applies the masked values of a caller's item (wide or ANSI) to `out`.
template <class Item>
void ReadItem(const Item& in, HeaderItem& out) {
  if (in.mask & HDI_WIDTH) out.width = std::max(0, in.cxy);
  if (in.mask & HDI_FORMAT) out.fmt = in.fmt;
  if (in.mask & HDI_LPARAM) out.param = in.lParam;
  if (in.mask & HDI_IMAGE) out.image = in.iImage;
  if (in.mask & HDI_BITMAP) out.bitmap = in.hbm;
  if (in.mask & HDI_TEXT) {
    if constexpr (sizeof(*in.pszText) == 1) out.text = FromAnsi(in.pszText);
    else out.text = FromWide(in.pszText);
  }
}

int OrderOf(const Header& h, int index) {
  const auto at = std::find(h.order.begin(), h.order.end(), index);
  return at == h.order.end() ? -1 : static_cast<int>(at - h.order.begin());
}

template <class Item>
LRESULT Insert(HWND w, Header& h, WPARAM wParam, const Item* in) {
  if (!in) return -1;
  const int index = std::clamp(static_cast<int>(wParam), 0, Count(h));
  HeaderItem item;
  ReadItem(*in, item);
  int order = (in->mask & HDI_ORDER) ? std::clamp(in->iOrder, 0, Count(h)) : -1;
  for (int& i : h.order)
    if (i >= index) ++i;
  h.items.insert(h.items.begin() + index, item);
  if (order < 0) order = OrderOf(h, index - 1) + 1;  // beside the item before it
  h.order.insert(h.order.begin() + order, index);
  InvalidateRect(w, nullptr, TRUE);
  return index;
}

template <class Item>
LRESULT GetItem(const Header& h, WPARAM wParam, Item* out) {
  const int index = static_cast<int>(wParam);
  if (!out || !Valid(h, index)) return FALSE;
  const HeaderItem& item = h.items[static_cast<size_t>(index)];
  if (out->mask & HDI_WIDTH) out->cxy = item.width;
  if (out->mask & HDI_FORMAT) out->fmt = item.fmt;
  if (out->mask & HDI_LPARAM) out->lParam = item.param;
  if (out->mask & HDI_IMAGE) out->iImage = item.image;
  if (out->mask & HDI_BITMAP) out->hbm = item.bitmap;
  if (out->mask & HDI_ORDER) out->iOrder = OrderOf(h, index);
  if (out->mask & HDI_TEXT) CopyText(item.text, out->pszText, out->cchTextMax);
  return TRUE;
}

template <class Item>
LRESULT SetItem(HWND w, Header& h, WPARAM wParam, const Item* in) {
  const int index = static_cast<int>(wParam);
  if (!in || !Valid(h, index)) return FALSE;
  HeaderItem changed = h.items[static_cast<size_t>(index)];
  ReadItem(*in, changed);
  const UINT mask = in->mask & ~HDI_ORDER;
  if (Notify(w, h, HDN_ITEMCHANGINGW, HDN_ITEMCHANGINGA, index, 0, &changed, mask)) return FALSE;
  h.items[static_cast<size_t>(index)] = changed;
  if ((in->mask & HDI_ORDER) && in->iOrder >= 0 && in->iOrder < Count(h)) {
    h.order.erase(h.order.begin() + OrderOf(h, index));
    h.order.insert(h.order.begin() + in->iOrder, index);
  }
  Notify(w, h, HDN_ITEMCHANGEDW, HDN_ITEMCHANGEDA, index, 0, &changed, mask);
  InvalidateRect(w, nullptr, TRUE);
  return TRUE;
}

LRESULT Delete(HWND w, Header& h, WPARAM wParam) {
  const int index = static_cast<int>(wParam);
  if (!Valid(h, index)) return FALSE;
  h.items.erase(h.items.begin() + index);
  h.order.erase(h.order.begin() + OrderOf(h, index));
  for (int& i : h.order)
    if (i > index) --i;
  InvalidateRect(w, nullptr, TRUE);
  return TRUE;
}

LRESULT Layout(const Header& h, HWND w, HDLAYOUT* layout) {
  if (!layout || !layout->prc || !layout->pwpos) return FALSE;
  RECT& r = *layout->prc;
  const int height = (StyleOf(w) & HDS_HIDDEN) ? 0 : Height(h);
  *layout->pwpos = WINDOWPOS{};
  layout->pwpos->hwnd = w;
  layout->pwpos->x = r.left;
  layout->pwpos->y = r.top;
  layout->pwpos->cx = r.right - r.left;
  layout->pwpos->cy = height;
  layout->pwpos->flags = height ? 0 : SWP_HIDEWINDOW;
  r.top += height;
  return TRUE;
}

void PaintItem(HWND w, const Header& h, HDC dc, int index, RECT r) {
  const HeaderItem& item = h.items[static_cast<size_t>(index)];
  const bool pressed = index == h.pressed;
  if (item.fmt & HDF_OWNERDRAW) {
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_HEADER;
    d.CtlID = static_cast<UINT>(GetDlgCtrlID(w));
    d.itemID = static_cast<UINT>(index);
    d.itemAction = ODA_DRAWENTIRE;
    d.itemState = pressed ? ODS_SELECTED : 0;
    d.hwndItem = w;
    d.hDC = dc;
    d.rcItem = r;
    d.itemData = static_cast<ULONG_PTR>(item.param);
    SendMessageW(GetParent(w), WM_DRAWITEM, d.CtlID, reinterpret_cast<LPARAM>(&d));
    return;
  }
  RECT edge = r;
  DrawEdge(dc, &edge, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  RECT text = r;
  InflateRect(&text, -kTextMargin, 0);
  if (pressed) OffsetRect(&text, 1, 1);
  UINT align = DT_LEFT;
  if ((item.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT) align = DT_RIGHT;
  if ((item.fmt & HDF_JUSTIFYMASK) == HDF_CENTER) align = DT_CENTER;
  DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text,
            align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void Paint(HWND w, const Header& h) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w, &ps);
  RECT client;
  GetClientRect(w, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
  HGDIOBJ old = SelectObject(dc, controls::DrawingFont(h.font));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  int right = 0;
  for (int i : h.order) {
    const RECT r = ItemRect(w, h, i);
    PaintItem(w, h, dc, i, r);
    right = r.right;
  }
  if (right < client.right) {
    RECT rest{right, 0, client.right, client.bottom};
    DrawEdge(dc, &rest, EDGE_RAISED, BF_RECT);
  }
  SelectObject(dc, old);
  EndPaint(w, &ps);
}

void TrackTo(HWND w, Header& h, int x) {
  HeaderItem changed = h.items[static_cast<size_t>(h.tracking)];
  changed.width = std::max(0, h.trackStartWidth + x - h.trackStartX);
  if (changed.width == h.items[static_cast<size_t>(h.tracking)].width) return;
  if (StyleOf(w) & HDS_FULLDRAG) {
    if (Notify(w, h, HDN_ITEMCHANGINGW, HDN_ITEMCHANGINGA, h.tracking, 0, &changed, HDI_WIDTH)) return;
    h.items[static_cast<size_t>(h.tracking)].width = changed.width;
    Notify(w, h, HDN_ITEMCHANGEDW, HDN_ITEMCHANGEDA, h.tracking, 0, &changed, HDI_WIDTH);
    InvalidateRect(w, nullptr, TRUE);
  } else {
    Notify(w, h, HDN_TRACKW, HDN_TRACKA, h.tracking, 0, &changed, HDI_WIDTH);
    h.items[static_cast<size_t>(h.tracking)].width = changed.width;
    InvalidateRect(w, nullptr, TRUE);
  }
}

void EndTrack(HWND w, Header& h) {
  const int index = h.tracking;
  h.tracking = -1;
  ReleaseCapture();
  HeaderItem& item = h.items[static_cast<size_t>(index)];
  Notify(w, h, HDN_ENDTRACKW, HDN_ENDTRACKA, index, 0, &item, HDI_WIDTH);
  if (StyleOf(w) & HDS_FULLDRAG) return;
  HeaderItem changed = item;
  item.width = h.trackStartWidth;
  if (Notify(w, h, HDN_ITEMCHANGINGW, HDN_ITEMCHANGINGA, index, 0, &changed, HDI_WIDTH)) {
    InvalidateRect(w, nullptr, TRUE);
    return;
  }
  item.width = changed.width;
  Notify(w, h, HDN_ITEMCHANGEDW, HDN_ITEMCHANGEDA, index, 0, &changed, HDI_WIDTH);
  InvalidateRect(w, nullptr, TRUE);
}

LRESULT Mouse(HWND w, Header& h, UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT p = crack::MouseOf(wParam, lParam).pt;
  switch (message) {
    case WM_LBUTTONDOWN: {
      const HDHITTESTINFO hit = HitTest(w, h, p);
      if (hit.flags & HHT_ONDIVIDER) {
        HeaderItem& item = h.items[static_cast<size_t>(hit.iItem)];
        if (Notify(w, h, HDN_BEGINTRACKW, HDN_BEGINTRACKA, hit.iItem, 0, &item, HDI_WIDTH)) return 0;
        h.tracking = hit.iItem;
        h.trackStartX = p.x;
        h.trackStartWidth = item.width;
        SetCapture(w);
      } else if ((hit.flags & HHT_ONHEADER) && (StyleOf(w) & HDS_BUTTONS)) {
        h.pressed = hit.iItem;
        SetCapture(w);
        InvalidateRect(w, nullptr, TRUE);
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if (h.tracking >= 0) TrackTo(w, h, p.x);
      return 0;
    case WM_LBUTTONUP:
      if (h.tracking >= 0) {
        TrackTo(w, h, p.x);
        EndTrack(w, h);
      } else if (h.pressed >= 0) {
        const int pressed = h.pressed;
        h.pressed = -1;
        ReleaseCapture();
        InvalidateRect(w, nullptr, TRUE);
        const HDHITTESTINFO hit = HitTest(w, h, p);
        if ((hit.flags & HHT_ONHEADER) && hit.iItem == pressed)
          Notify(w, h, HDN_ITEMCLICKW, HDN_ITEMCLICKA, pressed, 0, nullptr, 0);
      }
      return 0;
    case WM_LBUTTONDBLCLK: {
      const HDHITTESTINFO hit = HitTest(w, h, p);
      if (hit.flags & HHT_ONDIVIDER) Notify(w, h, HDN_DIVIDERDBLCLICKW, HDN_DIVIDERDBLCLICKA, hit.iItem, 0, nullptr, 0);
      else if (hit.flags & HHT_ONHEADER) Notify(w, h, HDN_ITEMDBLCLICKW, HDN_ITEMDBLCLICKA, hit.iItem, 0, nullptr, 0);
      return 0;
    }
    case WM_SETCURSOR: {
      POINT cursor;
      GetCursorPos(&cursor);
      ScreenToClient(w, &cursor);
      if (h.tracking >= 0 || (HitTest(w, h, cursor).flags & HHT_ONDIVIDER)) {
        SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_SIZEWE)));
        return TRUE;
      }
      return DefWindowProcW(w, message, wParam, lParam);
    }
    default: return DefWindowProcW(w, message, wParam, lParam);
  }
}

LRESULT Messages(HWND w, Header& h, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case HDM_GETITEMCOUNT: return Count(h);
    case HDM_INSERTITEMW: return Insert(w, h, wParam, reinterpret_cast<const HDITEMW*>(lParam));
    case HDM_INSERTITEMA: return Insert(w, h, wParam, reinterpret_cast<const HDITEMA*>(lParam));
    case HDM_DELETEITEM: return Delete(w, h, wParam);
    case HDM_GETITEMW: return GetItem(h, wParam, reinterpret_cast<HDITEMW*>(lParam));
    case HDM_GETITEMA: return GetItem(h, wParam, reinterpret_cast<HDITEMA*>(lParam));
    case HDM_SETITEMW: return SetItem(w, h, wParam, reinterpret_cast<const HDITEMW*>(lParam));
    case HDM_SETITEMA: return SetItem(w, h, wParam, reinterpret_cast<const HDITEMA*>(lParam));
    case HDM_LAYOUT: return Layout(h, w, reinterpret_cast<HDLAYOUT*>(lParam));
    case HDM_HITTEST: {
      auto* info = reinterpret_cast<HDHITTESTINFO*>(lParam);
      if (!info) return -1;
      *info = HitTest(w, h, info->pt);
      return info->iItem;
    }
    case HDM_GETITEMRECT: {
      const int index = static_cast<int>(wParam);
      if (!lParam || !Valid(h, index)) return FALSE;
      *reinterpret_cast<RECT*>(lParam) = ItemRect(w, h, index);
      return TRUE;
    }
    case HDM_ORDERTOINDEX: {
      const int order = static_cast<int>(wParam);
      return order >= 0 && order < Count(h) ? h.order[static_cast<size_t>(order)] : order;
    }
    case HDM_GETORDERARRAY: {
      if (!lParam || static_cast<int>(wParam) < Count(h)) return FALSE;
      std::copy(h.order.begin(), h.order.end(), reinterpret_cast<int*>(lParam));
      return TRUE;
    }
    case HDM_SETORDERARRAY: {
      if (!lParam || static_cast<int>(wParam) != Count(h)) return FALSE;
      const int* in = reinterpret_cast<const int*>(lParam);
      std::vector<int> order(in, in + Count(h));
      std::vector<int> sorted = order;
      std::sort(sorted.begin(), sorted.end());
      for (int i = 0; i < Count(h); ++i)
        if (sorted[static_cast<size_t>(i)] != i) return FALSE;  // not a permutation
      h.order = order;
      InvalidateRect(w, nullptr, TRUE);
      return TRUE;
    }
    case CCM_GETUNICODEFORMAT: return h.unicode;
    case CCM_SETUNICODEFORMAT: {
      const bool was = h.unicode;
      h.unicode = wParam != 0;
      return was;
    }
    default: return Mouse(w, h, message, wParam, lParam);
  }
}

LRESULT HeaderProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    controls::MakeState<Header>(w);
    return DefWindowProcW(w, message, wParam, lParam);
  }
  Header* h = controls::StateOf<Header>(w);
  if (!h) return DefWindowProcW(w, message, wParam, lParam);
  switch (message) {
    case WM_CREATE: h->unicode = ParentWantsUnicode(w); return 0;
    case WM_NOTIFYFORMAT:
      if (lParam == NF_REQUERY) h->unicode = ParentWantsUnicode(w);
      return h->unicode ? NFR_UNICODE : NFR_ANSI;
    case WM_DESTROY:
      controls::DropState<Header>(w);
      return DefWindowProcW(w, message, wParam, lParam);
    case WM_SETFONT:
      h->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(static_cast<DWORD_PTR>(lParam))) InvalidateRect(w, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(h->font);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(w, *h); return 0;
    case WM_CAPTURECHANGED:
      if (h->tracking >= 0 && reinterpret_cast<HWND>(lParam) != w) h->tracking = -1;
      h->pressed = -1;
      return 0;
    default: return Messages(w, *h, message, wParam, lParam);
  }
}

const bool installed = SetSystemClassProcedure(u"SysHeader32", HeaderProc, 16) != FALSE;

}  // namespace
}  // namespace comctl
