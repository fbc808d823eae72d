// The status bar: parts, texts and their types, simple mode, owner-drawn
// parts and its place in the parent, as tables of messages.
#include <gtest/gtest.h>

#include "platform/testing/ui.h"
#include "platform/win.h"
#include "tests/platform/comctl/event_parent.h"

namespace {

using eventtest::Events;

constexpr int kStatusId = 60;

struct Fixture {
  HWND parent = eventtest::MakeParent();
  HWND bar = CreateStatusWindowW(WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, u"Ready", parent, kStatusId);
  ~Fixture() { DestroyWindow(parent); }
  void Parts(std::vector<int> rights) {
    ASSERT_TRUE(SendMessageW(bar, SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data())));
  }
};

TEST(StatusBar, SitsAlongTheBottomOfItsParent) {
  Fixture f;
  ASSERT_NE(f.bar, nullptr);
  RECT bar, parent;
  GetWindowRect(f.bar, &bar);
  GetClientRect(f.parent, &parent);
  POINT bottom{0, parent.bottom};
  ClientToScreen(f.parent, &bottom);
  EXPECT_EQ(bar.bottom, bottom.y);
  EXPECT_EQ(bar.right - bar.left, parent.right);
  EXPECT_GE(bar.bottom - bar.top, 18);
  // The parent grows; the bar follows when told of the new size.
  SetWindowPos(f.parent, nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER);
  SendMessageW(f.bar, WM_SIZE, 0, 0);
  GetWindowRect(f.bar, &bar);
  GetClientRect(f.parent, &parent);
  EXPECT_EQ(bar.right - bar.left, parent.right);
  WCHAR text[16]{};
  EXPECT_EQ(GetWindowTextW(f.bar, text, 16), 5);
  EXPECT_EQ(std::u16string(text), u"Ready") << "the window text is part 0";
}

TEST(StatusBar, PartsTable) {
  Fixture f;
  f.Parts({100, 220, -1});
  int rights[4] = {0, 0, 0, 0};
  EXPECT_EQ(SendMessageW(f.bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(rights)), 3);
  EXPECT_EQ(rights[0], 100);
  EXPECT_EQ(rights[1], 220);
  EXPECT_EQ(rights[2], -1);
  EXPECT_EQ(rights[3], 0) << "only the parts there are";
  int one = 0;
  EXPECT_EQ(SendMessageW(f.bar, SB_GETPARTS, 1, reinterpret_cast<LPARAM>(&one)), 3) << "the count of all parts";
  EXPECT_FALSE(SendMessageW(f.bar, SB_SETPARTS, 0, reinterpret_cast<LPARAM>(rights)));
  EXPECT_FALSE(SendMessageW(f.bar, SB_SETPARTS, 257, reinterpret_cast<LPARAM>(rights)));
  RECT r{};
  ASSERT_TRUE(SendMessageW(f.bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&r)));
  EXPECT_EQ(r.right, 220);
  EXPECT_GT(r.left, 100);
  RECT client;
  GetClientRect(f.bar, &client);
  ASSERT_TRUE(SendMessageW(f.bar, SB_GETRECT, 2, reinterpret_cast<LPARAM>(&r)));
  EXPECT_EQ(r.right, client.right) << "-1 reaches the right edge";
  EXPECT_FALSE(SendMessageW(f.bar, SB_GETRECT, 3, reinterpret_cast<LPARAM>(&r)));

  struct Case {
    const char* what;
    WPARAM index;  // with the type in the high byte
    const char16_t* text;
    LRESULT setResult;
    LRESULT length;  // SB_GETTEXTLENGTH: length | type << 16
  } const cases[] = {
      {"plain text", 0, u"Line 4", TRUE, 6},
      {"no borders", 1 | SBT_NOBORDERS, u"NUM", TRUE, 3 | (SBT_NOBORDERS << 16)},
      {"pop out", 2 | SBT_POPOUT, u"Left\tMiddle\tRight", TRUE, 17 | (SBT_POPOUT << 16)},
      {"no such part", 5, u"x", FALSE, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SendMessageW(f.bar, SB_SETTEXTW, c.index, reinterpret_cast<LPARAM>(c.text)), c.setResult) << c.what;
    EXPECT_EQ(SendMessageW(f.bar, SB_GETTEXTLENGTHW, c.index & 0xFF, 0), c.length) << c.what;
    if (!c.setResult) continue;
    WCHAR text[32]{};
    EXPECT_EQ(SendMessageW(f.bar, SB_GETTEXTW, c.index & 0xFF, reinterpret_cast<LPARAM>(text)), c.length) << c.what;
    EXPECT_EQ(std::u16string(text), c.text) << c.what;
  }
  EXPECT_TRUE(Events().empty()) << "text and parts do not notify: " << eventtest::Describe(Events());
}

TEST(StatusBar, TextCopiesKeepToTheGivenSize) {
  Fixture f;
  SendMessageW(f.bar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(u"Printing page 12"));
  WCHAR small[6] = {u'#', u'#', u'#', u'#', u'#', u'#'};
  EXPECT_EQ(SendMessageW(f.bar, WM_GETTEXT, 4, reinterpret_cast<LPARAM>(small)), 3);
  EXPECT_EQ(std::u16string(small), u"Pri");
  EXPECT_EQ(small[4], u'#');
  SendMessageW(f.bar, SB_SETTIPTEXTW, 0, reinterpret_cast<LPARAM>(u"The printer's progress"));
  WCHAR tip[8] = {};
  tip[7] = u'#';
  SendMessageW(f.bar, SB_GETTIPTEXTW, MAKEWPARAM(0, 7), reinterpret_cast<LPARAM>(tip));
  EXPECT_EQ(std::u16string(tip), u"The pr");
  EXPECT_EQ(tip[7], u'#');
  char ansi[5] = {'#', '#', '#', '#', '#'};
  SendMessageW(f.bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("Done"));
  EXPECT_EQ(SendMessageW(f.bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(ansi)), 4);
  EXPECT_EQ(std::string(ansi), "Done");
}

TEST(StatusBar, SimpleModeNotifiesOnlyOnChange) {
  Fixture f;
  f.Parts({100, -1});
  EXPECT_FALSE(SendMessageW(f.bar, SB_ISSIMPLE, 0, 0));
  struct Case {
    WPARAM simple;
    size_t notifications;  // SBN_SIMPLEMODECHANGE so far
  } const cases[] = {{TRUE, 1}, {TRUE, 1}, {FALSE, 2}, {FALSE, 2}, {TRUE, 3}};
  for (const auto& c : cases) {
    SendMessageW(f.bar, SB_SIMPLE, c.simple, 0);
    EXPECT_EQ(SendMessageW(f.bar, SB_ISSIMPLE, 0, 0), c.simple ? TRUE : FALSE);
    EXPECT_EQ(eventtest::Codes(WM_NOTIFY).size(), c.notifications);
  }
  for (UINT code : eventtest::Codes(WM_NOTIFY)) EXPECT_EQ(code, SBN_SIMPLEMODECHANGE);
  // The simple text is its own; the parts keep theirs.
  SendMessageW(f.bar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(u"part zero"));
  SendMessageW(f.bar, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(u"Opening file..."));
  WCHAR text[32]{};
  SendMessageW(f.bar, SB_GETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(std::u16string(text), u"Opening file...");
  SendMessageW(f.bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(std::u16string(text), u"part zero");
  RECT whole{}, client;
  SendMessageW(f.bar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&whole));
  GetClientRect(f.bar, &client);
  EXPECT_EQ(whole.right, client.right) << "in simple mode one part spans the bar";
}

TEST(StatusBar, TipTextsShowOverTheirParts) {
  uitest::VirtualClock clock;
  const HWND parent = eventtest::MakeParent();
  const HWND bar = CreateStatusWindowW(WS_CHILD | WS_VISIBLE | SBARS_TOOLTIPS, u"Ready", parent, kStatusId);
  std::vector<int> rights{100, 200, -1};
  SendMessageW(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(rights.data()));
  SendMessageW(bar, SB_SETTIPTEXTW, 1, reinterpret_cast<LPARAM>(u"Label size"));
  // The bar's own tooltip: the tooltip window it owns.
  HWND tip = nullptr;
  for (HWND w = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); w && !tip;
       w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr)) {
    const HWND owner = GetWindow(w, GW_OWNER);
    if (owner == bar || owner == parent) tip = w;
  }
  ASSERT_NE(tip, nullptr);
  RECT part{};
  SendMessageW(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
  uitest::MoveMouse(bar, POINT{(part.left + part.right) / 2, (part.top + part.bottom) / 2});
  clock.Advance(GetDoubleClickTime());
  EXPECT_TRUE(IsWindowVisible(tip));
  WCHAR text[32]{};
  GetWindowTextW(tip, text, 32);
  EXPECT_EQ(std::u16string(text), u"Label size");
  uitest::MoveMouse(bar, POINT{20, (part.top + part.bottom) / 2});  // part 0 has no tip
  EXPECT_FALSE(IsWindowVisible(tip));
  DestroyWindow(parent);
  EXPECT_FALSE(IsWindow(tip)) << "the bar's tooltip goes with it";
}

TEST(StatusBar, OwnerDrawnPartGoesToTheParent) {
  Fixture f;
  f.Parts({120, 240, -1});
  SendMessageW(f.bar, SB_SETTEXTW, 1 | SBT_OWNERDRAW, 0x5A5A);
  EXPECT_EQ(SendMessageW(f.bar, SB_GETTEXTW, 1, 0), 0x5A5A) << "an owner-drawn part answers its value";
  SendMessageW(f.bar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(u"Left part"));
  SendMessageW(f.bar, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(u"\tCentred"));
  InvalidateRect(f.bar, nullptr, TRUE);
  uitest::RunUntilIdle();
  const std::vector<UINT> drawn = eventtest::Codes(WM_DRAWITEM);
  ASSERT_EQ(drawn.size(), 1u) << eventtest::Describe(Events());
  EXPECT_EQ(drawn[0], 1u) << "itemID is the part";
  const DRAWITEMSTRUCT& item = eventtest::LastDrawItem();
  EXPECT_EQ(item.CtlID, static_cast<UINT>(kStatusId));
  EXPECT_EQ(item.itemData, 0x5A5Au);
  EXPECT_EQ(item.hwndItem, f.bar);
  // The parent painted the part green.
  const int x = (item.rcItem.left + item.rcItem.right) / 2, y = (item.rcItem.top + item.rcItem.bottom) / 2;
  EXPECT_EQ(uitest::ClientPixel(f.bar, x, y), RGB(0, 128, 0));
  ASSERT_TRUE(uitest::SaveWindowPng(f.parent, eventtest::PicturePath("status_bar_parts.png")));
}

}  // namespace
