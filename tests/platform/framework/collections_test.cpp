// Lists by position, growing arrays and maps walked in bucket order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework_test_util.h"

namespace {

std::vector<intptr_t> Walk(const CPtrList& list) {
  std::vector<intptr_t> out;
  for (POSITION pos = list.GetHeadPosition(); pos;) out.push_back(reinterpret_cast<intptr_t>(list.GetNext(pos)));
  return out;
}

void* P(intptr_t v) { return reinterpret_cast<void*>(v); }

TEST(FrameworkCollections, ListInsertsAroundPositions) {
  CPtrList list(10);
  list.AddTail(P(2));
  POSITION head = list.AddHead(P(1));
  list.AddTail(P(4));
  list.InsertAfter(list.Find(P(2)), P(3));
  list.InsertBefore(head, P(0));
  EXPECT_EQ(Walk(list), (std::vector<intptr_t>{0, 1, 2, 3, 4}));
  // Inserting several after one position, each directly after it, reverses them.
  POSITION at = list.FindIndex(1);
  for (intptr_t v : {10, 11, 12}) list.InsertAfter(at, P(v));
  EXPECT_EQ(Walk(list), (std::vector<intptr_t>{0, 1, 12, 11, 10, 2, 3, 4}));
  list.RemoveAt(list.Find(P(11)));
  EXPECT_EQ(list.RemoveHead(), P(0));
  EXPECT_EQ(list.RemoveTail(), P(4));
  EXPECT_EQ(list.GetCount(), 5);
  // Walking backwards.
  std::vector<intptr_t> back;
  for (POSITION pos = list.GetTailPosition(); pos;) back.push_back(reinterpret_cast<intptr_t>(list.GetPrev(pos)));
  EXPECT_EQ(back, (std::vector<intptr_t>{3, 2, 10, 12, 1}));
  list.RemoveAll();
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(list.GetHeadPosition(), nullptr);
  try {
    list.RemoveHead();
    ADD_FAILURE() << "removed the head of an empty list";
  } catch (CInvalidArgException* e) {
    e->Delete();
  }
}

TEST(FrameworkCollections, ArraysGrowInsertAndCheckIndices) {
  CPtrArray array;
  array.SetSize(2);
  array.SetAtGrow(4, P(4));
  EXPECT_EQ(array.GetSize(), 5);
  EXPECT_EQ(array[3], nullptr);
  array.InsertAt(1, P(9), 2);
  EXPECT_EQ(array.GetSize(), 7);
  EXPECT_EQ(array[2], P(9));
  array.RemoveAt(0, 3);
  EXPECT_EQ(array.GetUpperBound(), 3);
  EXPECT_EQ(array[3], P(4));
  try {
    array.GetAt(4);
    ADD_FAILURE() << "read past the end";
  } catch (CInvalidArgException* e) {
    e->Delete();
  }
  CStringArray strings;
  strings.Add("a");
  strings.Add("b");
  EXPECT_EQ(strings.GetAt(1), CString("b"));
}

TEST(FrameworkCollections, MapsLookUpRemoveAndWalkEveryEntry) {
  CMapStringToPtr map;
  const char* names[] = {"Arial", "Courier New", "Times New Roman", "Symbol", "Wingdings"};
  for (intptr_t i = 0; i < 5; ++i) map.SetAt(names[i], P(i + 1));
  void* value = nullptr;
  ASSERT_TRUE(map.Lookup("Symbol", value));
  EXPECT_EQ(value, P(4));
  EXPECT_FALSE(map.Lookup("symbol", value));  // keys compare exactly
  EXPECT_TRUE(map.RemoveKey("Arial"));
  EXPECT_FALSE(map.RemoveKey("Arial"));
  EXPECT_EQ(map.GetCount(), 4);
  // The walk visits buckets in order of hash modulo the table size.
  std::vector<UINT> buckets;
  int seen = 0;
  for (POSITION pos = map.GetStartPosition(); pos; ++seen) {
    CString key;
    map.GetNextAssoc(pos, key, value);
    buckets.push_back(afx::HashKey(key.GetString()) % map.GetHashTableSize());
  }
  EXPECT_EQ(seen, 4);
  EXPECT_TRUE(std::is_sorted(buckets.begin(), buckets.end()));
  map[CString("Arial")] = P(7);
  ASSERT_TRUE(map.Lookup("Arial", value));
  EXPECT_EQ(value, P(7));

  CMapPtrToPtr pointers;
  for (intptr_t i = 1; i <= 100; ++i) pointers[P(i * 16)] = P(i);
  EXPECT_EQ(pointers.GetCount(), 100);
  ASSERT_TRUE(pointers.Lookup(P(50 * 16), value));
  EXPECT_EQ(value, P(50));
}

TEST(FrameworkCollections, StringHashIsTheFrameworksMultiplyBy33) {
  // h = h * 33 + c over the bytes: "ab" = 97 * 33 + 98.
  EXPECT_EQ(afx::HashKey("ab"), 97u * 33 + 98);
  EXPECT_EQ(afx::HashKey(""), 0u);
}

}  // namespace
