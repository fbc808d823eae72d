// Window management beyond the message tables: Z order and topmost windows,
// owners and parents, placement, sending variants, frame controls and icons,
// and the screen picture.
#include <gtest/gtest.h>

#include "platform/testing/ui.h"
#include "tests/platform/user/message_log.h"

using namespace usertest;

namespace {

HWND Top(const char16_t* text, DWORD exStyle = 0) {
  RegisterLogClass();
  return CreateWindowExW(exStyle, u"LogWindow", text, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 150, nullptr,
                         nullptr, nullptr, nullptr);
}

int ZIndex(HWND w) {
  int i = 0;
  for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT), ++i)
    if (h == w) return i;
  return -1;
}

TEST(ZOrder, TopmostWindowsStayAboveTheOthers) {
  HWND a = Top(u"a");
  HWND pinned = Top(u"pinned", WS_EX_TOPMOST);
  HWND b = Top(u"b");
  // b is newest, but the topmost window stays above it.
  EXPECT_LT(ZIndex(pinned), ZIndex(b));
  EXPECT_LT(ZIndex(b), ZIndex(a));
  SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_LT(ZIndex(pinned), ZIndex(a));
  EXPECT_LT(ZIndex(a), ZIndex(b));
  SetWindowPos(b, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_NE(GetWindowLongW(b, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(ZIndex(b), 0);
  SetWindowPos(b, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetWindowLongW(b, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_LT(ZIndex(pinned), ZIndex(b));
  SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), nullptr);
  // Insert after a given window.
  SetWindowPos(b, pinned, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetWindow(pinned, GW_HWNDNEXT), b);
  for (HWND w : {a, pinned, b}) DestroyWindow(w);
}

TEST(Parents, SetParentKeepsTheScreenPositionAndGetParentNamesOwners) {
  HWND one = Top(u"one");
  HWND two = Top(u"two");
  MoveWindow(two, 300, 300, 200, 150, TRUE);
  HWND child = CreateWindowExW(WS_EX_NOPARENTNOTIFY, u"LogWindow", u"c", WS_CHILD | WS_VISIBLE, 20, 30, 50, 40, one,
                               nullptr, nullptr, nullptr);
  RECT before, after;
  GetWindowRect(child, &before);
  EXPECT_EQ(SetParent(child, two), one);
  EXPECT_EQ(GetParent(child), two);
  GetWindowRect(child, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(SetParent(two, child), nullptr);  // a window cannot go under its own child
  HWND popup = CreateWindowExW(0, u"LogWindow", u"p", WS_POPUP, 0, 0, 10, 10, child, nullptr, nullptr, nullptr);
  // The owner of a popup is the top-level window of the one named.
  EXPECT_EQ(GetWindow(popup, GW_OWNER), two);
  EXPECT_EQ(GetParent(popup), two);
  EXPECT_EQ(GetAncestor(popup, GA_PARENT), GetDesktopWindow());
  EXPECT_EQ(GetAncestor(child, GA_ROOTOWNER), two);
  std::vector<HWND> mine;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM p) { reinterpret_cast<std::vector<HWND>*>(p)->push_back(w); return TRUE; },
      reinterpret_cast<LPARAM>(&mine));
  EXPECT_NE(std::find(mine.begin(), mine.end(), popup), mine.end());
  EXPECT_EQ(std::find(mine.begin(), mine.end(), child), mine.end());  // not a top-level window
  DestroyWindow(two);
  EXPECT_FALSE(IsWindow(popup));  // owned windows go with their owner
  DestroyWindow(one);
}

TEST(Placement, NormalPositionSurvivesMaximising) {
  HWND w = Top(u"placed");
  MoveWindow(w, 50, 60, 300, 200, TRUE);
  ShowWindow(w, SW_MAXIMIZE);
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  ASSERT_TRUE(GetWindowPlacement(w, &wp));
  EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
  EXPECT_EQ(wp.rcNormalPosition.left, 50);
  EXPECT_EQ(wp.rcNormalPosition.right, 350);
  RECT work, r;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT client;
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, work.right - work.left);  // the client area fills the work area's width
  GetWindowRect(w, &r);
  wp.showCmd = SW_SHOWNORMAL;
  wp.rcNormalPosition = RECT{70, 80, 270, 230};
  ASSERT_TRUE(SetWindowPlacement(w, &wp));
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 70);
  EXPECT_EQ(r.bottom, 230);
  ShowWindow(w, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(w));
  ShowWindow(w, SW_RESTORE);
  EXPECT_FALSE(IsIconic(w));
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 70);
  wp.length = 3;
  EXPECT_FALSE(SetWindowPlacement(w, &wp));
  DestroyWindow(w);
}

LRESULT g_replied = 0;
LRESULT Replying(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_USER) {
    EXPECT_FALSE(InSendMessage());  // a call within the thread is not a sent message
    return 5;
  }
  return DefWindowProcW(w, m, wp, lp);
}

TEST(Sending, CallbackAndWithinTheThread) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = Replying;
  wc.lpszClassName = u"Replying";
  RegisterClassExW(&wc);
  HWND w = CreateWindowExW(0, u"Replying", u"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
  g_replied = 0;
  EXPECT_TRUE(SendMessageCallbackW(
      w, WM_USER, 0, 0, [](HWND, UINT, ULONG_PTR data, LRESULT r) { g_replied = r + static_cast<LRESULT>(data); }, 10));
  EXPECT_EQ(g_replied, 15);
  EXPECT_EQ(InSendMessageEx(nullptr), ISMEX_NOSEND);
  EXPECT_FALSE(ReplyMessage(1));  // nothing to reply to
  DestroyWindow(w);
}

TEST(FrameControls, ButtonsArrowsFocusAndIcons) {
  HWND w = Top(u"controls");
  uitest::RunUntilIdle();
  WindowDc owner(w);
  HDC dc = owner.get();
  RECT box{10, 10, 23, 23};
  ASSERT_TRUE(DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
  // The inside of a check box is the window colour, the tick the text colour.
  EXPECT_EQ(uitest::ClientPixel(w, 13, 12), GetSysColor(COLOR_WINDOW));
  int ticked = 0;
  for (int y = 12; y < 21; ++y)
    for (int x = 12; x < 21; ++x) ticked += uitest::ClientPixel(w, x, y) == GetSysColor(COLOR_WINDOWTEXT);
  EXPECT_GT(ticked, 5);
  RECT arrow{30, 10, 47, 27};
  ASSERT_TRUE(DrawFrameControl(dc, &arrow, DFC_SCROLL, DFCS_SCROLLDOWN));
  EXPECT_EQ(uitest::ClientPixel(w, 38, 19), GetSysColor(COLOR_BTNTEXT));  // the glyph's middle
  EXPECT_EQ(uitest::ClientPixel(w, 33, 12), GetSysColor(COLOR_3DFACE));
  RECT focus{60, 10, 70, 20};
  const COLORREF under = uitest::ClientPixel(w, 60, 10);
  DrawFocusRect(dc, &focus);
  EXPECT_EQ(uitest::ClientPixel(w, 60, 10), under ^ 0xFFFFFFu);
  EXPECT_EQ(uitest::ClientPixel(w, 61, 10), under);  // dotted
  DrawFocusRect(dc, &focus);  // drawn twice it is gone
  EXPECT_EQ(uitest::ClientPixel(w, 60, 10), under);
  const DWORD pixels[4] = {0xFFFF0000, 0x00000000, 0xFF00FF00, 0xFF0000FF};
  HICON icon = CreateIconFromPixels(2, 2, pixels, POINT{0, 0}, FALSE);
  ASSERT_NE(icon, nullptr);
  ASSERT_TRUE(DrawIconEx(dc, 80, 10, icon, 2, 2, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(uitest::ClientPixel(w, 80, 10), RGB(255, 0, 0));
  EXPECT_EQ(uitest::ClientPixel(w, 81, 10), GetSysColor(COLOR_WINDOW));  // transparent
  EXPECT_EQ(uitest::ClientPixel(w, 81, 11), RGB(0, 0, 255));
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_FALSE(DestroyIcon(icon));
  EXPECT_FALSE(DrawIcon(dc, 0, 0, icon));
  EXPECT_TRUE(DrawIcon(dc, 100, 10, LoadIconA(nullptr, IDI_ERROR)));
  EXPECT_EQ(uitest::ClientPixel(w, 116, 26), RGB(0xCC, 0, 0));  // the error icon's red disc
  EXPECT_TRUE(DestroyIcon(LoadIconA(nullptr, IDI_ERROR)));    // system icons stay
  EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
  EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), LoadCursorA(nullptr, IDC_ARROW));
  DestroyWindow(w);
}

TEST(Screen, PictureOfTheVisibleWindowsInZOrder) {
  HWND below = Top(u"below");
  HWND above = Top(u"above");
  MoveWindow(below, 100, 100, 200, 150, TRUE);
  MoveWindow(above, 150, 150, 200, 150, TRUE);
  uitest::RunUntilIdle();
  const uitest::Picture screen = uitest::CaptureScreen();
  ASSERT_EQ(screen.width, GetSystemMetrics(SM_CXSCREEN));
  const uitest::Picture a = uitest::CaptureWindow(above);
  // Where they overlap the screen shows the upper window.
  EXPECT_EQ(screen.At(150 + 100, 150 + 60), a.At(100, 60));
  const COLORREF desk = GetSysColor(COLOR_DESKTOP);
  EXPECT_EQ(screen.At(1900, 1000), (static_cast<uint32_t>(GetRValue(desk)) << 16) |
                                       (static_cast<uint32_t>(GetGValue(desk)) << 8) | GetBValue(desk));
  const std::string path = std::string(TAV_BUILD_DIR) + "/screen_two_windows.png";
  EXPECT_TRUE(uitest::SaveScreenPng(path));
  std::remove(path.c_str());  // the tree picture is the one kept to look at
  DestroyWindow(below);
  DestroyWindow(above);
}

TEST(Finding, ByClassIdAndText) {
  HWND top = Top(u"Finding window");
  HWND child = CreateWindowExW(WS_EX_NOPARENTNOTIFY, u"Button", u"Press me", WS_CHILD | WS_VISIBLE, 5, 5, 50, 20,
                               top, reinterpret_cast<HMENU>(42), nullptr, nullptr);
  EXPECT_EQ(uitest::FindByText("Finding window"), top);
  EXPECT_EQ(uitest::FindByText("Press me"), child);
  EXPECT_EQ(uitest::FindByClass("Button", top), child);
  EXPECT_EQ(uitest::FindById(top, 42), child);
  EXPECT_EQ(uitest::FindById(top, 43), nullptr);
  DestroyWindow(top);
}

}  // namespace
