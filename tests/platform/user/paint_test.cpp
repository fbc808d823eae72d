// Painting: erasing and painting into the top-level surface, window device
// contexts at their offsets, clipping of children and siblings, update
// regions, UpdateWindow, RedrawWindow and ScrollWindowEx, checked by pixels.
#include <gtest/gtest.h>

#include "platform/testing/ui.h"
#include "tests/platform/user/message_log.h"

using namespace usertest;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

// Paints its client area in the colour kept in GWLP_USERDATA.
int g_paints = 0;
LRESULT FillProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_PAINT) {
    ++g_paints;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    UniqueBrush brush(CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(w, GWLP_USERDATA))));
    RECT r;
    GetClientRect(w, &r);
    FillRect(dc, &r, brush.get());
    EndPaint(w, &ps);
    return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

class Paint : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = FillProc;
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = u"FillWindow";
    RegisterClassExW(&wc);
    RegisterLogClass();
    g_paints = 0;
  }
  void TearDown() override {
    for (HWND w : made_) DestroyWindow(w);
    Pump();
  }
  HWND Make(DWORD style, int x, int y, int cx, int cy, HWND parent, COLORREF colour, LPCWSTR cls = u"FillWindow") {
    HWND w = CreateWindowExW(0, cls, u"", style, x, y, cx, cy, parent, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(w, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
    if (!parent) made_.push_back(w);
    return w;
  }
  std::vector<HWND> made_;
};

TEST_F(Paint, EraseWithClassBrushThenPaint) {
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, nullptr, kRed, u"LogWindow");
  uitest::RunUntilIdle();
  // LogWindow does not paint: DefWindowProc's WM_ERASEBKGND filled it with COLOR_WINDOW.
  EXPECT_EQ(uitest::ClientPixel(w, 5, 5), GetSysColor(COLOR_WINDOW));
  HWND f = Make(WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, nullptr, kRed);
  uitest::RunUntilIdle();
  EXPECT_EQ(uitest::ClientPixel(f, 0, 0), kRed);
  EXPECT_EQ(uitest::ClientPixel(f, 39, 29), kRed);
  EXPECT_EQ(g_paints, 1);
  uitest::RunUntilIdle();
  EXPECT_EQ(g_paints, 1);  // validated: no second WM_PAINT
}

TEST_F(Paint, ClassBackgroundAsSystemColourIndex) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1));
  wc.lpszClassName = u"FaceWindow";
  RegisterClassExW(&wc);
  HWND w = CreateWindowExW(0, u"FaceWindow", u"", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr, nullptr,
                           nullptr);
  made_.push_back(w);
  uitest::RunUntilIdle();
  EXPECT_EQ(uitest::ClientPixel(w, 10, 10), GetSysColor(COLOR_BTNFACE));
}

TEST_F(Paint, ChildrenPaintAtTheirOffsetClippedByTheParent) {
  HWND top = Make(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 100, 80, nullptr, kBlue);
  HWND child = Make(WS_CHILD | WS_VISIBLE, 90, 10, 30, 20, top, kRed);  // sticks out to the right
  uitest::RunUntilIdle();
  EXPECT_EQ(uitest::ClientPixel(top, 5, 5), kBlue);
  EXPECT_EQ(uitest::ClientPixel(top, 95, 15), kRed);   // the child, drawn on the parent's surface
  EXPECT_EQ(uitest::ClientPixel(top, 89, 15), kBlue);  // just left of it
  EXPECT_EQ(uitest::ClientPixel(top, 95, 30), kBlue);  // below it
  EXPECT_EQ(uitest::ClientPixel(child, 0, 0), kRed);
  // The parent repaints without touching the child (WS_CLIPCHILDREN).
  SetWindowLongPtrW(top, GWLP_USERDATA, kGreen);
  InvalidateRect(top, nullptr, FALSE);
  UpdateWindow(top);
  EXPECT_EQ(uitest::ClientPixel(top, 5, 5), kGreen);
  EXPECT_EQ(uitest::ClientPixel(top, 95, 15), kRed);
}

TEST_F(Paint, WithoutClipChildrenTheParentPaintsOverThenChildrenRepaint) {
  HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 80, nullptr, kBlue);
  Make(WS_CHILD | WS_VISIBLE, 10, 10, 30, 20, top, kRed);
  uitest::RunUntilIdle();
  EXPECT_EQ(uitest::ClientPixel(top, 15, 15), kRed);
  // A DC of the parent without WS_CLIPCHILDREN covers the child's area too.
  {
    WindowDc dc(top);
    UniqueBrush green(CreateSolidBrush(kGreen));
    RECT all{0, 0, 100, 80};
    FillRect(dc.get(), &all, green.get());
  }
  EXPECT_EQ(uitest::ClientPixel(top, 15, 15), kGreen);
  // Invalidating the parent invalidates its children as well; painting restores them.
  InvalidateRect(top, nullptr, TRUE);
  uitest::RunUntilIdle();
  EXPECT_EQ(uitest::ClientPixel(top, 15, 15), kRed);
  EXPECT_EQ(uitest::ClientPixel(top, 5, 5), kBlue);
}

// A grandchild painted at once (UpdateWindow, as a ruler does following the
// mouse) while its ancestors' paints are still due: the ancestors that do
// not clip their children paint over it, and it paints again after them.
TEST_F(Paint, AChildPaintedBeforeItsParentPaintsAgainAfterIt) {
  HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 80, nullptr, kBlue);
  HWND middle = Make(WS_CHILD | WS_VISIBLE, 5, 5, 80, 60, top, kGreen);
  HWND inner = Make(WS_CHILD | WS_VISIBLE, 10, 10, 30, 20, middle, kRed);
  uitest::RunUntilIdle();
  ASSERT_EQ(uitest::ClientPixel(top, 20, 20), kRed);
  struct Case {
    DWORD topClips, middleClips;
    int paints;  // after the grandchild's own
  };
  for (const Case& c : {Case{0, 0, 3}, Case{WS_CLIPCHILDREN, 0, 3}, Case{0, WS_CLIPCHILDREN, 3},
                        Case{WS_CLIPCHILDREN, WS_CLIPCHILDREN, 2}}) {
    SCOPED_TRACE(testing::Message() << "top clips " << !!c.topClips << ", middle clips " << !!c.middleClips);
    SetWindowLongPtrW(top, GWL_STYLE, static_cast<LONG_PTR>(WS_POPUP | WS_VISIBLE | c.topClips));
    SetWindowLongPtrW(middle, GWL_STYLE, static_cast<LONG_PTR>(WS_CHILD | WS_VISIBLE | c.middleClips));
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    UpdateWindow(inner);
    g_paints = 0;
    uitest::RunUntilIdle();
    EXPECT_EQ(uitest::ClientPixel(top, 20, 20), kRed) << "the grandchild is drawn over its ancestors";
    EXPECT_EQ(uitest::ClientPixel(top, 8, 8), kGreen);
    EXPECT_EQ(uitest::ClientPixel(top, 2, 2), kBlue);
    EXPECT_EQ(g_paints, c.paints) << "the grandchild paints again only when covered";
  }
}

TEST_F(Paint, SiblingsThatClipLeaveTheUpperOneAlone) {
  HWND top = Make(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 100, 80, nullptr, kBlue);
  HWND upper = Make(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 10, 10, 40, 40, top, kRed);
  HWND lower = Make(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 30, 30, 40, 40, top, kGreen);
  // Children are created at the bottom of the Z order: `upper` stays above `lower`.
  ASSERT_EQ(GetWindow(top, GW_CHILD), upper);
  uitest::RunUntilIdle();
  EXPECT_EQ(uitest::ClientPixel(top, 35, 35), kRed);    // the overlap belongs to the upper one
  EXPECT_EQ(uitest::ClientPixel(top, 60, 60), kGreen);  // the rest of the lower one
  InvalidateRect(lower, nullptr, TRUE);
  UpdateWindow(lower);
  EXPECT_EQ(uitest::ClientPixel(top, 35, 35), kRed);
  // Raising the lower one gives it the overlap.
  SetWindowPos(lower, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  uitest::RunUntilIdle();
  EXPECT_EQ(uitest::ClientPixel(top, 35, 35), kGreen);
}

TEST_F(Paint, UpdateRegionsGrowAndShrink) {
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 80, nullptr, kBlue);
  uitest::RunUntilIdle();
  RECT r;
  EXPECT_FALSE(GetUpdateRect(w, &r, FALSE));
  RECT a{10, 10, 20, 20}, b{50, 40, 60, 70};
  InvalidateRect(w, &a, FALSE);
  InvalidateRect(w, &b, FALSE);
  ASSERT_TRUE(GetUpdateRect(w, &r, FALSE));
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 10);
  EXPECT_EQ(r.right, 60);
  EXPECT_EQ(r.bottom, 70);
  ValidateRect(w, &b);
  ASSERT_TRUE(GetUpdateRect(w, &r, FALSE));
  EXPECT_EQ(r.right, 20);
  UniqueRgn region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetUpdateRgn(w, region.get(), FALSE), SIMPLEREGION);
  RECT outside{200, 200, 300, 300};
  ValidateRect(w, nullptr);
  InvalidateRect(w, &outside, FALSE);  // outside the client area: nothing to paint
  EXPECT_FALSE(GetUpdateRect(w, &r, FALSE));
  // UpdateWindow paints at once, without the queue.
  InvalidateRect(w, nullptr, FALSE);
  const int before = g_paints;
  UpdateWindow(w);
  EXPECT_EQ(g_paints, before + 1);
  UpdateWindow(w);
  EXPECT_EQ(g_paints, before + 1);  // nothing left to paint
}

TEST_F(Paint, RedrawWindowUpdateNowPaintsChildren) {
  HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 80, nullptr, kBlue);
  HWND child = Make(WS_CHILD | WS_VISIBLE, 10, 10, 30, 20, top, kRed);
  uitest::RunUntilIdle();
  SetWindowLongPtrW(child, GWLP_USERDATA, kGreen);
  const int before = g_paints;
  RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_EQ(g_paints, before + 2);
  EXPECT_EQ(uitest::ClientPixel(top, 15, 15), kGreen);
}

TEST_F(Paint, ScrollWindowExMovesPixelsAndInvalidatesTheRest) {
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 80, nullptr, kBlue);
  uitest::RunUntilIdle();
  {
    WindowDc dc(w);
    UniqueBrush red(CreateSolidBrush(kRed));
    RECT mark{0, 0, 10, 10};
    FillRect(dc.get(), &mark, red.get());
  }
  RECT exposed;
  UniqueRgn region(CreateRectRgn(0, 0, 0, 0));
  HRGN update = region.get();
  EXPECT_EQ(ScrollWindowEx(w, 20, 30, nullptr, nullptr, update, &exposed, SW_INVALIDATE), COMPLEXREGION);
  EXPECT_EQ(uitest::ClientPixel(w, 25, 35), kRed);  // the mark moved by (20, 30)
  EXPECT_EQ(uitest::ClientPixel(w, 31, 41), kBlue);
  EXPECT_EQ(exposed.left, 0);
  EXPECT_EQ(exposed.top, 0);
  EXPECT_TRUE(PtInRegion(update, 5, 5));     // the uncovered strips are to repaint
  EXPECT_FALSE(PtInRegion(update, 50, 50));  // the moved part is not
  RECT r;
  EXPECT_TRUE(GetUpdateRect(w, &r, FALSE));
}

TEST_F(Paint, WindowDcReachesTheFrame) {
  HWND w = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 120, 100, nullptr, kBlue);
  uitest::RunUntilIdle();
  HDC dc = GetWindowDC(w);
  SetPixelV(dc, 0, 0, kGreen);
  ReleaseDC(w, dc);
  EXPECT_EQ(uitest::CaptureWindow(w).At(0, 0), 0x00FF00u);
  EXPECT_EQ(WindowFromDC(dc), nullptr);  // released
  HDC client = GetDC(w);
  EXPECT_EQ(WindowFromDC(client), w);
  // Drawing outside the client area through a client DC does not reach the frame.
  SetPixelV(client, -1, -1, kRed);
  ReleaseDC(w, client);
  POINT origin{0, 0};
  ClientToScreen(w, &origin);
  RECT wr;
  GetWindowRect(w, &wr);
  EXPECT_NE(uitest::CaptureWindow(w).At(origin.x - wr.left - 1, origin.y - wr.top - 1), 0xFF0000u);
}

}  // namespace

namespace {

// LockWindowUpdate (public documentation): one window at a time; GetDC,
// GetDCEx and BeginPaint on it or its children give an empty visible region;
// the area drawn meanwhile is invalidated when the lock goes.
TEST_F(Paint, LockWindowUpdateHoldsBackDrawingUntilUnlocked) {
  HWND top = Make(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 100, 80, nullptr, kBlue);
  HWND child = Make(WS_CHILD | WS_VISIBLE, 10, 10, 30, 20, top, kBlue);
  HWND other = Make(WS_POPUP | WS_VISIBLE, 200, 0, 40, 30, nullptr, kBlue);
  uitest::RunUntilIdle();
  ASSERT_TRUE(LockWindowUpdate(child));
  SetLastError(0);
  EXPECT_FALSE(LockWindowUpdate(top)) << "one window at a time";
  EXPECT_EQ(GetLastError(), ERROR_SCREEN_ALREADY_LOCKED);
  ASSERT_TRUE(LockWindowUpdate(nullptr));
  ASSERT_TRUE(LockWindowUpdate(top));
  // Direct drawing, and painting, of the locked window, its child and an unlocked window.
  struct Row {
    HWND window;
    bool byPaint;
    bool drawnWhileLocked;
  } const rows[] = {
      {top, false, false},
      {child, false, false},
      {child, true, false},
      {other, false, true},
      {other, true, true},
  };
  for (const Row& row : rows) {
    SetWindowLongPtrW(row.window, GWLP_USERDATA, kRed);
    if (row.byPaint) {
      InvalidateRect(row.window, nullptr, FALSE);
      UpdateWindow(row.window);
    } else {
      HDC dc = GetDC(row.window);
      RECT r{0, 0, 5, 5};
      UniqueBrush red(CreateSolidBrush(kRed));
      FillRect(dc, &r, red.get());
      ReleaseDC(row.window, dc);
    }
    EXPECT_EQ(uitest::ClientPixel(row.window, 1, 1), row.drawnWhileLocked ? kRed : kBlue)
        << (row.window == top ? "top" : row.window == child ? "child" : "other") << " " << row.byPaint;
    SetWindowLongPtrW(row.window, GWLP_USERDATA, kBlue);
  }
  RECT update{};
  EXPECT_FALSE(GetUpdateRect(child, &update, FALSE)) << "painting while locked validated the update region";
  SetWindowLongPtrW(top, GWLP_USERDATA, kGreen);
  SetWindowLongPtrW(child, GWLP_USERDATA, kGreen);
  ASSERT_TRUE(LockWindowUpdate(nullptr));
  // What was held back is invalidated and painted again.
  EXPECT_TRUE(GetUpdateRect(child, &update, FALSE));
  uitest::RunUntilIdle();
  EXPECT_EQ(uitest::ClientPixel(top, 1, 1), kGreen);
  EXPECT_EQ(uitest::ClientPixel(child, 1, 1), kGreen);
  EXPECT_EQ(uitest::ClientPixel(other, 1, 1), kRed) << "an unlocked window is not painted again";
  // A destroyed locked window does not keep the lock.
  HWND gone = Make(WS_POPUP | WS_VISIBLE, 0, 100, 20, 20, nullptr, kBlue);
  ASSERT_TRUE(LockWindowUpdate(gone));
  DestroyWindow(gone);
  EXPECT_TRUE(LockWindowUpdate(other));
  EXPECT_TRUE(LockWindowUpdate(nullptr));
  EXPECT_FALSE(LockWindowUpdate(reinterpret_cast<HWND>(0x7777)));
}

}  // namespace
