// The barcode library's build of the code-page tests behaves exactly as the
// designer's.
#include <gtest/gtest.h>

#include "foundation/codepage/codepage.h"

int AppIsDbcsCodePagePair(BYTE lead, BYTE trail, int codePage);
int AppIsCjkCodePage(int codePage);
bool AppIsWesternCodePage(int codePage);

namespace {

static_assert(kLibraryBuild, "compiled as the library's build");

TEST(CodePageLibraryBuild, SameAnswersAsTheDesignersBuild) {
  for (int cp : {-1, 0, 437, 932, 936, 949, 950, 1252, 65001}) {
    EXPECT_EQ(IsCjkCodePage(cp), AppIsCjkCodePage(cp)) << cp;
    EXPECT_EQ(IsWesternCodePage(cp), AppIsWesternCodePage(cp)) << cp;
    for (int lead = 0; lead < 256; ++lead) {
      for (int trail = 0; trail < 256; ++trail) {
        ASSERT_EQ(IsDbcsCodePagePair(static_cast<BYTE>(lead), static_cast<BYTE>(trail), cp),
                  AppIsDbcsCodePagePair(static_cast<BYTE>(lead), static_cast<BYTE>(trail), cp))
            << cp << " " << lead << " " << trail;
      }
    }
  }
  EXPECT_EQ(IsDbcsCodePagePair(0x81, 0x7F, 936), 0);
  EXPECT_EQ(IsDbcsCodePagePair(0xA1, 0x7F, 950), 1);
}

}  // namespace
