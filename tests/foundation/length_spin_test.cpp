// The length spinner's one rule: steps of 0.01 inch or 0.254 mm, kept
// within the bounds from either side, written back with three decimals; the
// same rule on an edit of a window.
#include <gtest/gtest.h>

#include "foundation/window_helpers/length_spin.h"
#include "platform/win.h"

namespace {

struct StepCase {
  double value;
  int direction, unit, steps;
  double minimum, maximum, expected;
  const char* why;
};

TEST(LengthSpin, SteppedLengthTable) {
  const StepCase cases[] = {
      {1.0, 0, 1, 1, 0, 10, 1.01, "one hundredth of an inch up"},
      {1.0, 1, 1, 5, 0, 10, 0.95, "five hundredths down"},
      {10.0, 0, kLengthUnitMillimetres, 1, 0, 50, 10.254, "0.254 mm up"},
      {10.0, 1, kLengthUnitMillimetres, 10, 0, 50, 7.46, "ten steps of 0.254 mm down"},
      {49.9, 0, kLengthUnitMillimetres, 1, 0, 50, 50.0, "up past the maximum stops there"},
      {-3.0, 0, 1, 1, 0, 50, 0.0, "up from below the minimum gives the minimum"},
      {0.005, 1, 1, 1, 0, 10, 0.0, "down past the minimum stops there"},
      {60.0, 1, 1, 1, 0, 50, 50.0, "down from above the maximum gives the maximum"},
      {2.0, 0, 0, 1, 0, 10, 2.01, "any unit but millimetres counts as inches"},
  };
  for (const StepCase& c : cases)
    EXPECT_NEAR(SteppedLength(c.value, c.direction, c.minimum, c.maximum, c.unit, c.steps), c.expected, 1e-9)
        << c.why;
}

TEST(LengthSpin, EditOfAWindowIsRewritten) {
  HWND parent = ::CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  HWND edit = ::CreateWindowExA(0, "Edit", "abc", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(7)), nullptr, nullptr);
  ASSERT_NE(edit, nullptr);
  char text[32] = {};
  EXPECT_EQ(SpinUnitEdit(0, 7, 0, 10, 1, parent, 1), 1);
  ::GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ(text, "0.010") << "a text that is no number counts as 0";
  EXPECT_EQ(SpinUnitEdit(2, 7, 0, 10, 1, parent, 1), 1);
  ::GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ(text, "0.010") << "another direction leaves the edit alone";
  ::DestroyWindow(parent);
}

}  // namespace
