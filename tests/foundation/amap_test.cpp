#include "foundation/containers/amap.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<DWORD> IterationKeys(const AMap<DWORD, DWORD>& m) {
  std::vector<DWORD> keys;
  MapPosition pos = kMapStart;
  while (pos) {
    DWORD key = 0, value = 0;
    m.GetNextAssoc(pos, key, value);
    keys.push_back(key);
  }
  return keys;
}

TEST(AMap, IntegerKeysHashByTheirLowByte) {
  AMap<DWORD, DWORD> m;
  EXPECT_EQ(m.GetBucketCount(), 64);
  EXPECT_EQ(m.Core().GetBlockSize(), 16);
  // 40, then 3 and 259 (259 & 0xFF = 3): bucket 3's chain first, newest first;
  // 67 (& 0xFF = 67, 67 mod 64 = 3) joins bucket 3 as well.
  for (DWORD k : {40u, 3u, 259u, 67u}) m[k] = k + 1;
  EXPECT_EQ(IterationKeys(m), (std::vector<DWORD>{67, 259, 3, 40}));
}

TEST(AMap, LookupSetAtAndRemoveAll) {
  AMap<int, int> m;
  int v = -1;
  EXPECT_EQ(m.Lookup(1, v), 0);
  EXPECT_FALSE(m.Core().HasBucketTable());
  EXPECT_EQ(m[9], 0) << "a new 32-bit value starts at 0";
  m.SetAt(9, 90);
  m.SetAt(-1, 10);
  ASSERT_EQ(m.Lookup(9, v), 1);
  EXPECT_EQ(v, 90);
  ASSERT_EQ(m.Lookup(-1, v), 1);
  EXPECT_EQ(v, 10);
  EXPECT_EQ(m.GetCount(), 2);
  m.RemoveAll();
  EXPECT_EQ(m.GetCount(), 0);
  EXPECT_FALSE(m.Core().HasBucketTable());
  EXPECT_EQ(m.Core().GetBlockCount(), 0);
}

TEST(AMap, SeventeenthEntryTakesASecondBlock) {
  AMap<DWORD, DWORD> m;
  for (DWORD k = 0; k < 16; ++k) m[k] = k;
  EXPECT_EQ(m.Core().GetBlockCount(), 1);
  m[100] = 1;
  EXPECT_EQ(m.Core().GetBlockCount(), 2);
}

TEST(AMap, EmptyMapIterationEndsAtOnce) {
  AMap<DWORD, DWORD> m;
  MapPosition pos = kMapStart;
  DWORD key = 5, value = 6;
  m.GetNextAssoc(pos, key, value);
  EXPECT_EQ(pos, nullptr);
  EXPECT_EQ(key, 5u);
}

}  // namespace
