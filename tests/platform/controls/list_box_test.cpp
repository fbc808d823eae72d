// The list box and combo box: messages, owner drawing and notifications as
// tables of cases.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/testing/ui.h"
#include "tests/platform/controls/control_test_util.h"

namespace {

using controltest::Event;
using controltest::Events;

LPARAM S(const char16_t* s) { return reinterpret_cast<LPARAM>(s); }

TEST(ListBoxControl, MessagesAndTheirResults) {
  const HWND parent = controltest::MakeParent();
  const HWND list = controltest::MakeControl(parent, u"ListBox", LBS_SORT | LBS_NOTIFY, 21, u"", 160, 120);
  WCHAR text[32];
  const controltest::MessageRow rows[] = {
      {LB_ADDSTRING, 0, S(u"pear"), 0},
      {LB_ADDSTRING, 0, S(u"Apple"), 0},
      {LB_ADDSTRING, 0, S(u"banana"), 1},
      {LB_INSERTSTRING, static_cast<WPARAM>(-1), S(u"zzz-last"), 3},
      {LB_INSERTSTRING, 9, S(u"x"), LB_ERR},
      {LB_ADDSTRING, 0, 0, LB_ERR},
      {LB_GETCOUNT, 0, 0, 4},
      {LB_GETTEXTLEN, 1, 0, 6},
      {LB_GETTEXTLEN, 4, 0, LB_ERR},
      {LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text), 5},
      {LB_GETTEXT, 7, reinterpret_cast<LPARAM>(text), LB_ERR},
      {LB_GETTEXT, 0, 0, LB_ERR},
      {LB_SETITEMDATA, 2, 1234, LB_OKAY},
      {LB_GETITEMDATA, 2, 0, 1234},
      {LB_GETITEMDATA, 9, 0, LB_ERR},
      {LB_FINDSTRING, static_cast<WPARAM>(-1), S(u"BAN"), 1},
      {LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), S(u"PEAR"), 2},
      {LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), S(u"pea"), LB_ERR},
      {LB_SETCURSEL, 2, 0, 2},
      {LB_GETCURSEL, 0, 0, 2},
      {LB_SETCURSEL, 12, 0, LB_ERR},
      {LB_GETCURSEL, 0, 0, 2},
      {LB_GETSELCOUNT, 0, 0, LB_ERR},  // single selection
      {LB_SETSEL, TRUE, 1, LB_ERR},    // single selection
      {LB_SELECTSTRING, static_cast<WPARAM>(-1), S(u"a"), 0},
      {LB_GETCURSEL, 0, 0, 0},
      {LB_DELETESTRING, 0, 0, 3},
      {LB_DELETESTRING, 5, 0, LB_ERR},
      {LB_GETCURSEL, 0, 0, LB_ERR},
      {LB_RESETCONTENT, 0, 0, LB_OKAY},
      {LB_GETCOUNT, 0, 0, 0},
  };
  controltest::ExpectResults(list, rows);
  EXPECT_TRUE(Events().empty()) << "messages do not notify: " << controltest::Describe(Events());
  DestroyWindow(parent);
}

TEST(ListBoxControl, UserSelectionNotifiesWithLbsNotify) {
  const HWND parent = controltest::MakeParent();
  const HWND list = controltest::MakeControl(parent, u"ListBox", LBS_NOTIFY | LBS_EXTENDEDSEL, 22, u"", 160, 150);
  for (const char16_t* s : {u"a", u"b", u"c", u"d"}) SendMessageW(list, LB_ADDSTRING, 0, S(s));
  RECT item;
  SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  uitest::Click(list, POINT{5, item.top + 2});
  uitest::Key(VK_DOWN, true);
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 2);
  int selected[4] = {};
  EXPECT_EQ(SendMessageW(list, LB_GETSELITEMS, 4, reinterpret_cast<LPARAM>(selected)), 2);
  EXPECT_EQ(selected[0], 1);
  EXPECT_EQ(selected[1], 2);
  EXPECT_EQ(SendMessageW(list, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(selected)), 1) << "at most the given count";
  const std::vector<Event> expected = {{WM_COMMAND, 22, LBN_SETFOCUS}, {WM_COMMAND, 22, LBN_SELCHANGE},
                                       {WM_COMMAND, 22, LBN_SELCHANGE}};
  EXPECT_EQ(Events(), expected) << controltest::Describe(Events());
  DestroyWindow(parent);
}

TEST(ListBoxControl, OwnerDrawnItemsAreMeasuredAndDrawnByTheParent) {
  const HWND parent = controltest::MakeParent();
  const HWND fixed = controltest::MakeControl(parent, u"ListBox", LBS_OWNERDRAWFIXED, 23, u"", 160, 150);
  SendMessageW(fixed, LB_ADDSTRING, 0, 111);
  EXPECT_EQ(SendMessageW(fixed, LB_GETITEMHEIGHT, 0, 0), static_cast<LRESULT>(controltest::kMeasuredHeight));
  EXPECT_EQ(SendMessageW(fixed, LB_GETITEMDATA, 0, 0), 111) << "without LBS_HASSTRINGS the item is its data";
  const HWND variable = controltest::MakeControl(parent, u"ListBox", LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS, 24, u"", 160, 150);
  for (const char16_t* s : {u"x", u"y", u"z"}) SendMessageW(variable, LB_ADDSTRING, 0, S(s));
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(SendMessageW(variable, LB_GETITEMHEIGHT, i, 0), static_cast<LRESULT>(controltest::kMeasuredHeight + i % 3));
  Events().clear();
  UpdateWindow(parent);
  uitest::RunUntilIdle();
  int drawn = 0;
  for (const Event& e : Events()) drawn += e.message == WM_DRAWITEM && e.id == 24;
  EXPECT_EQ(drawn, 3) << controltest::Describe(Events());
  DestroyWindow(parent);
}

TEST(ListBoxControl, DirectoryListing) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tav_lb_dir";
  std::filesystem::create_directories(folder / "sub");
  for (const char* name : {"b.txt", "a.txt", "c.dat"}) std::fclose(std::fopen((folder / name).c_str(), "w"));
  const HWND parent = controltest::MakeParent();
  const HWND list = controltest::MakeControl(parent, u"ListBox", LBS_SORT, 25, u"", 160, 150);
  const std::string pattern = (folder / "*.txt").string();
  const std::u16string wide(pattern.begin(), pattern.end());
  EXPECT_GE(SendMessageW(list, LB_DIR, DDL_READWRITE, S(wide.c_str())), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
  WCHAR text[32];
  SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(std::u16string(text), u"a.txt");
  const std::string all = (folder / "*").string();
  const std::u16string allWide(all.begin(), all.end());
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  SendMessageW(list, LB_DIR, DDL_DIRECTORY | DDL_EXCLUSIVE, S(allWide.c_str()));
  EXPECT_NE(SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), S(u"[sub]")), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), S(u"a.txt")), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_DIR, 0, 0), LB_ERR);
  DestroyWindow(parent);
  std::filesystem::remove_all(folder);
}

// WS_VSCROLL list boxes: the bar shows only when the items do not all fit;
// under LBS_DISABLENOSCROLL it stays, disabled, with nothing to scroll
// (list-box styles in the public documentation).
TEST(ListBoxControl, VerticalBarFollowsTheItems) {
  const HWND parent = controltest::MakeParent();
  struct Row {
    DWORD style;
    int items;
    bool bar;
    bool scrolls;
  } const rows[] = {
      {0, 0, false, false},
      {0, 3, false, false},
      {0, 30, true, true},
      {LBS_DISABLENOSCROLL, 0, true, false},
      {LBS_DISABLENOSCROLL, 3, true, false},
      {LBS_DISABLENOSCROLL, 30, true, true},
  };
  for (const Row& row : rows) {
    const HWND list = controltest::MakeControl(parent, u"ListBox", WS_VSCROLL | row.style, 26, u"", 160, 120);
    for (int i = 0; i < row.items; ++i) SendMessageW(list, LB_ADDSTRING, 0, S(u"item"));
    uitest::RunUntilIdle();
    const bool bar = (GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL) != 0;
    EXPECT_EQ(bar, row.bar) << row.style << " " << row.items;
    RECT client{};
    GetClientRect(list, &client);
    EXPECT_EQ(client.right, bar ? 160 - GetSystemMetrics(SM_CXVSCROLL) : 160) << row.style << " " << row.items;
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &si));
    const bool scrolls = si.nMax > si.nMin && static_cast<int>(si.nPage) < si.nMax - si.nMin + 1;
    EXPECT_EQ(scrolls, row.scrolls) << row.style << " " << row.items << " range " << si.nMin << ".." << si.nMax
                                    << " page " << si.nPage;
    DestroyWindow(list);
  }
  DestroyWindow(parent);
}

TEST(ListBoxControl, VerticalBarScrollsTheItemsAndGoesWhenTheyFitAgain) {
  const HWND parent = controltest::MakeParent();
  const HWND list = controltest::MakeControl(parent, u"ListBox", WS_VSCROLL, 27, u"", 160, 120);
  for (int i = 0; i < 30; ++i) SendMessageW(list, LB_ADDSTRING, 0, S(u"item"));
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(list, SB_VERT, &si);
  const int page = static_cast<int>(si.nPage);
  ASSERT_GT(page, 0);
  EXPECT_EQ(si.nMax, 29);
  struct Row {
    WPARAM request;
    LRESULT top;
  } const rows[] = {
      {SB_LINEDOWN, 1},
      {SB_LINEDOWN, 2},
      {SB_LINEUP, 1},
      {SB_LINEUP, 0},
      {SB_LINEUP, 0},
      {SB_PAGEDOWN, page},
      {SB_BOTTOM, 30 - page},
      {SB_LINEDOWN, 30 - page},
      {SB_PAGEUP, 30 - 2 * page},
      {MAKEWPARAM(SB_THUMBPOSITION, 5), 5},
      {SB_TOP, 0},
  };
  for (const Row& row : rows) {
    SendMessageW(list, WM_VSCROLL, row.request, 0);
    EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), row.top) << row.request;
    EXPECT_EQ(GetScrollPos(list, SB_VERT), row.top) << row.request;
  }
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  EXPECT_EQ(GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL, 0) << "nothing left to scroll";
  SendMessageW(list, LB_ADDSTRING, 0, S(u"one"));
  EXPECT_EQ(GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL, 0);
  DestroyWindow(parent);
}

TEST(ComboBoxControl, MessagesAndTheirResults) {
  for (DWORD kind : {CBS_SIMPLE, CBS_DROPDOWN, CBS_DROPDOWNLIST}) {
    const HWND parent = controltest::MakeParent();
    const HWND combo = controltest::MakeControl(parent, u"ComboBox", kind | CBS_SORT, 31, u"", 160, 120);
    WCHAR text[32];
    const controltest::MessageRow rows[] = {
        {CB_ADDSTRING, 0, S(u"Gamma"), 0},
        {CB_ADDSTRING, 0, S(u"alpha"), 0},
        {CB_ADDSTRING, 0, S(u"Beta"), 1},
        {CB_GETCOUNT, 0, 0, 3},
        // CB_FINDSTRINGEXACT: "The search is not case sensitive" (public documentation).
        {CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), S(u"BETA"), 1},
        {CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), S(u"bet"), CB_ERR},
        {CB_FINDSTRING, static_cast<WPARAM>(-1), S(u"g"), 2},
        {CB_GETLBTEXTLEN, 2, 0, 5},
        {CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(text), 5},
        {CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(text), CB_ERR},
        {CB_SETITEMDATA, 1, 99, CB_OKAY},
        {CB_GETITEMDATA, 1, 0, 99},
        {CB_SETCURSEL, 1, 0, 1},
        {CB_GETCURSEL, 0, 0, 1},
        {WM_GETTEXTLENGTH, 0, 0, 4},
        {CB_SETCURSEL, 7, 0, CB_ERR},
        {CB_SETDROPPEDWIDTH, 300, 0, 300},
        {CB_GETDROPPEDWIDTH, 0, 0, 300},
        {CB_SETDROPPEDWIDTH, 10, 0, 160},  // never narrower than the combo box
        {CB_DELETESTRING, 0, 0, 2},
    };
    controltest::ExpectResults(combo, rows, std::to_string(kind) + " ");
    EXPECT_TRUE(Events().empty()) << "messages do not notify: " << controltest::Describe(Events());
    DestroyWindow(parent);
  }
}

TEST(ComboBoxControl, DroppingDownAndChoosingNotify) {
  const HWND parent = controltest::MakeParent();
  const HWND combo = controltest::MakeControl(parent, u"ComboBox", CBS_DROPDOWNLIST, 32, u"", 160, 120);
  for (const char16_t* s : {u"one", u"two", u"three"}) SendMessageW(combo, CB_ADDSTRING, 0, S(s));
  SetFocus(combo);
  Events().clear();
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  uitest::Key(VK_DOWN);
  uitest::Key(VK_RETURN);
  EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
  const std::vector<Event> expected = {{WM_COMMAND, 32, CBN_DROPDOWN}, {WM_COMMAND, 32, CBN_SELCHANGE},
                                       {WM_COMMAND, 32, CBN_SELENDOK}, {WM_COMMAND, 32, CBN_CLOSEUP}};
  EXPECT_EQ(Events(), expected) << controltest::Describe(Events());
  DestroyWindow(parent);
}

TEST(ComboBoxControl, DropDownKindsAreAsHighAsTheirFieldAndLeaveScrollBarsToTheList) {
  const HWND parent = controltest::MakeParent();
  // The height a drop-down combo box is made with is its list's: a click
  // below the field reaches the control under it.
  const HWND below = controltest::MakeControl(parent, u"Button", BS_PUSHBUTTON, 40, u"Below", 160, 24);
  SetWindowPos(below, nullptr, 0, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  for (const DWORD kind : {CBS_DROPDOWN, CBS_DROPDOWNLIST}) {
    const HWND combo = controltest::MakeControl(parent, u"ComboBox", kind | WS_VSCROLL, 41, u"", 160, 150);
    RECT r{};
    GetWindowRect(combo, &r);
    EXPECT_LT(r.bottom - r.top, 40) << kind;
    RECT client{};
    GetClientRect(combo, &client);
    EXPECT_EQ(client.right, 160) << "no scroll bar on the field " << kind;
    Events().clear();
    uitest::Click(below);
    int clicks = 0;
    for (const Event& e : Events()) clicks += e.message == WM_COMMAND && e.id == 40 && e.code == BN_CLICKED;
    EXPECT_EQ(clicks, 1) << controltest::Describe(Events());
    DestroyWindow(combo);
  }
  const HWND simple = controltest::MakeControl(parent, u"ComboBox", CBS_SIMPLE, 42, u"", 160, 150);
  RECT r{};
  GetWindowRect(simple, &r);
  EXPECT_EQ(r.bottom - r.top, 150) << "a simple combo box shows its list in its own window";
  DestroyWindow(parent);
}

TEST(ComboBoxControl, EditFieldLimitAndEditNotifications) {
  const HWND parent = controltest::MakeParent();
  const HWND combo = controltest::MakeControl(parent, u"ComboBox", CBS_DROPDOWN, 33, u"", 160, 120);
  EXPECT_TRUE(SendMessageW(combo, CB_LIMITTEXT, 2, 0));
  SetFocus(combo);
  Events().clear();
  uitest::TypeText(std::string_view("abc"));
  WCHAR text[8] = {};
  GetWindowTextW(combo, text, 8);
  EXPECT_EQ(std::u16string(text), u"ab");
  int changes = 0;
  for (const Event& e : Events()) changes += e.message == WM_COMMAND && e.id == 33 && e.code == CBN_EDITCHANGE;
  EXPECT_EQ(changes, 2) << controltest::Describe(Events());
  DestroyWindow(parent);
}

TEST(ScrollBarControl, MessagesAndClicks) {
  const HWND parent = controltest::MakeParent();
  const HWND bar = controltest::MakeControl(parent, u"ScrollBar", SBS_HORZ, 41, u"", 200, 17);
  EXPECT_EQ(SendMessageW(bar, SBM_SETRANGE, 0, 50), 0);
  EXPECT_EQ(SendMessageW(bar, SBM_SETPOS, 20, TRUE), 0);
  EXPECT_EQ(SendMessageW(bar, SBM_GETPOS, 0, 0), 20);
  EXPECT_EQ(SendMessageW(bar, SBM_SETPOS, 90, TRUE), 20);
  EXPECT_EQ(SendMessageW(bar, SBM_GETPOS, 0, 0), 50) << "held to the range";
  int low = -1, high = -1;
  SendMessageW(bar, SBM_GETRANGE, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 50);
  EXPECT_EQ(SendMessageW(bar, SBM_GETRANGE, 0, 0), 0) << "null pointers are refused";
  Events().clear();
  uitest::Click(bar, POINT{3, 8});
  const std::vector<Event> expected = {{WM_HSCROLL, 41, SB_LINEUP}, {WM_HSCROLL, 41, SB_ENDSCROLL}};
  EXPECT_EQ(Events(), expected) << controltest::Describe(Events());
  DestroyWindow(parent);
}

}  // namespace

namespace {

// A callers' text reaches the W controls converted, and comes back with its
// ANSI length; lists without strings keep their item data as it is.
TEST(ListBoxControl, AnsiCallersSendAndReadAnsiText) {
  const HWND parent = controltest::MakeParent();
  struct Target {
    const char16_t* className;
    DWORD style;
    UINT add, find, length, get;
  } const targets[] = {
      {u"ListBox", 0, LB_ADDSTRING, LB_FINDSTRINGEXACT, LB_GETTEXTLEN, LB_GETTEXT},
      {u"ComboBox", CBS_DROPDOWNLIST, CB_ADDSTRING, CB_FINDSTRINGEXACT, CB_GETLBTEXTLEN, CB_GETLBTEXT},
  };
  int id = 40;
  for (const Target& t : targets) {
    const HWND control = controltest::MakeControl(parent, t.className, t.style, id++, u"", 160, 120);
    EXPECT_EQ(SendMessageA(control, t.add, 0, reinterpret_cast<LPARAM>("caf\xE9 au lait")), 0);
    EXPECT_EQ(SendMessageA(control, t.find, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("CAF\xC9 AU LAIT")), 0);
    EXPECT_EQ(SendMessageA(control, t.length, 0, 0), 12);
    char text[16];
    std::fill(std::begin(text), std::end(text), '#');
    EXPECT_EQ(SendMessageA(control, t.get, 0, reinterpret_cast<LPARAM>(text)), 12);
    EXPECT_STREQ(text, "caf\xE9 au lait");
    EXPECT_EQ(text[13], '#');
    EXPECT_EQ(SendMessageA(control, t.get, 5, reinterpret_cast<LPARAM>(text)), LB_ERR);
    WCHAR wide[16] = {};
    SendMessageW(control, t.get, 0, reinterpret_cast<LPARAM>(wide));
    EXPECT_EQ(std::u16string(wide), u"caf\u00E9 au lait");
  }
  const HWND data = controltest::MakeControl(parent, u"ListBox", LBS_OWNERDRAWFIXED, id, u"", 160, 120);
  EXPECT_EQ(SendMessageA(data, LB_ADDSTRING, 0, 0x1234), 0);
  EXPECT_EQ(SendMessageA(data, LB_GETITEMDATA, 0, 0), 0x1234) << "no strings: the value passes as it is";
  DestroyWindow(parent);
}

}  // namespace
