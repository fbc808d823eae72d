// Image library throughput on a 2400 x 1500 picture: encoding in each file
// format, turning by 30 degrees and dithering to one bit.
#include <benchmark/benchmark.h>

#include <memory>

#include "image/bitmap/planybmp.h"
#include "image/bitmap/plwinbmp.h"
#include "image/encode/plbmpencoder.h"
#include "image/encode/pljpegencoder.h"
#include "image/encode/plpngencoder.h"
#include "image/encode/pltiffencoder.h"
#include "image/filter/agcnvtdither.h"
#include "image/filter/plfilterrotate.h"
#include "image/io/plmemsink.h"

namespace {

constexpr int kWidth = 2400, kHeight = 1500;

// A label-like picture: soft colour gradients with hard-edged dark bars.
const PLWinBmp& Picture() {
  static const std::unique_ptr<PLWinBmp> picture = [] {
    auto bmp = std::make_unique<PLWinBmp>();
    bmp->Create(kWidth, kHeight, 32, 32, 0, false, false, PLPoint{300, 300});
    for (int y = 0; y < kHeight; ++y) {
      PLPixel32* row = bmp->GetLineArray32()[y];
      for (int x = 0; x < kWidth; ++x) {
        bool bar = (x / 12) % 5 == 0 && y > 200 && y < 900;
        row[x] = bar ? PLPixel32(20, 20, 20, 255)
                     : PLPixel32(uint8_t(x * 255 / kWidth), uint8_t(y * 255 / kHeight), uint8_t((x + y) % 256), 255);
      }
    }
    return bmp;
  }();
  return *picture;
}

template <class Encoder>
void BM_Encode(benchmark::State& state) {
  auto& picture = const_cast<PLWinBmp&>(Picture());
  int64_t bytes = 0;
  for (auto _ : state) {
    Encoder encoder;
    PLMemSink sink;
    sink.Open("bench", int(picture.GetMemoryUsed()));
    if (!encoder.SaveBmp(&picture, &sink)) state.SkipWithError("encoding failed");
    bytes = sink.GetBytesWritten();
    benchmark::DoNotOptimize(sink.GetBuffer());
  }
  state.counters["file_bytes"] = double(bytes);
  state.SetItemsProcessed(state.iterations() * int64_t(kWidth) * kHeight);
}
BENCHMARK(BM_Encode<PLPNGEncoder>)->Name("BM_EncodePNG")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Encode<PLJPEGEncoder>)->Name("BM_EncodeJPEG")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Encode<PLTIFFEncoder>)->Name("BM_EncodeTIFF")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Encode<PLBmpEncoder>)->Name("BM_EncodeBMP")->Unit(benchmark::kMillisecond);

void BM_Rotate30(benchmark::State& state) {
  auto& picture = const_cast<PLWinBmp&>(Picture());
  PLAnyBmp target;
  for (auto _ : state) {
    PLFilterRotate(30).Apply(&picture, &target);
    benchmark::DoNotOptimize(target.GetLineArray());
  }
  state.SetItemsProcessed(state.iterations() * int64_t(target.GetWidth()) * target.GetHeight());
}
BENCHMARK(BM_Rotate30)->Unit(benchmark::kMillisecond);

void BM_DitherToOneBit(benchmark::State& state) {
  auto& picture = const_cast<PLWinBmp&>(Picture());
  PLAnyBmp target;
  const int method = int(state.range(0));
  for (auto _ : state) {
    AgCnvtDither(method).Convert(&picture, &target);
    benchmark::DoNotOptimize(target.GetLineArray());
  }
  state.SetItemsProcessed(state.iterations() * int64_t(kWidth) * kHeight);
}
// Floyd-Steinberg, ordered, ordered with levels, Burkes.
BENCHMARK(BM_DitherToOneBit)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
