// The X11 back-end on a real X server without a window manager: the
// screen's metrics, surfaces on the screen pixel for pixel (through shared
// memory and without it), a dialog typed into and clicked by xdotool, a menu
// command picked, the window manager's close, and pictures of a dialog, a
// menu and an MDI frame taken by the X server.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/platform/x11/x11_fixture.h"

namespace {

using x11test::PicturePath;
using x11test::X11Fixture;

constexpr int kNavigation = 1000;  // the dialog of the dialog manager's tests
constexpr int kOpen = 201, kSave = 202;

std::vector<UINT> g_commands;
bool g_closeAsked = false;

INT_PTR RecordingDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) g_commands.push_back(LOWORD(wParam));
  if (message == WM_CLOSE) g_closeAsked = true;
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

// Stripes of colours and a line of text: every pixel of the client area tells
// where it came from.
LRESULT PatternProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    RECT client;
    GetClientRect(w, &client);
    for (int x = 0; x < client.right; x += 7) {
      RECT stripe{x, 0, x + 7, client.bottom};
      HBRUSH b = CreateSolidBrush(RGB((x * 5) & 0xFF, (x * 11) & 0xFF, 255 - (x & 0xFF)));
      FillRect(dc, &stripe, b);
      DeleteObject(b);
    }
    TextOutW(dc, 10, 10, u"Tavrendel on X", 14);
    EndPaint(w, &ps);
    return 0;
  }
  return DefWindowProcW(w, message, wParam, lParam);
}

// A window with a menu bar: picking "File" opens the popup, whose first
// command the test picks from inside the menu's own loop.
struct MenuScript {
  X11Fixture* fixture = nullptr;
  std::function<void(HWND popup)> onPopup;
};
MenuScript g_menu;

LRESULT MenuOwnerProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITMENUPOPUP: PostMessageW(w, WM_APP, 0, 0); return 0;
    case WM_APP:
      // Read inside the menu's loop, after the popup is on the screen.
      if (g_menu.onPopup) g_menu.onPopup(uitest::FindByClass("TavMenuPopup"));
      return 0;
    case WM_COMMAND: g_commands.push_back(LOWORD(wParam)); return 0;
    default: return PatternProc(w, message, wParam, lParam);
  }
}

ATOM RegisterOnce(const char16_t* name, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  wc.lpszClassName = name;
  return RegisterClassExW(&wc);
}

HWND MakePatternWindow(int x, int y, int cx, int cy, HMENU menu = nullptr) {
  static const ATOM atom = RegisterOnce(u"TavX11Pattern", PatternProc);
  (void)atom;
  return CreateWindowExW(0, u"TavX11Pattern", u"Pattern", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, cx, cy, nullptr, menu,
                         nullptr, nullptr);
}

class X11Display : public X11Fixture {
 protected:
  void SetUp() override {
    g_commands.clear();
    g_closeAsked = false;
    StartDesktop(false);
  }
};

TEST_F(X11Display, ScreenMetricsComeFromTheServer) {
  EXPECT_STREQ(display::Current().Name(), "x11");
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
  RECT work{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  // No panel on this desktop: the work area is the screen.
  EXPECT_EQ(work.right, 1280);
  EXPECT_EQ(work.bottom, 1024);
  EXPECT_GT(display::Current().Dpi(), 0);
  EXPECT_TRUE(x11_->UsesSharedMemory()) << "Xvfb offers MIT-SHM on a local connection";
}

// The screen's size as xdpyinfo reads it from the server reaches the
// drawing layer's device capabilities, the desktop window and the cursor's
// clip; the headless screen comes back with the headless display.
TEST_F(X11Display, DesktopAndDeviceCapsFollowTheRealScreen) {
  std::string info;
  ASSERT_EQ(server_->Run({"xdpyinfo"}, &info), 0);
  const size_t at = info.find("dimensions:");
  ASSERT_NE(at, std::string::npos) << info;
  int width = 0, height = 0;
  ASSERT_EQ(std::sscanf(info.c_str() + at, "dimensions: %dx%d", &width, &height), 2);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, HORZRES), width);
  EXPECT_EQ(GetDeviceCaps(screen, VERTRES), height);
  ReleaseDC(nullptr, screen);
  RECT desktop{};
  ASSERT_TRUE(GetWindowRect(GetDesktopWindow(), &desktop));
  EXPECT_EQ(desktop.right - desktop.left, width);
  EXPECT_EQ(desktop.bottom - desktop.top, height);
  RECT clip{};
  ASSERT_TRUE(GetClipCursor(&clip));
  EXPECT_EQ(clip.right, width);
  EXPECT_EQ(clip.bottom, height);
  display::Install(nullptr);
  x11_ = nullptr;
  screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 1920);
  EXPECT_EQ(GetDeviceCaps(screen, VERTRES), 1080);
  ReleaseDC(nullptr, screen);
}

TEST_F(X11Display, ChoiceFollowsTheEnvironment) {
  const char* old = std::getenv("DISPLAY");
  const std::string saved = old ? old : "";
  setenv("DISPLAY", server_->Name().c_str(), 1);
  setenv("TAV_DISPLAY", "headless", 1);
  display::InstallFromEnvironment();
  EXPECT_STREQ(display::Current().Name(), "headless");
  unsetenv("TAV_DISPLAY");
  display::InstallFromEnvironment();
  EXPECT_STREQ(display::Current().Name(), "x11");
  unsetenv("DISPLAY");
  display::InstallFromEnvironment();
  EXPECT_STREQ(display::Current().Name(), "headless");
  if (old) setenv("DISPLAY", saved.c_str(), 1);
  x11_ = nullptr;  // the fixture's display was replaced
}

class X11Surfaces : public X11Fixture, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override { StartDesktop(false, GetParam()); }
};

TEST_P(X11Surfaces, RootWindowShowsTheSurfacePixelForPixel) {
  EXPECT_EQ(x11_->UsesSharedMemory(), GetParam());
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_STRING, 1, u"&File");
  AppendMenuW(bar, MF_STRING, 2, u"&Edit");
  HWND w = MakePatternWindow(50, 60, 320, 200, bar);
  ASSERT_TRUE(w);
  Settle();
  // Without a window manager the window rectangle is the X window's.
  RECT wr{};
  GetWindowRect(w, &wr);
  const POINT origin = XOrigin(w);
  EXPECT_EQ(origin.x, wr.left);
  EXPECT_EQ(origin.y, wr.top);
  POINT client{0, 0};
  ClientToScreen(w, &client);
  EXPECT_EQ(client.y - wr.top, GetSystemMetrics(SM_CYMENU)) << "the menu bar, and no caption of the layer's";
  EXPECT_EQ(DifferingPixels(w, wr), 0);
  // A part repainted reaches the screen too.
  RECT part{20, 20, 90, 60};
  HDC dc = GetDC(w);
  HBRUSH green = CreateSolidBrush(RGB(0, 200, 30));
  FillRect(dc, &part, green);
  DeleteObject(green);
  ReleaseDC(w, dc);
  EXPECT_EQ(DifferingPixels(w, wr), 0);
  // Moving and sizing the window moves and sizes the X window.
  SetWindowPos(w, nullptr, 200, 150, 400, 260, SWP_NOZORDER);
  GetWindowRect(w, &wr);
  EXPECT_EQ(XOrigin(w).x, 200);
  EXPECT_EQ(DifferingPixels(w, wr), 0);
  DestroyWindow(w);
  Settle();
}

INSTANTIATE_TEST_SUITE_P(SharedMemoryAndNot, X11Surfaces, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "SharedMemory" : "PlainRequests"; });

TEST_F(X11Display, XdotoolTypesIntoADialogAndClicksItsButtons) {
  // Characters the core keyboard map lacks get keys of their own first, as a
  // desktop's keyboard layout would give them.
  ::Display* x = x11_->Connection();
  KeySym extra[] = {XK_udiaeresis, XK_ssharp};
  XChangeKeyboardMapping(x, 200, 1, &extra[0], 1);
  XChangeKeyboardMapping(x, 201, 1, &extra[1], 1);
  Settle();
  HWND dialog = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kNavigation), nullptr, RecordingDialog, 0);
  ASSERT_TRUE(dialog);
  Settle();
  HWND edit = GetDlgItem(dialog, 101);
  ASSERT_EQ(GetFocus(), edit);
  Xdotool({"type", "--delay", "0", "Grüße 12"});
  char16_t text[64] = {};
  GetWindowTextW(edit, text, 64);
  EXPECT_EQ(std::u16string(text), u"Grüße 12");
  // Keys by name: Home, then Shift+End selects all, and Delete clears.
  Xdotool({"key", "Home", "shift+End", "Delete"});
  GetWindowTextW(edit, text, 64);
  EXPECT_EQ(std::u16string(text), u"");
  // Clicks on the check box and the Apply and OK buttons.
  auto centre = [](HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    return std::vector<std::string>{std::to_string((r.left + r.right) / 2), std::to_string((r.top + r.bottom) / 2)};
  };
  const auto check = centre(GetDlgItem(dialog, 102));
  Xdotool({"mousemove", check[0], check[1], "click", "1"});
  EXPECT_EQ(IsDlgButtonChecked(dialog, 102), BST_CHECKED);
  const auto apply = centre(GetDlgItem(dialog, 106));
  Xdotool({"mousemove", apply[0], apply[1], "click", "1"});
  const auto ok = centre(GetDlgItem(dialog, IDOK));
  Xdotool({"mousemove", ok[0], ok[1], "click", "1"});
  EXPECT_EQ(g_commands, (std::vector<UINT>{102, 106, IDOK}));
  RECT wr;
  GetWindowRect(dialog, &wr);
  EXPECT_EQ(DifferingPixels(dialog, wr), 0);
  server_->SavePicture(wr.left, wr.top, wr.right - wr.left, wr.bottom - wr.top, PicturePath("x11_dialog.png"));
  DestroyWindow(dialog);
  Settle();
}

TEST_F(X11Display, MenuCommandPickedWithTheMouse) {
  static const ATOM atom = RegisterOnce(u"TavX11MenuOwner", MenuOwnerProc);
  (void)atom;
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, kOpen, u"&Open...");
  AppendMenuW(file, MF_STRING, kSave, u"&Save");
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), u"&File");
  HWND w = CreateWindowExW(0, u"TavX11MenuOwner", u"Menus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 360, 240, nullptr,
                           bar, nullptr, nullptr);
  ASSERT_TRUE(w);
  Settle();
  RECT wr;
  GetWindowRect(w, &wr);
  bool sawPopup = false;
  g_menu.onPopup = [&](HWND popup) {
    ASSERT_TRUE(popup);
    sawPopup = true;
    XSync(x11_->Connection(), False);
    RECT pr;
    GetWindowRect(popup, &pr);
    EXPECT_NE(x11_->XWindowOf(popup), 0u) << "the popup is an X window of its own";
    server_->SavePicture(wr.left, wr.top, std::max(wr.right, pr.right) - wr.left, std::max(wr.bottom, pr.bottom) - wr.top,
                         PicturePath("x11_menu.png"));
    // The second item ("Save"), below the first.
    const int itemHeight = GetSystemMetrics(SM_CYMENU);
    ASSERT_EQ(server_->Run({"xdotool", "mousemove", std::to_string(pr.left + 30),
                            std::to_string(pr.top + 3 + itemHeight + itemHeight / 2), "click", "1"}),
              0);
  };
  Xdotool({"mousemove", std::to_string(wr.left + 14), std::to_string(wr.top + GetSystemMetrics(SM_CYMENU) / 2),
           "click", "1"});
  g_menu.onPopup = nullptr;
  EXPECT_TRUE(sawPopup);
  EXPECT_EQ(g_commands, (std::vector<UINT>{kSave}));
  EXPECT_EQ(uitest::FindByClass("TavMenuPopup"), nullptr) << "the popup went with the command";
  DestroyWindow(w);
  Settle();
}

TEST_F(X11Display, WindowManagersCloseComesAsWmClose) {
  HWND dialog = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kNavigation), nullptr, RecordingDialog, 0);
  ASSERT_TRUE(dialog);
  Settle();
  // What a window manager sends when its close button is pressed.
  ::Display* x = x11_->Connection();
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = x11_->XWindowOf(dialog);
  e.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
  XSendEvent(x, e.xclient.window, False, NoEventMask, &e);
  Settle();
  EXPECT_TRUE(g_closeAsked);
  EXPECT_EQ(g_commands, (std::vector<UINT>{IDCANCEL})) << "a dialog's WM_CLOSE is its Cancel";
  DestroyWindow(dialog);
  Settle();
}

TEST_F(X11Display, MdiFramePicture) {
  static const ATOM frameAtom = RegisterOnce(u"TavX11MdiFrame", [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    return DefFrameProcW(w, GetWindow(w, GW_CHILD), m, wp, lp);
  });
  static const ATOM childAtom = RegisterOnce(u"TavX11MdiChild", [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    return DefMDIChildProcW(w, m, wp, lp);
  });
  (void)frameAtom;
  (void)childAtom;
  HMENU window = CreatePopupMenu();
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(window), u"&Window");
  HWND frame = CreateWindowExW(0, u"TavX11MdiFrame", u"Designer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 520, 380,
                               nullptr, bar, nullptr, nullptr);
  CLIENTCREATESTRUCT ccs{window, 1000};
  HWND client = CreateWindowExW(WS_EX_CLIENTEDGE, u"MDIClient", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                0, 0, frame, nullptr, nullptr, &ccs);
  ASSERT_TRUE(client);
  RECT area;
  GetClientRect(frame, &area);
  MoveWindow(client, 0, 0, area.right, area.bottom, TRUE);
  for (const char16_t* title : {u"Label1", u"Label2"})
    CreateMDIWindowW(u"TavX11MdiChild", title, 0, CW_USEDEFAULT, CW_USEDEFAULT, 260, 180, client, nullptr, 0);
  SendMessageW(client, WM_MDICASCADE, 0, 0);
  Settle();
  RECT wr;
  GetWindowRect(frame, &wr);
  EXPECT_EQ(DifferingPixels(frame, wr), 0);
  EXPECT_TRUE(
      server_->SavePicture(wr.left, wr.top, wr.right - wr.left, wr.bottom - wr.top, PicturePath("x11_mdi_frame.png")));
  DestroyWindow(frame);
  Settle();
}

TEST_F(X11Display, ErrorsAreReportedAndFailTheCall) {
  ::Display* x = x11_->Connection();
  {
    display::x11::ErrorTrap trap(x);
    XMapWindow(x, 0x7FFFFF0);  // no such window
    EXPECT_TRUE(trap.Failed());
    XSync(x, False);
    EXPECT_FALSE(trap.Failed()) << "a trap reports each error once";
  }
  // Outside a trap an error is reported on stderr and the program goes on.
  testing::internal::CaptureStderr();
  XMapWindow(x, 0x7FFFFF0);
  XSync(x, False);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("X error"), std::string::npos) << said;
  HWND w = MakePatternWindow(10, 10, 100, 80);
  Settle();
  EXPECT_TRUE(x11_->Mapped(w));
  DestroyWindow(w);
}

TEST(X11DisplayDeathTest, ALostConnectionEndsTheProgramWithAMessage) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        x11test::Server server;
        std::string error;
        auto d = display::OpenX11(server.Name().c_str(), error);
        if (!d) std::exit(3);
        server.Stop();
        for (;;) d->Pump();
      },
      ::testing::ExitedWithCode(EXIT_FAILURE), "connection to the display .* was lost");
}

}  // namespace
