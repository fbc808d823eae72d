// The designer's build of AString next to the library's build in one process:
// the designer's appends take over a double-byte code page and convert a
// narrow target to UTF-16; a string passed to the library by value comes back
// with its count unchanged.
#include <gtest/gtest.h>

#include "foundation/string/astring.h"
#include "tests/foundation/astring_test_util.h"

static_assert(!kLibraryBuild);

using astring_test::Bytes;
using astring_test::Narrow;
using astring_test::Units;
using astring_test::Wide;

// Defined in the library build's test file (the boundary passes the one
// pointer an AString is).
extern "C" int TavTestLibraryTakesString(AString s);
extern "C" int TavTestLibraryChangesString(AString s);
extern "C" const void* TavTestLibraryEmptyBlock();

namespace {

TEST(AStringDesignerBuild, AppendingWideToNarrowConvertsTheTarget) {
  AString s("ab");
  ASSERT_EQ(s.GetCodePage(), -1);
  s += Wide(u"cd");
  EXPECT_TRUE(s.IsWide());
  EXPECT_EQ(Units(s), u"abcd");

  const AString sum = AString("x\xE9") + Wide(u"\u4F60");
  EXPECT_TRUE(sum.IsWide());
  EXPECT_EQ(Units(sum), u"x\u00E9\u4F60");
}

TEST(AStringDesignerBuild, AppendsTakeOverADoubleByteCodePage) {
  struct Case {
    int target;
    int source;
    int result;
  };
  const Case cases[] = {
      {1252, 936, 936}, {-1, 950, 950}, {0, 932, 932}, {936, 949, 936}, {1252, -1, 1252}, {-1, 1252, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.target << " + " << c.source);
    AString s = Narrow("x", c.target);
    s += Narrow("\xC4\xE3", c.source);
    EXPECT_EQ(s.GetCodePage(), c.result);
    EXPECT_EQ((Narrow("x", c.target) + Narrow("\xC4\xE3", c.source)).GetCodePage(), c.result);
  }
}

TEST(AStringDesignerBuild, TakeOverLeavesASharedBlockAlone) {
  AString original = Narrow("x", 1252);
  AString copy(original);
  copy += Narrow("\xC4\xE3", 936);
  EXPECT_EQ(copy.GetCodePage(), 936);
  EXPECT_EQ(original.GetCodePage(), 1252);
  EXPECT_EQ(Bytes(original), "x");
}

TEST(AStringBoundary, BothBuildsHaveTheirOwnEmptyBlock) {
  EXPECT_NE(TavTestLibraryEmptyBlock(), static_cast<const void*>(AString::SharedEmptyHeader()));
}

TEST(AStringBoundary, PassingByValueLeavesTheCallersCount) {
  AString mine("designer text");
  const int before = mine.GetHeader()->refs;
  const int seen = TavTestLibraryTakesString(mine);
  EXPECT_EQ(seen, before + 1);  // the argument shares the caller's block
  EXPECT_EQ(mine.GetHeader()->refs, before);
  EXPECT_EQ(Bytes(mine), "designer text");

  AString empty;
  const int emptyBefore = empty.GetHeader()->refs;
  TavTestLibraryTakesString(empty);
  EXPECT_EQ(empty.GetHeader()->refs, emptyBefore);
}

TEST(AStringBoundary, ALibraryChangeNeverReachesTheCallersBlock) {
  AString mine("caller");
  const AStringHeader* block = mine.GetHeader();
  EXPECT_EQ(TavTestLibraryChangesString(mine), 14);
  EXPECT_EQ(mine.GetHeader(), block);
  EXPECT_EQ(mine.GetHeader()->refs, 1);
  EXPECT_EQ(Bytes(mine), "caller");
  EXPECT_EQ(mine.GetCodePage(), -1);
}

}  // namespace
