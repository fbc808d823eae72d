// The PCX decoder on files built by hand: 16 colours in four 1-bit planes,
// run-length counts that reach past the picture, sizes that make no sense.
#include <gtest/gtest.h>

#include <vector>

#include "tests/image/decode_test_util.h"

namespace {

using namespace dectest;
using Bytes = std::vector<PLBYTE>;

Bytes Header(int bits, int planes, int width, int height, int bytesPerLine) {
  Bytes h(128, 0);
  h[0] = 10;
  h[1] = 5;
  h[2] = 1;
  h[3] = PLBYTE(bits);
  h[8] = PLBYTE(width - 1);
  h[9] = PLBYTE((width - 1) >> 8);
  h[10] = PLBYTE(height - 1);
  h[11] = PLBYTE((height - 1) >> 8);
  h[65] = PLBYTE(planes);
  h[66] = PLBYTE(bytesPerLine);
  h[67] = PLBYTE(bytesPerLine >> 8);
  for (int i = 0; i < 16; ++i) {  // palette entry i = (16 i, 8 i, 4 i)
    h[16 + 3 * i] = PLBYTE(16 * i);
    h[17 + 3 * i] = PLBYTE(8 * i);
    h[18 + 3 * i] = PLBYTE(4 * i);
  }
  return h;
}

// Literal bytes, escaped where they look like counts.
void Put(Bytes& out, PLBYTE b) {
  if (b >= 0xC0) out.push_back(0xC1);
  out.push_back(b);
}

TEST(PcxDecoder, SixteenColoursIn640ColumnsKeepTheirLastColumns) {
  const int width = 640, height = 2, bpl = 80;
  Bytes file = Header(1, 4, width, height, bpl);
  // Colour index of column x: x / 8 % 16, except the last 8 columns: 13.
  auto index = [](int x) { return x >= 632 ? 13 : x / 8 % 16; };
  for (int y = 0; y < height; ++y)
    for (int p = 0; p < 4; ++p)
      for (int byte = 0; byte < bpl; ++byte) Put(file, (index(byte * 8) >> p) & 1 ? 0xFF : 0x00);
  Decoded d = DecodeBytes(file);
  ASSERT_EQ(d.result, 1);
  ASSERT_EQ(d.bmp->GetWidth(), width);
  for (int y = 0; y < height; ++y)
    for (int x : {0, 8, 100, 631, 632, 639}) {
      const int i = index(x);
      EXPECT_EQ(d.bmp->GetLineArray32()[y][x], PLPixel32(PLBYTE(16 * i), PLBYTE(8 * i), PLBYTE(4 * i))) << x;
    }
}

TEST(PcxDecoder, RepeatCountsPastThePictureAreCut) {
  Bytes file = Header(8, 3, 2, 1, 2);
  file.insert(file.end(), {0xFF, 0x40});  // 63 repeats for a 6-byte picture
  Decoded d = DecodeBytes(file);
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bmp->GetLineArray32()[0][1], PLPixel32(0x40, 0x40, 0x40));
}

TEST(PcxDecoder, ImpossibleSizesAndLayoutsAreRefused) {
  Bytes reversed = Header(8, 1, 4, 4, 4);
  reversed[4] = 10;  // xmin above xmax
  EXPECT_EQ(DecodeBytes(reversed).result, 0);
  EXPECT_EQ(DecodeBytes(Header(8, 1, 100, 1, 10)).result, 0);  // lines too short for the width
  EXPECT_EQ(DecodeBytes(Header(1, 6, 8, 1, 1)).result, 0);     // six planes
  EXPECT_EQ(DecodeBytes(Header(4, 2, 8, 1, 4)).result, 0);
}

}  // namespace
