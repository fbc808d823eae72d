// The headless display: told where top-level windows are, whether they are
// shown, which parts of their surfaces changed, and when they go.
#include <gtest/gtest.h>

#include "platform/display/display.h"
#include "platform/testing/ui.h"
#include "tests/platform/user/message_log.h"

using namespace usertest;

namespace {

const display::HeadlessWindow* Known(HWND w, const std::vector<display::HeadlessWindow>& all) {
  for (const auto& k : all)
    if (k.window == w) return &k;
  return nullptr;
}

TEST(HeadlessDisplay, KnowsPlacementsDamageAndDestruction) {
  display::HeadlessDisplay* screen = display::Headless();
  ASSERT_NE(screen, nullptr);  // tests always run headless
  EXPECT_STREQ(display::Current().Name(), "headless");
  EXPECT_EQ(display::Current().ScreenSize().cx, GetSystemMetrics(SM_CXSCREEN));
  RegisterLogClass();
  HWND w = CreateWindowExW(0, u"LogWindow", u"shown", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 40, 200, 100, nullptr,
                           nullptr, nullptr, nullptr);
  uitest::RunUntilIdle();
  auto all = screen->Windows();
  const display::HeadlessWindow* k = Known(w, all);
  ASSERT_NE(k, nullptr);
  EXPECT_TRUE(k->shown);
  EXPECT_EQ(k->screenRect.left, 30);
  EXPECT_EQ(k->screenRect.bottom, 140);
  // Painting the window damaged all of it; taking the damage clears it.
  const RECT damage = screen->TakeDamage(w);
  EXPECT_EQ(damage.left, 0);
  EXPECT_EQ(damage.right, 200);
  RECT none = screen->TakeDamage(w);
  EXPECT_TRUE(IsRectEmpty(&none));
  // A small invalidation damages only that part (in surface coordinates).
  RECT part{10, 10, 20, 15};
  InvalidateRect(w, &part, TRUE);
  uitest::RunUntilIdle();
  POINT origin{0, 0};
  ClientToScreen(w, &origin);
  const RECT small = screen->TakeDamage(w);
  EXPECT_EQ(small.left, origin.x - 30 + 10);
  EXPECT_EQ(small.top, origin.y - 40 + 10);
  EXPECT_EQ(small.right, origin.x - 30 + 20);
  ShowWindow(w, SW_HIDE);
  all = screen->Windows();
  ASSERT_NE(Known(w, all), nullptr);
  EXPECT_FALSE(Known(w, all)->shown);
  DestroyWindow(w);
  all = screen->Windows();
  EXPECT_EQ(Known(w, all), nullptr);
}

}  // namespace
