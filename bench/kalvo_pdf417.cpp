// PDF417 and MicroPDF417 through kvoBCode, per call with the bitmap drawn:
// PDF417 of 500 bytes at 10 columns (byte compaction, automatic level 4: 45
// rows) and MicroPDF417 4 x 44 filled with text (126 data codewords).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "barcode/kalvo.h"
#include "platform/gdi/gdi.h"

namespace {

struct Symbol {
  int type;
  std::string data;
  int columns = 0;    // PDF417
  int microSize = 0;  // MicroPDF417 size index
};

void EncodeOnce(const Symbol& s) {
  CBCode code;
  code.type = static_cast<uint16_t>(s.type);
  code.resolution = 300;
  code.moduleSize2D = 4;
  code.rowHeight2D = 12;
  code.symbolColumns = static_cast<int16_t>(s.columns);
  code.pdfSecurity = 9;  // automatic
  code.microPdfSize = static_cast<int16_t>(s.microSize);
  code.textPosition = 0;
  code.noText = 1;
  const size_t n = s.data.size();
  code.dataLength = static_cast<int32_t>(n);
  code.data = static_cast<char*>(std::calloc(n + 64, 1));
  std::memcpy(code.data, s.data.data(), n);
  code.hrLength = static_cast<int32_t>(n * 3 / 2);
  code.hrText = static_cast<char*>(std::calloc(code.hrLength + 64, 1));
  code.ResetErrors();
  benchmark::DoNotOptimize(kvoBCode(0, &code, 0));
  if (code.bitmap == nullptr || code.errorCode != 0) std::abort();  // the case must really draw
  DeleteObject(code.bitmap);
}

void Run(benchmark::State& state, const Symbol& s) {
  for (auto _ : state) EncodeOnce(s);
}

std::string HighBytes(size_t n) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s += static_cast<char>(128 + (i * 37) % 128);
  return s;
}

void BM_Pdf417Bytes500Columns10(benchmark::State& state) { Run(state, {27, HighBytes(500), 10, 0}); }
// Latch 900 and 125 codewords of letter pairs fill the 126 data codewords.
void BM_MicroPdf417Size4x44(benchmark::State& state) { Run(state, {31, std::string(250, 'M'), 0, 32}); }

BENCHMARK(BM_Pdf417Bytes500Columns10)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MicroPdf417Size4x44)->Unit(benchmark::kMicrosecond);

}  // namespace
