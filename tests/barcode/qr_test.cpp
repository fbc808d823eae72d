#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "barcode/qr/qr_embedded.h"
#include "barcode/qr/qr_symbol.h"
#include "barcode/qr/qr_tables.h"
#include "platform/resource/resource.h"
#include "tests/barcode/module_matrix_decode.h"

namespace {

using namespace kalvo::qr;

const QrTables& Tables() {
  static const QrTables* tables = [] {
    auto* t = new QrTables;
    t->Load(FindQrTextResource);
    return t;
  }();
  return *tables;
}

std::span<const uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

constexpr int kM = 0, kL = 1, kH = 2, kQ = 3;

TEST(QrCode, WorkedExampleOneMNumeric) {
  QrCodewords cw;
  ASSERT_EQ(BuildQrCodewords(Tables(), Bytes("01234567"), kM, cw), QrResult::Ok);
  EXPECT_EQ(cw.version, 1);
  const std::vector<uint8_t> expected{0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC,
                                      0x11, 0xEC, 0x11, 0xA5, 0x24, 0xD4, 0xC1, 0xED, 0x36, 0xC7, 0x87, 0x2C, 0x55};
  EXPECT_EQ(cw.codewords, expected);
  QrSymbol symbol;
  ASSERT_EQ(BuildQrSymbol(Tables(), Bytes("01234567"), kM, symbol), QrResult::Ok);
  EXPECT_EQ(symbol.matrix.columns, 21);
  const auto decoded = kalvo_test::DecodeModules(symbol.matrix.dark, 21, 21, ZXing::BarcodeFormat::QRCode);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->bytes, "01234567");
}

// The tables are the module's "TEXT" resources, reached through the resource
// calls: every placement table (compressed) and every remainder table of k rows.
TEST(QrCode, TablesAreTextResourcesOfTheModule) {
  ASSERT_FALSE(FindQrTextResource(PlacementResourceId(1, 0)).empty());
  const HMODULE module = CurrentModuleHandle();
  auto size = [module](int id) -> DWORD {
    HRSRC r = FindResourceA(module, MAKEINTRESOURCEA(static_cast<WORD>(id)), "text");  // names ignore case
    return r ? SizeofResource(module, r) : 0;
  };
  for (int level = 0; level < kLevelCount; ++level)
    for (int v = kMinVersion; v <= kMaxVersion; ++v) EXPECT_GT(size(PlacementResourceId(v, level)), 8u) << v;
  std::vector<int> ks{7, 10, 13, 15, 16, 17, 18, 20, 22, 24, 26, 28, 30};
  for (int k = 32; k <= 68; k += 2) ks.push_back(k);
  for (int k : ks) {
    EXPECT_EQ(size(RemainderResourceId(k)), 256u * k) << k;
    EXPECT_EQ(FindQrTextResource(RemainderResourceId(k)).size(), 256u * k);
  }
  EXPECT_EQ(size(RemainderResourceId(8)), 0u);
  EXPECT_TRUE(FindQrTextResource(PlacementResourceId(41, 0)).empty());
  EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(static_cast<WORD>(RemainderResourceId(7))), RT_RCDATA), nullptr);
}

TEST(QrCode, FormatStrings) {
  EXPECT_STREQ(QrFormatString(0, 0), "101010000010010");
  EXPECT_STREQ(QrFormatString(0, 1), "101000100100101");
  EXPECT_STREQ(QrFormatString(1, 0), "111011111000100");  // L, mask 0
}

TEST(QrCode, AlphanumericValues) {
  struct Case { int c; int value; };
  for (const Case& t : std::vector<Case>{{'0', 0}, {'9', 9}, {'A', 10}, {'Z', 35}, {' ', 36}, {'$', 37}, {'%', 38},
                                         {'*', 39}, {'+', 40}, {'-', 41}, {'.', 42}, {'/', 43}, {':', 44},
                                         {'a', -1}, {'\\', -1}, {0, -1}, {200, -1}})
    EXPECT_EQ(QrAlphanumericValue(t.c), t.value) << t.c;
}

// Mode indicator of the first codeword tells which mode was chosen.
TEST(QrCode, ModeChoice) {
  struct Case { std::string text; int indicator; };
  for (const Case& t : std::vector<Case>{{"0123", 1}, {"HELLO WORLD 42", 2}, {"HELLO WORLd", 4}, {"50% OFF", 2},
                                         {"C:\\TEMP", 4}, {"", 1}, {"\xE9\xFF", 4}}) {
    QrCodewords cw;
    ASSERT_EQ(BuildQrCodewords(Tables(), Bytes(t.text), kM, cw), QrResult::Ok) << t.text;
    EXPECT_EQ(cw.codewords[0] >> 4, t.indicator) << t.text;
  }
}

TEST(QrCode, LevelValuesAboveThreeAreM) {
  EXPECT_EQ(LevelIndex(7), kM);
  EXPECT_EQ(LevelIndex(3), kQ);
}

TEST(QrCode, TooLongForVersion40) {
  QrCodewords cw;
  EXPECT_EQ(BuildQrCodewords(Tables(), Bytes(std::string(7089, '7')), kL, cw), QrResult::Ok);
  EXPECT_EQ(BuildQrCodewords(Tables(), Bytes(std::string(7090, '7')), kL, cw), QrResult::TooLong);
  EXPECT_EQ(BuildQrCodewords(Tables(), Bytes(std::string(2953, 'x')), kL, cw), QrResult::Ok);
  EXPECT_EQ(BuildQrCodewords(Tables(), Bytes(std::string(2954, 'x')), kL, cw), QrResult::TooLong);
  EXPECT_EQ(BuildQrCodewords(Tables(), Bytes(std::string(1274, 'x')), kH, cw), QrResult::TooLong);
}

TEST(QrCode, MissingTablesFailWithoutASymbol) {
  QrTables empty;
  empty.Load([](int) { return std::span<const uint8_t>{}; });
  QrSymbol symbol;
  EXPECT_EQ(BuildQrSymbol(empty, Bytes("123"), kM, symbol), QrResult::TablesMissing);
  EXPECT_TRUE(symbol.matrix.dark.empty());
}

TEST(QrCode, MaskPenaltyOfAnAllLightMatrix) {
  // 10 x 10 light: N1 8 per line x 20, N2 9 blocks x 3 x 9 column pairs, N3 0, N4 10 x 10.
  const std::vector<uint8_t> light(100, 0);
  EXPECT_EQ(QrMaskPenalty(light, 10, 0, 100), 160 + 243 + 0 + 100);
}

TEST(QrCode, MaskPenaltyCountsTheFinderLikePattern) {
  // Row 0 is 1011101, the other rows alternate: no runs of five, no 2 x 2
  // blocks, 26 of 49 dark (N4 0), so only the pattern's 40 remains.
  std::vector<uint8_t> m(49, 0);
  const int row[] = {1, 0, 1, 1, 1, 0, 1};
  for (int x = 0; x < 7; ++x) m[x] = static_cast<uint8_t>(row[x]);
  for (int y = 1; y < 7; ++y)
    for (int x = 0; x < 7; ++x) m[y * 7 + x] = static_cast<uint8_t>((x + y) % 2);
  EXPECT_EQ(QrMaskPenalty(m, 7, 0, 49), 40);
  // Mask bit 1 is never set: an all-light matrix for mask 1.
  EXPECT_EQ(QrMaskPenalty(m, 7, 1, 49), 14 * 3 + 6 * 3 * (2 * 3 - 1) + 100);
}

TEST(QrCode, MaskChoiceTakesTheLowestPenaltyAndTheHigherMaskOnATie) {
  // Bits set in a checkerboard score 0; the bits left clear are all light.
  auto checkerboard = [](uint8_t bits) {
    std::vector<uint8_t> m(21 * 21, 0);
    for (int y = 0; y < 21; ++y)
      for (int x = 0; x < 21; ++x)
        if ((x + y) % 2 == 0) m[y * 21 + x] = bits;
    return m;
  };
  EXPECT_EQ(QrChooseMask(std::vector<uint8_t>(21 * 21, 0), 21, 441), 7);
  EXPECT_EQ(QrChooseMask(checkerboard(0x01), 21, 441), 0);
  EXPECT_EQ(QrChooseMask(checkerboard(0x24), 21, 441), 5);
}

// Content generators: `n` characters of each kind.
enum class Content { Numeric, Alphanumeric, Byte, Kanji };

std::string MakeContent(Content kind, int n) {
  std::string s;
  static const std::string alnum = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
  // Shift JIS Kanji: a handful of two-byte characters.
  static const std::string kanji = "\x93\xfa\x96\x7b\x8c\xea\x8a\xbf\x8e\x9a\x95\xb6\x8e\x9a\x97\xf1";
  for (int i = 0; i < n; ++i) {
    switch (kind) {
      case Content::Numeric: s += static_cast<char>('0' + (i * 7 + 3) % 10); break;
      case Content::Alphanumeric: s += alnum[(i * 11 + 5) % alnum.size()]; break;
      case Content::Byte: s += static_cast<char>(1 + (i * 37 + 11) % 255); break;
      case Content::Kanji: s += kanji[i % kanji.size()]; break;
    }
  }
  return s;
}

int ChosenVersion(const std::string& text, int level) {
  QrCodewords cw;
  return BuildQrCodewords(Tables(), Bytes(text), level, cw) == QrResult::Ok ? cw.version : 0;
}

// The longest text of `kind` that still selects `version` (the choice grows with the length).
int FillLength(Content kind, int version, int level, int previous) {
  const int step = kind == Content::Kanji ? 2 : 1;
  int low = previous / step, high = 7100 / step;  // low fits, high does not
  while (high - low > 1) {
    const int mid = (low + high) / 2;
    const int v = ChosenVersion(MakeContent(kind, mid * step), level);
    (v != 0 && v <= version ? low : high) = mid;
  }
  return low * step;
}

class QrCodeFill : public ::testing::TestWithParam<std::tuple<Content, int>> {};

TEST_P(QrCodeFill, EveryVersionFilledDecodes) {
  const auto [kind, level] = GetParam();
  int n = 0;
  for (int version = 1; version <= 40; ++version) {
    n = FillLength(kind, version, level, n);
    const std::string text = MakeContent(kind, n);
    ASSERT_EQ(ChosenVersion(text, level), version) << n;
    const int step = kind == Content::Kanji ? 2 : 1;
    const int next = ChosenVersion(MakeContent(kind, n + step), level);
    ASSERT_TRUE(next == version + 1 || (version == 40 && next == 0)) << "version " << version;
    QrSymbol symbol;
    ASSERT_EQ(BuildQrSymbol(Tables(), Bytes(text), level, symbol), QrResult::Ok);
    ASSERT_EQ(symbol.matrix.columns, 4 * version + 17);
    const auto decoded =
        kalvo_test::DecodeModules(symbol.matrix.dark, symbol.matrix.columns, symbol.matrix.columns, ZXing::BarcodeFormat::QRCode, 3);
    ASSERT_TRUE(decoded) << "version " << version << " level " << level << " length " << n;
    EXPECT_EQ(decoded->bytes, text) << "version " << version << " level " << level;
  }
}

std::string FillName(const ::testing::TestParamInfo<QrCodeFill::ParamType>& info) {
  static const char* const kinds[] = {"Numeric", "Alphanumeric", "Byte", "Kanji"};
  static const char* const levels[] = {"M", "L", "H", "Q"};
  return std::string(kinds[static_cast<int>(std::get<0>(info.param))]) + levels[std::get<1>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(AllLevels, QrCodeFill,
                         ::testing::Combine(::testing::Values(Content::Numeric, Content::Alphanumeric,
                                                              Content::Byte, Content::Kanji),
                                            ::testing::Values(kM, kL, kH, kQ)),
                         FillName);

// The decoder corrects up to k / 2 wrong codewords per block (k check
// codewords each). With exactly that many turned wrong on purpose in every
// block (all eight modules of each flipped), one more wrong codeword, such as
// one misplaced by the tables, would make the symbol unreadable. Two rounds
// with disjoint wrong codewords let every codeword be read as placed at
// least once.
class QrCodePlacement : public ::testing::TestWithParam<int> {};

TEST_P(QrCodePlacement, EveryCodewordIsPlacedWhereTheDecoderReadsIt) {
  const int level = GetParam();
  int n = 0;
  for (int version = 1; version <= 40; ++version) {
    n = FillLength(Content::Numeric, version, level, n);
    const std::string text = MakeContent(Content::Numeric, n);
    QrSymbol clean;
    ASSERT_EQ(BuildQrSymbol(Tables(), Bytes(text), level, clean), QrResult::Ok);
    ASSERT_EQ(clean.version, version);
    const QrPlacementTable placement = Tables().Placement(version, level);
    const int k = placement.EcPerBlock();
    const std::span<const uint8_t> totals = placement.BlockTotals();
    int dataTotal = 0;
    for (uint8_t t : totals) dataTotal += t - k;
    // Stream positions of each block's codewords: its data, then its checks.
    std::vector<std::vector<int>> blocks;
    int dataStart = 0;
    for (size_t b = 0; b < totals.size(); ++b) {
      std::vector<int> positions;
      for (int j = 0; j < totals[b] - k; ++j) positions.push_back(dataStart + j);
      for (int j = 0; j < k; ++j) positions.push_back(dataTotal + static_cast<int>(b) * k + j);
      dataStart += totals[b] - k;
      blocks.push_back(std::move(positions));
    }
    auto decodeWithWrong = [&](int first, int count) {
      QrSymbol symbol = clean;
      for (const std::vector<int>& positions : blocks)
        for (int j = first; j < first + count; ++j)
          for (int bit = 0; bit < 8; ++bit) {
            const int p = 8 * positions[j] + bit;
            symbol.matrix.dark[placement.Rows()[p] * symbol.matrix.columns + placement.Columns()[p]] ^= 1;
          }
      const auto decoded =
          kalvo_test::DecodeModules(symbol.matrix.dark, symbol.matrix.columns, symbol.matrix.columns, ZXing::BarcodeFormat::QRCode, 3);
      return decoded ? decoded->bytes : "<not decoded>";
    };
    EXPECT_EQ(decodeWithWrong(0, k / 2), text) << "version " << version;
    EXPECT_EQ(decodeWithWrong(k / 2, k / 2), text) << "version " << version;
    if (version == 1) {
      EXPECT_EQ(decodeWithWrong(0, k / 2 + 1), "<not decoded>");
    }
  }
}

std::string LevelName(const ::testing::TestParamInfo<int>& info) {
  static const char* const levels[] = {"M", "L", "H", "Q"};
  return levels[info.param];
}

INSTANTIATE_TEST_SUITE_P(AllLevels, QrCodePlacement, ::testing::Values(kM, kL, kH, kQ), LevelName);

}  // namespace
