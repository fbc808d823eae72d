// MicroPDF417 bitmaps from kvoBCode: every one of the 34 sizes, with data that
// fills it exactly and with data that needs the fill sequence, read back to
// the exact data by zxing-wasm; and the rows of one small size compared
// module by module with rows worked out by hand from the symbol tables.
#include <gtest/gtest.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "barcode/pdf417/pdf417_high_level.h"
#include "tests/barcode/kalvo_request.h"
#include "tests/barcode/zxing_wasm.h"

namespace {

using kalvo_test::Request;

struct MicroSize {
  int columns, rows, checkCodewords;
};

// ISO/IEC 24728's sizes in the library's order, 4 x 4 last.
constexpr MicroSize kSizes[34] = {
    {1, 11, 7},  {1, 14, 7},  {1, 17, 7},  {1, 20, 8},  {1, 24, 8},  {1, 28, 8},  {2, 8, 8},
    {2, 11, 9},  {2, 14, 9},  {2, 17, 10}, {2, 20, 11}, {2, 23, 13}, {2, 26, 15}, {3, 6, 12},
    {3, 8, 14},  {3, 10, 16}, {3, 12, 18}, {3, 15, 21}, {3, 20, 26}, {3, 26, 32}, {3, 32, 38},
    {3, 38, 44}, {3, 44, 50}, {4, 6, 12},  {4, 8, 14},  {4, 10, 16}, {4, 12, 18}, {4, 15, 21},
    {4, 20, 26}, {4, 26, 32}, {4, 32, 38}, {4, 38, 44}, {4, 44, 50}, {4, 4, 8}};

enum class Compaction { Text, Numeric, Bytes };

// The first `n` characters of a stream that stays in one compaction mode.
std::string Stream(Compaction mode, size_t n) {
  static constexpr std::string_view kText = "FILL THE MICRO SYMBOL ";
  std::string s;
  for (size_t i = 0; i < n; ++i) {
    switch (mode) {
      case Compaction::Text: s += kText[i % kText.size()]; break;
      case Compaction::Numeric: s += static_cast<char>('0' + (i * 7 + 3) % 10); break;
      case Compaction::Bytes: s += static_cast<char>(128 + (i * 37) % 128); break;
    }
  }
  return s;
}

size_t Codewords(const std::string& data) {
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(data.data()), data.size());
  return kalvo::pdf417::EncodePdf417Data(kalvo::pdf417::Symbology::MicroPdf417, bytes).size();
}

// The longest stream of the mode whose data codewords stay within `count`.
std::string DataOf(Compaction mode, size_t count) {
  size_t n = 1;
  while (n < 400 && Codewords(Stream(mode, n + 1)) <= count) ++n;
  return Stream(mode, n);
}

const char* Name(Compaction mode) {
  return mode == Compaction::Text ? "Text" : mode == Compaction::Numeric ? "Numeric" : "Bytes";
}

class MicroPdf417Decode : public testing::TestWithParam<int> {};

// Both symbols of a size in one run of the reader.
TEST_P(MicroPdf417Decode, ZxingWasmReadsTheExactData) {
  ASSERT_TRUE(kalvo_test::ZxingWasmInstalled()) << "zxing-wasm is missing: run scripts/install-deps.sh";
  const int index = GetParam();
  const MicroSize size = kSizes[index];
  const size_t capacity = static_cast<size_t>(size.columns * size.rows - size.checkCodewords);
  const Compaction mode = static_cast<Compaction>(index % 3);
  // Exactly full; and about half full, so that the fill sequence follows.
  const std::vector<std::string> datas = {DataOf(mode, capacity), DataOf(mode, std::max<size_t>(2, capacity / 2))};
  ASSERT_EQ(Codewords(datas[0]), capacity) << Name(mode);
  ASSERT_LE(Codewords(datas[1]) + 2, capacity) << Name(mode);

  const int module = 2 + index % 2;
  const int rowModules = 4 + index % 3;
  kalvo_test::ZxingWasmReader reader;
  for (const std::string& data : datas) {
    Request r(kalvo::Symbology::MicroPdf417, 0, data);
    r.code.resolution = 300;
    r.code.moduleSize2D = static_cast<uint16_t>(module);
    r.code.rowHeight2D = static_cast<uint16_t>(rowModules * module);
    r.code.microPdfSize = static_cast<int16_t>(index);
    ASSERT_EQ(kvoBCode(0, &r.code, 0), 0);
    ASSERT_EQ(r.code.errorCode, 0);
    ASSERT_NE(r.code.bitmap, nullptr);
    EXPECT_EQ(r.code.symbolColumns, size.columns);
    EXPECT_EQ(r.code.symbolRows, size.rows);
    EXPECT_EQ(r.code.pdfLimits[3], static_cast<int32_t>(capacity));
    const int addressColumns = size.columns <= 2 ? 2 : 3;
    EXPECT_EQ(r.code.width, (17 * size.columns + 10 * addressColumns + 1) * module);
    EXPECT_EQ(r.code.height, size.rows * rowModules * module);
    reader.Add(kalvo_test::TakeBitmap(r.code), 2 * module, "MicroPDF417");
  }
  const std::vector<std::optional<std::string>> read = reader.ReadAll();
  ASSERT_EQ(read.size(), datas.size()) << "the reader did not run";
  EXPECT_EQ(read[0], std::optional<std::string>(datas[0])) << Name(mode) << " filling " << capacity;
  EXPECT_EQ(read[1], std::optional<std::string>(datas[1])) << Name(mode) << " with the fill sequence";
}

INSTANTIATE_TEST_SUITE_P(Kalvo, MicroPdf417Decode, testing::Range(0, 34), [](const testing::TestParamInfo<int>& info) {
  const MicroSize s = kSizes[info.param];
  return "Size" + std::to_string(s.columns) + "x" + std::to_string(s.rows);
});

// "HELLO" in the 4 x 4 size (the last row of the table): latch 900, HE 214,
// LL 341, O and the pad 449, then 900 and the fill 838 779 867; the check
// codewords 26 506 152 122 885 587 614 683 of the generator (x - 3)...(x - 3^8).
// Row addresses start at side 47, centre 19, side 43; the left start less one,
// 46, puts the top row in cluster 3, then 6, 0, 3. Each row: left pattern,
// codewords 1 and 2, centre pattern, codewords 3 and 4, right pattern and the
// closing bar ('#' bar, '.' space; spaces only separate the parts).
constexpr std::string_view kHelloRows[] = {
    // side 47, cluster 3: 900 214 | centre 19 | 341 449 | side 43
    "##.#..###. #.######.#.##.... #####..#.#..##... #..###.##. #.##..#.######... ####.##.....##.#. ##.#..#... #",
    // side 48, cluster 6: 900 838 | centre 20 | 779 867 | side 44
    "##.#..##.. ##...#####..#..#. #...####...#...#. #..###.#.. #....###.##..###. ##.....###.#.###. ##.#.##... #",
    // side 49, cluster 0: 26 506 | centre 21 | 152 122 | side 45
    "##.#...#.. ###.#.###..#####. ###.###..#.....#. #..##..#.. #..#.#....#...... ##.#....###.####. ##.#.###.. #",
    // side 50, cluster 3: 885 587 | centre 22 | 614 683 | side 46
    "##.#...##. ###......#..##.#. ###.###.####...#. #..##..##. #.###..#..#####.. ##....#.####.##.. ##.#.####. #",
};

TEST(MicroPdf417Rows, TheSmallestSizeIsPaintedModuleForModule) {
  constexpr int kModule = 3, kRowHeight = 4 * kModule;
  Request r(kalvo::Symbology::MicroPdf417, 0, "HELLO");
  r.code.resolution = 300;
  r.code.moduleSize2D = kModule;
  r.code.rowHeight2D = kRowHeight;
  r.code.microPdfSize = 33;
  ASSERT_EQ(kvoBCode(0, &r.code, 0), 0);
  ASSERT_EQ(r.code.symbolRows, 4);
  const kalvo_test::Grey grey = kalvo_test::TakeBitmap(r.code);
  ASSERT_EQ(r.code.width, 99 * kModule);
  for (int row = 0; row < 4; ++row) {
    std::string expected;
    for (char c : kHelloRows[row])
      if (c != ' ') expected += c;
    ASSERT_EQ(expected.size(), 99u);
    // Every pixel of the row, read back into modules.
    for (int y = row * kRowHeight; y < (row + 1) * kRowHeight; ++y) {
      std::string painted;
      for (int m = 0; m < 99; ++m) {
        const bool dark = grey.Dark(m * kModule, y);
        for (int x = m * kModule + 1; x < (m + 1) * kModule; ++x)
          if (grey.Dark(x, y) != dark) ADD_FAILURE() << "module " << m << " of row " << row << " is not uniform";
        painted += dark ? '#' : '.';
      }
      EXPECT_EQ(painted, expected) << "row " << row << " pixel row " << y;
    }
  }
  // The padding to a multiple of 8 pixels stays light.
  for (int y = 0; y < grey.height; ++y)
    for (int x = r.code.width; x < grey.width; ++x) EXPECT_FALSE(grey.Dark(x, y));
}

}  // namespace
