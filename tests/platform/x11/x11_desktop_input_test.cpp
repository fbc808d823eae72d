// The X11 back-end and the rest of the desktop: another program taking the
// focus deactivates the process (and giving it back activates it again),
// the pointer leaving for another program's window ends mouse tracking, an
// icon set after showing reaches the window manager's property (read by
// xprop), cursors shown by the server (read through XFixes), and input for a
// window of a thread other than the display's.
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "tests/platform/x11/x11_fixture.h"
// clang-format off
#include <X11/extensions/Xfixes.h>
// clang-format on

namespace {

using x11test::X11Fixture;

struct Logged {
  HWND window;
  UINT message;
  WPARAM wParam;
};
std::mutex g_logMutex;
std::vector<Logged> g_log;
// Set when the window of another thread has had a click and two characters.
HANDLE g_inputDone = nullptr;

std::vector<Logged> LogOf(UINT message) {
  std::lock_guard lock(g_logMutex);
  std::vector<Logged> out;
  for (const auto& l : g_log)
    if (l.message == message) out.push_back(l);
  return out;
}

void ClearLog() {
  std::lock_guard lock(g_logMutex);
  g_log.clear();
}

LRESULT LoggingProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
    case WM_MOUSELEAVE:
    case WM_CHAR:
    case WM_LBUTTONDOWN: {
      std::lock_guard lock(g_logMutex);
      g_log.push_back(Logged{w, message, wParam});
      size_t chars = 0, clicks = 0;
      for (const auto& l : g_log) chars += l.message == WM_CHAR, clicks += l.message == WM_LBUTTONDOWN;
      if (g_inputDone && chars >= 2 && clicks >= 1) SetEvent(g_inputDone);
      break;
    }
    default: break;
  }
  return DefWindowProcW(w, message, wParam, lParam);
}

void RegisterClassWithCursor(const char16_t* name, LPCSTR cursor) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = LoggingProc;
  wc.hCursor = LoadCursorA(nullptr, cursor);
  wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

HWND MakeWindow(const char16_t* className, int x, int y) {
  return CreateWindowExW(0, className, u"Desktop input", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 300, 200, nullptr,
                         nullptr, nullptr, nullptr);
}

// A window of another program: its own connection to the server.
class OtherProgram {
 public:
  explicit OtherProgram(const std::string& name) : x_(XOpenDisplay(name.c_str())) {
    if (!x_) return;
    window_ = XCreateSimpleWindow(x_, DefaultRootWindow(x_), 700, 500, 200, 150, 0, 0, 0xFFFFFF);
    XSelectInput(x_, window_, StructureNotifyMask);
    XMapWindow(x_, window_);
    XEvent e;
    do XWindowEvent(x_, window_, StructureNotifyMask, &e);
    while (e.type != MapNotify);
  }
  ~OtherProgram() {
    if (!x_) return;
    XDestroyWindow(x_, window_);
    XCloseDisplay(x_);
  }
  bool Valid() const { return x_ != nullptr; }
  // Gives the keyboard to one of its windows, or to another window.
  void Focus(::Window target = 0) {
    XSetInputFocus(x_, target ? target : window_, RevertToParent, CurrentTime);
    XSync(x_, False);
  }

 private:
  ::Display* x_;
  ::Window window_ = 0;
};

class X11DesktopInput : public X11Fixture {
 protected:
  void SetUp() override {
    ClearLog();
    StartDesktop(false);
    RegisterClassWithCursor(u"TavX11Arrow", IDC_ARROW);
    RegisterClassWithCursor(u"TavX11Beam", IDC_IBEAM);
  }
  void Move(int x, int y) { Xdotool({"mousemove", std::to_string(x), std::to_string(y)}); }
};

TEST_F(X11DesktopInput, AnotherProgramTakingTheFocusDeactivates) {
  const HWND w = MakeWindow(u"TavX11Arrow", 40, 40);
  ASSERT_TRUE(w);
  ASSERT_TRUE(WaitUntil([&] { return GetActiveWindow() == w && x11_->Mapped(w); }));
  OtherProgram other(server_->Name());
  ASSERT_TRUE(other.Valid());
  Settle();
  ClearLog();
  other.Focus();
  ASSERT_TRUE(WaitUntil([] { return GetActiveWindow() == nullptr; })) << "the focus went to another program";
  EXPECT_EQ(GetForegroundWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  // The frame loses its active look, the window hears WA_INACTIVE, then the
  // application hears it lost the activation.
  std::vector<UINT> order;
  {
    std::lock_guard lock(g_logMutex);
    for (const auto& l : g_log) order.push_back(l.message);
  }
  EXPECT_EQ(order, (std::vector<UINT>{WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP}));
  ASSERT_EQ(LogOf(WM_ACTIVATE).size(), 1u);
  EXPECT_EQ(LOWORD(LogOf(WM_ACTIVATE)[0].wParam), WA_INACTIVE);
  EXPECT_EQ(LogOf(WM_ACTIVATEAPP)[0].wParam, static_cast<WPARAM>(FALSE));
  // The other program hands the keyboard back: the window is active again.
  ClearLog();
  other.Focus(x11_->XWindowOf(w));
  ASSERT_TRUE(WaitUntil([&] { return GetActiveWindow() == w; }));
  ASSERT_EQ(LogOf(WM_ACTIVATEAPP).size(), 1u);
  EXPECT_EQ(LogOf(WM_ACTIVATEAPP)[0].wParam, static_cast<WPARAM>(TRUE));
  ASSERT_EQ(LogOf(WM_ACTIVATE).size(), 1u);
  EXPECT_EQ(LOWORD(LogOf(WM_ACTIVATE)[0].wParam), WA_ACTIVE);
  DestroyWindow(w);
  Settle();
}

TEST_F(X11DesktopInput, PointerLeavingForAnotherProgramEndsTracking) {
  const HWND w = MakeWindow(u"TavX11Arrow", 40, 40);
  ASSERT_TRUE(WaitUntil([&] { return x11_->Mapped(w); }));
  OtherProgram other(server_->Name());
  ASSERT_TRUE(other.Valid());
  for (const auto& [what, x, y] : {std::tuple{"into another program's window", 750, 550},
                                   std::tuple{"onto the bare desktop", 600, 20}}) {
    Move(150, 150);
    ClearLog();
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, w, HOVER_DEFAULT};
    ASSERT_TRUE(TrackMouseEvent(&track)) << what;
    TRACKMOUSEEVENT query{sizeof query, TME_QUERY, nullptr, 0};
    ASSERT_TRUE(TrackMouseEvent(&query));
    ASSERT_EQ(query.hwndTrack, w) << what << ": the pointer is over the window";
    Move(x, y);
    EXPECT_TRUE(WaitUntil([] { return !LogOf(WM_MOUSELEAVE).empty(); })) << what;
    EXPECT_EQ(LogOf(WM_MOUSELEAVE).size(), 1u) << what;
  }
  DestroyWindow(w);
  Settle();
}

TEST_F(X11DesktopInput, IconSetAfterShowingReachesTheDesktop) {
  const HWND w = MakeWindow(u"TavX11Arrow", 40, 40);
  ASSERT_TRUE(WaitUntil([&] { return x11_->Mapped(w); }));
  const std::string id = std::to_string(x11_->XWindowOf(w));
  auto iconProperty = [&] {
    std::string out;
    server_->Run({"xprop", "-id", id, "_NET_WM_ICON"}, &out);
    return out;
  };
  EXPECT_EQ(iconProperty().find("Icon ("), std::string::npos) << "no icon before one is set";
  SendMessageW(w, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_WARNING)));
  Settle();
  const std::string warning = iconProperty();
  EXPECT_NE(warning.find("Icon (32 x 32)"), std::string::npos) << warning;
  SendMessageW(w, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_ERROR)));
  Settle();
  const std::string error = iconProperty();
  EXPECT_NE(error.find("Icon (32 x 32)"), std::string::npos) << error;
  EXPECT_NE(error, warning) << "the second icon replaced the first";
  SendMessageW(w, WM_SETICON, ICON_BIG, 0);
  Settle();
  EXPECT_EQ(iconProperty().find("Icon ("), std::string::npos) << "no icon left";
  DestroyWindow(w);
  Settle();
}

struct ShownCursor {
  int width = 0, height = 0, xhot = 0, yhot = 0;
  std::vector<unsigned long> pixels;
};

ShownCursor CursorOnScreen(::Display* x) {
  ShownCursor c;
  if (XFixesCursorImage* image = XFixesGetCursorImage(x)) {
    c.width = image->width, c.height = image->height, c.xhot = image->xhot, c.yhot = image->yhot;
    c.pixels.assign(image->pixels, image->pixels + static_cast<size_t>(image->width) * image->height);
    XFree(image);
  }
  return c;
}

TEST_F(X11DesktopInput, ServerShowsTheClassCursorOverEachWindow) {
  ::Display* x = x11_->Connection();
  int event = 0, error = 0;
  ASSERT_TRUE(XFixesQueryExtension(x, &event, &error)) << "Xvfb has XFIXES";
  const HWND arrow = MakeWindow(u"TavX11Arrow", 20, 20);
  const HWND beam = MakeWindow(u"TavX11Beam", 400, 20);
  ASSERT_TRUE(WaitUntil([&] { return x11_->Mapped(arrow) && x11_->Mapped(beam); }));
  Move(500, 120);
  const ShownCursor overBeam = CursorOnScreen(x);
  Move(120, 120);
  const ShownCursor overArrow = CursorOnScreen(x);
  ASSERT_GT(overBeam.width, 0);
  ASSERT_GT(overArrow.width, 0);
  EXPECT_NE(overBeam.pixels, overArrow.pixels) << "two shapes";
  // The arrow's hot spot is its tip, at the top left; the I-beam's is in its middle.
  EXPECT_LT(overArrow.xhot, overArrow.width / 3);
  EXPECT_LT(overArrow.yhot, overArrow.height / 3);
  EXPECT_GT(overBeam.xhot, overBeam.width / 4);
  EXPECT_LT(overBeam.xhot, overBeam.width * 3 / 4);
  EXPECT_GT(overBeam.yhot, overBeam.height / 4);
  DestroyWindow(arrow);
  DestroyWindow(beam);
  Settle();
}

// A window made and served by a thread of its own: what the display's
// thread reads from the server is the window's thread's input.
TEST_F(X11DesktopInput, InputReachesAWindowOfAnotherThread) {
  std::mutex mutex;
  std::condition_variable ready;
  HWND made = nullptr;
  DWORD thread = 0;
  std::thread owner([&] {
    const HWND w = MakeWindow(u"TavX11Arrow", 60, 60);
    {
      std::lock_guard lock(mutex);
      made = w;
      thread = GetCurrentThreadId();
    }
    ready.notify_all();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    DestroyWindow(w);
  });
  {
    std::unique_lock lock(mutex);
    ready.wait(lock, [&] { return made != nullptr; });
  }
  // The thread ends however the test does.
  struct Ending {
    std::thread& owner;
    DWORD& thread;
    ~Ending() {
      PostThreadMessageW(thread, WM_QUIT, 0, 0);
      owner.join();
    }
  } ending{owner, thread};
  // The other thread mapped its window before it said it was ready: one
  // round trip brings the server's answer, which this thread reads.
  Settle();
  ASSERT_TRUE(x11_->Mapped(made));
  ASSERT_EQ(GetForegroundWindow(), made);
  ClearLog();
  g_inputDone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  Xdotool({"mousemove", "200", "150", "click", "1"});
  Xdotool({"type", "--delay", "0", "ok"});
  // This thread reads the display while it waits for the other to have the input.
  DWORD waited = WAIT_TIMEOUT;
  for (int round = 0; round < 300 && waited != WAIT_OBJECT_0; ++round) {
    waited = MsgWaitForMultipleObjects(1, &g_inputDone, FALSE, 100, QS_ALLINPUT);
    Settle();
  }
  EXPECT_EQ(waited, static_cast<DWORD>(WAIT_OBJECT_0));
  CloseHandle(g_inputDone);
  g_inputDone = nullptr;
  const auto chars = LogOf(WM_CHAR);
  ASSERT_EQ(chars.size(), 2u);
  EXPECT_EQ(chars[0].window, made);
  EXPECT_EQ(chars[0].wParam, static_cast<WPARAM>(u'o'));
  EXPECT_EQ(chars[1].wParam, static_cast<WPARAM>(u'k'));
  ASSERT_EQ(LogOf(WM_LBUTTONDOWN).size(), 1u);
  EXPECT_EQ(LogOf(WM_LBUTTONDOWN)[0].window, made);
}

// The input method's composition as the back-end's callbacks report it
// (called here directly, in an order a server may use; x11_input_method_test
// types through a real server) reaches a rich-edit control in place, and the
// text it gives is one step to undo.
TEST_F(X11DesktopInput, CompositionFromTheInputMethodReachesARichEdit) {
  const HWND w = MakeWindow(u"TavX11Arrow", 40, 40);
  const HWND edit = CreateWindowExW(0, u"RichEdit20W", u"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 10, 10, 220, 60, w,
                                    nullptr, nullptr, nullptr);
  ASSERT_TRUE(edit);
  ASSERT_TRUE(WaitUntil([&] { return x11_->Mapped(w) && GetActiveWindow() == w; }));
  SetFocus(edit);
  auto text = [&] {
    char16_t buffer[64] = {};
    GetWindowTextW(edit, buffer, 64);
    return std::u16string(buffer);
  };
  x11_->PreeditStarted();
  x11_->PreeditDrawn(0, 0, U"にほ", 2);
  Settle();
  EXPECT_EQ(text(), u"にほ");
  x11_->PreeditDrawn(2, 0, U"ん", 3);
  Settle();
  EXPECT_EQ(text(), u"にほん");
  x11_->PreeditDrawn(0, 3, U"日本", 2);
  Settle();
  EXPECT_EQ(text(), u"日本");
  EXPECT_TRUE(x11_->Composing());
  x11_->TextGiven(u"日本", 0);
  x11_->PreeditDone();
  Settle();
  EXPECT_FALSE(x11_->Composing());
  EXPECT_EQ(text(), u"日本");
  EXPECT_EQ(SendMessageW(edit, EM_UNDO, 0, 0), TRUE);
  EXPECT_EQ(text(), u"");
  DestroyWindow(w);
  Settle();
}

}  // namespace
