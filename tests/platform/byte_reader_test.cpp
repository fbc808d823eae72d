// The bounded byte reader: numbers in both byte orders, text, skips, seeks,
// alignment and sub-readers, with every read past the end refused.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "platform/kernel/byte_reader.h"

namespace {

const std::vector<uint8_t> kBytes = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0xFF, 0xFE};

TEST(ByteReader, NumbersAtOffsets) {
  const ByteReader r(kBytes.data(), kBytes.size());
  struct Row {
    const char* what;
    uint64_t got;
    uint64_t want;
  };
  const Row rows[] = {
      {"U8At(0)", r.U8At(0), 0x01},
      {"U16At(0), little-endian", r.U16At(0), 0x0201},
      {"U32At(1)", r.U32At(1), 0x05040302},
      {"U64At(0)", r.U64At(0), 0x0807060504030201},
      {"U16BEAt(0), big-endian", r.U16BEAt(0), 0x0102},
      {"U32BEAt(0)", r.U32BEAt(0), 0x01020304},
      {"I16At(8), negative", static_cast<uint64_t>(static_cast<int64_t>(r.I16At(8))), static_cast<uint64_t>(-257)},
      {"U16At(8), the last two bytes", r.U16At(8), 0xFEFF},
      {"U16At(9), one byte short", r.U16At(9), 0},
      {"U32At(7), one byte short", r.U32At(7), 0},
      {"U8At(10), the end", r.U8At(10), 0},
      {"U32At near the top of the offsets", r.U32At(std::numeric_limits<uint64_t>::max() - 1), 0},
  };
  for (const auto& row : rows) EXPECT_EQ(row.got, row.want) << row.what;
  EXPECT_EQ(r.position(), 0u);
  EXPECT_TRUE(r.ok());
}

TEST(ByteReader, RangesInside) {
  const ByteReader r(kBytes.data(), kBytes.size());
  struct Row {
    uint64_t offset, count;
    bool inside;
  };
  const Row rows[] = {{0, 0, true},   {0, 10, true},  {10, 0, true},  {9, 1, true},  {9, 2, false},
                      {11, 0, false}, {0, 11, false}, {5, ~uint64_t{0}, false}, {~uint64_t{0}, 1, false}};
  for (const auto& row : rows) {
    EXPECT_EQ(r.Has(row.offset, row.count), row.inside) << row.offset << "+" << row.count;
    EXPECT_EQ(r.SubAt(row.offset, row.count).size(), row.inside ? row.count : 0u) << row.offset << "+" << row.count;
    EXPECT_EQ(r.BytesAt(row.offset, row.count).size(), row.inside ? row.count : 0u);
  }
  EXPECT_EQ(r.From(8).U16At(0), 0xFEFF);
  EXPECT_EQ(r.From(11).size(), 0u);
}

TEST(ByteReader, InOrderReadsMoveAndStopAtTheEnd) {
  ByteReader r(kBytes.data(), kBytes.size());
  EXPECT_EQ(r.U8(), 0x01);
  EXPECT_EQ(r.U16(), 0x0302);
  EXPECT_EQ(r.U32BE(), 0x04050607u);
  EXPECT_EQ(r.position(), 7u);
  EXPECT_EQ(r.U32(), 0u);  // three bytes left: refused, nothing moves
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.position(), 7u);
  EXPECT_EQ(r.U8(), 0u);  // once failed, the reader stays failed
  EXPECT_EQ(r.position(), 7u);
}

TEST(ByteReader, SkipsSeeksAndAlignment) {
  ByteReader r(kBytes.data(), kBytes.size());
  EXPECT_TRUE(r.Skip(3));
  EXPECT_TRUE(r.Align(4));
  EXPECT_EQ(r.position(), 4u);
  EXPECT_TRUE(r.Align(4));  // already aligned
  EXPECT_EQ(r.position(), 4u);
  EXPECT_TRUE(r.Seek(10));
  EXPECT_TRUE(r.AtEnd());
  EXPECT_TRUE(r.Seek(0));
  EXPECT_FALSE(r.Seek(11));
  EXPECT_FALSE(r.ok());

  ByteReader huge(kBytes.data(), kBytes.size());
  EXPECT_FALSE(huge.Skip(~uint64_t{0}));
  EXPECT_EQ(huge.position(), 0u);
  ByteReader aligned(kBytes.data(), kBytes.size());
  EXPECT_TRUE(aligned.Seek(9));
  EXPECT_FALSE(aligned.Align(4));  // the next multiple lies past the end
}

TEST(ByteReader, SubReadersAreBoundedByTheirPart) {
  ByteReader r(kBytes.data(), kBytes.size());
  r.Skip(2);
  ByteReader part = r.Sub(4);
  EXPECT_EQ(r.position(), 6u);
  EXPECT_EQ(part.size(), 4u);
  EXPECT_EQ(part.U32(), 0x06050403u);
  EXPECT_EQ(part.U8(), 0u);
  EXPECT_FALSE(part.ok());
  EXPECT_TRUE(r.ok());  // the part's failure is its own
  ByteReader tooLong = r.Sub(5);
  EXPECT_EQ(tooLong.size(), 0u);
  EXPECT_FALSE(r.ok());
}

TEST(ByteReader, Utf16Text) {
  const std::vector<uint8_t> text = {'A', 0, 0xE9, 0, 0x3D, 0xD8, 0x00, 0xDE, 0, 0, 'B', 0};
  ByteReader r(text.data(), text.size());
  EXPECT_EQ(r.Utf16z(), std::u16string(u"A\u00E9\U0001F600"));
  EXPECT_EQ(r.position(), 10u);
  EXPECT_EQ(r.Utf16(1), u"B");
  EXPECT_TRUE(r.AtEnd());
  EXPECT_TRUE(r.ok());

  ByteReader unterminated(text.data() + 10, 2);
  EXPECT_EQ(unterminated.Utf16z(), u"");
  EXPECT_FALSE(unterminated.ok());
  EXPECT_EQ(unterminated.position(), 0u);

  ByteReader odd(text.data(), 3);  // one unit and half of another
  EXPECT_EQ(odd.Utf16(2), u"");
  EXPECT_FALSE(odd.ok());
}

TEST(ByteReader, NullDataIsEmpty) {
  ByteReader r(nullptr, 100);
  EXPECT_EQ(r.size(), 0u);
  EXPECT_EQ(r.U8(), 0u);
  EXPECT_FALSE(r.ok());
  ByteReader none;
  EXPECT_EQ(none.U32At(0), 0u);
}

}  // namespace
