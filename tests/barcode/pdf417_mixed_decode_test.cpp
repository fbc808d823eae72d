// PDF417 data that moves between text submodes, bytes and digit runs, read
// back by zxing-cpp to the exact bytes: every submode left by each shift or
// latch and followed by each kind of character, and thousands of symbols of
// random mixed data at every column count and security level.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "barcode/pdf417/pdf417_codewords.h"
#include "barcode/pdf417/pdf417_high_level.h"
#include "barcode/pdf417/pdf417_layout.h"
#include "tests/barcode/kalvo_request.h"
#include "tests/barcode/pdf417_mixed_data.h"

namespace {

using kalvo_test::Escaped;

struct Layout {
  int columns = 6, level = 2;
  bool truncated = false;
  int module = 2, rowModules = 3;
};

struct Outcome {
  int errorCode = 0;
  bool read = false;
  std::string bytes;
};

Outcome DrawAndRead(const std::string& data, const Layout& layout) {
  kalvo_test::Request r(kalvo::Symbology::Pdf417, 0, data);
  r.code.resolution = 300;
  r.code.moduleSize2D = static_cast<uint16_t>(layout.module);
  r.code.rowHeight2D = static_cast<uint16_t>(layout.rowModules * layout.module);
  r.code.symbolColumns = static_cast<int16_t>(layout.columns);
  r.code.pdfSecurity = static_cast<uint8_t>(layout.level);
  r.code.pdfTruncated = layout.truncated ? 1 : 0;
  kvoBCode(0, &r.code, 0);
  Outcome out;
  out.errorCode = r.code.errorCode;
  if (r.code.bitmap == nullptr) return out;
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::PDF417);
  const ZXing::Result result = kalvo_test::Decode(kalvo_test::TakeBitmap(r.code), 4 * layout.module, hints);
  out.read = result.isValid();
  out.bytes = kalvo_test::BytesOf(result);
  return out;
}

// Reports a symbol that was not drawn or not read back exactly; false then.
bool ReadsBack(const std::string& what, const std::string& data, const Layout& layout, const Outcome& o) {
  const std::string where = what + " \"" + Escaped(data) + "\" in " + std::to_string(layout.columns) +
                            " columns at level " + std::to_string(layout.level);
  if (o.errorCode != 0) {
    ADD_FAILURE() << where << ": error " << o.errorCode;
    return false;
  }
  if (!o.read) {
    ADD_FAILURE() << where << ": not read";
    return false;
  }
  if (o.bytes != data) {
    ADD_FAILURE() << where << ": read \"" << Escaped(o.bytes) << "\"";
    return false;
  }
  return true;
}

bool DrawnReadsBack(const std::string& what, const std::string& data, const Layout& layout) {
  return ReadsBack(what, data, layout, DrawAndRead(data, layout));
}

std::span<const uint8_t> BytesOf(const std::string& data) {
  return {reinterpret_cast<const uint8_t*>(data.data()), data.size()};
}

std::vector<int> Codewords(const std::string& data) {
  return kalvo::pdf417::EncodePdf417Data(kalvo::Symbology::Pdf417, BytesOf(data));
}

kalvo::pdf417::Pdf417Codewords Build(const std::string& data, const Layout& layout) {
  kalvo::pdf417::Pdf417Request request;
  request.text = BytesOf(data);
  request.columns = layout.columns;
  request.level = layout.level;
  return kalvo::pdf417::BuildPdf417Codewords(request);
}

// The symbol's module rows read by zxing-cpp, `rowModules` modules high and
// `module` pixels a module, with a quiet zone of four modules: thousands of
// symbols cost too much through bitmaps, whose drawing the tests above check
// through kvoBCode. The picture is composed a line per module row into one
// buffer kept from symbol to symbol.
Outcome LayOutAndRead(const std::string& data, const Layout& layout) {
  const kalvo::pdf417::Pdf417Codewords symbol = Build(data, layout);
  Outcome out;
  out.errorCode = symbol.errorCode;
  if (!symbol.Ok()) return out;
  const kalvo::ModuleMatrix matrix = kalvo::pdf417::LayOutPdf417(symbol, layout.truncated);
  const size_t module = static_cast<size_t>(layout.module), quiet = 4 * module;
  const size_t width = matrix.columns * module + 2 * quiet, lineRows = layout.rowModules * module;
  const size_t height = matrix.rows * lineRows + 2 * quiet;
  static std::vector<uint8_t> picture;
  picture.assign(width * height, 255);
  std::vector<uint8_t> line(width, 255);
  for (int r = 0; r < matrix.rows; ++r) {
    const std::span<const uint8_t> row = matrix.Row(r);
    for (size_t x = 0; x < row.size(); ++x)
      std::fill_n(line.begin() + static_cast<std::ptrdiff_t>(quiet + x * module), module, row[x] ? 0 : 255);
    for (size_t y = 0; y < lineRows; ++y)
      std::copy(line.begin(), line.end(), picture.begin() + static_cast<std::ptrdiff_t>((quiet + r * lineRows + y) * width));
  }
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::PDF417);
  const ZXing::Result result = ZXing::ReadBarcode(
      ZXing::ImageView(picture.data(), static_cast<int>(width), static_cast<int>(height), ZXing::ImageFormat::Lum),
      hints);
  out.read = result.isValid();
  out.bytes = kalvo_test::BytesOf(result);
  return out;
}

// Codewords worked out by hand from the text compaction table. An odd value
// count is completed with 29: a punctuation shift in upper, lower and mixed
// that the byte shift 913 after it cancels, the latch to upper in
// punctuation.
TEST(Pdf417ByteShift, TextGoesOnInTheSubmodeTheShiftLeft) {
  struct Row {
    const char* name;
    std::string data;
    std::vector<int> codewords;
  };
  const std::vector<Row> rows{
      // latch 28 25, '@' 3 and 29 (to upper), 913 204, 'K' 10 and the pad.
      {"punctuation, then upper", "@\xCCK", {28 * 30 + 25, 3 * 30 + 29, 913, 0xCC, 10 * 30 + 29}},
      // After the pad's latch to upper, punctuation is latched again.
      {"punctuation, then punctuation", "@\xCC[", {28 * 30 + 25, 3 * 30 + 29, 913, 0xCC, 28 * 30 + 25, 4 * 30 + 29}},
      // lower latch 27, 'a' 0 | 'b' 1 and 29 (shift, cancelled), 913, 'c' 2 still lower.
      {"lower, then lower", "ab\xC3" "c", {27 * 30 + 0, 1 * 30 + 29, 913, 0xC3, 2 * 30 + 29}},
      // mixed latch 28, '&' 10 | 913 with nothing pending, '=' 23 still mixed.
      {"mixed, then mixed", "&\xC3=", {28 * 30 + 10, 913, 0xC3, 23 * 30 + 29}},
      // An even count before the shift: nothing to complete, punctuation goes on.
      {"punctuation with nothing pending", "A@\xCC!", {0 * 30 + 28, 25 * 30 + 3, 913, 0xCC, 10 * 30 + 29}},
  };
  for (const Row& row : rows) EXPECT_EQ(Codewords(row.data), row.codewords) << row.name;
}

// The smallest symbols that once read back wrong, at the size they were drawn.
TEST(Pdf417ByteShift, TheSmallestFailuresReadBack) {
  const Layout layout{.columns = 6, .level = 2, .module = 2, .rowModules = 3};
  for (const char* data : {"@\xCCK[5/", "'\x93JQ", "(\xC3m (", "(\xC6" "3!lk", "K[5/", "\x93JQ", "D(\xC3m (", "ab\xC3m"})
    DrawnReadsBack("minimal case", data, layout);
}

TEST(Pdf417CompactionSwitches, EverySubmodeSwitchAndFollowingCharacterReadsBack) {
  const std::vector<kalvo_test::MixedCase> cases = kalvo_test::CompactionSwitchCases();
  int failed = 0;
  for (const kalvo_test::MixedCase& c : cases) {
    if (!DrawnReadsBack(c.name, c.data, Layout{}) && ++failed >= 20) break;  // enough to see the pattern
  }
  EXPECT_EQ(failed, 0) << "of " << cases.size() << " cases";
}

// The highest level whose check codewords leave room for 30 data codewords
// in `columns` (level 8 from 11 columns on).
int MostLevelFor(int columns) {
  const int capacity = std::min(928, 90 * columns);
  int level = 8;
  while (level > 0 && (2 << level) > capacity - 30) --level;
  return level;
}

// Random data of a few pieces at a random column count and level, a quarter
// of the symbols truncated; data that does not fit loses its last pieces.
// Levels 7 and 8 (256 and 512 check codewords, slow for the reader to check)
// come in every twentieth symbol, at the most the column count allows.
TEST(Pdf417RandomData, ThousandsOfMixedSymbolsReadBack) {
  constexpr int kSymbolsPerSeed = 500;
  int failed = 0, symbols = 0;
  for (const unsigned seed : {1u, 2u, 3u, 4u}) {
    std::mt19937 random(seed);
    for (int i = 0; i < kSymbolsPerSeed && failed < 20; ++i) {
      Layout layout{.rowModules = 2};
      layout.columns = std::uniform_int_distribution<int>(1, 30)(random);
      const int most = MostLevelFor(layout.columns);
      layout.level = i % 20 == 19 ? most : std::uniform_int_distribution<int>(0, std::min(most, 6))(random);
      layout.truncated = std::uniform_int_distribution<int>(0, 3)(random) == 0;
      std::vector<std::string> pieces(static_cast<size_t>(std::uniform_int_distribution<int>(1, 12)(random)));
      for (std::string& p : pieces) p = kalvo_test::RandomPiece(random);
      std::string data;
      for (;;) {
        data.clear();
        for (const std::string& p : pieces) data += p;
        if (pieces.size() == 1 || Build(data, layout).Ok()) break;
        pieces.pop_back();
      }
      ++symbols;
      const std::string what = "seed " + std::to_string(seed) + " symbol " + std::to_string(i);
      if (!ReadsBack(what, data, layout, LayOutAndRead(data, layout))) ++failed;
    }
  }
  EXPECT_EQ(failed, 0) << "of " << symbols << " symbols";
}

}  // namespace
