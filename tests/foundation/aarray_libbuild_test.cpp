// The barcode library's build of AArray: same growth and string behaviour as
// the designer's, with its own operation tables.
#include <gtest/gtest.h>

#include "foundation/containers/aarray.h"

// Defined in aarray_string_test.cpp, which is compiled as the designer's build.
const void* DesignerStringArrayOps();
const void* DesignerSharedEmptyHeader();

namespace {

static_assert(kLibraryBuild);

TEST(AArrayLibraryBuild, GrowsByTheSameRules) {
  AArray<int> a;
  a.SetSize(0, -1);
  EXPECT_EQ(a.GetSize(), 10);
  a.RemoveAll();
  a.SetSize(100, -1);
  a.SetSize(101, 0);
  EXPECT_EQ(a.GetCapacity(), 132);
  AArray<WORD> w;
  w.Add(1);
  w.Add(2);
  EXPECT_EQ(w.GetCapacity(), 21);
}

TEST(AArrayLibraryBuild, HasItsOwnTables) {
  EXPECT_NE(static_cast<const void*>(&AArrayElement<AString>::ops), DesignerStringArrayOps());
  AArray<AString> a;
  a.SetSize(2, -1);
  EXPECT_EQ(a[0].GetHeader(), AString::SharedEmptyHeader());
  EXPECT_NE(static_cast<const void*>(a[0].GetHeader()), DesignerSharedEmptyHeader());
  a.InsertChars(1, "x", 2);
  EXPECT_TRUE(a[1] == "x");
  EXPECT_TRUE(a[2] == "x");
  EXPECT_EQ(a.GetSize(), 4);
}

}  // namespace
