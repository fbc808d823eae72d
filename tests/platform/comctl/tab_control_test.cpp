// The tab control: items, selection and which calls notify as tables,
// clicks and keys through the test API, scrolling when the tabs do not fit,
// owner-drawn tabs, and a picture with scroll arrows.
#include <gtest/gtest.h>

#include "platform/testing/ui.h"
#include "platform/win.h"
#include "tests/platform/comctl/event_parent.h"

namespace {

using eventtest::Events;

constexpr int kTabId = 70;

struct Fixture {
  HWND parent = eventtest::MakeParent();
  HWND tab = nullptr;
  explicit Fixture(std::vector<const char16_t*> names, DWORD style = 0, int width = 300) {
    tab = eventtest::MakeChild(parent, WC_TABCONTROLW, style | WS_TABSTOP, kTabId, 10, 10, width, 120);
    for (size_t i = 0; i < names.size(); ++i) {
      TCITEMW item{};
      item.mask = TCIF_TEXT | TCIF_PARAM;
      item.pszText = const_cast<LPWSTR>(names[i]);
      item.lParam = static_cast<LPARAM>(1000 + i);
      EXPECT_EQ(SendMessageW(tab, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item)), static_cast<LRESULT>(i));
    }
    uitest::RunUntilIdle();
    Events().clear();
  }
  ~Fixture() { DestroyWindow(parent); }
  RECT Rect(int index) const {
    RECT r{};
    SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  POINT Middle(int index) const {
    const RECT r = Rect(index);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  LRESULT Current() const { return SendMessageW(tab, TCM_GETCURSEL, 0, 0); }
  HWND Arrows() const { return FindWindowExW(tab, nullptr, UPDOWN_CLASSW, nullptr); }
};

TEST(TabControl, ItemsTable) {
  Fixture f({u"General", u"Barcode", u"Font"});
  EXPECT_EQ(SendMessageW(f.tab, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(f.Current(), 0) << "the first tab is selected as it comes";
  struct Case {
    int index;
    const char16_t* text;
    LPARAM param;
  } const cases[] = {{0, u"General", 1000}, {1, u"Barcode", 1001}, {2, u"Font", 1002}};
  for (const Case& c : cases) {
    WCHAR text[32]{};
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = text;
    item.cchTextMax = 32;
    EXPECT_TRUE(SendMessageW(f.tab, TCM_GETITEMW, c.index, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(std::u16string(text), c.text);
    EXPECT_EQ(item.lParam, c.param);
  }
  // Text copies stop at cchTextMax.
  WCHAR small[5] = {u'#', u'#', u'#', u'#', u'#'};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = small;
  item.cchTextMax = 4;
  SendMessageW(f.tab, TCM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(std::u16string(small), u"Bar");
  EXPECT_EQ(small[4], u'#');
  EXPECT_FALSE(SendMessageW(f.tab, TCM_GETITEMW, 3, reinterpret_cast<LPARAM>(&item)));
  // Tabs sit side by side; a point is found on its tab.
  EXPECT_EQ(f.Rect(1).left, f.Rect(0).right);
  TCHITTESTINFO hit{f.Middle(2), 0};
  EXPECT_EQ(SendMessageW(f.tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 2);
  EXPECT_EQ(hit.flags, TCHT_ONITEMLABEL);
  hit.pt = POINT{290, 100};
  EXPECT_EQ(SendMessageW(f.tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
  EXPECT_EQ(hit.flags, TCHT_NOWHERE);
  // Deleting the selected tab leaves none selected.
  EXPECT_TRUE(SendMessageW(f.tab, TCM_DELETEITEM, 0, 0));
  EXPECT_EQ(f.Current(), -1);
  EXPECT_FALSE(SendMessageW(f.tab, TCM_DELETEITEM, 5, 0));
  EXPECT_TRUE(SendMessageW(f.tab, TCM_DELETEALLITEMS, 0, 0));
  EXPECT_EQ(SendMessageW(f.tab, TCM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_TRUE(Events().empty()) << "item messages do not notify: " << eventtest::Describe(Events());
}

TEST(TabControl, SelectionTable) {
  struct Case {
    const char* what;
    int action;           // 0 TCM_SETCURSEL, 1 click, 2 right arrow key, 3 TCM_SETCURFOCUS
    int target;
    bool refuse;          // the parent answers TRUE to TCN_SELCHANGING
    LRESULT result;       // TCM_SETCURSEL's answer
    LRESULT after;        // TCM_GETCURSEL afterwards
    std::vector<UINT> notifications;
  } const cases[] = {
      {"TCM_SETCURSEL is silent", 0, 2, false, 0, 2, {}},
      {"TCM_SETCURSEL out of range fails", 0, 7, false, -1, 0, {}},
      {"a click asks and tells", 1, 1, false, 0, 1, {TCN_SELCHANGING, TCN_SELCHANGE, NM_CLICK}},
      {"a refused click changes nothing", 1, 1, true, 0, 0, {TCN_SELCHANGING, NM_CLICK}},
      {"a click on the selected tab only clicks", 1, 0, false, 0, 0, {NM_CLICK}},
      {"the right arrow moves on", 2, 0, false, 0, 1, {TCN_KEYDOWN, TCN_SELCHANGING, TCN_SELCHANGE}},
      {"a refused arrow stays", 2, 0, true, 0, 0, {TCN_KEYDOWN, TCN_SELCHANGING}},
      {"TCM_SETCURFOCUS notifies", 3, 2, false, 0, 2, {TCN_SELCHANGING, TCN_SELCHANGE}},
  };
  for (const Case& c : cases) {
    Fixture f({u"General", u"Barcode", u"Font"});
    eventtest::OnNotify() = [&](NMHDR* h) -> LRESULT { return h->code == TCN_SELCHANGING && c.refuse; };
    switch (c.action) {
      case 0: EXPECT_EQ(SendMessageW(f.tab, TCM_SETCURSEL, static_cast<WPARAM>(c.target), 0), c.result) << c.what; break;
      case 1: uitest::Click(f.tab, f.Middle(c.target)); break;
      case 2:
        SetFocus(f.tab);
        Events().clear();
        uitest::Key(VK_RIGHT);
        break;
      default: SendMessageW(f.tab, TCM_SETCURFOCUS, static_cast<WPARAM>(c.target), 0); break;
    }
    EXPECT_EQ(f.Current(), c.after) << c.what;
    std::vector<UINT> codes;
    for (UINT code : eventtest::Codes(WM_NOTIFY))
      if (code != NM_SETFOCUS && code != NM_KILLFOCUS) codes.push_back(code);
    EXPECT_EQ(codes, c.notifications) << c.what << ": " << eventtest::Describe(Events());
  }
}

TEST(TabControl, ArrowsScrollTabsThatDoNotFit) {
  Fixture f({u"General", u"Barcode", u"Human readable", u"Font", u"Colours", u"Rotation", u"Data source", u"Print"},
            0, 260);
  const HWND arrows = f.Arrows();
  ASSERT_NE(arrows, nullptr);
  EXPECT_TRUE(IsWindowVisible(arrows));
  RECT first = f.Rect(0);
  EXPECT_GT(first.right, first.left);
  // Clicking the right arrow scrolls one tab away; the selection stays.
  RECT a;
  GetClientRect(arrows, &a);
  uitest::Click(arrows, POINT{a.right * 3 / 4, a.bottom / 2});
  const RECT scrolled = f.Rect(0);
  EXPECT_LT(scrolled.left, 0) << "the first tab scrolled away to the left";
  EXPECT_EQ(scrolled.right - scrolled.left, first.right - first.left) << "keeping its width";
  EXPECT_EQ(f.Rect(1).left, first.left) << "the second tab took its place";
  EXPECT_EQ(f.Current(), 0);
  // TCM_SETCURSEL brings a far tab into view without notifying.
  Events().clear();
  SendMessageW(f.tab, TCM_SETCURSEL, 7, 0);
  RECT client;
  GetClientRect(f.tab, &client);
  RECT arrowsRect;
  GetWindowRect(arrows, &arrowsRect);
  EXPECT_GT(f.Rect(7).right, f.Rect(7).left);
  EXPECT_LE(f.Rect(7).right, client.right - (arrowsRect.right - arrowsRect.left));
  EXPECT_TRUE(eventtest::Codes(WM_NOTIFY).empty());
  SendMessageW(f.tab, TCM_SETCURSEL, 3, 0);
  uitest::RunUntilIdle();
  ASSERT_TRUE(uitest::SaveWindowPng(f.parent, eventtest::PicturePath("tab_control_scroll_arrows.png")));
  // Wide enough again: the arrows go.
  SetWindowPos(f.tab, nullptr, 0, 0, 800, 120, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_FALSE(IsWindowVisible(arrows));
  EXPECT_EQ(f.Rect(0).left, first.left);
}

TEST(TabControl, MultilineKeepsTheSelectedRowNextToThePages) {
  Fixture f({u"General", u"Barcode", u"Human readable", u"Font", u"Colours", u"Rotation", u"Data source", u"Print"},
            TCS_MULTILINE, 260);
  const LRESULT rows = SendMessageW(f.tab, TCM_GETROWCOUNT, 0, 0);
  ASSERT_GE(rows, 2);
  EXPECT_EQ(f.Arrows(), nullptr) << "rows instead of arrows";
  const LONG bottomRow = f.Rect(0).top;  // the first tab is selected: its row is the lowest
  for (int i = 1; i < 8; ++i) EXPECT_LE(f.Rect(i).top, bottomRow);
  // Selecting a tab of another row brings that row down, without notifying.
  SendMessageW(f.tab, TCM_SETCURSEL, 7, 0);
  EXPECT_EQ(f.Rect(7).top, bottomRow);
  EXPECT_LT(f.Rect(0).top, bottomRow);
  EXPECT_TRUE(eventtest::Codes(WM_NOTIFY).empty());
  RECT display{0, 0, 260, 120};
  SendMessageW(f.tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  EXPECT_GT(display.top, f.Rect(7).bottom) << "the display area is below every row";
}

TEST(TabControl, OwnerDrawnTabsAndTheDisplayArea) {
  Fixture f({u"One", u"Two"}, TCS_OWNERDRAWFIXED);
  InvalidateRect(f.tab, nullptr, TRUE);
  uitest::RunUntilIdle();
  const std::vector<UINT> drawn = eventtest::Codes(WM_DRAWITEM);
  EXPECT_EQ(drawn, (std::vector<UINT>{1, 0})) << "the others first, the selected tab last";
  EXPECT_EQ(eventtest::LastDrawItem().CtlType, ODT_TAB);
  EXPECT_EQ(eventtest::LastDrawItem().itemState & ODS_SELECTED, static_cast<UINT>(ODS_SELECTED));
  EXPECT_EQ(eventtest::LastDrawItem().itemData, 1000u);
  // TCM_ADJUSTRECT: smaller then larger gives the rectangle back.
  RECT window{0, 0, 300, 120};
  RECT display = window;
  SendMessageW(f.tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  EXPECT_GT(display.top, f.Rect(0).bottom);
  EXPECT_LT(display.right, window.right);
  SendMessageW(f.tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&display));
  EXPECT_TRUE(EqualRect(&display, &window));
}

}  // namespace
