// The non-client area and scroll bars: frame sizes from the one metrics
// table, hit testing, scroll-bar state and tracking with the mouse, styles
// changed at run time, the style painter's bevels, and a picture of a window
// tree to look at.
#include <gtest/gtest.h>

#include "platform/testing/ui.h"
#include "tests/platform/user/message_log.h"

using namespace usertest;

namespace {

struct FrameRow {
  const char* what;
  DWORD style;
  DWORD exStyle;
  BOOL menu;
  RECT expected;  // the window rectangle for the client rectangle (0, 0, 100, 100)
};

TEST(Frames, AdjustWindowRectFromTheMetrics) {
  const int frame = GetSystemMetrics(SM_CXFRAME);        // 4
  const int fixed = GetSystemMetrics(SM_CXDLGFRAME);     // 3
  const int caption = GetSystemMetrics(SM_CYCAPTION);    // 19
  const int menu = GetSystemMetrics(SM_CYMENU);          // 19
  const int edge = GetSystemMetrics(SM_CXEDGE);          // 2
  const FrameRow rows[] = {
      {"overlapped window", WS_OVERLAPPEDWINDOW, 0, FALSE,
       {-frame, -frame - caption, 100 + frame, 100 + frame}},
      {"with a menu", WS_OVERLAPPEDWINDOW, 0, TRUE, {-frame, -frame - caption - menu, 100 + frame, 100 + frame}},
      {"fixed caption", WS_CAPTION | WS_SYSMENU, 0, FALSE, {-fixed, -fixed - caption, 100 + fixed, 100 + fixed}},
      {"border only", WS_POPUP | WS_BORDER, 0, FALSE, {-1, -1, 101, 101}},
      {"client edge", WS_CHILD, WS_EX_CLIENTEDGE, FALSE, {-edge, -edge, 100 + edge, 100 + edge}},
      {"static edge", WS_CHILD, WS_EX_STATICEDGE, FALSE, {-1, -1, 101, 101}},
      {"bare child", WS_CHILD, 0, FALSE, {0, 0, 100, 100}},
      {"scroll bars are not counted", WS_CHILD | WS_VSCROLL | WS_HSCROLL, 0, FALSE, {0, 0, 100, 100}},
  };
  for (const FrameRow& row : rows) {
    RECT r{0, 0, 100, 100};
    ASSERT_TRUE(AdjustWindowRectEx(&r, row.style, row.menu, row.exStyle)) << row.what;
    EXPECT_TRUE(EqualRect(&r, &row.expected)) << row.what << ": " << r.left << "," << r.top << "," << r.right << ","
                                              << r.bottom;
  }
}

TEST(Frames, ClientAreaOfRealWindows) {
  RegisterLogClass();
  HWND top = CreateWindowExW(0, u"LogWindow", u"", WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL, 0, 0, 300, 200,
                             nullptr, nullptr, nullptr, nullptr);
  RECT c;
  GetClientRect(top, &c);
  EXPECT_EQ(c.right, 300 - 2 * 4 - 17);
  EXPECT_EQ(c.bottom, 200 - 2 * 4 - 19 - 17);
  POINT origin{0, 0};
  ClientToScreen(top, &origin);
  EXPECT_EQ(origin.x, 4);
  EXPECT_EQ(origin.y, 4 + 19);
  DestroyWindow(top);
}

TEST(HitTest, EveryPartOfAFramedWindow) {
  RegisterLogClass();
  HWND w = CreateWindowExW(0, u"LogWindow", u"", WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 100,
                           100, 300, 200, nullptr, nullptr, nullptr, nullptr);
  struct Row {
    const char* part;
    POINT at;  // window coordinates
    LRESULT expected;
  };
  const Row rows[] = {
      {"client", {150, 100}, HTCLIENT},
      {"caption", {100, 10}, HTCAPTION},
      {"close button", {300 - 4 - 8, 12}, HTCLOSE},
      {"maximise button", {300 - 4 - 2 - 15 - 4 - 8, 12}, HTMAXBUTTON},
      {"left border", {1, 100}, HTLEFT},
      {"right border", {298, 100}, HTRIGHT},
      {"top border", {150, 1}, HTTOP},
      {"bottom border", {150, 198}, HTBOTTOM},
      {"top-left corner", {1, 1}, HTTOPLEFT},
      {"bottom-right corner", {298, 198}, HTBOTTOMRIGHT},
      {"vertical scroll bar", {300 - 4 - 8, 100}, HTVSCROLL},
      {"horizontal scroll bar", {150, 200 - 4 - 8}, HTHSCROLL},
      {"box between the bars", {300 - 4 - 8, 200 - 4 - 8}, HTBOTTOMRIGHT},
      {"outside", {-5, 50}, HTNOWHERE},
  };
  for (const Row& r : rows) {
    const LPARAM at = MAKELONG(static_cast<WORD>(100 + r.at.x), static_cast<WORD>(100 + r.at.y));
    EXPECT_EQ(SendMessageW(w, WM_NCHITTEST, 0, at), r.expected) << r.part;
  }
  DestroyWindow(w);
}

TEST(ScrollBars, InfoKeepsPageAndPositionInRange) {
  RegisterLogClass();
  HWND w = CreateWindowExW(0, u"LogWindow", u"", WS_OVERLAPPEDWINDOW | WS_VSCROLL, 0, 0, 300, 200, nullptr, nullptr,
                           nullptr, nullptr);
  SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 95, 0};
  EXPECT_EQ(SetScrollInfo(w, SB_VERT, &si, TRUE), 90);  // the last page starts at 90
  SCROLLINFO got{sizeof(got), SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(w, SB_VERT, &got));
  EXPECT_EQ(got.nMin, 0);
  EXPECT_EQ(got.nMax, 99);
  EXPECT_EQ(got.nPage, 10u);
  EXPECT_EQ(got.nPos, 90);
  EXPECT_EQ(SetScrollPos(w, SB_VERT, -5, TRUE), 90);
  EXPECT_EQ(GetScrollPos(w, SB_VERT), 0);
  si = SCROLLINFO{sizeof(si), SIF_PAGE, 0, 0, 500, 0, 0};
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  GetScrollInfo(w, SB_VERT, &got);
  EXPECT_EQ(got.nPage, 100u);  // no larger than the range
  // Nothing to scroll: the bar goes and the client area grows.
  EXPECT_EQ(GetWindowLongW(w, GWL_STYLE) & WS_VSCROLL, 0);
  RECT c;
  GetClientRect(w, &c);
  EXPECT_EQ(c.right, 300 - 8);
  si = SCROLLINFO{sizeof(si), SIF_PAGE, 0, 0, 20, 0, 0};
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  EXPECT_NE(GetWindowLongW(w, GWL_STYLE) & WS_VSCROLL, 0u);
  GetClientRect(w, &c);
  EXPECT_EQ(c.right, 300 - 8 - 17);
  // With SIF_DISABLENOSCROLL the bar stays.
  si = SCROLLINFO{sizeof(si), SIF_PAGE | SIF_DISABLENOSCROLL, 0, 0, 500, 0, 0};
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  EXPECT_NE(GetWindowLongW(w, GWL_STYLE) & WS_VSCROLL, 0u);
  int lo = -1, hi = -1;
  EXPECT_TRUE(GetScrollRange(w, SB_VERT, &lo, &hi));
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 99);
  DestroyWindow(w);
}

// Records the scroll requests and follows them as an application would.
std::vector<std::pair<WORD, int>> g_scrolls;
int g_trackPosSeen = -1;
LRESULT Scroller(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_VSCROLL) {
    g_scrolls.emplace_back(LOWORD(wp), static_cast<SHORT>(HIWORD(wp)));
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(w, SB_VERT, &si);
    int pos = si.nPos;
    switch (LOWORD(wp)) {
      case SB_LINEDOWN: pos += 1; break;
      case SB_LINEUP: pos -= 1; break;
      case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
      case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
      case SB_THUMBTRACK: g_trackPosSeen = si.nTrackPos; pos = si.nTrackPos; break;
      case SB_THUMBPOSITION: pos = static_cast<SHORT>(HIWORD(wp)); break;
      default: break;
    }
    SetScrollPos(w, SB_VERT, pos, TRUE);
    return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

class Tracking : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = uitest::CreateTestWindow({u"Scroller", Scroller, COLOR_WINDOW}, u"",
                                       WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE, 200, 200, 300, 240);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 20, 0, 0};
    SetScrollInfo(window_, SB_VERT, &si, TRUE);
    uitest::RunUntilIdle();
    g_scrolls.clear();
    // The bar in screen coordinates.
    RECT wr;
    GetWindowRect(window_, &wr);
    x_ = wr.right - 4 - 8;
    top_ = wr.top + 4 + 19;
    bottom_ = wr.bottom - 4;
  }
  void TearDown() override {
    DestroyWindow(window_);
    uitest::RunUntilIdle();
  }
  HWND window_ = nullptr;
  int x_ = 0, top_ = 0, bottom_ = 0;
};

TEST_F(Tracking, ArrowsAndShaftSendLineAndPageRequests) {
  uitest::ClickScreen(POINT{x_, bottom_ - 5});  // the down arrow
  ASSERT_EQ(g_scrolls.size(), 2u);
  EXPECT_EQ(g_scrolls[0].first, SB_LINEDOWN);
  EXPECT_EQ(g_scrolls[1].first, SB_ENDSCROLL);
  EXPECT_EQ(GetScrollPos(window_, SB_VERT), 1);
  g_scrolls.clear();
  uitest::ClickScreen(POINT{x_, bottom_ - 40});  // the shaft below the thumb
  ASSERT_EQ(g_scrolls.size(), 2u);
  EXPECT_EQ(g_scrolls[0].first, SB_PAGEDOWN);
  EXPECT_EQ(GetScrollPos(window_, SB_VERT), 21);
  g_scrolls.clear();
  uitest::ClickScreen(POINT{x_, top_ + 5});  // the up arrow
  EXPECT_EQ(g_scrolls[0].first, SB_LINEUP);
  EXPECT_EQ(GetScrollPos(window_, SB_VERT), 20);
}

TEST_F(Tracking, DraggingTheThumbTracksThenSetsThePosition) {
  // The thumb starts just below the up arrow.
  uitest::DragScreen(POINT{x_, top_ + 17 + 5}, POINT{x_, top_ + 17 + 5 + 60}, 3);
  ASSERT_GE(g_scrolls.size(), 3u);
  EXPECT_EQ(g_scrolls.front().first, SB_THUMBTRACK);
  EXPECT_EQ(g_scrolls[g_scrolls.size() - 2].first, SB_THUMBPOSITION);
  EXPECT_EQ(g_scrolls.back().first, SB_ENDSCROLL);
  const int final = g_scrolls[g_scrolls.size() - 2].second;
  EXPECT_GT(final, 20);
  EXPECT_LE(final, 80);
  EXPECT_EQ(g_trackPosSeen, g_scrolls.front().second);  // nTrackPos followed the thumb
  EXPECT_EQ(GetScrollPos(window_, SB_VERT), final);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST(Styles, ChangedAtRunTimeWithTheFrameRecomputed) {
  RegisterLogClass();
  HWND w = CreateWindowExW(0, u"LogWindow", u"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                           nullptr);
  MessageLog::Get().Name(w, "w");
  uitest::RunUntilIdle();
  MessageLog::Get().Clear();
  const LONG old = SetWindowLongW(w, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_VISIBLE | WS_BORDER | WS_VSCROLL));
  EXPECT_EQ(static_cast<DWORD>(old), WS_POPUP | WS_VISIBLE);
  RECT c;
  GetClientRect(w, &c);
  EXPECT_EQ(c.right, 200);  // the frame waits for SWP_FRAMECHANGED
  SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  GetClientRect(w, &c);
  EXPECT_EQ(c.right, 200 - 2 - 17);
  EXPECT_EQ(c.bottom, 100 - 2);
  EXPECT_EQ(MessageLog::Get().Rows(kNoise), Expect({
                                                {"w", "WM_STYLECHANGING"},
                                                {"w", "WM_STYLECHANGED"},
                                                {"w", "WM_WINDOWPOSCHANGING"},
                                                {"w", "WM_NCCALCSIZE"},
                                                {"w", "WM_WINDOWPOSCHANGED"},
                                                {"w", "WM_MOVE"},
                                                {"w", "WM_SIZE"},
                                            }));
  DestroyWindow(w);
}

TEST(Metrics, TableValuesAndParameters) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17);
  EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
  LOGBRUSH lb{};
  ASSERT_EQ(GetObjectW(GetSysColorBrush(COLOR_3DSHADOW), sizeof(lb), &lb), static_cast<int>(sizeof(lb)));
  EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_3DSHADOW));
  EXPECT_TRUE(DeleteObject(GetSysColorBrush(COLOR_3DSHADOW)));  // harmless: it stays
  ASSERT_EQ(GetObjectW(GetSysColorBrush(COLOR_3DSHADOW), sizeof(lb), &lb), static_cast<int>(sizeof(lb)));
  RECT work;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work.right, 1920);
  EXPECT_LT(work.bottom, 1080);
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = sizeof(ncm);
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
  EXPECT_EQ(ncm.iScrollWidth, 17);
  EXPECT_EQ(ncm.iCaptionHeight, GetSystemMetrics(SM_CYSIZE));
  EXPECT_STREQ(ncm.lfMessageFont.lfFaceName, "Tahoma");
  ncm.cbSize = 12;
  EXPECT_FALSE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 12, &ncm, 0));
  EXPECT_TRUE(SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, 5, nullptr, 0));
  UINT lines = 0;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  EXPECT_EQ(lines, 5u);
  SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);
}

// The style painter's bevels, as pictures: L = 3D light, H = highlight,
// S = shadow, D = dark shadow, F = face, W = window.
char Letter(COLORREF c) {
  if (c == GetSysColor(COLOR_3DHIGHLIGHT)) return 'H';
  if (c == GetSysColor(COLOR_3DDKSHADOW)) return 'D';
  if (c == GetSysColor(COLOR_3DSHADOW)) return 'S';
  if (c == GetSysColor(COLOR_3DFACE)) return 'F';  // also COLOR_3DLIGHT in this scheme
  return '?';
}

std::vector<std::string> Bevel(UINT edge, UINT flags) {
  WindowDc screen(nullptr);
  UniqueDc owner(CreateCompatibleDC(screen.get()));
  HDC dc = owner.get();
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 6, 5));
  SelectScope select(dc, bitmap.get());
  RECT all{0, 0, 6, 5};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  RECT r = all;
  DrawEdge(dc, &r, edge, flags);
  std::vector<std::string> rows;
  for (int y = 0; y < 5; ++y) {
    std::string row;
    for (int x = 0; x < 6; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      row += c == 0 ? '.' : Letter(c);
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(StylePainter, RaisedAndSunkenEdges) {
  EXPECT_EQ(Bevel(EDGE_RAISED, BF_RECT), (std::vector<std::string>{
                                             "FFFFFD",
                                             "FHHHSD",
                                             "FH..SD",
                                             "FSSSSD",
                                             "DDDDDD",
                                         }));
  EXPECT_EQ(Bevel(EDGE_SUNKEN, BF_RECT | BF_MIDDLE), (std::vector<std::string>{
                                                         "SSSSSH",
                                                         "SDDDFH",
                                                         "SDFFFH",
                                                         "SFFFFH",
                                                         "HHHHHH",
                                                     }));
  EXPECT_EQ(Bevel(BDR_SUNKENOUTER, BF_LEFT | BF_TOP), (std::vector<std::string>{
                                                          "SSSSSS",
                                                          "S.....",
                                                          "S.....",
                                                          "S.....",
                                                          "S.....",
                                                      }));
  RECT r{0, 0, 6, 5};
  WindowDc screen(nullptr);
  DrawEdge(screen.get(), &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
  EXPECT_EQ(r.left, 2);
  EXPECT_EQ(r.right, 4);
}

// A picture to look at: a framed window with scroll bars holding children
// with borders, client edges, a caption and scroll bars of their own.
LRESULT Labelled(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    WCHAR text[64];
    GetWindowTextW(w, text, 64);
    RECT r;
    GetClientRect(w, &r);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EndPaint(w, &ps);
    return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

TEST(Pictures, WindowTreeWithScrollBarsAndFrames) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = Labelled;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1));
  wc.lpszClassName = u"Labelled";
  RegisterClassExW(&wc);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1));
  wc.lpszClassName = u"LabelledFace";
  RegisterClassExW(&wc);
  HWND top = CreateWindowExW(0, u"LabelledFace", u"Window tree", WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL |
                                                                     WS_CLIPCHILDREN | WS_VISIBLE,
                             40, 40, 480, 340, nullptr, nullptr, nullptr, nullptr);
  SCROLLINFO si{sizeof(si), SIF_ALL, 0, 99, 25, 30, 0};
  SetScrollInfo(top, SB_VERT, &si, TRUE);
  si.nPos = 0;
  si.nPage = 50;
  SetScrollInfo(top, SB_HORZ, &si, TRUE);
  CreateWindowExW(WS_EX_CLIENTEDGE, u"Labelled", u"client edge + scroll bar",
                  WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 10, 200, 120, top, nullptr, nullptr, nullptr);
  CreateWindowExW(0, u"Labelled", u"border", WS_CHILD | WS_VISIBLE | WS_BORDER, 230, 10, 180, 60, top, nullptr,
                  nullptr, nullptr);
  HWND captioned = CreateWindowExW(0, u"LabelledFace", u"Child with caption",
                                   WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_HSCROLL, 230,
                                   90, 200, 150, top, nullptr, nullptr, nullptr);
  SetScrollInfo(captioned, SB_HORZ, &si, TRUE);
  CreateWindowExW(WS_EX_STATICEDGE, u"Labelled", u"static edge", WS_CHILD | WS_VISIBLE, 10, 150, 200, 40, top,
                  nullptr, nullptr, nullptr);
  HWND disabled = CreateWindowExW(WS_EX_CLIENTEDGE, u"Labelled", u"disabled bars",
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_DISABLED, 10, 205, 200, 70, top,
                                  nullptr, nullptr, nullptr);
  SetScrollInfo(disabled, SB_VERT, &si, TRUE);
  uitest::RunUntilIdle();
  const std::string path = std::string(TAV_BUILD_DIR) + "/window_tree.png";
  ASSERT_TRUE(uitest::SaveWindowPng(top, path));
  const uitest::Picture p = uitest::CaptureWindow(top);
  ASSERT_EQ(p.width, 480);
  ASSERT_EQ(p.height, 340);
  // The active caption's colour, the face of the frame, a scroll bar's arrow button.
  const COLORREF caption = GetSysColor(COLOR_ACTIVECAPTION);
  EXPECT_EQ(p.At(100, 10), (static_cast<uint32_t>(GetRValue(caption)) << 16) |
                               (static_cast<uint32_t>(GetGValue(caption)) << 8) | GetBValue(caption));
  EXPECT_EQ(p.At(480 - 4 - 17 + 4, 4 + 19 + 4), 0xD4D0C8u);
  DestroyWindow(top);
}

}  // namespace

namespace {

TEST(Cracking, EachMessagePackingReadBack) {
  const crack::Mouse m = crack::MouseOf(MK_LBUTTON | MK_SHIFT, crack::PackPoint(POINT{-3, 40}));
  EXPECT_EQ(m.pt.x, -3);  // negative coordinates survive (captured mouse left of the window)
  EXPECT_EQ(m.pt.y, 40);
  EXPECT_EQ(m.keys, MK_LBUTTON | MK_SHIFT);
  const crack::Size s = crack::SizeOf(SIZE_MAXIMIZED, MAKELONG(800, 600));
  EXPECT_EQ(s.kind, SIZE_MAXIMIZED);
  EXPECT_EQ(s.cx, 800);
  EXPECT_EQ(s.cy, 600);
  const crack::Command c = crack::CommandOf(MAKELONG(1001, 2), 0);
  EXPECT_EQ(c.id, 1001);
  EXPECT_EQ(c.code, 2);
  const crack::Scroll sc = crack::ScrollOf(MAKELONG(SB_THUMBTRACK, 300), 0);
  EXPECT_EQ(sc.request, SB_THUMBTRACK);
  EXPECT_EQ(sc.pos, 300);
  const crack::Key k = crack::KeyOf('A', static_cast<LPARAM>(1u | (0x1Eu << 16) | (1u << 29) | (1u << 30) | (1u << 31)));
  EXPECT_EQ(k.code, 'A');
  EXPECT_EQ(k.repeat, 1);
  EXPECT_EQ(k.scan, 0x1Eu);
  EXPECT_TRUE(k.alt);
  EXPECT_TRUE(k.wasDown);
  EXPECT_TRUE(k.released);
  EXPECT_FALSE(k.extended);
  const crack::Wheel w = crack::WheelOf(MAKELONG(MK_CONTROL, static_cast<WORD>(-240)), crack::PackPoint(POINT{5, 6}));
  EXPECT_EQ(w.delta, -240);
  EXPECT_EQ(w.keys, MK_CONTROL);
  const crack::SetCursor sc2 = crack::SetCursorOf(0, MAKELONG(static_cast<WORD>(HTERROR), WM_LBUTTONDOWN));
  EXPECT_EQ(sc2.hit, HTERROR);
  EXPECT_EQ(sc2.mouseMessage, WM_LBUTTONDOWN);
  const crack::ParentNotify pn = crack::ParentNotifyOf(MAKELONG(WM_LBUTTONDOWN, 0), crack::PackPoint(POINT{7, 8}));
  EXPECT_EQ(pn.event, WM_LBUTTONDOWN);
  EXPECT_EQ(pn.pt.x, 7);
  EXPECT_EQ(pn.child, nullptr);
}

}  // namespace

namespace {

class MoveSize : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterLogClass();
    window_ = CreateWindowExW(0, u"LogWindow", u"drag me", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                              nullptr, nullptr, nullptr, nullptr);
    MessageLog::Get().Name(window_, "w");
    uitest::RunUntilIdle();
    MessageLog::Get().Clear();
  }
  void TearDown() override {
    if (IsWindow(window_)) DestroyWindow(window_);
    uitest::RunUntilIdle();
  }
  RECT Rect() const {
    RECT r;
    GetWindowRect(window_, &r);
    return r;
  }
  HWND window_ = nullptr;
};

TEST_F(MoveSize, DraggingTheCaptionMovesTheWindow) {
  uitest::DragScreen(POINT{200, 110}, POINT{260, 150}, 4);
  const RECT r = Rect();
  EXPECT_EQ(r.left, 160);
  EXPECT_EQ(r.top, 140);
  EXPECT_EQ(r.right - r.left, 300);
  const auto rows = MessageLog::Get().Rows(kNoise);
  ASSERT_GE(rows.size(), 4u);
  EXPECT_NE(std::find(rows.begin(), rows.end(), "w WM_ENTERSIZEMOVE"), rows.end());
  EXPECT_EQ(rows.back(), "w WM_EXITSIZEMOVE");
}

TEST_F(MoveSize, DraggingABorderSizesWithinTheMinimum) {
  uitest::DragScreen(POINT{398, 200}, POINT{448, 200}, 2);  // the right border
  RECT r = Rect();
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.right, 450);
  uitest::DragScreen(POINT{449, 200}, POINT{0, 200}, 2);  // far past the left edge
  r = Rect();
  EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXMINTRACK));
  uitest::DragScreen(POINT{r.right - 1, 299}, POINT{r.right + 99, 349}, 2);  // the bottom-right corner
  const RECT c = Rect();
  EXPECT_EQ(c.right - c.left, GetSystemMetrics(SM_CXMINTRACK) + 100);
  EXPECT_EQ(c.bottom, 350);
}

TEST_F(MoveSize, CaptionButtonsActWhenLetGoOverThem) {
  uitest::VirtualClock clock;
  const POINT max{100 + 300 - 4 - 2 - 15 - 4 - 8, 112};
  uitest::ClickScreen(max);
  EXPECT_TRUE(IsZoomed(window_));
  uitest::DoubleClick(window_, POINT{-100, -10});  // the caption, left of the client area: restores
  EXPECT_FALSE(IsZoomed(window_));
  // Pressed on close but let go elsewhere: nothing.
  const POINT close{100 + 300 - 4 - 8, 112};
  uitest::DragScreen(close, POINT{200, 200}, 1);
  EXPECT_TRUE(IsWindow(window_));
  clock.Advance(GetDoubleClickTime() + 1);  // a new click, not the second of a double click
  uitest::ClickScreen(close);
  EXPECT_FALSE(IsWindow(window_));
}

}  // namespace
