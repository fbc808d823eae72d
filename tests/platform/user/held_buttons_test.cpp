// Buttons held down with the mouse: a caption button looks pushed while the
// pointer holds it (and raised while the pointer is off it), and a held
// scroll-bar arrow or shaft press repeats its request on the layer's clock.
// The caption and window scroll bars track the mouse in modal loops, so a
// WH_GETMESSAGE hook plays the rest of each gesture from inside the loop:
// each message the loop reads runs the next step, which notes what is drawn
// and queues the next input.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "platform/testing/ui.h"
#include "tests/platform/user/message_log.h"

using namespace usertest;

namespace {

using user::MouseButton;

struct Script {
  HWND window = nullptr;
  std::vector<std::function<void(const MSG&)>> steps;
  size_t next = 0;
};
Script* g_script = nullptr;

LRESULT ScriptHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  // Painting is no step: it comes whenever the queue runs dry.
  if (code == HC_ACTION && wParam == PM_REMOVE && g_script && GetCapture() == g_script->window &&
      msg->message != WM_PAINT && g_script->next < g_script->steps.size())
    g_script->steps[g_script->next++](*msg);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Runs `script` while the queue runs after `start` (which queues the press).
void Play(Script& script, const std::function<void()>& start) {
  g_script = &script;
  const HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, ScriptHook, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  start();
  uitest::RunUntilIdle();
  UnhookWindowsHookEx(hook);
  g_script = nullptr;
  EXPECT_EQ(script.next, script.steps.size()) << "the loop ended before the script";
}

// The screen rectangle of a non-client part, found by hit testing.
RECT PartRect(HWND window, LRESULT part) {
  RECT wr, found{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  GetWindowRect(window, &wr);
  for (int y = wr.top; y < wr.bottom; ++y)
    for (int x = wr.left; x < wr.right; ++x)
      if (SendMessageW(window, WM_NCHITTEST, 0, MAKELONG(x, y)) == part) {
        found.left = std::min<LONG>(found.left, x);
        found.top = std::min<LONG>(found.top, y);
        found.right = std::max<LONG>(found.right, x + 1);
        found.bottom = std::max<LONG>(found.bottom, y + 1);
      }
  return found;
}

POINT Middle(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The pixels of a screen rectangle of a window.
std::vector<uint32_t> Pixels(HWND window, const RECT& screen) {
  RECT wr;
  GetWindowRect(window, &wr);
  const uitest::Picture p = uitest::CaptureWindow(window);
  std::vector<uint32_t> out;
  for (int y = screen.top; y < screen.bottom; ++y)
    for (int x = screen.left; x < screen.right; ++x) out.push_back(p.At(x - wr.left, y - wr.top));
  return out;
}

class HeldCaption : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterLogClass();
    window_ = CreateWindowExW(0, u"LogWindow", u"Hold my buttons", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300,
                              200, nullptr, nullptr, nullptr, nullptr);
    MessageLog::Get().Name(window_, "w");
    uitest::RunUntilIdle();
    MessageLog::Get().Clear();
  }
  void TearDown() override {
    if (IsWindow(window_)) DestroyWindow(window_);
    uitest::RunUntilIdle();
  }
  std::vector<std::string> Commands() const {
    std::vector<std::string> out;
    for (const auto& e : MessageLog::Get().Entries())
      if (e.message == WM_SYSCOMMAND) out.push_back(std::to_string(e.wParam & 0xFFF0));
    return out;
  }
  uitest::VirtualClock clock_;
  HWND window_ = nullptr;
};

TEST_F(HeldCaption, EachButtonLooksPushedOnlyWhileThePointerHoldsIt) {
  const POINT away{200, 200};  // the client area
  struct Case {
    const char* what;
    LRESULT part;
    const char* picture;
  } const cases[] = {
      {"close", HTCLOSE, "caption_close_pushed.png"},
      {"maximise", HTMAXBUTTON, "caption_maximise_pushed.png"},
      {"minimise", HTMINBUTTON, "caption_minimise_pushed.png"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RECT button = PartRect(window_, c.part);
    ASSERT_LT(button.left, button.right);
    const POINT on = Middle(button);
    const std::vector<uint32_t> raised = Pixels(window_, button);
    std::vector<bool> pushed;  // what each step saw
    std::vector<uint32_t> pushedPixels;
    Script script;
    script.window = window_;
    auto note = [&] {
      const std::vector<uint32_t> now = Pixels(window_, button);
      pushed.push_back(now != raised);
      if (now != raised) pushedPixels = now;
    };
    // Held on the button, moved off it, back on, off again, let go off it.
    script.steps = {
        [&](const MSG&) {
          note();
          ASSERT_TRUE(uitest::SaveWindowPng(window_, std::string(TAV_BUILD_DIR) + "/" + c.picture));
          user::DeviceMouseMove(on);
        },
        [&](const MSG&) {
          note();
          user::DeviceMouseMove(away);
        },
        [&](const MSG&) {
          note();
          user::DeviceMouseButton(MouseButton::Left, false, away);
        },
        [&](const MSG&) { note(); },
    };
    Play(script, [&] {
      user::DeviceMouseMove(on);
      user::DeviceMouseButton(MouseButton::Left, true, on);
      user::DeviceMouseMove(away);
    });
    // Pushed after the press, raised once the pointer left, pushed when it
    // came back, raised when it left again.
    EXPECT_EQ(pushed, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(Pixels(window_, button), raised) << "let go: raised again";
    EXPECT_FALSE(pushedPixels.empty());
    EXPECT_TRUE(Commands().empty()) << "let go off the button: no command";
    clock_.Advance(GetDoubleClickTime() + 1);
  }
  // Let go on it: its command, and it is raised again.
  const RECT close = PartRect(window_, HTMINBUTTON);
  uitest::ClickScreen(Middle(close));
  EXPECT_EQ(Commands(), std::vector<std::string>{std::to_string(SC_MINIMIZE)});
}

// The pushed caption button is the sunken frame control the caption draws.
TEST_F(HeldCaption, PushedButtonIsTheSunkenFrameControl) {
  const RECT button = PartRect(window_, HTCLOSE);
  const std::vector<uint32_t> raised = Pixels(window_, button);
  std::vector<uint32_t> held;
  Script script;
  script.window = window_;
  script.steps = {[&](const MSG&) {
                    held = Pixels(window_, button);
                    user::DeviceMouseButton(MouseButton::Left, false, POINT{200, 200});
                  },
                  [&](const MSG&) {}};
  Play(script, [&] {
    const POINT on = Middle(button);
    user::DeviceMouseMove(on);
    user::DeviceMouseButton(MouseButton::Left, true, on);
    user::DeviceMouseMove(on);
  });
  // Where the raised button's inner top-left edge is the highlight, the
  // pushed one's is the dark shadow, and the other way round at the
  // bottom-right corner's outer edge.
  ASSERT_EQ(held.size(), raised.size());
  auto rgb = [](int index) {
    const COLORREF c = GetSysColor(index);
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
  };
  int lightToDark = 0, darkToLight = 0;
  for (size_t i = 0; i < raised.size(); ++i) {
    if (raised[i] == rgb(COLOR_3DHIGHLIGHT) && held[i] == rgb(COLOR_3DDKSHADOW)) ++lightToDark;
    if (raised[i] == rgb(COLOR_3DDKSHADOW) && held[i] == rgb(COLOR_3DHIGHLIGHT)) ++darkToLight;
  }
  std::map<std::pair<uint32_t, uint32_t>, int> changes;
  for (size_t i = 0; i < raised.size(); ++i)
    if (raised[i] != held[i]) ++changes[{raised[i], held[i]}];
  std::string seen;
  for (const auto& [pair, n] : changes) {
    char text[64];
    std::snprintf(text, sizeof text, " %06x->%06x x%d", pair.first, pair.second, n);
    seen += text;
  }
  EXPECT_GT(lightToDark, 10) << "the pushed button is not drawn sunken:" << seen;
  EXPECT_GT(darkToLight, 10) << "the pushed button is not drawn sunken:" << seen;
  EXPECT_TRUE(IsWindow(window_));
}

// A window's scroll bar: the held down arrow repeats after 200 ms and then
// every 50 ms while the pointer stays on it; it looks pushed only then.
LRESULT Counter(HWND w, UINT m, WPARAM wp, LPARAM lp);
std::vector<WORD> g_requests;
LRESULT Counter(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_VSCROLL) {
    g_requests.push_back(LOWORD(wp));
    const int pos = GetScrollPos(w, SB_VERT);
    if (LOWORD(wp) == SB_LINEDOWN) SetScrollPos(w, SB_VERT, pos + 1, TRUE);
    if (LOWORD(wp) == SB_PAGEDOWN) SetScrollPos(w, SB_VERT, pos + 20, TRUE);
    return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

class HeldScrollBar : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = uitest::CreateTestWindow({u"HeldCounter", Counter, COLOR_WINDOW}, u"",
                                       WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE, 200, 200, 300, 240);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 199, 20, 0, 0};
    SetScrollInfo(window_, SB_VERT, &si, TRUE);
    uitest::RunUntilIdle();
    g_requests.clear();
  }
  void TearDown() override {
    DestroyWindow(window_);
    uitest::RunUntilIdle();
  }
  int Count(WORD request) const {
    return static_cast<int>(std::count(g_requests.begin(), g_requests.end(), request));
  }
  uitest::VirtualClock clock_;
  HWND window_ = nullptr;
};

TEST_F(HeldScrollBar, HeldArrowRepeatsOnTheClockWhileThePointerIsOnIt) {
  const RECT bar = PartRect(window_, HTVSCROLL);
  ASSERT_LT(bar.top, bar.bottom);
  const int arrow = bar.right - bar.left;  // square arrows
  const POINT down{(bar.left + bar.right) / 2, bar.bottom - arrow / 2};
  const POINT off{bar.left - 40, bar.bottom - arrow / 2};  // in the client area
  const RECT arrowRect{bar.left, bar.bottom - arrow, bar.right, bar.bottom};
  const std::vector<uint32_t> raised = Pixels(window_, arrowRect);
  struct Seen {
    int requests;
    bool pushed;
    bool operator==(const Seen&) const = default;
  };
  std::vector<Seen> seen;
  auto note = [&] { seen.push_back({Count(SB_LINEDOWN), Pixels(window_, arrowRect) != raised}); };
  Script script;
  script.window = window_;
  // Each step runs as the loop reads a message: it notes what was sent and
  // drawn so far, then moves the clock or queues the next input.
  script.steps = {
      [&](const MSG&) { note(), uitest::MoveClock(199), user::DeviceMouseMove(down); },  // 199 ms held
      [&](const MSG&) { note(), uitest::MoveClock(1); },                                // 200 ms: due
      [&](const MSG&) { note(), user::DeviceMouseMove(down); },                         // the first repeat
      [&](const MSG&) { note(), uitest::MoveClock(50); },
      [&](const MSG&) { note(), user::DeviceMouseMove(down); },  // the second repeat
      [&](const MSG&) { note(), user::DeviceMouseMove(off), uitest::MoveClock(50); },
      [&](const MSG&) { note(); },                                // the pointer went off the arrow
      [&](const MSG&) { note(), user::DeviceMouseMove(down); },  // due, but off: no request
      [&](const MSG&) { note(), uitest::MoveClock(50); },        // back on
      [&](const MSG&) { note(), user::DeviceMouseButton(MouseButton::Left, false, down); },  // a repeat
      [&](const MSG&) { note(); },
  };
  Play(script, [&] {
    user::DeviceMouseMove(down);
    user::DeviceMouseButton(MouseButton::Left, true, down);
    user::DeviceMouseMove(down);
  });
  const std::vector<Seen> expected{
      {1, true}, {1, true}, {1, true}, {2, true}, {2, true}, {3, true},
      {3, true}, {3, false}, {3, false}, {3, true}, {4, true},
  };
  EXPECT_EQ(seen.size(), expected.size());
  for (size_t i = 0; i < std::min(seen.size(), expected.size()); ++i) {
    EXPECT_EQ(seen[i].requests, expected[i].requests) << "step " << i;
    EXPECT_EQ(seen[i].pushed, expected[i].pushed) << "step " << i;
  }
  EXPECT_EQ(g_requests.back(), SB_ENDSCROLL);
  EXPECT_EQ(GetScrollPos(window_, SB_VERT), 4);
  EXPECT_EQ(Pixels(window_, arrowRect), raised) << "let go: raised again";
  clock_.Advance(500);
  EXPECT_EQ(Count(SB_LINEDOWN), 4) << "let go: no more requests";
}

// The scroll-bar control repeats too; a held shaft press stops once the
// thumb has come to the pointer.
TEST(HeldScrollBarControl, ArrowAndShaftRepeatOnTheClock) {
  uitest::VirtualClock clock;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
  wc.lpszClassName = u"HeldParent";
  RegisterClassExW(&wc);
  struct Parent {
    static LRESULT Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
      if (m == WM_VSCROLL && lp) {
        const HWND bar = reinterpret_cast<HWND>(lp);
        g_requests.push_back(LOWORD(wp));
        const int pos = static_cast<int>(SendMessageW(bar, SBM_GETPOS, 0, 0));
        if (LOWORD(wp) == SB_LINEDOWN) SendMessageW(bar, SBM_SETPOS, pos + 1, TRUE);
        if (LOWORD(wp) == SB_PAGEDOWN) SendMessageW(bar, SBM_SETPOS, pos + 10, TRUE);
        return 0;
      }
      return DefWindowProcW(w, m, wp, lp);
    }
  };
  const HWND parent = CreateWindowExW(0, u"HeldParent", u"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 300,
                                      nullptr, nullptr, nullptr, nullptr);
  SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Parent::Proc));
  const HWND bar = CreateWindowExW(0, u"SCROLLBAR", u"", WS_CHILD | WS_VISIBLE | SBS_VERT, 10, 10, 17, 200, parent,
                                   nullptr, nullptr, nullptr);
  SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0, 0};
  SendMessageW(bar, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&si));
  uitest::RunUntilIdle();
  g_requests.clear();
  auto count = [](WORD r) { return static_cast<int>(std::count(g_requests.begin(), g_requests.end(), r)); };
  struct Step {
    DWORD advance;
    int lineDowns;
  } const arrowSteps[] = {{0, 1}, {199, 1}, {1, 2}, {49, 2}, {1, 3}, {50, 4}, {50, 5}, {50, 6}};
  uitest::MouseDown(bar, POINT{8, 200 - 8});  // the down arrow
  for (const Step& s : arrowSteps) {
    clock.Advance(s.advance);
    EXPECT_EQ(count(SB_LINEDOWN), s.lineDowns) << "after " << s.advance << " ms more";
  }
  uitest::MouseUp(bar, POINT{8, 200 - 8});
  clock.Advance(500);
  EXPECT_EQ(count(SB_LINEDOWN), 6) << "let go: no more requests";
  EXPECT_EQ(g_requests.back(), SB_ENDSCROLL);
  // Held in the shaft near the bottom: pages until the thumb reaches the pointer.
  g_requests.clear();
  uitest::MouseDown(bar, POINT{8, 200 - 30});
  clock.Advance(200);
  for (int i = 0; i < 20; ++i) clock.Advance(50);
  uitest::MouseUp(bar, POINT{8, 200 - 30});
  const int pages = count(SB_PAGEDOWN);
  EXPECT_GT(pages, 2);
  EXPECT_LT(pages, 10) << "the thumb stops at the pointer";
  const int pos = static_cast<int>(SendMessageW(bar, SBM_GETPOS, 0, 0));
  EXPECT_GT(pos, 50);
  DestroyWindow(parent);
  uitest::RunUntilIdle();
}

}  // namespace
