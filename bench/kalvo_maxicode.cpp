// Kalvo's MaxiCode through kvoBCode, per call with the bitmap drawn: mode 2
// with a full UPS carrier message at 300 dpi, and mode 4 text.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "barcode/kalvo.h"
#include "platform/gdi/gdi.h"

namespace {

const std::vector<std::string> kCarrierFields = {"100110000", "840", "001", "1Z12345675", "0001", "123456789",
                                                 "1/1", "10.1", "Y", "", "NEW YORK", "NY", ""};

void EncodeOnce(int mode, const std::string& data) {
  CBCode code;
  code.type = 28;
  code.resolution = 300;
  code.maxiMode = static_cast<uint8_t>(mode);
  for (size_t i = 0; i < kCarrierFields.size(); ++i) code.upsFields[i] = kCarrierFields[i].c_str();
  code.textPosition = 0;
  code.noText = 1;
  const size_t n = data.size();
  code.dataLength = static_cast<int32_t>(n);
  code.data = static_cast<char*>(std::calloc(n + 64, 1));
  std::memcpy(code.data, data.data(), n);
  code.hrLength = static_cast<int32_t>(n * 3 / 2);
  code.hrText = static_cast<char*>(std::calloc(code.hrLength + 64, 1));
  code.ResetErrors();
  benchmark::DoNotOptimize(kvoBCode(0, &code, 0));
  if (code.bitmap == nullptr) std::abort();  // the case must really draw
  DeleteObject(code.bitmap);
}

void BM_MaxiCodeMode2(benchmark::State& state) {
  for (auto _ : state) EncodeOnce(2, "");
}
void BM_MaxiCodeMode4Text(benchmark::State& state) {
  const std::string text = "MaxiCode mode 4: 123456789 Mixed Case Text, shifted and latched";
  for (auto _ : state) EncodeOnce(4, text);
}

}  // namespace

BENCHMARK(BM_MaxiCodeMode2);
BENCHMARK(BM_MaxiCodeMode4Text);
