// The up-down control and the progress bar: ranges, positions and which
// calls notify, as tables; clicks and held arrows on the virtual clock.
#include <gtest/gtest.h>

#include "platform/testing/ui.h"
#include "platform/win.h"
#include "tests/platform/comctl/event_parent.h"

namespace {

using eventtest::Events;

constexpr int kSpinId = 80, kEditId = 81;

std::u16string Text(HWND w) {
  WCHAR text[32]{};
  GetWindowTextW(w, text, 32);
  return text;
}

TEST(UpDown, RangeAndPositionTable) {
  const HWND parent = eventtest::MakeParent();
  const HWND spin = eventtest::MakeChild(parent, UPDOWN_CLASSW, 0, kSpinId, 10, 10, 16, 24);
  EXPECT_EQ(SendMessageW(spin, UDM_GETRANGE, 0, 0), MAKELONG(0, 100)) << "the documented default: 100 down to 0";
  struct Case {
    const char* what;
    int low, high, set;
    LRESULT got;
  } const cases[] = {
      {"inside the range", 0, 10, 4, 4},
      {"clamped to the top", 0, 10, 40, 10},
      {"clamped to the bottom", -5, 5, -9, -5},
      {"a reversed range", 10, 0, 7, 7},
  };
  for (const Case& c : cases) {
    SendMessageW(spin, UDM_SETRANGE32, static_cast<WPARAM>(c.low), c.high);
    SendMessageW(spin, UDM_SETPOS32, 0, c.set);
    BOOL error = TRUE;
    EXPECT_EQ(SendMessageW(spin, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)), c.got) << c.what;
    EXPECT_FALSE(error) << c.what;
    int low = 0, high = 0;
    SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, c.low) << c.what;
    EXPECT_EQ(high, c.high) << c.what;
  }
  EXPECT_EQ(SendMessageW(spin, UDM_SETBASE, 16, 0), 10);
  EXPECT_EQ(SendMessageW(spin, UDM_SETBASE, 7, 0), 0) << "only 10 and 16";
  EXPECT_EQ(SendMessageW(spin, UDM_GETBASE, 0, 0), 16);
  EXPECT_TRUE(Events().empty()) << "messages do not notify: " << eventtest::Describe(Events());
  DestroyWindow(parent);
}

TEST(UpDown, ClicksStepThroughTheParentTable) {
  struct Case {
    const char* what;
    DWORD style;
    int low, high, start;
    bool upper;     // the upper arrow clicked
    bool refuse;    // UDN_DELTAPOS answered non-zero
    int delta;      // iDelta the parent saw
    int after;
    const char16_t* buddyText;
  } const cases[] = {
      {"up counts up", UDS_SETBUDDYINT, 0, 2000, 999, true, false, 1, 1000, u"1,000"},
      {"down counts down", UDS_SETBUDDYINT, 0, 10, 5, false, false, -1, 4, u"4"},
      {"a reversed range counts the other way", UDS_SETBUDDYINT, 10, 0, 5, true, false, -1, 4, u"4"},
      {"stops at the end", UDS_SETBUDDYINT, 0, 10, 10, true, false, 1, 10, u"10"},
      {"wraps with UDS_WRAP", UDS_SETBUDDYINT | UDS_WRAP, 0, 10, 10, true, false, 1, 0, u"0"},
      {"refused by the parent", UDS_SETBUDDYINT, 0, 10, 5, true, true, 1, 5, u"5"},
      {"no thousands separator", UDS_SETBUDDYINT | UDS_NOTHOUSANDS, 0, 2000, 999, true, false, 1, 1000, u"1000"},
  };
  for (const Case& c : cases) {
    const HWND parent = eventtest::MakeParent();
    const HWND edit = eventtest::MakeChild(parent, u"Edit", WS_BORDER, kEditId, 10, 10, 80, 24);
    const HWND spin = eventtest::MakeChild(parent, UPDOWN_CLASSW, c.style | UDS_ALIGNRIGHT | UDS_AUTOBUDDY, kSpinId, 0, 0, 16, 10);
    EXPECT_EQ(SendMessageW(spin, UDM_GETBUDDY, 0, 0), reinterpret_cast<LRESULT>(edit)) << c.what << ": the previous sibling";
    SendMessageW(spin, UDM_SETRANGE32, static_cast<WPARAM>(c.low), c.high);
    SendMessageW(spin, UDM_SETPOS32, 0, c.start);
    int seenDelta = 0;
    eventtest::OnNotify() = [&](NMHDR* h) -> LRESULT {
      if (h->code != UDN_DELTAPOS) return 0;
      seenDelta = reinterpret_cast<NMUPDOWN*>(h)->iDelta;
      return c.refuse;
    };
    Events().clear();
    RECT r;
    GetClientRect(spin, &r);
    uitest::Click(spin, POINT{r.right / 2, c.upper ? 2 : r.bottom - 2});
    EXPECT_EQ(seenDelta, c.delta) << c.what;
    EXPECT_EQ(SendMessageW(spin, UDM_GETPOS32, 0, 0), c.after) << c.what;
    EXPECT_EQ(Text(edit), c.buddyText) << c.what;
    // UDN_DELTAPOS, then WM_VSCROLL SB_THUMBPOSITION unless refused, then SB_ENDSCROLL.
    std::vector<UINT> expected{UDN_DELTAPOS};
    if (!c.refuse) expected.push_back(SB_THUMBPOSITION);
    expected.push_back(SB_ENDSCROLL);
    std::vector<UINT> got;
    for (const eventtest::Event& e : Events())
      if (e.message == WM_NOTIFY || e.message == WM_VSCROLL) got.push_back(e.code);
    EXPECT_EQ(got, expected) << c.what << ": " << eventtest::Describe(Events());
    RECT editRect, spinRect;
    GetWindowRect(edit, &editRect);
    GetWindowRect(spin, &spinRect);
    EXPECT_EQ(spinRect.left, editRect.right) << c.what << ": UDS_ALIGNRIGHT puts it against the buddy";
    EXPECT_EQ(spinRect.bottom - spinRect.top, editRect.bottom - editRect.top) << c.what;
    DestroyWindow(parent);
  }
}

TEST(UpDown, HeldArrowAcceleratesOnTheVirtualClock) {
  uitest::VirtualClock clock;
  const HWND parent = eventtest::MakeParent();
  const HWND spin = eventtest::MakeChild(parent, UPDOWN_CLASSW, 0, kSpinId, 10, 10, 16, 24);
  SendMessageW(spin, UDM_SETRANGE32, 0, 10000);
  const UDACCEL accel[] = {{0, 1}, {1, 10}};
  EXPECT_TRUE(SendMessageW(spin, UDM_SETACCEL, 2, reinterpret_cast<LPARAM>(accel)));
  UDACCEL back[3]{};
  EXPECT_EQ(SendMessageW(spin, UDM_GETACCEL, 3, reinterpret_cast<LPARAM>(back)), 2);
  EXPECT_EQ(back[1].nInc, 10u);
  uitest::MouseDown(spin, POINT{8, 3});
  // Pressed: one step at once; after 400 ms a step every 100 ms, by 1 for
  // the first second and by 10 from then on.
  EXPECT_EQ(SendMessageW(spin, UDM_GETPOS32, 0, 0), 1);
  clock.Advance(400);
  EXPECT_EQ(SendMessageW(spin, UDM_GETPOS32, 0, 0), 2);
  for (int i = 0; i < 5; ++i) clock.Advance(100);  // 900 ms held
  EXPECT_EQ(SendMessageW(spin, UDM_GETPOS32, 0, 0), 7);
  clock.Advance(100);  // one second held
  EXPECT_EQ(SendMessageW(spin, UDM_GETPOS32, 0, 0), 17);
  clock.Advance(100);
  EXPECT_EQ(SendMessageW(spin, UDM_GETPOS32, 0, 0), 27);
  uitest::MouseUp(spin, POINT{8, 3});
  clock.Advance(500);
  EXPECT_EQ(SendMessageW(spin, UDM_GETPOS32, 0, 0), 27) << "let go: no more steps";
  DestroyWindow(parent);
}

TEST(Progress, MessagesTable) {
  const HWND parent = eventtest::MakeParent();
  const HWND bar = eventtest::MakeChild(parent, PROGRESS_CLASSW, 0, 90, 10, 10, 200, 20);
  struct Case {
    const char* what;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
    int pos;  // PBM_GETPOS afterwards
  } const cases[] = {
      {"the default range is 0 to 100", PBM_SETRANGE, 0, MAKELONG(0, 200), MAKELONG(0, 100), 0},
      {"set a position: the old one back", PBM_SETPOS, 50, 0, 0, 50},
      {"beyond the range is clamped", PBM_SETPOS, 500, 0, 50, 200},
      {"delta", PBM_DELTAPOS, static_cast<WPARAM>(-30), 0, 200, 170},
      {"the default step is 10", PBM_SETSTEP, 20, 0, 10, 170},
      {"step", PBM_STEPIT, 0, 0, 170, 190},
      {"a step past the end starts over", PBM_STEPIT, 0, 0, 190, 10},
      {"32-bit range", PBM_SETRANGE32, 0, 100000, MAKELONG(0, 200), 10},
      {"state", PBM_SETSTATE, PBST_PAUSED, 0, PBST_NORMAL, 10},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SendMessageW(bar, c.message, c.wParam, c.lParam), c.result) << c.what;
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), c.pos) << c.what;
  }
  PBRANGE range{};
  EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), 0);
  EXPECT_EQ(range.iHigh, 100000);
  SendMessageW(bar, PBM_SETRANGE32, 0, 100);
  SendMessageW(bar, PBM_SETPOS, 50, 0);
  uitest::RunUntilIdle();
  EXPECT_EQ(uitest::ClientPixel(bar, 20, 10), GetSysColor(COLOR_HIGHLIGHT)) << "filled to the half";
  EXPECT_EQ(uitest::ClientPixel(bar, 180, 10), GetSysColor(COLOR_3DFACE));
  EXPECT_TRUE(Events().empty());
  DestroyWindow(parent);
}

}  // namespace
