#include "foundation/containers/ahashmap.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int ChainLength(const AHashCore& core, int bucket) {
  int n = 0;
  for (auto* l = core.Head(bucket); l; l = l->next) ++n;
  return n;
}

TEST(AHashMap, SmallIntegerKeysUseTheirLowBits) {
  AHashMap<WORD, void*> words;
  for (WORD k : {1, 17, 33}) words[k] = nullptr;
  EXPECT_EQ(words.GetBucketCount(), 64);
  EXPECT_EQ(ChainLength(words.Core(), 1), 3);  // 1, 17 and 33 all & 0xF = 1
  AHashMap<DWORD, DWORD> dwords;
  for (DWORD k : {2u, 34u, 66u, 18u}) dwords[k] = k;
  EXPECT_EQ(ChainLength(dwords.Core(), 2), 3);  // & 0x1F
  EXPECT_EQ(ChainLength(dwords.Core(), 18), 1);
}

TEST(AHashMap, LookupSetAtAndRemoveKey) {
  AHashMap<DWORD, DWORD> m;
  DWORD v = 0;
  EXPECT_EQ(m.Lookup(5, v), 0);
  EXPECT_FALSE(m.Core().HasBucketTable()) << "a lookup never allocates";
  m.SetAt(5, 50);
  m.SetAt(37, 370);  // same bucket as 5
  m.SetAt(5, 55);
  EXPECT_EQ(m.GetCount(), 2);
  ASSERT_EQ(m.Lookup(5, v), 1);
  EXPECT_EQ(v, 55u);
  EXPECT_EQ(m.RemoveKey(6), 0);
  EXPECT_EQ(m.RemoveKey(5), 1);
  EXPECT_EQ(m.Lookup(5, v), 0);
  ASSERT_EQ(m.Lookup(37, v), 1);
  EXPECT_EQ(v, 370u);
}

TEST(AHashMap, RemovingTheLastEntryClearsTheMap) {
  AHashMap<void*, void*> m;
  int x;
  m[&x] = &x;
  EXPECT_TRUE(m.Core().HasBucketTable());
  EXPECT_EQ(m.Core().GetBlockCount(), 1);
  EXPECT_EQ(m.RemoveKey(&x), 1);
  EXPECT_FALSE(m.Core().HasBucketTable());
  EXPECT_EQ(m.Core().GetBlockCount(), 0);
  m[&x] = nullptr;
  EXPECT_TRUE(m.Core().HasBucketTable());
  EXPECT_EQ(m.GetCount(), 1);
}

TEST(AHashMap, EntriesComeFromPooledBlocksInMemoryOrder) {
  AHashMap<DWORD, DWORD> m(16);
  for (DWORD k = 0; k < 16; ++k) m[k] = k;
  EXPECT_EQ(m.Core().GetBlockCount(), 1);
  m[16] = 16;  // the 17th insertion
  EXPECT_EQ(m.Core().GetBlockCount(), 2);
  // Keys 0..16 sit alone in buckets 0..16, so the iteration meets them in key
  // order; each step's position is the next key's entry.
  std::vector<uintptr_t> entries;
  MapPosition pos = kMapStart;
  DWORD key, value;
  while (pos) {
    m.GetNextAssoc(pos, key, value);
    if (pos) entries.push_back(reinterpret_cast<uintptr_t>(pos));
  }
  ASSERT_EQ(entries.size(), 16u);  // the entries of keys 1..16
  using Entry = AHashMap<DWORD, DWORD>::Entry;
  EXPECT_EQ(m.Core().GetEntrySize(), static_cast<int>(sizeof(Entry)));
  for (size_t i = 1; i < 15; ++i) EXPECT_EQ(entries[i] - entries[i - 1], sizeof(Entry)) << i;
  // Key 16's entry lies outside the first block.
  uintptr_t firstBlockStart = entries[0] - sizeof(Entry);
  uintptr_t firstBlockEnd = firstBlockStart + 16 * sizeof(Entry);
  EXPECT_TRUE(entries[15] < firstBlockStart || entries[15] >= firstBlockEnd);
}

TEST(AHashMap, IterationVisitsBucketsInOrderNewestFirst) {
  AHashMap<DWORD, DWORD> m;
  for (DWORD k : {7u, 3u, 35u, 67u}) m[k] = k * 10;  // 3, 35, 67 share bucket 3
  std::vector<DWORD> keys;
  MapPosition pos = kMapStart;
  while (pos) {
    DWORD key = 0, value = 0;
    m.GetNextAssoc(pos, key, value);
    EXPECT_EQ(value, key * 10);
    keys.push_back(key);
  }
  EXPECT_EQ(keys, (std::vector<DWORD>{67, 35, 3, 7}));
}

TEST(AHashMap, IteratingAnEmptyMapGivesANullPosition) {
  AHashMap<DWORD, DWORD> never;
  MapPosition pos = kMapStart;
  DWORD key = 1, value = 2;
  never.GetNextAssoc(pos, key, value);
  EXPECT_EQ(pos, nullptr);
  EXPECT_EQ(key, 1u);
  EXPECT_EQ(value, 2u);
  AHashMap<DWORD, DWORD> emptied;
  emptied[3] = 4;
  emptied.RemoveAll();
  pos = kMapStart;
  emptied.GetNextAssoc(pos, key, value);
  EXPECT_EQ(pos, nullptr);
}

TEST(AHashMap, InitHashTableKeepsStoredEntries) {
  AHashMap<DWORD, DWORD> m;
  m.InitHashTable(17);
  for (DWORD k = 0; k < 40; ++k) m[k] = k + 1;
  EXPECT_EQ(m.GetBucketCount(), 17);
  EXPECT_EQ(ChainLength(m.Core(), 0), 3);  // hashes 0..31 mod 17: keys 0, 32 and 17
  m.InitHashTable(64);
  EXPECT_EQ(m.GetBucketCount(), 64);
  for (DWORD k = 0; k < 40; ++k) {
    DWORD v = 0;
    ASSERT_EQ(m.Lookup(k, v), 1) << k;
    EXPECT_EQ(v, k + 1);
  }
  m.InitHashTable(0);  // refused
  EXPECT_EQ(m.GetBucketCount(), 64);
}

}  // namespace
