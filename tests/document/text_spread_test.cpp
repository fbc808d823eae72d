// A text field spread over a width: text that has no width of its own is
// not drawn (nothing to spread), the same text unspread still is.
#include <gtest/gtest.h>

#include "fields/draw/text_draw.h"
#include "platform/testing/test_canvas.h"
#include "tests/foundation/astring_test_util.h"

namespace {

void MakeZeroWidthText(CTextField& f) {
  // Two combining acute accents: ink, but no advance.
  f.data = astring_test::Wide(u"\u0301\u0301");
  f.logFont.lfHeight = -40;
  f.foreColor = RGB(0, 0, 0);
}

TEST(TextSpread, TextWithoutWidthIsNotSpread) {
  CTextField f;
  MakeZeroWidthText(f);
  ASSERT_TRUE(f.data.IsWide());
  tavtest::TestCanvas plain(120, 80);
  DrawTextFieldOnDC(plain.dc(), f, 40, 20, 0, true, 0, 0);
  EXPECT_GT(plain.Inked(), 0) << "the accents have ink of their own";
  tavtest::TestCanvas spread(120, 80);
  EXPECT_EQ(DrawTextFieldOnDC(spread.dc(), f, 40, 20, 100, true, 0, 0), 1);
  EXPECT_EQ(spread.Inked(), 0);
}

}  // namespace
