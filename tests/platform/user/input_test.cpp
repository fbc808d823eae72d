// Input: clicks (activation, hit testing, cursors), double clicks, capture,
// keys and characters, key state, the wheel, carets and the cursor position,
// all driven through the test API as a person would.
#include <gtest/gtest.h>

#include "platform/testing/ui.h"
#include "tests/platform/user/message_log.h"

using namespace usertest;

namespace {

const std::vector<UINT> kMouseNoise{WM_NCHITTEST, WM_MOUSEMOVE, WM_NCMOUSEMOVE, WM_PAINT, WM_NCPAINT,
                                    WM_ERASEBKGND, WM_GETICON, WM_SETCURSOR};

class Input : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterLogClass();
    clock_ = std::make_unique<uitest::VirtualClock>();
    top_ = CreateWindowExW(0, u"LogWindow", u"input", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                           nullptr, nullptr, nullptr);
    child_ = CreateWindowExW(WS_EX_NOPARENTNOTIFY, u"LogWindow", u"child", WS_CHILD | WS_VISIBLE, 10, 10, 100, 50,
                             top_, reinterpret_cast<HMENU>(5), nullptr, nullptr);
    MessageLog::Get().Name(top_, "top");
    MessageLog::Get().Name(child_, "child");
    uitest::RunUntilIdle();
    MessageLog::Get().Clear();
  }
  void TearDown() override {
    ReleaseCapture();
    ClipCursor(nullptr);
    DestroyWindow(top_);
    uitest::RunUntilIdle();
    clock_.reset();
  }
  std::unique_ptr<uitest::VirtualClock> clock_;
  HWND top_ = nullptr;
  HWND child_ = nullptr;
};

TEST_F(Input, ClickOnAChildOfTheActiveWindow) {
  // A window other than the active one hears of the press first (its default
  // handling asks its parent); the active window stays active.
  uitest::Click(child_, POINT{20, 20});
  EXPECT_EQ(MessageLog::Get().Rows(kMouseNoise), Expect({
                                                     {"child", "WM_MOUSEACTIVATE"},
                                                     {"top", "WM_MOUSEACTIVATE"},
                                                     {"child", "WM_LBUTTONDOWN"},
                                                     {"child", "WM_LBUTTONUP"},
                                                 }));
  const auto& e = MessageLog::Get().Entries();
  const auto down = std::find_if(e.begin(), e.end(), [](auto& l) { return l.message == WM_LBUTTONDOWN; });
  ASSERT_NE(down, e.end());
  EXPECT_EQ(static_cast<SHORT>(LOWORD(down->lParam)), 20);  // client coordinates
  EXPECT_EQ(static_cast<SHORT>(HIWORD(down->lParam)), 20);
  EXPECT_EQ(down->wParam & MK_LBUTTON, MK_LBUTTON);
}

TEST_F(Input, ClickOnAnInactiveWindowActivatesIt) {
  HWND other = CreateWindowExW(0, u"LogWindow", u"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 500, 200, 150,
                               nullptr, nullptr, nullptr, nullptr);
  MessageLog::Get().Name(other, "other");
  uitest::RunUntilIdle();
  ASSERT_EQ(GetActiveWindow(), other);
  MessageLog::Get().Clear();
  uitest::Click(child_, POINT{5, 5});
  // WM_MOUSEACTIVATE goes to the child, whose default handling asks its parent.
  EXPECT_EQ(MessageLog::Get().Rows(kMouseNoise), Expect({
                                                     {"child", "WM_MOUSEACTIVATE"},
                                                     {"top", "WM_MOUSEACTIVATE"},
                                                     {"other", "WM_NCACTIVATE"},
                                                     {"other", "WM_ACTIVATE"},
                                                     {"top", "WM_NCACTIVATE"},
                                                     {"top", "WM_ACTIVATE"},
                                                     {"other", "WM_KILLFOCUS"},
                                                     {"top", "WM_SETFOCUS"},
                                                     {"child", "WM_LBUTTONDOWN"},
                                                     {"child", "WM_LBUTTONUP"},
                                                 }));
  EXPECT_EQ(GetActiveWindow(), top_);
  for (const auto& l : MessageLog::Get().Entries()) {
    if (l.window == top_ && l.message == WM_ACTIVATE) {
      EXPECT_EQ(LOWORD(l.wParam), WA_CLICKACTIVE);
    }
  }
  DestroyWindow(other);
}

TEST_F(Input, DoubleClicksOnlyForClassesThatAskAndWithinTheTime) {
  uitest::DoubleClick(child_, POINT{20, 20});
  EXPECT_EQ(MessageLog::Get().Rows(kMouseNoise), Expect({
                                                     {"child", "WM_MOUSEACTIVATE"},
                                                     {"top", "WM_MOUSEACTIVATE"},
                                                     {"child", "WM_LBUTTONDOWN"},
                                                     {"child", "WM_LBUTTONUP"},
                                                     {"child", "WM_MOUSEACTIVATE"},
                                                     {"top", "WM_MOUSEACTIVATE"},
                                                     {"child", "WM_LBUTTONDBLCLK"},
                                                     {"child", "WM_LBUTTONUP"},
                                                 }));
  // Two clicks further apart than the double-click time are two clicks.
  MessageLog::Get().Clear();
  uitest::Click(child_, POINT{20, 20});
  clock_->Advance(GetDoubleClickTime() + 1);
  uitest::Click(child_, POINT{20, 20});
  EXPECT_EQ(MessageLog::Get().Rows(kMouseNoise), Expect({
                                                     {"child", "WM_MOUSEACTIVATE"},
                                                     {"top", "WM_MOUSEACTIVATE"},
                                                     {"child", "WM_LBUTTONDOWN"},
                                                     {"child", "WM_LBUTTONUP"},
                                                     {"child", "WM_MOUSEACTIVATE"},
                                                     {"top", "WM_MOUSEACTIVATE"},
                                                     {"child", "WM_LBUTTONDOWN"},
                                                     {"child", "WM_LBUTTONUP"},
                                                 }));
  // A class without CS_DBLCLKS gets two presses.
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = LogProc;
  wc.lpszClassName = u"NoDoubleClicks";
  RegisterClassExW(&wc);
  HWND plain = CreateWindowExW(WS_EX_NOPARENTNOTIFY, u"NoDoubleClicks", u"", WS_CHILD | WS_VISIBLE, 150, 10, 50, 50,
                               top_, nullptr, nullptr, nullptr);
  MessageLog::Get().Name(plain, "plain");
  uitest::RunUntilIdle();
  MessageLog::Get().Clear();
  uitest::DoubleClick(plain, POINT{5, 5});
  EXPECT_EQ(MessageLog::Get().Rows(kMouseNoise), Expect({
                                                     {"plain", "WM_MOUSEACTIVATE"},
                                                     {"top", "WM_MOUSEACTIVATE"},
                                                     {"plain", "WM_LBUTTONDOWN"},
                                                     {"plain", "WM_LBUTTONUP"},
                                                     {"plain", "WM_MOUSEACTIVATE"},
                                                     {"top", "WM_MOUSEACTIVATE"},
                                                     {"plain", "WM_LBUTTONDOWN"},
                                                     {"plain", "WM_LBUTTONUP"},
                                                 }));
}

// Takes the capture on a press, lets it go on release.
LRESULT Capturing(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  const LRESULT r = LogProc(w, m, wp, lp);
  if (m == WM_LBUTTONDOWN) SetCapture(w);
  if (m == WM_LBUTTONUP) ReleaseCapture();
  return r;
}

TEST_F(Input, CaptureGetsTheMouseOutsideTheWindow) {
  SetWindowLongPtrW(child_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Capturing));
  uitest::Drag(child_, POINT{10, 10}, POINT{250, 150}, 3);  // ends outside the child
  std::vector<std::string> moves;
  for (const auto& l : MessageLog::Get().Entries())
    if (l.message == WM_MOUSEMOVE) moves.push_back(MessageLog::Get().Label(l.window));
  ASSERT_FALSE(moves.empty());
  for (const auto& m : moves) EXPECT_EQ(m, "child");
  EXPECT_EQ(MessageLog::Get().Rows(kMouseNoise), Expect({
                                                     {"child", "WM_MOUSEACTIVATE"},
                                                     {"top", "WM_MOUSEACTIVATE"},
                                                     {"child", "WM_LBUTTONDOWN"},
                                                     {"child", "WM_LBUTTONUP"},
                                                     {"child", "WM_CAPTURECHANGED"},
                                                 }));
  // The release came in the child's coordinates, outside it.
  for (const auto& l : MessageLog::Get().Entries()) {
    if (l.message == WM_LBUTTONUP) {
      EXPECT_EQ(static_cast<SHORT>(LOWORD(l.lParam)), 250);
    }
  }
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Input, TypingMakesKeysAndCharacters) {
  SetFocus(child_);
  MessageLog::Get().Clear();
  uitest::TypeText(std::string_view("aB1"));
  std::u16string typed;
  for (const auto& l : MessageLog::Get().Entries())
    if (l.message == WM_CHAR) typed += static_cast<char16_t>(l.wParam);
  EXPECT_EQ(typed, u"aB1");
  const auto rows = MessageLog::Get().Rows(kMouseNoise);
  EXPECT_EQ(std::vector<std::string>(rows.begin(), rows.begin() + 3), Expect({
                                                                         {"child", "WM_KEYDOWN"},
                                                                         {"child", "WM_CHAR"},
                                                                         {"child", "WM_KEYUP"},
                                                                     }));
  // Characters no key makes come as characters.
  MessageLog::Get().Clear();
  uitest::TypeText(std::u16string_view(u"\u00E9"));
  ASSERT_EQ(MessageLog::Get().Entries().size(), 1u);
  EXPECT_EQ(MessageLog::Get().Entries()[0].wParam, 0xE9u);
}

SHORT g_shiftDuringKey = 0;
LRESULT KeyStateProbe(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_KEYDOWN && wp == 'X') g_shiftDuringKey = GetKeyState(VK_SHIFT);
  return LogProc(w, m, wp, lp);
}

TEST_F(Input, KeyStateAtMessageTimeAndNow) {
  SetWindowLongPtrW(child_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeyStateProbe));
  SetFocus(child_);
  uitest::Key('X', true);
  EXPECT_LT(g_shiftDuringKey, 0);  // down while the X was read
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  EXPECT_GE(GetAsyncKeyState(VK_SHIFT), 0);
  uitest::KeyDown(VK_CONTROL);
  EXPECT_LT(GetAsyncKeyState(VK_CONTROL), 0);  // the device state, before any message is read
  EXPECT_GE(GetKeyState(VK_CONTROL), 0);
  uitest::RunUntilIdle();
  EXPECT_LT(GetKeyState(VK_CONTROL), 0);
  uitest::KeyUp(VK_CONTROL);
  uitest::RunUntilIdle();
  // Alt with a key is a system key; DefWindowProc passes the character on
  // to the top-level window as WM_SYSCOMMAND SC_KEYMENU (WM_SYSCHAR page of
  // the public documentation).
  MessageLog::Get().Clear();
  uitest::Key('F', false, false, true);
  EXPECT_EQ(MessageLog::Get().Rows(kMouseNoise), Expect({
                                                     {"child", "WM_SYSKEYDOWN"},
                                                     {"child", "WM_SYSKEYDOWN"},
                                                     {"child", "WM_SYSCHAR"},
                                                     {"top", "WM_SYSCOMMAND"},
                                                     {"child", "WM_SYSKEYUP"},
                                                     {"child", "WM_SYSKEYUP"},
                                                 }));
}

TEST_F(Input, WheelGoesToTheFocusAndUpToTheParent) {
  SetFocus(child_);
  MessageLog::Get().Clear();
  uitest::Wheel(child_, -2);
  EXPECT_EQ(MessageLog::Get().Rows(kMouseNoise), Expect({
                                                     {"child", "WM_MOUSEWHEEL"},
                                                     {"top", "WM_MOUSEWHEEL"},
                                                 }));
  EXPECT_EQ(static_cast<SHORT>(HIWORD(MessageLog::Get().Entries().back().wParam)), -2 * WHEEL_DELTA);
  UINT lines = 0;
  EXPECT_TRUE(SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
  EXPECT_EQ(lines, 3u);
}

TEST_F(Input, ClassCursorIsSetOverTheClientArea) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_IBEAM));
  wc.lpszClassName = u"BeamWindow";
  RegisterClassExW(&wc);
  HWND beam = CreateWindowExW(WS_EX_NOPARENTNOTIFY, u"BeamWindow", u"", WS_CHILD | WS_VISIBLE, 150, 60, 50, 50, top_,
                              nullptr, nullptr, nullptr);
  uitest::MoveMouse(beam, POINT{10, 10});
  EXPECT_EQ(GetCursor(), wc.hCursor);
  uitest::MoveMouse(child_, POINT{10, 10});
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
}

TEST_F(Input, DisabledChildsInputGoesToItsParent) {
  EnableWindow(child_, FALSE);
  MessageLog::Get().Clear();
  uitest::Click(child_, POINT{5, 5});
  EXPECT_EQ(MessageLog::Get().Rows(kMouseNoise), Expect({
                                                     {"top", "WM_LBUTTONDOWN"},
                                                     {"top", "WM_LBUTTONUP"},
                                                 }));
}

TEST_F(Input, CursorPositionAndClipping) {
  EXPECT_TRUE(SetCursorPos(400, 300));
  POINT p;
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 400);
  EXPECT_EQ(p.y, 300);
  RECT clip{100, 100, 200, 150};
  ClipCursor(&clip);
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 199);  // pulled inside at once
  EXPECT_EQ(p.y, 149);
  SetCursorPos(0, 0);
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 100);
  EXPECT_EQ(p.y, 100);
  RECT got;
  GetClipCursor(&got);
  EXPECT_TRUE(EqualRect(&got, &clip));
  ClipCursor(nullptr);
  SetCursorPos(5000, -10);
  GetCursorPos(&p);
  EXPECT_EQ(p.x, GetSystemMetrics(SM_CXSCREEN) - 1);
  EXPECT_EQ(p.y, 0);
  uitest::RunUntilIdle();
}

TEST_F(Input, CaretInvertsItsRectangleWhileShown) {
  uitest::RunUntilIdle();
  const COLORREF before = uitest::ClientPixel(child_, 11, 11);
  ASSERT_TRUE(CreateCaret(child_, nullptr, 2, 12));
  SetCaretPos(10, 5);
  EXPECT_EQ(uitest::ClientPixel(child_, 11, 11), before);  // a new caret is hidden
  ShowCaret(child_);
  EXPECT_EQ(uitest::ClientPixel(child_, 11, 11), before ^ 0xFFFFFFu);
  POINT p;
  GetCaretPos(&p);
  EXPECT_EQ(p.x, 10);
  HideCaret(child_);
  EXPECT_EQ(uitest::ClientPixel(child_, 11, 11), before);
  ShowCaret(child_);
  // Painting hides it and shows it again afterwards.
  InvalidateRect(child_, nullptr, TRUE);
  UpdateWindow(child_);
  EXPECT_EQ(uitest::ClientPixel(child_, 11, 11), before ^ 0xFFFFFFu);
  DestroyCaret();
  EXPECT_EQ(uitest::ClientPixel(child_, 11, 11), before);
  EXPECT_FALSE(GetCaretPos(&p));
}

// The caret blinks on the clock: off after each blink period, on after the
// next; showing or moving it turns it on with a full period ahead; a hidden
// caret stays off whatever the clock does.
TEST_F(Input, CaretBlinksOnTheClock) {
  uitest::RunUntilIdle();
  const COLORREF off = uitest::ClientPixel(child_, 11, 11);
  const COLORREF on = off ^ 0xFFFFFFu;
  ASSERT_EQ(GetCaretBlinkTime(), 530u);
  ASSERT_TRUE(CreateCaret(child_, nullptr, 2, 12));
  SetCaretPos(10, 5);
  ShowCaret(child_);
  struct Step {
    DWORD advance;
    bool shown;
  };
  const Step blinking[] = {{0, true}, {529, true}, {1, false}, {529, false}, {1, true}, {530, false}, {530, true}};
  for (const Step& step : blinking) {
    clock_->Advance(step.advance);
    EXPECT_EQ(uitest::ClientPixel(child_, 11, 11), step.shown ? on : off) << "after " << step.advance << " ms more";
  }
  clock_->Advance(530);  // off
  ASSERT_EQ(uitest::ClientPixel(child_, 11, 11), off);
  SetCaretPos(30, 5);  // moved: on at once, at its new place only
  EXPECT_EQ(uitest::ClientPixel(child_, 31, 11), on);
  EXPECT_EQ(uitest::ClientPixel(child_, 11, 11), off);
  clock_->Advance(529);
  EXPECT_EQ(uitest::ClientPixel(child_, 31, 11), on);
  clock_->Advance(1);
  EXPECT_EQ(uitest::ClientPixel(child_, 31, 11), off);
  HideCaret(child_);
  clock_->Advance(5000);
  EXPECT_EQ(uitest::ClientPixel(child_, 31, 11), off);
  ShowCaret(child_);
  EXPECT_EQ(uitest::ClientPixel(child_, 31, 11), on);
  // Another blink time takes effect at once; INFINITE keeps the caret on.
  ASSERT_TRUE(SetCaretBlinkTime(100));
  clock_->Advance(100);
  EXPECT_EQ(uitest::ClientPixel(child_, 31, 11), off);
  ASSERT_TRUE(SetCaretBlinkTime(INFINITE));
  EXPECT_EQ(uitest::ClientPixel(child_, 31, 11), on);
  clock_->Advance(5000);
  EXPECT_EQ(uitest::ClientPixel(child_, 31, 11), on);
  EXPECT_FALSE(SetCaretBlinkTime(0));
  ASSERT_TRUE(SetCaretBlinkTime(530));
  // No WM_TIMER reaches the window for the caret.
  EXPECT_EQ(MessageLog::Get().Rows(kMouseNoise), Expect({}));
  DestroyCaret();
  EXPECT_EQ(uitest::ClientPixel(child_, 31, 11), off);
  clock_->Advance(530);
  EXPECT_EQ(uitest::ClientPixel(child_, 31, 11), off);
}

TEST_F(Input, VirtualKeysAndCharacters) {
  EXPECT_EQ(VkKeyScanW(u'a'), 'A');
  EXPECT_EQ(VkKeyScanW(u'A'), 'A' | 0x100);
  EXPECT_EQ(VkKeyScanW(u'!'), '1' | 0x100);
  EXPECT_EQ(MapVirtualKeyW(VK_RETURN, 0), 0x1Cu);
  EXPECT_EQ(MapVirtualKeyW(0x1C, 1), static_cast<UINT>(VK_RETURN));
  EXPECT_EQ(MapVirtualKeyW('A', 2), static_cast<UINT>('a'));
}

}  // namespace

namespace {

// TrackMouseEvent: the tracked window hears WM_MOUSELEAVE once, when the
// pointer leaves its client area (WM_NCMOUSELEAVE for its frame); not at all
// after a cancel; at once when the pointer is not over it.
TEST_F(Input, TrackedWindowHearsThePointerLeave) {
  const HWND sibling = CreateWindowExW(WS_EX_NOPARENTNOTIFY, u"LogWindow", u"sibling", WS_CHILD | WS_VISIBLE, 150,
                                       10, 100, 50, top_, reinterpret_cast<HMENU>(6), nullptr, nullptr);
  MessageLog::Get().Name(sibling, "sibling");
  auto onlyLeaves = [] {
    std::vector<std::string> rows;
    for (const auto& row : MessageLog::Get().Rows())
      if (row.find("MOUSELEAVE") != std::string::npos) rows.push_back(row);
    return rows;
  };
  auto track = [](HWND window, DWORD flags) {
    TRACKMOUSEEVENT t{sizeof t, flags, window, HOVER_DEFAULT};
    return TrackMouseEvent(&t);
  };
  struct Case {
    const char* what;
    DWORD flags;
    HWND (*start)(HWND child, HWND sibling, HWND top);
    HWND (*end)(HWND child, HWND sibling, HWND top);
    bool cancel;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"into a sibling", TME_LEAVE, [](HWND c, HWND, HWND) { return c; }, [](HWND, HWND s, HWND) { return s; },
       false, Expect({{"child", "WM_MOUSELEAVE"}})},
      {"into the parent", TME_LEAVE, [](HWND c, HWND, HWND) { return c; }, [](HWND, HWND, HWND t) { return t; },
       false, Expect({{"child", "WM_MOUSELEAVE"}})},
      {"cancelled", TME_LEAVE, [](HWND c, HWND, HWND) { return c; }, [](HWND, HWND s, HWND) { return s; }, true,
       {}},
      {"not over it when asked", TME_LEAVE, [](HWND, HWND s, HWND) { return s; },
       [](HWND, HWND s, HWND) { return s; }, false, Expect({{"child", "WM_MOUSELEAVE"}})},
  };
  for (const auto& c : cases) {
    uitest::MoveMouse(c.start(child_, sibling, top_), POINT{5, 5});
    MessageLog::Get().Clear();
    ASSERT_TRUE(track(child_, c.flags)) << c.what;
    if (c.cancel) {
      ASSERT_TRUE(track(child_, c.flags | TME_CANCEL)) << c.what;
    }
    uitest::MoveMouse(c.start(child_, sibling, top_), POINT{8, 8});
    uitest::MoveMouse(c.end(child_, sibling, top_), POINT{6, 40});
    uitest::MoveMouse(c.end(child_, sibling, top_), POINT{7, 41});
    EXPECT_EQ(onlyLeaves(), c.expected) << c.what;
    TRACKMOUSEEVENT query{sizeof query, TME_QUERY, nullptr, 0};
    ASSERT_TRUE(TrackMouseEvent(&query));
    EXPECT_EQ(query.hwndTrack, nullptr) << c.what << ": a leave ends the tracking";
  }
  // Tracking shows in a query while the pointer stays.
  uitest::MoveMouse(child_, POINT{5, 5});
  ASSERT_TRUE(track(child_, TME_LEAVE));
  TRACKMOUSEEVENT query{sizeof query, TME_QUERY, nullptr, 0};
  ASSERT_TRUE(TrackMouseEvent(&query));
  EXPECT_EQ(query.hwndTrack, child_);
  EXPECT_EQ(query.dwFlags, TME_LEAVE);
  // The non-client area: from the caption into the client area.
  uitest::MoveMouse(top_, POINT{60, -10});  // on the caption
  MessageLog::Get().Clear();
  ASSERT_TRUE(track(top_, TME_LEAVE | TME_NONCLIENT));
  uitest::MoveMouse(top_, POINT{120, 100});
  EXPECT_EQ(onlyLeaves(), Expect({{"top", "WM_NCMOUSELEAVE"}}));
  // Hovering is not tracked; a wrong size is refused.
  EXPECT_FALSE(track(top_, TME_HOVER));
  TRACKMOUSEEVENT wrong{sizeof wrong - 4, TME_LEAVE, top_, 0};
  EXPECT_FALSE(TrackMouseEvent(&wrong));
  DestroyWindow(sibling);
}

}  // namespace
