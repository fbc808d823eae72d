#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "barcode/datamatrix/datamatrix_codewords.h"
#include "barcode/datamatrix/datamatrix_sizes.h"
#include "barcode/datamatrix/datamatrix_symbol.h"
#include "barcode/common/reed_solomon.h"
#include "tests/barcode/module_matrix_decode.h"

namespace {

using namespace kalvo::datamatrix;

std::span<const uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

std::optional<std::string> Decode(const DataMatrixSymbol& symbol) {
  const auto decoded = kalvo_test::DecodeModules(symbol.matrix.dark, symbol.matrix.columns, symbol.matrix.rows,
                                                 ZXing::BarcodeFormat::DataMatrix, 4, 2);
  if (!decoded) return std::nullopt;
  return decoded->bytes;
}

TEST(DataMatrix, WorkedExample123456) {
  std::vector<uint8_t> data;
  int size = -1;
  ASSERT_EQ(EncodeDataMatrixCodewords(Bytes("123456"), data, size), 3);
  EXPECT_EQ(size, 0);
  EXPECT_EQ(data, (std::vector<uint8_t>{142, 164, 186}));
  EXPECT_EQ(CompleteDataMatrixCodewords(data, size), (std::vector<uint8_t>{142, 164, 186, 114, 25, 5, 88, 102}));
  DataMatrixSymbol symbol;
  ASSERT_EQ(BuildDataMatrixSymbol(Bytes("123456"), -1, symbol), DataMatrixResult::Ok);
  EXPECT_EQ(symbol.matrix.rows, 10);
  EXPECT_EQ(symbol.matrix.columns, 10);
  EXPECT_EQ(Decode(symbol), "123456");
}

// 31 X12 characters: the path search takes "43" as one ASCII digit pair and
// the rest in X12, which leaves two values pending at the end. Completing
// them with a third value 0 would fit 20 x 20 but adds a carriage return (X12
// has no shift: 0 is CR), so the scheme is unlatched and both characters go
// in ASCII: 23 codewords, 22 x 22, and the exact text back.
TEST(DataMatrix, X12EndWithTwoCharactersLeftAddsNoCarriageReturn) {
  const std::string text = "43XYF*DID75 QP VXXZT3>V86KBJQO ";
  std::vector<uint8_t> data;
  int size = -1;
  ASSERT_EQ(EncodeDataMatrixCodewords(Bytes(text), data, size), 23);
  EXPECT_EQ(data.front(), 130 + 43);
  EXPECT_EQ(data[1], 238);
  EXPECT_EQ(std::vector<uint8_t>(data.end() - 3, data.end()), (std::vector<uint8_t>{254, 'O' + 1, ' ' + 1}));
  DataMatrixSymbol symbol;
  ASSERT_EQ(BuildDataMatrixSymbol(Bytes(text), -1, symbol), DataMatrixResult::Ok);
  EXPECT_EQ(symbol.matrix.rows, 22);
  EXPECT_EQ(Decode(symbol), text);
}

// Padding worked by hand: the first pad is 129, every further one 129 plus
// ((149 x position) mod 253) + 1, less 254 above 254 (decoders stop at the
// first pad, so they cannot check these).
TEST(DataMatrix, PaddingIsRandomisedByPosition) {
  const std::vector<uint8_t> completed = CompleteDataMatrixCodewords(std::vector<uint8_t>{'A' + 1}, 1);
  ASSERT_GE(completed.size(), 5u);
  // Position 3: 447 mod 253 = 194 -> 129 + 195 - 254 = 70; position 4: 596 mod
  // 253 = 90 -> 220; position 5: 745 mod 253 = 239 -> 129 + 240 - 254 = 115.
  EXPECT_EQ(std::vector<uint8_t>(completed.begin(), completed.begin() + 5),
            (std::vector<uint8_t>{66, 129, 70, 220, 115}));
}

TEST(DataMatrix, TenExclamationMarksAutomatic) {
  const std::string text(10, '!');
  DataMatrixSymbol symbol;
  ASSERT_EQ(BuildDataMatrixSymbol(Bytes(text), -1, symbol), DataMatrixResult::Ok);
  EXPECT_TRUE(symbol.matrix.rows == symbol.matrix.columns);
  EXPECT_EQ(Decode(symbol), text);
}

TEST(DataMatrix, TenLettersInARequested16x16) {
  const int index = DataMatrixSizeIndex(16, 16);
  ASSERT_EQ(index, 3);
  DataMatrixSymbol symbol;
  ASSERT_EQ(BuildDataMatrixSymbol(Bytes("ABCDEFGHIJ"), index, symbol), DataMatrixResult::Ok);
  EXPECT_EQ(symbol.matrix.rows, 16);
  EXPECT_EQ(Decode(symbol), "ABCDEFGHIJ");
}

TEST(DataMatrix, SizeChoice) {
  struct Case { std::string text; int requestRows, requestColumns; int rows, columns; };
  const std::vector<Case> cases{
      {"123456", 0, 0, 10, 10},
      {"ABab", 0, 0, 12, 12},        // 4 codewords: 10 x 10 holds 3
      {"ABCD", 8, 18, 8, 18},        // a rectangular size only when requested
      {"ABCD", 13, 13, 12, 12},      // no such size: automatic
      {"12345678", -5, 18, 12, 12},  // rows of 0 or less: automatic
  };
  for (const Case& c : cases) {
    DataMatrixSymbol symbol;
    ASSERT_EQ(BuildDataMatrixSymbol(Bytes(c.text), DataMatrixSizeIndex(c.requestRows, c.requestColumns), symbol),
              DataMatrixResult::Ok)
        << c.text;
    EXPECT_EQ(symbol.matrix.rows, c.rows) << c.text;
    EXPECT_EQ(symbol.matrix.columns, c.columns) << c.text;
    EXPECT_EQ(Decode(symbol), c.text);
  }
}

TEST(DataMatrix, Refusals) {
  DataMatrixSymbol symbol;
  EXPECT_EQ(BuildDataMatrixSymbol(Bytes(""), -1, symbol), DataMatrixResult::EmptyText);
  EXPECT_EQ(BuildDataMatrixSymbol(Bytes(std::string(3001, '1')), -1, symbol), DataMatrixResult::TooLong);
  // 1,558 codewords is the largest symbol: 3,116 digits would need 1,558; 1,559 ASCII letters do not fit.
  EXPECT_EQ(BuildDataMatrixSymbol(Bytes(std::string(1559, '\x01')), -1, symbol), DataMatrixResult::DoesNotFit);
  EXPECT_EQ(BuildDataMatrixSymbol(Bytes("ABCDEFGHIJKLMNOP"), DataMatrixSizeIndex(10, 10), symbol),
            DataMatrixResult::DoesNotFit);
  EXPECT_TRUE(symbol.matrix.dark.empty());
}

TEST(DataMatrix, LargestSymbolInterleavesTenBlocks) {
  // 144 x 144: 8 blocks of 156 and 2 of 155 data codewords, 62 check codewords
  // each; the check codewords of the two short blocks lead each round.
  std::vector<uint8_t> data(1558);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7 + 1);
  const std::vector<uint8_t> all = CompleteDataMatrixCodewords(data, 23);
  ASSERT_EQ(all.size(), 1558u + 620u);
  const auto& field = kalvo::GaloisField::DataMatrix();
  const auto generator = kalvo::RsGeneratorPolynomial(field, 62, 1);
  for (int b = 0; b < 10; ++b) {
    std::vector<uint8_t> block;
    for (int i = b; i < 1558; i += 10) block.push_back(data[i]);
    EXPECT_EQ(block.size(), b < 8 ? 156u : 155u);
    std::vector<uint8_t> check(62);
    kalvo::RsComputeCheck(field, generator, block, check);
    for (int i = 0; i < 62; ++i) ASSERT_EQ(all[1558 + (b + 2) % 10 + i * 10], check[i]) << b << " " << i;
  }
}

// The decoder corrects up to (check codewords of a block) / 2 wrong codewords
// per block. With exactly that many turned wrong on purpose in every block,
// one more wrong codeword, such as one misplaced or wrongly interleaved, would
// make the symbol unreadable. Two rounds with disjoint wrong codewords let
// every codeword be read as placed at least once. Codeword j of block b is
// stream position b + j x blocks.
TEST(DataMatrix, EveryCodewordIsPlacedWhereTheDecoderReadsIt) {
  const std::string text = "12";  // one codeword: fits every size
  for (int index = 0; index < 30; ++index) {
    const DataMatrixSize& size = DataMatrixSizeTable[index];
    DataMatrixSymbol clean;
    ASSERT_EQ(BuildDataMatrixSymbol(Bytes(text), index, clean), DataMatrixResult::Ok);
    std::vector<uint8_t> data;
    int chosen = index;
    ASSERT_GT(EncodeDataMatrixCodewords(Bytes(text), data, chosen), 0);
    const std::vector<uint8_t> codewords = CompleteDataMatrixCodewords(data, index);
    const int mapRows = size.MappingRows(), mapColumns = size.MappingColumns();
    const std::vector<uint8_t> cleanMap = PlaceDataMatrixCodewords(codewords, mapRows, mapColumns);
    const int blocks = size.blocks, correctable = size.ecCodewords / blocks / 2;
    auto decodeWithWrong = [&](int first, int count) {
      std::vector<uint8_t> wrong = codewords;
      for (int b = 0; b < blocks; ++b)
        for (int j = first; j < first + count; ++j) wrong[b + j * blocks] ^= 0x5A;
      const std::vector<uint8_t> map = PlaceDataMatrixCodewords(wrong, mapRows, mapColumns);
      DataMatrixSymbol symbol = clean;
      for (int my = 0; my < mapRows; ++my)
        for (int mx = 0; mx < mapColumns; ++mx) {
          if (map[my * mapColumns + mx] == cleanMap[my * mapColumns + mx]) continue;
          const int y = my / size.regionRows * (size.regionRows + 2) + my % size.regionRows + 1;
          const int x = mx / size.regionColumns * (size.regionColumns + 2) + mx % size.regionColumns + 1;
          symbol.matrix.dark[y * size.columns + x] ^= 1;
        }
      return Decode(symbol);
    };
    EXPECT_EQ(decodeWithWrong(0, correctable), text) << size.rows << " x " << size.columns;
    EXPECT_EQ(decodeWithWrong(correctable, correctable), text) << size.rows << " x " << size.columns;
    if (index == 0) {
      EXPECT_NE(decodeWithWrong(0, correctable + 1), text);
    }
  }
}

TEST(DataMatrix, Base256LongSegmentUsesTwoLengthCodewords) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += static_cast<char>(128 + i % 100);
  std::vector<uint8_t> data;
  int size = -1;
  ASSERT_GT(EncodeDataMatrixCodewords(Bytes(text), data, size), 0);
  ASSERT_EQ(data[0], 231);
  // Length codewords randomised at positions 2 and 3: 300 = (1 + 249), 50.
  auto unrandomise = [](int value, int position) {
    const int r = value - ((149 * position) % 255 + 1);
    return r >= 0 ? r : r + 256;
  };
  EXPECT_EQ(unrandomise(data[1], 2), 250);
  EXPECT_EQ(unrandomise(data[2], 3), 50);
  EXPECT_EQ(data.size(), 303u);
  DataMatrixSymbol symbol;
  ASSERT_EQ(BuildDataMatrixSymbol(Bytes(text), -1, symbol), DataMatrixResult::Ok);
  EXPECT_EQ(Decode(symbol), text);
}

// The tables kept per size are made by whichever thread first asks: threads
// asking for every size at once, each in its own order, get the symbols one
// thread alone gets afterwards, and they decode.
TEST(DataMatrix, ConcurrentFirstUseOfEverySize) {
  const std::string text = "Tavrendel 2026";
  constexpr int kThreads = 6;
  const int sizes = static_cast<int>(DataMatrixSizeTable.size());
  std::vector<std::vector<DataMatrixSymbol>> built(kThreads, std::vector<DataMatrixSymbol>(sizes));
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      for (int i = 0; i < sizes; ++i) {
        const int index = (i * 7 + t * 5) % sizes;
        BuildDataMatrixSymbol(Bytes(text), index, built[t][index]);
      }
    });
  for (std::thread& thread : threads) thread.join();
  for (int index = 0; index < sizes; ++index) {
    DataMatrixSymbol alone;
    const DataMatrixResult result = BuildDataMatrixSymbol(Bytes(text), index, alone);
    for (int t = 0; t < kThreads; ++t) ASSERT_EQ(built[t][index].matrix.dark, alone.matrix.dark) << index << " " << t;
    if (result == DataMatrixResult::Ok) {
      EXPECT_EQ(Decode(alone), text) << index;
    } else {
      EXPECT_TRUE(alone.matrix.dark.empty()) << index;  // the smallest sizes hold less
    }
  }
}

TEST(DataMatrix, Base256AfterOtherCodewordsDecodes) {
  const std::string text = std::string("12345678") + "\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8" + "AB";
  DataMatrixSymbol symbol;
  ASSERT_EQ(BuildDataMatrixSymbol(Bytes(text), -1, symbol), DataMatrixResult::Ok);
  EXPECT_EQ(Decode(symbol), text);
}

TEST(DataMatrix, C40EndingAtTheSymbolEndNeedsNoUnlatch) {
  // Latch and two codeword pairs fill the 12 x 12 symbol's five codewords exactly.
  std::vector<uint8_t> data;
  int size = -1;
  ASSERT_EQ(EncodeDataMatrixCodewords(Bytes("ABCDEF"), data, size), 5);
  EXPECT_EQ(size, 1);
  EXPECT_EQ(data[0], 230);
  EXPECT_EQ(std::count(data.begin(), data.end(), 254), 0);
  // In a larger requested symbol C40 would need its unlatch before the
  // padding (six codewords): plain ASCII is as short and is taken.
  size = DataMatrixSizeIndex(14, 14);
  ASSERT_EQ(EncodeDataMatrixCodewords(Bytes("ABCDEF"), data, size), 6);
  EXPECT_EQ(data, (std::vector<uint8_t>{'A' + 1, 'B' + 1, 'C' + 1, 'D' + 1, 'E' + 1, 'F' + 1}));
  DataMatrixSymbol symbol;
  ASSERT_EQ(BuildDataMatrixSymbol(Bytes("ABCDEF"), DataMatrixSizeIndex(14, 14), symbol), DataMatrixResult::Ok);
  EXPECT_EQ(Decode(symbol), "ABCDEF");
}

// The ends of C40 and EDIFACT at the real end of the symbol, worked by hand
// (C40 values: "A" 14 ... "J" 23; a pair of codewords is 1600 a + 40 b + c + 1).
TEST(DataMatrix, SchemeEndsAtTheSymbolEnd) {
  std::vector<uint8_t> data;
  // One character left with one codeword of room: ASCII without the unlatch.
  // 230, ABC 23017, DEF 27940, GHI 32863, "J" + 1 fill the 14 x 14 symbol's 8.
  int size = -1;
  ASSERT_EQ(EncodeDataMatrixCodewords(Bytes("ABCDEFGHIJ"), data, size), 8);
  EXPECT_EQ(size, DataMatrixSizeIndex(14, 14));
  EXPECT_EQ(data, (std::vector<uint8_t>{230, 89, 233, 109, 36, 128, 95, 'J' + 1}));

  // Two values left with two codewords of room: Shift 1 completes the pair,
  // no unlatch. 71 letters in a requested 16 x 48 (49 codewords): latch, 23
  // pairs and "A", "B" with 0 (1600 x 14 + 40 x 15 + 1 = 23001).
  std::string letters;
  for (int i = 0; i < 71; ++i) letters += static_cast<char>('A' + i % 26);
  ASSERT_EQ(letters.substr(69), "RS");
  size = DataMatrixSizeIndex(16, 48);
  ASSERT_EQ(EncodeDataMatrixCodewords(Bytes(letters), data, size), 49);
  EXPECT_EQ(size, DataMatrixSizeIndex(16, 48));
  EXPECT_EQ(data[0], 230);
  // "R" 31, "S" 32: 1600 x 31 + 40 x 32 + 0 + 1 = 50881 = 198 x 256 + 193.
  EXPECT_EQ(std::vector<uint8_t>(data.end() - 2, data.end()), (std::vector<uint8_t>{198, 193}));
  EXPECT_EQ(std::count(data.begin(), data.end(), 254), 0);

  // EDIFACT with two characters left on a codeword boundary and two codewords
  // of room: ASCII without the unlatch; 240, twelve characters in nine
  // codewords and two ASCII codewords fill the 16 x 16 symbol's 12.
  const std::string edifact = ";<=>;<=>;<=>[]";
  size = -1;
  ASSERT_EQ(EncodeDataMatrixCodewords(Bytes(edifact), data, size), 12);
  EXPECT_EQ(size, DataMatrixSizeIndex(16, 16));
  EXPECT_EQ(data[0], 240);
  EXPECT_EQ(std::vector<uint8_t>(data.end() - 2, data.end()), (std::vector<uint8_t>{'[' + 1, ']' + 1}));

  for (const std::string& text : {std::string("ABCDEFGHIJ"), edifact}) {
    DataMatrixSymbol symbol;
    ASSERT_EQ(BuildDataMatrixSymbol(Bytes(text), -1, symbol), DataMatrixResult::Ok);
    EXPECT_EQ(Decode(symbol), text);
  }
  DataMatrixSymbol symbol;
  ASSERT_EQ(BuildDataMatrixSymbol(Bytes(letters), DataMatrixSizeIndex(16, 48), symbol), DataMatrixResult::Ok);
  EXPECT_EQ(Decode(symbol), letters);
}

// Content that drives one encodation scheme, and the latch it should start with.
struct SchemeContent {
  const char* name;
  std::string alphabet;
  int latch;  // first codeword, 0 for ASCII
};

const std::vector<SchemeContent>& Contents() {
  static const std::vector<SchemeContent> contents{
      {"AsciiDigits", "0123456789", 0},
      {"C40", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ", 230},
      {"Text", "abcdefghijklmnopqrstuvwxyz0123456789 ", 239},
      {"X12", "A*>\rB*>\r1 2>*", 238},
      {"Edifact", "A;B<C=D>E?F@G[H\\I]J^K_", 240},
      {"Base256", "\xC0\xC1\xC2\xC3\xC4\xC5\xF0\xF1\xE9\x80\x81\x90", 231},
      {"AsciiMixed", "a1!B~", 0},
  };
  return contents;
}

std::string MakeText(const std::string& alphabet, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += alphabet[(i * 5 + i / alphabet.size()) % alphabet.size()];
  return s;
}

bool Fits(const std::string& text, int index) {
  std::vector<uint8_t> data;
  int size = index;
  return EncodeDataMatrixCodewords(Bytes(text), data, size) > 0 && size == index;
}

// Mixed content switches between the schemes at every kind of position;
// seeded, so every run draws the same texts.
TEST(DataMatrix, MixedContentDecodes) {
  std::mt19937 random(2026);
  const auto& contents = Contents();
  for (int round = 0; round < 150; ++round) {
    std::string text;
    const int segments = 1 + static_cast<int>(random() % 6);
    for (int s = 0; s < segments; ++s) {
      const std::string& alphabet = contents[random() % contents.size()].alphabet;
      const int n = 1 + static_cast<int>(random() % 40);
      for (int i = 0; i < n; ++i) text += alphabet[random() % alphabet.size()];
    }
    for (int request : {-1, DataMatrixSizeIndex(144, 144)}) {
      DataMatrixSymbol symbol;
      ASSERT_EQ(BuildDataMatrixSymbol(Bytes(text), request, symbol), DataMatrixResult::Ok) << round;
      EXPECT_EQ(Decode(symbol), text) << "round " << round << " size " << symbol.matrix.rows << " x " << symbol.matrix.columns;
    }
  }
}

class DataMatrixSizes : public ::testing::TestWithParam<std::tuple<int, size_t>> {};

// Every size, with each scheme's content at the longest length that fits and
// the length below it (the scheme ends differently at each); one test per
// size and scheme, so the large sizes run side by side.
TEST_P(DataMatrixSizes, EachSchemeFilledDecodes) {
  const int index = std::get<0>(GetParam());
  const DataMatrixSize& size = DataMatrixSizeTable[index];
  const SchemeContent& content = Contents()[std::get<1>(GetParam())];
  int low = 0, high = 2 * size.dataCodewords + 3;  // low fits (or is 0), high does not
  while (high - low > 1) {
    const int mid = (low + high) / 2;
    (Fits(MakeText(content.alphabet, mid), index) ? low : high) = mid;
  }
  ASSERT_GT(low, 0) << content.name;
  for (int n = low; n >= std::max(1, low - 1); --n) {
    const std::string text = MakeText(content.alphabet, n);
    DataMatrixSymbol symbol;
    ASSERT_EQ(BuildDataMatrixSymbol(Bytes(text), index, symbol), DataMatrixResult::Ok);
    ASSERT_EQ(symbol.matrix.rows, size.rows);
    ASSERT_EQ(symbol.matrix.columns, size.columns);
    std::vector<uint8_t> data;
    int chosen = index;
    EncodeDataMatrixCodewords(Bytes(text), data, chosen);
    if (content.latch != 0 && size.dataCodewords >= 12) {
      EXPECT_EQ(data[0], content.latch) << content.name << " " << n;
    }
    EXPECT_EQ(Decode(symbol), text) << content.name << " length " << n << " in " << size.rows << " x "
                                    << size.columns;
  }
}

INSTANTIATE_TEST_SUITE_P(All, DataMatrixSizes,
                         ::testing::Combine(::testing::Range(0, 30), ::testing::Range<size_t>(0, Contents().size())),
                         [](const ::testing::TestParamInfo<std::tuple<int, size_t>>& info) {
                           const DataMatrixSize& size = DataMatrixSizeTable[std::get<0>(info.param)];
                           return std::to_string(size.rows) + "x" + std::to_string(size.columns) + "_" +
                                  Contents()[std::get<1>(info.param)].name;
                         });

}  // namespace
