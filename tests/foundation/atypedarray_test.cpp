#include "foundation/containers/atypedarray.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct GrowthCase {
  int firstSize;   // size of the first allocation
  int growBy;      // growBy passed with the second SetSize
  int secondSize;  // size asked for next
  int capacity;    // expected capacity afterwards
  int storedGrowBy;
};

class TypedArrayGrowth : public ::testing::TestWithParam<GrowthCase> {};

TEST_P(TypedArrayGrowth, FollowsTheStoredStep) {
  const GrowthCase& c = GetParam();
  ATypedArray<int> a;
  a.SetSize(c.firstSize, -1);
  EXPECT_EQ(a.GetCapacity(), c.firstSize) << "the first allocation is exactly the size asked for";
  a.SetSize(c.secondSize, c.growBy);
  EXPECT_EQ(a.GetSize(), c.secondSize);
  EXPECT_EQ(a.GetCapacity(), c.capacity);
  EXPECT_EQ(a.GetGrowBy(), c.storedGrowBy);
}

INSTANTIATE_TEST_SUITE_P(Cases, TypedArrayGrowth,
                         ::testing::Values(GrowthCase{1, -1, 2, 21, 20},     // default step 20
                                           GrowthCase{5, -1, 40, 40, 20},    // asked size beats the step
                                           GrowthCase{5, 7, 6, 12, 7},       // a positive step is stored
                                           GrowthCase{5, 0, 6, 25, 20},      // 0 is not stored
                                           GrowthCase{5, -3, 6, 25, 20},     // neither is a negative one
                                           GrowthCase{10, -1, 4, 10, 20}));  // shrinking keeps the storage

TEST(TypedArray, AddKeepsValuesAcrossGrowth) {
  ATypedArray<int> a;
  for (int i = 0; i < 100; ++i) EXPECT_EQ(a.Add(i * 3), i);
  ASSERT_EQ(a.GetSize(), 100);
  EXPECT_EQ(a.GetCapacity(), 1 + 20 * 5);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(a[i], i * 3);
}

TEST(TypedArray, SetSizeZeroFreesTheStorage) {
  ATypedArray<int> a;
  a.SetSize(5, -1);
  a.SetSize(0, -1);
  EXPECT_EQ(a.GetSize(), 0);
  EXPECT_EQ(a.GetCapacity(), 0);
  EXPECT_EQ(a.GetData(), nullptr);
  a.Add(4);
  EXPECT_EQ(a.GetCapacity(), 1);
}

TEST(TypedArray, NonTrivialElementsSurviveGrowthRemovalAndCopy) {
  ATypedArray<std::string> a;
  for (int i = 0; i < 30; ++i) a.Add(std::string(40, static_cast<char>('a' + i % 26)));
  a.RemoveAt(2, 3);
  ASSERT_EQ(a.GetSize(), 27);
  EXPECT_EQ(a[1], std::string(40, 'b'));
  EXPECT_EQ(a[2], std::string(40, 'f'));
  ATypedArray<std::string> b;
  b.Add("old");
  b = a;
  ASSERT_EQ(b.GetSize(), 27);
  EXPECT_EQ(b[26], std::string(40, 'd'));
  a.SetAtGrow(40, a[0]);  // the value is an element of the array that grows
  EXPECT_EQ(a[40], std::string(40, 'a'));
  EXPECT_EQ(a[39], "");
}

TEST(TypedArray, RemoveAtClampsToTheSize) {
  ATypedArray<int> a;
  for (int i = 0; i < 5; ++i) a.Add(i);
  a.RemoveAt(3, 10);
  ASSERT_EQ(a.GetSize(), 3);
  a.RemoveAt(7, 1);
  EXPECT_EQ(a.GetSize(), 3);
}

void* P(uintptr_t v) { return reinterpret_cast<void*>(v); }

TEST(TypedArray, PointerSortWithoutComparisonUsesMemoryByteOrder) {
  ATypedArray<void*> a;
  a.Add(P(0x00000001));
  a.Add(P(0x00000100));
  a.Sort(false);
  // The first byte in memory (0x00 against 0x01) decides.
  EXPECT_EQ(a[0], P(0x00000100));
  EXPECT_EQ(a[1], P(0x00000001));
  a.Sort(true);
  EXPECT_EQ(a[0], P(0x00000001));
}

int ByValueAscending(const void* x, const void* y) {
  auto a = reinterpret_cast<uintptr_t>(*static_cast<void* const*>(x));
  auto b = reinterpret_cast<uintptr_t>(*static_cast<void* const*>(y));
  return (a > b) - (a < b);
}
int ByValueDescending(const void* x, const void* y) { return ByValueAscending(y, x); }

TEST(TypedArray, PointerSortUsesTheComparisonFunctions) {
  ATypedArray<void*> a;
  for (uintptr_t v : {0x300u, 0x1u, 0x200u}) a.Add(P(v));
  a.SetCompare(ByValueAscending);
  a.Sort(false);
  EXPECT_EQ(a[0], P(0x1));
  EXPECT_EQ(a[2], P(0x300));
  a.Sort(true);  // no descending function: the ascending one is used
  EXPECT_EQ(a[0], P(0x1));
  a.SetCompare(ByValueAscending, ByValueDescending);
  a.Sort(true);
  EXPECT_EQ(a[0], P(0x300));
  EXPECT_EQ(a[2], P(0x1));
}

}  // namespace
