// Kalvo's two-dimensional symbologies through kvoBCode, per call with the
// bitmap drawn: QR Code version 10-M and 40-L, Data Matrix 32 x 32 and
// 144 x 144.
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
  int qrLevel = 0;
  int rows = 0, columns = 0;
};

void EncodeOnce(const Symbol& s) {
  CBCode code;
  code.type = static_cast<uint16_t>(s.type);
  code.resolution = 300;
  code.moduleSize2D = 4;
  code.qrLevel = static_cast<uint16_t>(s.qrLevel);
  code.symbolRows = static_cast<int16_t>(s.rows);
  code.symbolColumns = static_cast<int16_t>(s.columns);
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
  if (code.bitmap == nullptr) std::abort();  // the case must really draw
  DeleteObject(code.bitmap);
}

std::string Bytes(size_t n) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s += static_cast<char>('a' + i % 26);
  return s;
}

void Run(benchmark::State& state, const Symbol& s) {
  for (auto _ : state) EncodeOnce(s);
}

// Byte mode: version 10-M holds 213 bytes, version 40-L 2,953.
void BM_QrVersion10M(benchmark::State& state) { Run(state, {33, Bytes(213), 0}); }
void BM_QrVersion40L(benchmark::State& state) { Run(state, {33, Bytes(2953), 1}); }
// Digit pairs: 32 x 32 holds 62 codewords, 144 x 144 1,558.
void BM_DataMatrix32x32(benchmark::State& state) { Run(state, {29, std::string(124, '7'), 0, 32, 32}); }
void BM_DataMatrix144x144(benchmark::State& state) { Run(state, {29, std::string(3000, '7'), 0, 144, 144}); }
void BM_DataMatrix144x144Text(benchmark::State& state) { Run(state, {29, Bytes(2000), 0, 144, 144}); }

BENCHMARK(BM_QrVersion10M)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QrVersion40L)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DataMatrix32x32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DataMatrix144x144)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DataMatrix144x144Text)->Unit(benchmark::kMicrosecond);

}  // namespace
