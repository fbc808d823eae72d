// The number readers every hand-written decoder uses: byte order, and
// counts that would run past the data or backwards end with the
// end-of-data exception without moving; the block reader stops quietly.
#include <gtest/gtest.h>

#include <cstdint>

#include "image/bitmap/pltextexception.h"
#include "image/decode/plreader.h"
#include "image/io/plmemsource.h"

namespace {

constexpr PLBYTE kData[] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};

TEST(ReaderTest, ByteOrders) {
  PLMemSource s;
  ASSERT_EQ(s.Open(kData, int(sizeof kData)), 0);
  EXPECT_EQ(pl_read::LE16(s), 0x3412);
  EXPECT_EQ(pl_read::BE32(s), 0x56789ABCu);
  EXPECT_EQ(pl_read::LE32At(kData), 0x78563412u);
  EXPECT_EQ(pl_read::BE16At(kData + 4), 0x9ABC);
}

bool EndsWithEndOfData(PLDataSource& s, void (*read)(PLDataSource&)) {
  try {
    read(s);
  } catch (const PLTextException& e) {
    return e.GetCode() == PL_ERREND_OF_DATA;
  }
  return false;
}

TEST(ReaderTest, SkipsOnlyForwardsAndOnlyOverBytesThatExist) {
  struct Case {
    int64_t first;   // skipped first, from the start
    int64_t second;  // then this
    bool ends;       // the second ends with the end-of-data exception
  };
  const Case cases[] = {
      {0, 6, false}, {2, 4, false}, {2, 0, false}, {2, 5, true}, {4, -1, true}, {4, -4, true}, {0, int64_t(1) << 33, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.first << " then " << c.second);
    PLMemSource s;
    ASSERT_EQ(s.Open(kData, int(sizeof kData)), 0);
    pl_read::Skip(s, c.first);
    static int64_t s_Count;
    s_Count = c.second;
    EXPECT_EQ(EndsWithEndOfData(s, [](PLDataSource& src) { pl_read::Skip(src, s_Count); }), c.ends);
    EXPECT_EQ(s.GetBytesRead(), int(c.first + (c.ends ? 0 : c.second)));
  }
}

TEST(ReaderTest, RequireBytesComparesWithWhatIsLeft) {
  PLMemSource s;
  ASSERT_EQ(s.Open(kData, int(sizeof kData)), 0);
  pl_read::Skip(s, 2);
  EXPECT_FALSE(EndsWithEndOfData(s, [](PLDataSource& src) { pl_read::RequireBytes(src, 4); }));
  EXPECT_TRUE(EndsWithEndOfData(s, [](PLDataSource& src) { pl_read::RequireBytes(src, 5); }));
  EXPECT_TRUE(EndsWithEndOfData(s, [](PLDataSource& src) { pl_read::RequireBytes(src, uint64_t(1) << 40); }));
  EXPECT_EQ(s.GetBytesRead(), 2);
  pl_read::Skip(s, 3);
  EXPECT_TRUE(EndsWithEndOfData(s, [](PLDataSource& src) { pl_read::LE16(src); }));
}

TEST(BlockReaderTest, ReadsBigEndianAndStopsAtTheEndWithoutMoving) {
  pl_read::BlockReader r{kData, uint32_t(sizeof kData)};
  EXPECT_EQ(r.U16(), 0x1234);
  EXPECT_EQ(r.U8(), 0x56);
  EXPECT_EQ(r.U32(), 0u);  // three bytes left
  EXPECT_TRUE(r.failed());
  EXPECT_EQ(r.position(), 3u);
  EXPECT_EQ(r.U8(), 0);  // stays failed
  EXPECT_EQ(r.Take(0), nullptr);

  pl_read::BlockReader huge{kData, uint32_t(sizeof kData)};
  EXPECT_EQ(huge.Take(2), kData);
  EXPECT_EQ(huge.Take(0xFFFFFFFFu), nullptr);
  EXPECT_EQ(huge.position(), 2u);
}

}  // namespace
