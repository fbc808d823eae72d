#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/containers/aarray.h"

// The designer's build's tables, for the library build's test to compare with.
const void* DesignerStringArrayOps() { return &AArrayElement<AString>::ops; }
const void* DesignerSharedEmptyHeader() { return AString::SharedEmptyHeader(); }

namespace {

std::vector<std::string> Texts(const AArray<AString>& a) {
  std::vector<std::string> out;
  for (int i = 0; i < a.GetSize(); ++i) out.emplace_back(a[i].GetData(), a[i].GetLength());
  return out;
}

AArray<AString> Make(std::initializer_list<const char*> texts) {
  AArray<AString> a;
  for (const char* t : texts) a.AddChars(t);
  return a;
}

TEST(AArrayString, NewElementsShareTheEmptyString) {
  AArray<AString> a;
  EXPECT_EQ(a.GetElementSize(), static_cast<int>(sizeof(AString)));
  a.SetSize(3, -1);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(a[i].GetHeader(), AString::SharedEmptyHeader());
}

TEST(AArrayString, InsertCopiesBetweenExistingElements) {
  AArray<AString> a = Make({"a", "b", "c"});
  a.InsertChars(2, "x", 3);
  EXPECT_EQ(Texts(a), (std::vector<std::string>{"a", "b", "x", "x", "x", "c"}));
  a.InsertAt(0, a[5], 1);  // a value from the array itself
  EXPECT_EQ(Texts(a), (std::vector<std::string>{"c", "a", "b", "x", "x", "x", "c"}));
}

TEST(AArrayString, AddUniqueComparesBytes) {
  AArray<AString> a = Make({"one", "two"});
  EXPECT_EQ(a.AddUnique("two"), -1);
  EXPECT_EQ(a.GetSize(), 2);
  EXPECT_EQ(a.AddUnique("Two"), 2);
  EXPECT_EQ(a.AddUnique(""), 3);
  EXPECT_EQ(a.AddUnique(""), -1);
}

struct SortCase {
  std::vector<const char*> input;
  bool ascending;
  int maxLength;
  std::vector<std::string> expected;
};

class SortByNumber : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortByNumber, OrdersByDecimalValue) {
  const SortCase& c = GetParam();
  AArray<AString> a;
  for (const char* t : c.input) a.AddChars(t);
  EXPECT_EQ(a.SortByNumber(c.ascending, c.maxLength), 1);
  EXPECT_EQ(Texts(a), c.expected);
  for (int i = 0; i < a.GetSize(); ++i) {
    if (!a[i].IsEmpty()) {
      EXPECT_EQ(a[i].GetCodePage(), -1);
    }
    EXPECT_FALSE(a[i].IsWide());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SortByNumber,
    ::testing::Values(SortCase{{"10", "9", "-1"}, true, 10, {"-1", "9", "10"}},
                      SortCase{{"10", "9", "-1"}, false, 10, {"10", "9", "-1"}},
                      SortCase{{"7", "x", "3abc"}, true, 10, {"x", "3abc", "7"}},  // text without digits is 0
                      // Overlong texts are cut to maxLength: "12345" counts as 12.
                      SortCase{{"12345", "13"}, true, 2, {"12", "13"}},
                      // Values beyond 32 bits saturate instead of overflowing.
                      SortCase{{"99999999999", "-99999999999", "0"}, true, 12, {"-99999999999", "0", "99999999999"}},
                      SortCase{{}, true, 10, {}}));

TEST(AArrayString, DestroyingReleasesEveryElement) {
  AString shared("shared text");
  ASSERT_EQ(shared.GetHeader()->refs, 1);
  {
    AArray<AString> a;
    a.Add(shared);
    a.Add(shared);
    EXPECT_EQ(shared.GetHeader()->refs, 3);
    AArray<AString> b(a);
    EXPECT_EQ(shared.GetHeader()->refs, 5);
    b.RemoveAt(0, 1);
    EXPECT_EQ(shared.GetHeader()->refs, 4);
  }
  EXPECT_EQ(shared.GetHeader()->refs, 1);
}

TEST(AArrayString, GrowthMovesStringsWithoutTouchingCounts) {
  AString s("payload");
  AArray<AString> a;
  for (int i = 0; i < 100; ++i) a.Add(s);  // several reallocations
  EXPECT_EQ(s.GetHeader()->refs, 101);
  a.SetSize(10, -1);
  EXPECT_EQ(s.GetHeader()->refs, 11);
  a.RemoveAll();
  EXPECT_EQ(s.GetHeader()->refs, 1);
}

}  // namespace
