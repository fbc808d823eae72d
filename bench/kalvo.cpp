// Kalvo: kvoBCode per symbology at 300 dpi with and without the text row and
// measuring only, and the Code 128 code-set choice on 1024 bytes.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "barcode/kalvo.h"
#include "platform/gdi/gdi.h"

namespace {

struct Case {
  const char* name;
  int type;
  int subType;
  const char* data;
};

const std::vector<Case> kCases = {
    {"Codabar", 0, 0, "0123456789"},       {"Code39", 1, 1, "CODE39 12345"},   {"Code39FullAscii", 2, 0, "Full ASCII 39"},
    {"Code93", 3, 0, "CODE93 12345"},      {"Code128", 4, 0, "Hello 12345678"}, {"Ean8", 5, 0, "9638507"},
    {"Ean13", 6, 2, "97803064061575995"}, {"Ean128", 7, 0, "0112345678901231"}, {"I2of5", 10, 1, "1234567890"},
    {"Itf14", 11, 0, "1234567890123"},    {"Plessey", 12, 0, "1234567"},        {"Ucc128", 18, 0, "1234567"},
    {"UccEan128", 19, 0, "0112345678901231"}, {"UpcA", 21, 0, "03600029145"},   {"UpcE", 22, 1, "12345612"},
    {"Postnet", 24, 0, "12345"},          {"Msi", 26, 0, "1234567"},
};

enum class Mode { kBitmap, kBitmapWithText, kMeasure };

void EncodeOnce(const Case& c, Mode mode) {
  CBCode code;
  code.type = static_cast<uint16_t>(c.type);
  code.subType = static_cast<uint16_t>(c.subType);
  code.resolution = 300;
  code.narrowWidth = 3;
  code.textPosition = mode == Mode::kBitmap ? 0 : 1;
  code.codabarStart = 0;
  code.codabarStop = 1;
  code.codabarUpper = 1;
  code.itfBearerFactor = 3;
  code.itfQuietFactor = 10;
  code.addMod10 = 1;
  code.noText = 0;
  code.aiParentheses = 0;
  code.useTextMask = 0;
  code.textAlign = 0;
  const size_t n = std::strlen(c.data);
  code.dataLength = static_cast<int32_t>(n);
  code.data = static_cast<char*>(std::calloc(n + 64, 1));
  std::memcpy(code.data, c.data, n);
  code.hrLength = static_cast<int32_t>(n * 3 / 2);
  code.hrText = static_cast<char*>(std::calloc(code.hrLength + 64, 1));
  code.ResetErrors();
  benchmark::DoNotOptimize(kvoBCode(0, &code, mode == Mode::kMeasure ? 1 : 0));
  if (code.bitmap != nullptr) DeleteObject(code.bitmap);
}

void BM_kvoBCode(benchmark::State& state, const Case c, Mode mode) {
  for (auto _ : state) EncodeOnce(c, mode);
}

void BM_Code128Choice(benchmark::State& state) {
  std::string data;
  while (data.size() < 1024) data += "12a";
  data.resize(1024);
  std::vector<unsigned char> in(data.begin(), data.end());
  std::vector<unsigned char> out(2 * in.size() + 2);
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetOptimized128Code(in.data(), static_cast<int>(in.size()), out.data(), 0));
  }
}
BENCHMARK(BM_Code128Choice)->Unit(benchmark::kMicrosecond);

const bool kRegistered = [] {
  for (const Case& c : kCases) {
    benchmark::RegisterBenchmark((std::string("kvoBCode/") + c.name + "/bars").c_str(), BM_kvoBCode, c, Mode::kBitmap)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("kvoBCode/") + c.name + "/text").c_str(), BM_kvoBCode, c,
                                 Mode::kBitmapWithText)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("kvoBCode/") + c.name + "/measure").c_str(), BM_kvoBCode, c,
                                 Mode::kMeasure)
        ->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

}  // namespace
