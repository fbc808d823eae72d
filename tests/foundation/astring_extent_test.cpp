// AString::GetTextExtent measures wide strings by their units and narrow ones
// by their bytes.
#include <gtest/gtest.h>

#include "foundation/string/astring.h"
#include "platform/gdi/gdi.h"
#include "tests/foundation/astring_test_util.h"

namespace {

TEST(AStringExtent, WideAndNarrowFormsOfOneTextMeasureAlike) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  const SIZE narrow = AString("Label 128").GetTextExtent(dc);
  const SIZE wide = astring_test::Wide(u"Label 128").GetTextExtent(dc);
  EXPECT_GT(narrow.cx, 0);
  EXPECT_GT(narrow.cy, 0);
  EXPECT_EQ(wide.cx, narrow.cx);
  EXPECT_EQ(wide.cy, narrow.cy);
  const SIZE shorter = AString("Label").GetTextExtent(dc);
  EXPECT_LT(shorter.cx, narrow.cx);
  EXPECT_EQ(AString().GetTextExtent(dc).cx, 0);
  DeleteDC(dc);
}

}  // namespace
