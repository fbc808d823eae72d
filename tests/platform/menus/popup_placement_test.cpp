// Where TrackPopupMenu puts a popup on a small screen: aligned to the point
// as its flags ask, and kept within the work area as Windows keeps it (the
// TrackPopupMenuEx page of the public documentation: the menu is placed so
// that it stays on screen): past the bottom it opens above the point, past
// the right edge to the left of it, and a menu that fits neither way is
// moved in up to the work area's edge.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/display/display.h"
#include "platform/testing/ui.h"
#include "platform/win.h"
#include "tests/platform/menus/menu_script.h"

namespace {

constexpr SIZE kScreen{640, 480};
constexpr RECT kWork{0, 0, 640, 450};  // a panel along the bottom

// A screen of 640 x 480 with its work area above a 30-dot panel; windows are
// only noted.
class SmallScreen final : public display::Display {
 public:
  const char* Name() const override { return "small"; }
  SIZE ScreenSize() const override { return kScreen; }
  RECT WorkArea() const override { return kWork; }
  void WindowPlaced(HWND, const RECT&, bool) override {}
  void WindowDestroyed(HWND) override {}
  void SurfaceChanged(HWND, const std::shared_ptr<gdi::Bitmap>&, const RECT&) override {}
};

// The small screen for the scope; the headless one afterwards.
struct SmallScreenScope {
  SmallScreenScope() { display::Install(std::make_unique<SmallScreen>()); }
  ~SmallScreenScope() { display::Install(nullptr); }
  SmallScreenScope(const SmallScreenScope&) = delete;
  SmallScreenScope& operator=(const SmallScreenScope&) = delete;
};

RECT shown{};

LRESULT OwnerProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
    menutest::TakeNextStep(reinterpret_cast<HWND>(lParam));
    return 0;
  }
  return DefWindowProcW(w, message, wParam, lParam);
}

// The popup's window rectangle as TrackPopupMenu shows it at the point.
RECT Placed(HWND owner, HMENU menu, POINT at, UINT flags) {
  shown = {};
  menutest::stuck = 0;
  menutest::script = {[](HWND popup) {
    GetWindowRect(popup, &shown);
    menutest::Tap(VK_ESCAPE);
  }};
  TrackPopupMenu(menu, flags | TPM_RETURNCMD, at.x, at.y, 0, owner, nullptr);
  return shown;
}

HMENU MenuOf(int items) {
  HMENU menu = CreatePopupMenu();
  for (int i = 0; i < items; ++i) {
    const std::u16string text = u"Control character " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(100 + i), text.c_str());
  }
  return menu;
}

TEST(PopupPlacement, KeptInTheWorkAreaOfASmallScreen) {
  const SmallScreenScope small;
  ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), kScreen.cy);
  const HWND owner = uitest::CreateTestWindow({u"TavPopupPlacementOwner", OwnerProc, COLOR_WINDOW}, u"Placement",
                                              WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 400, 300);
  ASSERT_NE(owner, nullptr);
  HMENU shortMenu = MenuOf(5), longMenu = MenuOf(40);
  // The menus' sizes where nothing is in the way.
  const RECT a = Placed(owner, shortMenu, {100, 50}, 0), b = Placed(owner, longMenu, {100, 0}, 0);
  const SIZE shortSize{a.right - a.left, a.bottom - a.top}, longSize{b.right - b.left, b.bottom - b.top};
  ASSERT_GT(shortSize.cy, 40);
  ASSERT_LT(shortSize.cy, 200);
  ASSERT_GT(longSize.cy, kWork.bottom) << "the long menu is taller than the work area";
  ASSERT_LT(shortSize.cx, 300);

  struct Case {
    const char* what;
    bool longOne;
    POINT at;
    UINT flags;
    POINT topLeft;  // where the popup's corner is expected
  };
  const LONG w = shortSize.cx, h = shortSize.cy;
  const Case cases[] = {
      {"room below and right: at the point", false, {100, 50}, 0, {100, 50}},
      {"past the work area's bottom: above the point", false, {100, 420}, 0, {100, 420 - h}},
      {"in the panel under the work area: up to the work area's bottom", false, {100, 470}, 0, {100, kWork.bottom - h}},
      {"past the right edge: left of the point", false, {600, 50}, 0, {600 - w, 50}},
      {"past both: above and left of the point", false, {630, 440}, 0, {630 - w, 440 - h}},
      {"right-aligned past the left edge: right of the point", false, {20, 50}, TPM_RIGHTALIGN, {20, 50}},
      {"bottom-aligned past the top: below the point", false, {100, 10}, TPM_BOTTOMALIGN, {100, 10}},
      {"right- and bottom-aligned with room: its corner at the point", false, {300, 300},
       TPM_RIGHTALIGN | TPM_BOTTOMALIGN, {300 - w, 300 - h}},
      {"centred past the right edge: moved in to it", false, {630, 50}, TPM_CENTERALIGN, {630 - w, 50}},
      {"taller than the work area: from its top", true, {100, 300}, 0, {100, kWork.top}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RECT r = Placed(owner, c.longOne ? longMenu : shortMenu, c.at, c.flags);
    EXPECT_EQ(r.left, c.topLeft.x);
    EXPECT_EQ(r.top, c.topLeft.y);
    EXPECT_GE(r.left, kWork.left);
    EXPECT_LE(r.right, kWork.right);
    EXPECT_GE(r.top, kWork.top);
    if (!c.longOne) {
      EXPECT_LE(r.bottom, kWork.bottom);
    }
  }
  EXPECT_EQ(menutest::stuck, 0);
  DestroyMenu(shortMenu);
  DestroyMenu(longMenu);
  DestroyWindow(owner);
}

// A medium menu that fits neither below nor above the point: moved up until
// its bottom is the work area's.
TEST(PopupPlacement, MovedUpWhenItFitsNeitherBelowNorAbove) {
  const SmallScreenScope small;
  const HWND owner = uitest::CreateTestWindow({u"TavPopupPlacementOwner", OwnerProc, COLOR_WINDOW}, u"Placement",
                                              WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 400, 300);
  HMENU menu = MenuOf(14);
  const RECT free = Placed(owner, menu, {100, 0}, 0);
  const LONG h = free.bottom - free.top;
  ASSERT_GT(h, kWork.bottom / 2);
  ASSERT_LT(h, kWork.bottom);
  const LONG y = kWork.bottom / 2;
  ASSERT_LT(y, h) << "no room above";
  ASSERT_GT(y + h, kWork.bottom) << "no room below";
  const RECT r = Placed(owner, menu, {100, y}, 0);
  EXPECT_EQ(r.bottom, kWork.bottom);
  EXPECT_EQ(r.top, kWork.bottom - h);
  DestroyMenu(menu);
  DestroyWindow(owner);
}

}  // namespace
