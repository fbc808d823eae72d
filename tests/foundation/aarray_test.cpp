#include "foundation/containers/aarray.h"

#include <gtest/gtest.h>

namespace {

TEST(AArray, SetSizeBelowOneGivesTenZeros) {
  AArray<int> a;
  a.SetSize(0, -1);
  ASSERT_EQ(a.GetSize(), 10);
  EXPECT_EQ(a.GetCapacity(), 10);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(a[i], 0);
  AArray<WORD> w;
  w.SetSize(-4, -1);
  EXPECT_EQ(w.GetSize(), 10);
}

struct GrowthCase {
  int firstSize;  // size of the first allocation (capacity equals it)
  int growBy;     // growBy passed with the second SetSize
  int secondSize;
  int capacity;   // expected capacity afterwards
  int storedGrowBy;
};

class AArrayGrowth : public ::testing::TestWithParam<GrowthCase> {};

TEST_P(AArrayGrowth, FollowsTheRules) {
  const GrowthCase& c = GetParam();
  AArray<int> a;
  a.SetSize(c.firstSize, -1);
  ASSERT_EQ(a.GetCapacity(), c.firstSize);
  for (int i = 0; i < c.firstSize; ++i) a[i] = i + 1;
  a.SetSize(c.secondSize, c.growBy);
  EXPECT_EQ(a.GetSize(), c.secondSize);
  EXPECT_EQ(a.GetCapacity(), c.capacity);
  EXPECT_EQ(a.GetGrowBy(), c.storedGrowBy);
  for (int i = 0; i < std::min(c.firstSize, c.secondSize); ++i) EXPECT_EQ(a[i], i + 1);
  for (int i = c.firstSize; i < c.secondSize; ++i) EXPECT_EQ(a[i], 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AArrayGrowth,
    ::testing::Values(GrowthCase{1, -1, 2, 21, 20},             // default step 20
                      GrowthCase{7, -1, 50, 50, 20},            // asked size beats the step
                      GrowthCase{100, 0, 101, 132, 32},         // 100 / 16 = 6, clamped up to 32
                      GrowthCase{1000, 0, 1001, 1062, 62},      // 1000 / 16 = 62
                      GrowthCase{20000, 0, 20001, 21024, 1024},  // 1250 clamped down to 1024
                      GrowthCase{5, 9, 6, 14, 9},               // a given step is stored
                      GrowthCase{10, -1, 3, 10, 20}));          // shrinking keeps the storage

TEST(AArray, RemoveAllResetsTheStep) {
  AArray<int> a;
  a.SetSize(3, 7);
  EXPECT_EQ(a.GetGrowBy(), 7);
  a.RemoveAll();
  EXPECT_EQ(a.GetSize(), 0);
  EXPECT_EQ(a.GetCapacity(), 0);
  EXPECT_EQ(a.GetGrowBy(), 20);
}

TEST(AArray, AddSetAtGrowAndRemoveAt) {
  AArray<int> a;
  for (int i = 0; i < 25; ++i) EXPECT_EQ(a.Add(i), i);
  EXPECT_EQ(a.GetCapacity(), 41);  // 1, then 21, then 41
  a.SetAtGrow(30, 99);
  ASSERT_EQ(a.GetSize(), 31);
  EXPECT_EQ(a[29], 0);
  EXPECT_EQ(a[30], 99);
  a.RemoveAt(1, 3);
  ASSERT_EQ(a.GetSize(), 28);
  EXPECT_EQ(a[0], 0);
  EXPECT_EQ(a[1], 4);
  EXPECT_EQ(a[27], 99);
  a.Add(a[1]);  // a value from the array itself
  EXPECT_EQ(a[28], 4);
}

struct InsertCase {
  std::vector<int> start;
  int index;
  int value;
  int count;
  std::vector<int> expected;
};

class AArrayInsert : public ::testing::TestWithParam<InsertCase> {};

TEST_P(AArrayInsert, InsertsCopies) {
  const InsertCase& c = GetParam();
  AArray<int> a;
  for (int v : c.start) a.Add(v);
  a.InsertAt(c.index, c.value, c.count);
  std::vector<int> got(a.GetData(), a.GetData() + a.GetSize());
  EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, AArrayInsert,
                         ::testing::Values(InsertCase{{1, 2, 3}, 2, 7, 3, {1, 2, 7, 7, 7, 3}},
                                           InsertCase{{1, 2, 3}, 0, 7, 1, {7, 1, 2, 3}},
                                           InsertCase{{1, 2, 3}, 3, 7, 2, {1, 2, 3, 7, 7}},
                                           InsertCase{{1, 2}, 4, 7, 1, {1, 2, 0, 0, 7}},
                                           InsertCase{{1, 2}, 1, 7, 0, {1, 2}}));

TEST(AArray, InsertAppendAndCopyArrays) {
  AArray<WORD> a, b;
  a.Add(1);
  a.Add(2);
  b.Add(8);
  b.Add(9);
  EXPECT_EQ(a.InsertAt(1, b), 2);
  EXPECT_EQ(a.Append(b), 4);
  std::vector<WORD> got(a.GetData(), a.GetData() + a.GetSize());
  EXPECT_EQ(got, (std::vector<WORD>{1, 8, 9, 2, 8, 9}));
  EXPECT_EQ(a.InsertAt(0, a), 6);  // inserting an array into itself
  EXPECT_EQ(a.GetSize(), 12);
  EXPECT_EQ(a[6], 1);
  EXPECT_EQ(a[0], 1);
  EXPECT_EQ(a[5], 9);
  AArray<WORD> c;
  c = b;
  EXPECT_EQ(c.GetSize(), 2);
  EXPECT_EQ(c[1], 9);
  AArray<WORD> empty;
  c = empty;
  EXPECT_EQ(c.GetSize(), 0);
}

TEST(AArray, AppendingAnEmptyArrayChangesNothing) {
  AArray<int> a, empty;
  EXPECT_EQ(a.Append(empty), 0);
  EXPECT_EQ(a.GetSize(), 0);
  EXPECT_EQ(a.InsertAt(0, empty), 0);
  EXPECT_EQ(a.GetSize(), 0);
}

}  // namespace
