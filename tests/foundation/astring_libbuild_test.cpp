// The barcode library's build of AString (compiled with KALVO_LIBRARY_BUILD):
// its appends never take over a code page and its ConvertToWide does nothing.
// The designer's side of the same checks is in astring_build_test.cpp; both
// run in this one process, each build with its own pool, lock and empty block.
#include <gtest/gtest.h>

#include "foundation/string/astring.h"
#include "tests/foundation/astring_test_util.h"

static_assert(kLibraryBuild);

using astring_test::Bytes;
using astring_test::Narrow;
using astring_test::Wide;

// What the library does with a string the designer passes by value: it reads
// it, appends to a copy of its own and reports the count it saw.
extern "C" int TavTestLibraryTakesString(AString s) {
  AString own(s);
  own += "-lib";
  own.MakeUpper();
  return s.GetHeader()->refs;
}

// A library function that changes its by-value argument: the change goes to a
// block of the library's own (copy-before-write), never to the caller's.
extern "C" int TavTestLibraryChangesString(AString s) {
  s += "-changed";
  s.SetCodePage(936);
  return s.GetLength();
}

// The library build's shared empty block, for the designer's side to compare.
extern "C" const void* TavTestLibraryEmptyBlock() { return AString::SharedEmptyHeader(); }

namespace {

TEST(AStringLibraryBuild, AppendingWideToNarrowAppendsRawUnits) {
  AString s("ab");
  s += Wide(u"cd");
  EXPECT_FALSE(s.IsWide());
  EXPECT_EQ(Bytes(s), std::string("abc\0d\0", 6));
  EXPECT_EQ(s.GetCodePage(), -1);

  const AString sum = AString("ab") + Wide(u"c");
  EXPECT_FALSE(sum.IsWide());
  EXPECT_EQ(Bytes(sum), std::string("abc\0", 4));
}

TEST(AStringLibraryBuild, AppendsKeepTheTargetCodePage) {
  AString s = Narrow("x", 1252);
  s += Narrow("\xC4\xE3", 936);
  EXPECT_EQ(s.GetCodePage(), 1252);
  AString none("y");
  EXPECT_EQ((none + Narrow("\xC4\xE3", 936)).GetCodePage(), -1);
}

TEST(AStringLibraryBuild, ConvertToWideDoesNothing) {
  AString s = Narrow("\xC4\xE3", 936);
  EXPECT_EQ(s.ConvertToWide(-1), 0);
  EXPECT_EQ(s.ConvertToWide(936), 0);
  EXPECT_FALSE(s.IsWide());
  EXPECT_EQ(Bytes(s), "\xC4\xE3");
  // The other conversions behave as in the designer's build.
  AString w = Wide(u"\u4F60");
  EXPECT_EQ(w.ConvertToMultiByte(936), 1);
  EXPECT_EQ(Bytes(w), "\xC4\xE3");
}

TEST(AStringLibraryBuild, HasItsOwnPoolAndEmptyBlock) {
  AString::FreeCachedBlocks();
  const AStringHeader* first = nullptr;
  {
    AString s("abc");
    first = s.GetHeader();
  }
  EXPECT_EQ(AString::CachedBlockCount(5), 1);
  AString t("xyz");
  EXPECT_EQ(t.GetHeader(), first);
  EXPECT_EQ(AString().GetHeader(), AString::SharedEmptyHeader());
  EXPECT_EQ(AString::SharedEmptyHeader()->codePage, 0);
}

}  // namespace
