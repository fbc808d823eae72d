// MicroPDF417 data that moves between text submodes, bytes and digit runs,
// read back by zxing-wasm to the exact bytes: every submode left by each
// shift or latch and followed by each kind of character, and random mixed
// data in every size. All symbols of a test go to one run of the reader.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "barcode/pdf417/pdf417_codewords.h"
#include "barcode/pdf417/pdf417_high_level.h"
#include "barcode/pdf417/pdf417_layout.h"
#include "barcode/pdf417/pdf417_tables.h"
#include "tests/barcode/kalvo_request.h"
#include "tests/barcode/pdf417_mixed_data.h"
#include "tests/barcode/zxing_wasm.h"

namespace {

using kalvo_test::Escaped;

constexpr int kSizes = static_cast<int>(kalvo::pdf417::MicroPdfSizeTable.size());

size_t DataCodewords(const std::string& data) {
  return kalvo::pdf417::EncodePdf417Data(kalvo::Symbology::MicroPdf417,
                                         std::span(reinterpret_cast<const uint8_t*>(data.data()), data.size()))
      .size();
}

size_t Capacity(int sizeIndex) {
  const kalvo::pdf417::MicroPdfSize& size = kalvo::pdf417::MicroPdfSizeTable[static_cast<size_t>(sizeIndex)];
  return static_cast<size_t>(size.columns * size.rows - size.checkCodewords);
}

// The size with the fewest codewords that holds the data.
int SmallestSizeFor(const std::string& data) {
  const size_t needed = DataCodewords(data);
  int best = -1;
  for (int i = 0; i < kSizes; ++i) {
    const kalvo::pdf417::MicroPdfSize& s = kalvo::pdf417::MicroPdfSizeTable[static_cast<size_t>(i)];
    const kalvo::pdf417::MicroPdfSize* b = best < 0 ? nullptr : &kalvo::pdf417::MicroPdfSizeTable[static_cast<size_t>(best)];
    if (Capacity(i) >= needed && (b == nullptr || s.columns * s.rows < b->columns * b->rows)) best = i;
  }
  return best;
}

struct Symbol {
  std::string name, data;
  int sizeIndex;
};

// The symbol's module rows as a picture of 2-pixel modules in rows four
// modules high (what zxing-wasm needs for the smallest sizes). Drawing through
// kvoBCode is checked in every size by the MicroPDF417 decode tests; here the
// compaction is at stake, in many symbols.
kalvo_test::Grey Picture(const kalvo::pdf417::Pdf417Codewords& symbol) {
  constexpr int kModule = 2, kRowPixels = 4 * kModule;
  const kalvo::ModuleMatrix matrix = kalvo::pdf417::LayOutMicroPdf417(symbol);
  kalvo_test::Grey grey;
  grey.width = matrix.columns * kModule;
  grey.height = matrix.rows * kRowPixels;
  grey.pixels.resize(static_cast<size_t>(grey.width) * grey.height);
  for (int y = 0; y < grey.height; ++y) {
    const std::span<const uint8_t> row = matrix.Row(y / kRowPixels);
    for (int x = 0; x < grey.width; ++x) grey.pixels[static_cast<size_t>(y) * grey.width + x] = row[x / kModule] ? 0 : 255;
  }
  return grey;
}

// Lays out every symbol, reads them all in one run and reports each that was
// not made or not read back exactly; returns how many failed.
int ReadAllBack(const std::vector<Symbol>& symbols) {
  kalvo_test::ZxingWasmReader reader;
  std::vector<const Symbol*> queued;
  int failed = 0;
  for (const Symbol& s : symbols) {
    kalvo::pdf417::Pdf417Request request;
    request.symbology = kalvo::Symbology::MicroPdf417;
    request.text = std::span(reinterpret_cast<const uint8_t*>(s.data.data()), s.data.size());
    request.microIndex = s.sizeIndex;
    const kalvo::pdf417::Pdf417Codewords symbol = kalvo::pdf417::BuildPdf417Codewords(request);
    if (!symbol.Ok()) {
      ADD_FAILURE() << s.name << " \"" << Escaped(s.data) << "\" in size " << s.sizeIndex << ": error "
                    << symbol.errorCode;
      ++failed;
      continue;
    }
    reader.Add(Picture(symbol), 8, "MicroPDF417");
    queued.push_back(&s);
  }
  const std::vector<std::optional<std::string>> read = reader.ReadAll();
  if (read.size() != queued.size()) {
    ADD_FAILURE() << "the reader did not run";
    return failed + static_cast<int>(queued.size());
  }
  for (size_t i = 0; i < queued.size(); ++i) {
    if (read[i] == queued[i]->data) continue;
    if (++failed <= 20)
      ADD_FAILURE() << queued[i]->name << " \"" << Escaped(queued[i]->data) << "\" in size " << queued[i]->sizeIndex
                    << ": " << (read[i] ? "read \"" + Escaped(*read[i]) + "\"" : std::string("not read"));
  }
  return failed;
}

TEST(MicroPdf417CompactionSwitches, EverySubmodeSwitchAndFollowingCharacterReadsBack) {
  ASSERT_TRUE(kalvo_test::ZxingWasmInstalled()) << "zxing-wasm is missing: run scripts/install-deps.sh";
  std::vector<Symbol> symbols;
  for (const kalvo_test::MixedCase& c : kalvo_test::CompactionSwitchCases())
    symbols.push_back({c.name, c.data, SmallestSizeFor(c.data)});
  EXPECT_EQ(ReadAllBack(symbols), 0) << "of " << symbols.size() << " cases";
}

// Random pieces in a random size until the next piece would not fit.
TEST(MicroPdf417RandomData, MixedDataInEverySizeReadsBack) {
  ASSERT_TRUE(kalvo_test::ZxingWasmInstalled()) << "zxing-wasm is missing: run scripts/install-deps.sh";
  constexpr int kSymbolsPerSeed = 250;
  std::vector<Symbol> symbols;
  for (const unsigned seed : {11u, 12u}) {
    std::mt19937 random(seed);
    for (int i = 0; i < kSymbolsPerSeed; ++i) {
      const int size = i % kSizes;
      std::string data;
      for (int pieces = std::uniform_int_distribution<int>(1, 16)(random); pieces > 0; --pieces) {
        const std::string next = data + kalvo_test::RandomPiece(random);
        if (DataCodewords(next) > Capacity(size)) break;
        data = next;
      }
      if (data.empty()) data = "A";
      symbols.push_back({"seed " + std::to_string(seed) + " symbol " + std::to_string(i), data, size});
    }
  }
  EXPECT_EQ(ReadAllBack(symbols), 0) << "of " << symbols.size() << " symbols";
}

}  // namespace
