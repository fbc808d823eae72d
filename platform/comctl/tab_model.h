// The tab control's state, shared by its messages (tab_control.cpp), its
// layout (tab_layout.cpp) and its painting (tab_paint.cpp).
#pragma once

#include <string>
#include <vector>

#include "platform/comctl/tab_control.h"

namespace comctl {

struct TabItem {
  std::u16string text;
  int image = -1;
  DWORD state = 0;
  std::vector<BYTE> extra;  // lParam, or the TCM_SETITEMEXTRA bytes
  RECT rect{};              // laid out, in client coordinates; left of 0 when scrolled away
};

struct Tab {
  std::vector<TabItem> items;
  int current = -1;
  int focus = -1;
  int first = 0;  // the first tab shown when they do not all fit
  size_t extraBytes = sizeof(LPARAM);
  HIMAGELIST images = nullptr;
  HFONT font = nullptr;
  SIZE itemSize{0, 0};  // TCM_SETITEMSIZE: width with TCS_FIXEDWIDTH, and height
  SIZE padding{6, 3};
  int minWidth = -1;
  int rows = 1;
  int rowHeight = 0;
  HWND scroller = nullptr;  // the up-down shown when the tabs do not fit
  HWND tooltip = nullptr;
  bool focused = false;
};

// Lays out the tabs in the client area: sets each tab's rectangle, the rows
// and row height, and shows or hides the scroll arrows.
bool ScrolledAway(const TabItem& item);
void LayOutTabs(HWND window, Tab& t);
// The bottom of the tab rows (the top of the display area's frame).
int TabsBottom(const Tab& t);
void PaintTabs(HWND window, Tab& t);

}  // namespace comctl
