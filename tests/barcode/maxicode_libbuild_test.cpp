// MaxiCode encoder core: code sets, the carrier message, text encoding,
// check codewords, the module map, and symbols decoded by zxing-cpp. Built as
// the library builds its sources: the carrier message takes the library's own
// string class.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "barcode/common/reed_solomon.h"
#include "barcode/maxicode/maxicode_charset.h"
#include "barcode/maxicode/maxicode_module_map.h"
#include "barcode/maxicode/maxicode_symbol.h"
#include "barcode/maxicode/maxicode_text.h"
#include "barcode/maxicode/ups_message.h"
#include "tests/barcode/maxicode_image.h"

namespace {

using namespace kalvo::maxicode;

std::span<const uint8_t> Bytes(const std::string& s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

const std::string kRs(1, '\x1E'), kGs(1, '\x1D'), kEot(1, '\x04');

std::optional<std::string> DecodeCodewords(const Codewords& codewords) {
  const ModuleGrid grid = PlaceMaxiCodeSymbol(codewords);
  return kalvo_test::DecodeMaxiGrid(std::vector<uint8_t>(grid.begin(), grid.end()));
}

TEST(MaxiCodeCharset, EveryByteHasASetAndKnownValues) {
  const MaxiCodeCharMapTable& map = MaxiCodeCharMap();
  for (int b = 0; b < 256; ++b) EXPECT_NE(map[b].sets, 0) << b;
  struct Case { int byte; int set; int value; };
  for (const Case& c : std::vector<Case>{{'\r', kSetA, 0}, {'A', kSetA, 1}, {'Z', kSetA, 26}, {' ', kSetA, 32},
                                         {'"', kSetA, 34}, {'0', kSetA, 48}, {':', kSetA, 58}, {29, kSetA, 29},
                                         {'`', kSetB, 0}, {'z', kSetB, 26}, {'{', kSetB, 32}, {127, kSetB, 36},
                                         {' ', kSetB, 47}, {'|', kSetB, 54}, {0xC0, kSetC, 0}, {0xDB, kSetC, 32},
                                         {0x80, kSetC, 48}, {0xE0, kSetD, 0}, {0xFF, kSetD, 36}, {0x94, kSetD, 57},
                                         {0, kSetE, 0}, {27, kSetE, 30}, {28, kSetE, 32}, {0x9E, kSetE, 57},
                                         {' ', kSetE, 59}, {'a', kSetA, -1}, {'A', kSetB, -1}})
    EXPECT_EQ(map[c.byte].value[c.set], c.value) << c.byte << " in set " << c.set;
  EXPECT_EQ(map['A'].sets, 1u << kSetA);
  EXPECT_EQ(map[','].sets, (1u << kSetA) | (1u << kSetB));
  EXPECT_EQ(map[' '].sets, 0x1Fu);
}

TEST(MaxiCodeCharset, EachSetListsDistinctBytes) {
  for (int set = 0; set < kCodeSetCount; ++set) {
    std::set<int> seen;
    int characters = 0;
    for (int16_t entry : CodeSetEntries(set)) {
      if (entry < 0) continue;
      ++characters;
      EXPECT_TRUE(seen.insert(entry).second) << "set " << set << " byte " << entry;
    }
    EXPECT_GE(characters, 50) << set;
  }
}

std::array<AString, kUpsFieldCount> Fields(std::initializer_list<const char*> values) {
  std::array<AString, kUpsFieldCount> fields;
  int i = 0;
  for (const char* v : values) fields[i++] = v;
  return fields;
}

TEST(UpsMaxiMessage, EmptyFieldsGiveTheFrame) {
  const auto fields = Fields({});
  AString out;
  EXPECT_EQ(BuildUpsMaxiMessage(fields.data(), out, 0, 0), 1);
  const std::string expected = "[)>" + kRs + "01" + kGs + "96" + kGs + "UPSN" + kGs + std::string(8, '\x1D') + kRs + kEot;
  EXPECT_EQ(out.GetLength(), 25);
  EXPECT_EQ(std::string(out.GetData(), out.GetLength()), expected);
}

TEST(UpsMaxiMessage, FieldsTrimmedAndUpperCased) {
  const auto fields = Fields({"12345", "840", "001", " ab ", "\tx1\r\n", "", "", "", "", "", "", "", " last"});
  AString out;
  BuildUpsMaxiMessage(fields.data(), out, 0, 0);
  const std::string expected = "[)>" + kRs + "01" + kGs + "96" + "AB" + kGs + "UPSN" + kGs + "X1" + kGs +
                               std::string(7, '\x1D') + "LAST" + kRs + kEot;
  EXPECT_EQ(std::string(out.GetData(), out.GetLength()), expected);
}

TEST(UpsMaxiMessage, CutTo81CharactersOnlyWhenAsked) {
  // 25 characters of frame; field 12 adds the rest.
  for (int total : {81, 82}) {
    auto fields = Fields({});
    const std::string filler(total - 25, 'Q');
    fields[12] = filler.c_str();
    AString cut, whole;
    BuildUpsMaxiMessage(fields.data(), cut, 0, 0);
    BuildUpsMaxiMessage(fields.data(), whole, 0, 1);
    EXPECT_EQ(whole.GetLength(), total);
    EXPECT_EQ(whole.GetLastChar(), '\x04');
    EXPECT_EQ(cut.GetLength(), 81);
    EXPECT_EQ(cut.GetLastChar(), total == 81 ? '\x04' : '\x1E');
  }
}

std::vector<uint8_t> Encode(const std::string& text, int capacity, int* consumed = nullptr) {
  std::vector<uint8_t> out;
  const int used = EncodeMaxiCodeText(Bytes(text), capacity, out);
  if (consumed != nullptr) *consumed = used;
  return out;
}

TEST(MaxiCodeText, EncodingSteps) {
  struct Case { std::string text; std::vector<uint8_t> codewords; };
  const std::vector<Case> cases = {
      // 123456789 = 7, 22, 60, 52, 21 in base 64
      {"123456789", {31, 7, 22, 60, 52, 21}},
      {"12345678", {49, 50, 51, 52, 53, 54, 55, 56}},
      {"AB", {1, 2}},
      {"Ab", {1, 59, 2}},                     // one lower-case letter: shift
      {"Abc", {1, 63, 2, 3}},                 // two: latch to B
      {"abcDEF", {63, 1, 2, 3, 57, 4, 5, 6}},  // three set-A characters at the end: three-shift
      {"abDEf", {63, 1, 2, 56, 4, 5, 6}},     // two set-A characters before set B: two-shift
      {"abDEFg", {63, 1, 2, 57, 4, 5, 6, 7}}, // three followed by set B: three-shift
      {"ab, c", {63, 1, 2, 48, 47, 3}},       // characters of both sets stay in B
      // Three set-A characters followed by one of neither set: no three-shift
      // (that needs set B next); latch back to A for the first two.
      {"abDEF\xC0", {63, 1, 2, 63, 4, 5, 6, 60, 0}},
      {"a\xC0", {59, 1, 60, 0}},
      {"\xE9\x1B", {61, 9, 62, 30}},
  };
  for (const Case& c : cases) EXPECT_EQ(Encode(c.text, 93), c.codewords) << c.text;
}

TEST(MaxiCodeText, StepsThatDoNotFitAreNotStarted) {
  int consumed = 0;
  EXPECT_EQ(Encode("AAb", 3, &consumed), (std::vector<uint8_t>{1, 1}));
  EXPECT_EQ(consumed, 2);
  // With two codewords of room a latch (three codewords) becomes a shift.
  EXPECT_EQ(Encode("Abc", 3, &consumed), (std::vector<uint8_t>{1, 59, 2}));
  EXPECT_EQ(consumed, 2);
  // A three-shift takes four codewords and is written when exactly four are left.
  EXPECT_EQ(Encode("abDEF", 7, &consumed), (std::vector<uint8_t>{63, 1, 2, 57, 4, 5, 6}));
  EXPECT_EQ(consumed, 5);
  EXPECT_EQ(Encode("123456789", 5, &consumed), (std::vector<uint8_t>{49, 50, 51, 52, 53}));
  EXPECT_EQ(consumed, 5);
}

// Evaluates a codeword polynomial (highest degree first) at a^power.
uint8_t Evaluate(std::span<const uint8_t> word, int power) {
  const kalvo::GaloisField& f = kalvo::GaloisField::MaxiCode();
  uint8_t sum = 0;
  for (uint8_t c : word) sum = f.Multiply(sum, f.Exp(power)) ^ c;
  return sum;
}

void ExpectValidWord(const std::vector<uint8_t>& word, int checks) {
  for (int i = 1; i <= checks; ++i) EXPECT_EQ(Evaluate(word, i), 0) << "root a^" << i;
}

TEST(MaxiCodeCodewords, PrimaryAndBothSecondaryHalvesAreCodewordsOfTheirCodes) {
  for (int mode : {2, 4, 5}) {
    Codewords cw{};
    ASSERT_EQ(BuildMaxiCodeCodewords(mode, Bytes("Check codewords 0123456789 of MaxiCode"), {"902101234", "840", "1"},
                                     cw),
              MaxiResult::Ok);
    ExpectValidWord(std::vector<uint8_t>(cw.begin(), cw.begin() + 20), 10);
    const int data = SecondaryDataCount(mode), checks = (124 - data) / 2;
    for (int half = 0; half < 2; ++half) {
      std::vector<uint8_t> word;
      for (int i = half; i < data; i += 2) word.push_back(cw[20 + i]);
      for (int j = 0; j < checks; ++j) word.push_back(cw[20 + data + 2 * j + half]);
      SCOPED_TRACE(mode);
      ExpectValidWord(word, checks);
    }
  }
}

TEST(MaxiCodeCodewords, Mode4NumericStartAndSizes) {
  Codewords cw{};
  ASSERT_EQ(BuildMaxiCodeCodewords(4, Bytes("123456789"), {}, cw), MaxiResult::Ok);
  EXPECT_EQ(cw[0], 4);
  EXPECT_EQ(std::vector<uint8_t>(cw.begin() + 1, cw.begin() + 10), (std::vector<uint8_t>{31, 7, 22, 60, 52, 21, 33, 33, 33}));
  EXPECT_EQ(SecondaryDataCount(5), 68);
  EXPECT_EQ(SecondaryDataCount(4), 84);
  EXPECT_EQ(SecondaryDataCount(2), 84);
}

TEST(MaxiCodeCodewords, PrimaryCarrierBits) {
  // Mode 2: postal code 000000001 (P = 1, length 9), country 3, class 1023.
  const auto two = BuildMaxiCodePrimary(2, {"000000001", "3", "1023"});
  EXPECT_EQ(std::vector<uint8_t>(two.begin(), two.end()),
            (std::vector<uint8_t>{2 | 1 << 4, 0, 0, 0, 0, (9 & 3) << 4, (9 >> 2) | (3 << 4), 0, 15 << 2, 63}));
  // Mode 3: "A" is "A     ": 1 then five spaces (32) in 6-bit values.
  const auto three = BuildMaxiCodePrimary(3, {"a", "840", "1"});
  const uint64_t p = (1ull << 30) | (32ull << 24) | (32ull << 18) | (32ull << 12) | (32ull << 6) | 32ull;
  EXPECT_EQ(three[0], 3 | (p & 3) << 4);
  EXPECT_EQ(three[5], (p >> 26) & 63);
  EXPECT_EQ(three[6], ((p >> 32) & 15) | (840 & 3) << 4);
  EXPECT_EQ(three[7], (840 >> 2) & 63);
  EXPECT_EQ(three[8], ((840 >> 8) & 3) | (1 << 2));
}

TEST(MaxiCodeCodewords, TextThatDoesNotFitIsRefused) {
  Codewords cw{};
  EXPECT_EQ(BuildMaxiCodeCodewords(4, Bytes(std::string(93, 'A')), {}, cw), MaxiResult::Ok);
  EXPECT_EQ(BuildMaxiCodeCodewords(4, Bytes(std::string(94, 'A')), {}, cw), MaxiResult::TooLong);
  EXPECT_EQ(BuildMaxiCodeCodewords(5, Bytes(std::string(77, 'A')), {}, cw), MaxiResult::Ok);
  EXPECT_EQ(BuildMaxiCodeCodewords(5, Bytes(std::string(78, 'A')), {}, cw), MaxiResult::TooLong);
  EXPECT_EQ(BuildMaxiCodeCodewords(2, Bytes(std::string(84, 'A')), {"1", "1", "1"}, cw), MaxiResult::Ok);
  EXPECT_EQ(BuildMaxiCodeCodewords(2, Bytes(std::string(85, 'A')), {"1", "1", "1"}, cw), MaxiResult::CarrierMessage);
  for (int mode : {0, 1, 7})
    EXPECT_EQ(BuildMaxiCodeCodewords(mode, Bytes("A"), {}, cw), MaxiResult::UnknownMode) << mode;
}

TEST(MaxiCodeModuleMap, EveryBitOnceAndTheFixedModules) {
  const ModuleMap& map = MaxiCodeModuleMap();
  std::vector<int> count(864, 0);
  int dark = 0;
  for (int16_t m : map) {
    if (m >= 0) ++count[m];
    if (m == kFixedDark) ++dark;
  }
  for (int bit = 0; bit < 864; ++bit) EXPECT_EQ(count[bit], 1) << bit;
  EXPECT_EQ(dark, 13);
  EXPECT_EQ(map[28], kFixedDark);
  EXPECT_EQ(map[29], kFixedDark);
  for (int row = 1; row < 33; row += 2) EXPECT_EQ(map[row * 30 + 29], kFixedLight) << row;
  // The finder's area holds no data.
  EXPECT_EQ(map[16 * 30 + 15], kFixedLight);
}

TEST(MaxiCodeModuleMap, PlacingOneCodewordSetsItsSixModules) {
  ModuleGrid grid = EmptyModuleGrid();
  PlaceMaxiCodeCodeword(grid, 63, 20);
  EXPECT_EQ(std::count(grid.begin(), grid.end(), 1), 6);
  for (int m : {0, 1, 30, 31, 60, 61}) EXPECT_EQ(grid[m], 1) << m;
  grid = EmptyModuleGrid();
  PlaceMaxiCodeCodeword(grid, 0b100000, 20);  // the most significant bit: top right of the block
  EXPECT_EQ(grid[1], 1);
  EXPECT_EQ(std::count(grid.begin(), grid.end(), 1), 1);
  grid = EmptyModuleGrid();
  PlaceMaxiCodeCodeword(grid, 0, kFixedModulesIndex);
  EXPECT_EQ(grid[28] + grid[29], 2);
}

struct DecodeCase {
  int mode;
  std::string text;
};

TEST(MaxiCodeSymbol, ZxingDecodesModesFourToSix) {
  const std::vector<DecodeCase> cases = {
      {4, "MaxiCode 4: Hello, World! 0123456789 {braces} [brackets] |bar| ~tilde~"},
      {4, "123456789012345678901234567890 digits in runs of nine"},
      {4, "lower case first, then UPPER, Mixed CaSe AbCdEf"},
      {4, "Latin-1: \xC0\xE9\xFC\xDF\xA9\xB5 and controls \x01\x1B\x7F"},
      {5, "Mode five: enhanced error correction"},
      {6, "READER PROGRAMMING"},
      {4, std::string(93, 'Z')},
      {5, std::string(76, 'z')},
  };
  for (const DecodeCase& c : cases) {
    Codewords cw{};
    ASSERT_EQ(BuildMaxiCodeCodewords(c.mode, Bytes(c.text), {}, cw), MaxiResult::Ok) << c.text;
    const auto decoded = DecodeCodewords(cw);
    ASSERT_TRUE(decoded) << c.mode << " " << c.text;
    EXPECT_EQ(*decoded, c.text);
  }
}

// The decoder corrects up to 5 wrong codewords of the primary message and 10
// in each half of the mode-4 secondary message. With exactly that many
// corrupted on purpose, one more wrong codeword, such as one misplaced by the
// module map, would make the symbol unreadable; the corrupted ones move round
// by round so that every codeword is read as placed at least once.
TEST(MaxiCodeSymbol, EveryCodewordIsPlacedWhereTheDecoderReadsIt) {
  const std::string text = "Placement check: every codeword where the reader expects it 0123456789";
  Codewords clean{};
  ASSERT_EQ(BuildMaxiCodeCodewords(4, Bytes(text), {}, clean), MaxiResult::Ok);
  constexpr int kPrimary = kPrimaryData + kPrimaryCheck;
  constexpr int kHalf = (kCodewordCount - kPrimary) / 2;  // 62
  for (int round = 0; round < 7; ++round) {
    Codewords cw = clean;
    for (int i = 0; i < 5; ++i) cw[(round * 5 + i) % kPrimary] ^= 0x2A;
    for (int half = 0; half < 2; ++half) {
      for (int i = 0; i < 10; ++i) cw[kPrimary + 2 * ((round * 10 + i) % kHalf) + half] ^= 0x15;
    }
    EXPECT_EQ(DecodeCodewords(cw), text) << "round " << round;
  }
  // One more in the primary message or in a half is beyond correction.
  Codewords primary = clean;
  for (int i = 0; i < 6; ++i) primary[i] ^= 0x2A;
  EXPECT_NE(DecodeCodewords(primary), text);
  Codewords half = clean;
  for (int i = 0; i < 11; ++i) half[kPrimary + 2 * i] ^= 0x15;
  EXPECT_NE(DecodeCodewords(half), text);
}

TEST(MaxiCodeSymbol, ZxingDecodesTheCarrierMessage) {
  struct Case { int mode; CarrierPrimary primary; std::string postal; };
  for (const Case& c : std::vector<Case>{{2, {"152382802", "840", "001"}, "152382802"},
                                         {2, {"12345", "840", "066"}, "123450000"},
                                         {3, {"B1050", "056", "012"}, "B1050 "},
                                         {3, {"W1A1AA", "826", "003"}, "W1A1AA"}}) {
    const auto fields = Fields({"", "", "", "1Z00004951", "0000", "1/1", "10.1", "Y", "", "KALVO", "UT", "", "X"});
    AString message;
    BuildUpsMaxiMessage(fields.data(), message, 0, 1);
    const std::string text(message.GetData(), message.GetLength());
    Codewords cw{};
    ASSERT_EQ(BuildMaxiCodeCodewords(c.mode, Bytes(text), c.primary, cw), MaxiResult::Ok);
    const auto decoded = DecodeCodewords(cw);
    ASSERT_TRUE(decoded) << c.postal;
    const std::string header = "[)>" + kRs + "01" + kGs + "96";
    const std::string primary = c.postal + kGs + std::string(c.primary.countryCode) + kGs +
                                std::string(c.primary.serviceClass) + kGs;
    EXPECT_EQ(*decoded, header + primary + text.substr(header.size())) << c.postal;
  }
}

}  // namespace
