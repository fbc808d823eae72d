// The tooltip control: tools by rectangle and by window, the delays on the
// virtual clock, text given, asked for (TTN_GETDISPINFO) or from resources,
// and text copies that keep to the caller's size.
#include <gtest/gtest.h>

#include "platform/testing/ui.h"
#include "platform/win.h"
#include "tests/platform/comctl/event_parent.h"

namespace {

using eventtest::Events;

struct Fixture {
  uitest::VirtualClock clock;
  HWND parent = eventtest::MakeParent();
  HWND target = eventtest::MakeChild(parent, u"Static", SS_NOTIFY, 5, 20, 20, 200, 100);
  HWND button = eventtest::MakeChild(parent, u"Button", BS_PUSHBUTTON, 6, 250, 20, 100, 30, u"OK");
  HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, parent,
                             nullptr, nullptr, nullptr);
  Fixture() { Events().clear(); }
  ~Fixture() { DestroyWindow(parent); }
  // A tool over the left half of `target` with text, one over a part of the
  // parent asking the parent, and the button as a whole-window tool.
  void AddTools() {
    TTTOOLINFOW left{};
    left.cbSize = sizeof left;
    left.uFlags = TTF_SUBCLASS;
    left.hwnd = target;
    left.uId = 1;
    left.rect = RECT{0, 0, 100, 100};
    left.lpszText = const_cast<LPWSTR>(u"The left half");
    EXPECT_TRUE(SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&left)));
    TTTOOLINFOW below = left;
    below.uId = 2;
    below.hwnd = parent;  // a part of the parent below the target; its text is asked of the parent
    below.rect = RECT{20, 150, 220, 250};
    below.lpszText = LPSTR_TEXTCALLBACKW;
    EXPECT_TRUE(SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&below)));
    TTTOOLINFOW whole{};
    whole.cbSize = sizeof whole;
    whole.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    whole.hwnd = parent;
    whole.uId = reinterpret_cast<UINT_PTR>(button);
    whole.lpszText = const_cast<LPWSTR>(u"Accepts the changes");
    EXPECT_TRUE(SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&whole)));
  }
  std::u16string Shown() const {
    if (!IsWindowVisible(tip)) return u"(hidden)";
    WCHAR text[64]{};
    GetWindowTextW(tip, text, 64);
    return text;
  }
};

TEST(Tooltip, DelaysAndToolsTable) {
  Fixture f;
  f.AddTools();
  EXPECT_EQ(SendMessageW(f.tip, TTM_GETTOOLCOUNT, 0, 0), 3);
  eventtest::OnNotify() = [](NMHDR* h) -> LRESULT {
    if (h->code == TTN_GETDISPINFOW) reinterpret_cast<NMTTDISPINFOW*>(h)->lpszText = const_cast<LPWSTR>(u"Asked of the parent");
    return 0;
  };
  const DWORD initial = static_cast<DWORD>(SendMessageW(f.tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0));
  const DWORD reshow = static_cast<DWORD>(SendMessageW(f.tip, TTM_GETDELAYTIME, TTDT_RESHOW, 0));
  const DWORD autopop = static_cast<DWORD>(SendMessageW(f.tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0));
  EXPECT_EQ(initial, GetDoubleClickTime()) << "the documented defaults follow the double-click time";
  EXPECT_EQ(autopop, initial * 10);
  EXPECT_EQ(reshow, initial / 5);
  struct Step {
    const char* what;
    HWND over;   // where the mouse goes (null: stays)
    POINT at;
    DWORD wait;  // then the clock moves this much
    const char16_t* shown;
  } const steps[] = {
      {"just arrived: nothing yet", f.target, {50, 50}, initial - 1, u"(hidden)"},
      {"after the initial delay", nullptr, {}, 1, u"The left half"},
      {"another tool: the reshow delay", f.parent, {120, 200}, reshow, u"Asked of the parent"},
      {"the pop-up delay takes it away", nullptr, {}, autopop, u"(hidden)"},
      {"a whole-window tool", f.button, {10, 10}, initial, u"Accepts the changes"},
      {"off every tool", f.parent, {400, 250}, 1, u"(hidden)"},
  };
  for (const Step& s : steps) {
    if (s.over) uitest::MoveMouse(s.over, s.at);
    f.clock.Advance(s.wait);
    EXPECT_EQ(f.Shown(), s.shown) << s.what;
  }
  // The parent heard TTN_GETDISPINFO once for the callback tool, and each tip's show and pop.
  const std::vector<UINT> codes = eventtest::Codes(WM_NOTIFY);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), TTN_GETDISPINFOW), 1);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), TTN_SHOW), 2) << "the parent's own two tools";
  EXPECT_EQ(std::count(codes.begin(), codes.end(), TTN_POP), 2) << eventtest::Describe(Events());
}

TEST(Tooltip, InactiveShowsNothingAndClicksPop) {
  Fixture f;
  f.AddTools();
  SendMessageW(f.tip, TTM_ACTIVATE, FALSE, 0);
  uitest::MoveMouse(f.target, POINT{50, 50});
  f.clock.Advance(2000);
  EXPECT_FALSE(IsWindowVisible(f.tip));
  SendMessageW(f.tip, TTM_ACTIVATE, TRUE, 0);
  SendMessageW(f.tip, TTM_SETDELAYTIME, TTDT_INITIAL, 50);
  uitest::MoveMouse(f.target, POINT{60, 50});
  uitest::MoveMouse(f.target, POINT{50, 50});
  f.clock.Advance(50);
  EXPECT_TRUE(IsWindowVisible(f.tip));
  uitest::Click(f.target, POINT{50, 50});
  EXPECT_FALSE(IsWindowVisible(f.tip)) << "a click takes the tip away";
}

TEST(Tooltip, TextCopiesAndToolChanges) {
  Fixture f;
  f.AddTools();
  TTTOOLINFOW info{};
  info.cbSize = sizeof info;
  info.hwnd = f.target;
  info.uId = 1;
  WCHAR small[6] = {u'#', u'#', u'#', u'#', u'#', u'#'};
  info.lpszText = small;
  SendMessageW(f.tip, TTM_GETTEXTW, 5, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(std::u16string(small), u"The ");
  EXPECT_EQ(small[5], u'#') << "nothing past the given size";
  // A size of 0 (the message's older form) stands for the classic 80 units.
  WCHAR classic[90];
  std::fill(std::begin(classic), std::end(classic), u'#');
  info.lpszText = classic;
  SendMessageW(f.tip, TTM_GETTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(std::u16string(classic), u"The left half");
  info.lpszText = small;
  char ansi[6] = {'#', '#', '#', '#', '#', '#'};
  TTTOOLINFOA infoA{};
  infoA.cbSize = sizeof infoA;
  infoA.hwnd = f.target;
  infoA.uId = 1;
  infoA.lpszText = ansi;
  SendMessageW(f.tip, TTM_GETTEXTA, 4, reinterpret_cast<LPARAM>(&infoA));
  EXPECT_EQ(std::string(ansi), "The");
  EXPECT_EQ(ansi[4], '#');
  // New text and a new rectangle.
  info.lpszText = const_cast<LPWSTR>(u"Changed");
  SendMessageW(f.tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  info.rect = RECT{0, 0, 10, 10};
  SendMessageW(f.tip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
  WCHAR text[80]{};
  TTTOOLINFOW got{};
  got.cbSize = sizeof got;
  got.hwnd = f.target;
  got.uId = 1;
  got.lpszText = text;
  EXPECT_TRUE(SendMessageW(f.tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&got)));
  EXPECT_EQ(std::u16string(text), u"Changed");
  EXPECT_EQ(got.rect.right, 10);
  TTHITTESTINFOW hit{};
  hit.hwnd = f.target;
  hit.pt = POINT{5, 5};
  EXPECT_TRUE(SendMessageW(f.tip, TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit)));
  EXPECT_EQ(hit.ti.uId, 1u);
  hit.pt = POINT{50, 50};
  EXPECT_FALSE(SendMessageW(f.tip, TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit)));
  // TTM_GETTOOLINFO has no size: it copies at most 80 units with the zero.
  const std::u16string longText(100, u'x');
  info.lpszText = const_cast<LPWSTR>(longText.c_str());
  SendMessageW(f.tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  WCHAR wide[100];
  std::fill(std::begin(wide), std::end(wide), u'#');
  got.lpszText = wide;
  EXPECT_TRUE(SendMessageW(f.tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&got)));
  EXPECT_EQ(std::u16string(wide).size(), 79u);
  EXPECT_EQ(wide[80], u'#');
  SendMessageW(f.tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(SendMessageW(f.tip, TTM_GETTOOLCOUNT, 0, 0), 2);
  EXPECT_FALSE(SendMessageW(f.tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&got)));
}

}  // namespace
