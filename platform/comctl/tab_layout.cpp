// Where the tabs go: one row (scrolled by arrows when it is too long) or,
// with TCS_MULTILINE, as many rows as they need.
#include <algorithm>

#include "platform/comctl/control_state.h"
#include "platform/comctl/tab_model.h"
#include "platform/comctl/updown.h"

namespace comctl {
namespace {

constexpr int kTopMargin = 2, kLeftMargin = 2;

int ImageWidth(const Tab& t, const TabItem& item) {
  int cx = 0, cy = 0;
  if (item.image < 0 || !t.images || !ImageList_GetIconSize(t.images, &cx, &cy)) return 0;
  return cx + 3;
}

int TabWidth(HWND w, const Tab& t, const TabItem& item) {
  const DWORD style = static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE));
  int width = (style & TCS_FIXEDWIDTH) && t.itemSize.cx > 0
                  ? t.itemSize.cx
                  : TextWidth(t.font, item.text) + ImageWidth(t, item) + 2 * t.padding.cx;
  const int minimum = t.minWidth >= 0 ? t.minWidth : 8 + 2 * t.padding.cx;
  return std::max(width, minimum);
}

int RowHeight(const Tab& t) {
  if (t.itemSize.cy > 0) return t.itemSize.cy;
  int cx = 0, cy = 0;
  if (t.images) ImageList_GetIconSize(t.images, &cx, &cy);
  return std::max(FontHeight(t.font), cy) + 2 * t.padding.cy + 1;
}

// The scroll arrows: made on first need, shown while the tabs do not fit.
void ShowScroller(HWND w, Tab& t, bool show, int hidden) {
  RECT client;
  GetClientRect(w, &client);
  if (show && !t.scroller) {
    t.scroller = CreateWindowExW(0, UPDOWN_CLASSW, nullptr, WS_CHILD | UDS_HORZ, 0, 0, 0, 0, w, nullptr, nullptr, nullptr);
  }
  if (!t.scroller) return;
  if (!show) {
    ShowWindow(t.scroller, SW_HIDE);
    return;
  }
  const int height = std::min(t.rowHeight, 17);
  const int width = 2 * height;
  SetWindowPos(t.scroller, nullptr, client.right - width, kTopMargin + t.rowHeight - height - 1, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(t.scroller, UDM_SETRANGE32, 0, hidden);
  SendMessageW(t.scroller, UDM_SETPOS32, 0, t.first);
  ShowWindow(t.scroller, SW_SHOWNOACTIVATE);
}

}  // namespace

bool ScrolledAway(const TabItem& item) { return item.rect.left < 0; }

int TabsBottom(const Tab& t) { return kTopMargin + t.rows * t.rowHeight; }

void LayOutTabs(HWND w, Tab& t) {
  RECT client;
  GetClientRect(w, &client);
  const DWORD style = static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE));
  t.rowHeight = RowHeight(t);
  t.rows = 1;
  std::vector<int> widths;
  int total = 0;
  for (const TabItem& item : t.items) {
    widths.push_back(TabWidth(w, t, item));
    total += widths.back();
  }
  const int available = client.right - 2 * kLeftMargin;
  if (style & TCS_MULTILINE) {
    t.first = 0;
    int x = kLeftMargin, row = 0;
    std::vector<int> rowOf(t.items.size());
    for (size_t i = 0; i < t.items.size(); ++i) {
      if (x + widths[i] > client.right - kLeftMargin && x > kLeftMargin) {
        x = kLeftMargin;
        ++row;
      }
      rowOf[i] = row;
      t.items[i].rect = RECT{x, 0, x + widths[i], 0};
      x += widths[i];
    }
    t.rows = row + 1;
    // The row of the selected tab sits next to the display area, the rows
    // after it above, in turn.
    const int selectedRow = t.current >= 0 && t.current < static_cast<int>(rowOf.size()) ? rowOf[static_cast<size_t>(t.current)] : t.rows - 1;
    for (size_t i = 0; i < t.items.size(); ++i) {
      const int shown = (rowOf[i] - selectedRow - 1 + 2 * t.rows) % t.rows;
      t.items[i].rect.top = kTopMargin + shown * t.rowHeight;
      t.items[i].rect.bottom = t.items[i].rect.top + t.rowHeight;
    }
    ShowScroller(w, t, false, 0);
    return;
  }
  const bool fits = total <= available;
  // How many tabs may be scrolled away: enough for the last one to show.
  int hidden = 0;
  if (!fits) {
    int rest = total;
    while (hidden < static_cast<int>(t.items.size()) - 1 && rest > available - 2 * std::min(t.rowHeight, 17)) rest -= widths[static_cast<size_t>(hidden++)];
  }
  t.first = fits ? 0 : std::clamp(t.first, 0, hidden);
  // Tabs scrolled away lie left of the control, at negative positions.
  int x = kLeftMargin;
  for (int i = 0; i < t.first; ++i) x -= widths[static_cast<size_t>(i)];
  for (size_t i = 0; i < t.items.size(); ++i) {
    t.items[i].rect = RECT{x, kTopMargin, x + widths[i], kTopMargin + t.rowHeight};
    x += widths[i];
  }
  ShowScroller(w, t, !fits, hidden);
}

}  // namespace comctl
