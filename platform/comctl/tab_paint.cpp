// Drawing the tab control: the display area's raised frame, each tab as a
// raised card open at the bottom, the selected one larger and joined to the
// frame below it.
#include "platform/comctl/control_state.h"
#include "platform/comctl/tab_model.h"

namespace comctl {
namespace {

void DrawCard(HDC dc, RECT r) {
  // Left and top highlight, right shadow, the corners cut.
  RECT left{r.left, r.top + 2, r.left + 1, r.bottom};
  RECT top{r.left + 2, r.top, r.right - 2, r.top + 1};
  RECT corner{r.left + 1, r.top + 1, r.left + 2, r.top + 2};
  FillRect(dc, &left, GetSysColorBrush(COLOR_3DHILIGHT));
  FillRect(dc, &top, GetSysColorBrush(COLOR_3DHILIGHT));
  FillRect(dc, &corner, GetSysColorBrush(COLOR_3DHILIGHT));
  RECT dark{r.right - 1, r.top + 2, r.right, r.bottom};
  RECT shade{r.right - 2, r.top + 1, r.right - 1, r.bottom};
  FillRect(dc, &dark, GetSysColorBrush(COLOR_3DDKSHADOW));
  FillRect(dc, &shade, GetSysColorBrush(COLOR_3DSHADOW));
}

void DrawItem(HWND w, HDC dc, const Tab& t, size_t index, RECT r, bool selected) {
  const TabItem& item = t.items[index];
  const DWORD style = static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE));
  if (style & TCS_OWNERDRAWFIXED) {
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_TAB;
    d.CtlID = static_cast<UINT>(GetDlgCtrlID(w));
    d.itemID = static_cast<UINT>(index);
    d.itemAction = ODA_DRAWENTIRE;
    d.itemState = selected ? ODS_SELECTED : 0;
    d.hwndItem = w;
    d.hDC = dc;
    d.rcItem = RECT{r.left + 2, r.top + 2, r.right - 2, r.bottom};
    LPARAM data = 0;
    std::copy_n(item.extra.begin(), std::min(item.extra.size(), sizeof data), reinterpret_cast<BYTE*>(&data));
    d.itemData = static_cast<ULONG_PTR>(data);
    SendMessageW(GetParent(w), WM_DRAWITEM, d.CtlID, reinterpret_cast<LPARAM>(&d));
    return;
  }
  RECT label{r.left + t.padding.cx, r.top + 1, r.right - t.padding.cx, r.bottom};
  int cx = 0, cy = 0;
  if (item.image >= 0 && t.images && ImageList_GetIconSize(t.images, &cx, &cy)) {
    ImageList_Draw(t.images, item.image, dc, label.left, (r.top + r.bottom - cy) / 2, ILD_TRANSPARENT);
    label.left += cx + 3;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(IsWindowEnabled(w) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (selected && t.focused) {
    RECT focus{r.left + 3, r.top + 3, r.right - 3, r.bottom - 1};
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace

void PaintTabs(HWND w, Tab& t) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w, &ps);
  RECT client;
  GetClientRect(w, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
  HGDIOBJ oldFont = SelectObject(dc, DrawingFont(t.font));
  const DWORD style = static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE));
  RECT panel{client.left, TabsBottom(t), client.right, client.bottom};
  if (!(style & TCS_BUTTONS)) DrawEdge(dc, &panel, EDGE_RAISED, BF_RECT | BF_SOFT);
  // The arrows, when shown, cover the tabs' right end.
  RECT clip = client;
  if (t.scroller && IsWindowVisible(t.scroller)) {
    RECT arrows;
    GetWindowRect(t.scroller, &arrows);
    clip.right -= arrows.right - arrows.left;
  }
  HRGN region = CreateRectRgn(clip.left, clip.top, clip.right, clip.bottom);
  ExtSelectClipRgn(dc, region, RGN_AND);
  DeleteObject(region);
  for (size_t i = 0; i < t.items.size(); ++i) {
    const RECT r = t.items[i].rect;
    if (ScrolledAway(t.items[i]) || static_cast<int>(i) == t.current) continue;
    DrawCard(dc, r);
    DrawItem(w, dc, t, i, r, false);
  }
  if (t.current >= 0 && t.current < static_cast<int>(t.items.size())) {
    RECT r = t.items[static_cast<size_t>(t.current)].rect;
    if (!ScrolledAway(t.items[static_cast<size_t>(t.current)])) {
      // Larger by two pixels on each side, and open into the frame below.
      InflateRect(&r, 2, 2);
      r.bottom -= 1;
      RECT ground{r.left + 1, r.top + 1, r.right - 1, r.bottom + 2};
      FillRect(dc, &ground, GetSysColorBrush(COLOR_3DFACE));
      DrawCard(dc, RECT{r.left, r.top, r.right, r.bottom + 1});
      DrawItem(w, dc, t, static_cast<size_t>(t.current), r, true);
    }
  }
  SelectObject(dc, oldFont);
  EndPaint(w, &ps);
}

}  // namespace comctl
