// Image library throughput on a 2400 x 1500 picture: encoding in each file
// format, turning by 30 degrees and dithering to one bit.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/image_picture.h"
#include "image/bitmap/planybmp.h"
#include "image/encode/plbmpencoder.h"
#include "image/encode/pljpegencoder.h"
#include "image/encode/plpngencoder.h"
#include "image/encode/pltiffencoder.h"
#include "image/filter/agcnvtdither.h"
#include "image/filter/plfilterrotate.h"
#include "image/io/plmemsink.h"

namespace {

using imagebench::kHeight;
using imagebench::kWidth;
using imagebench::Picture;

template <class Encoder>
void BM_Encode(benchmark::State& state) {
  PLAnyBmp& picture = Picture();
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
  PLAnyBmp& picture = Picture();
  PLAnyBmp target;
  for (auto _ : state) {
    PLFilterRotate(30).Apply(&picture, &target);
    benchmark::DoNotOptimize(target.GetLineArray());
  }
  state.SetItemsProcessed(state.iterations() * int64_t(target.GetWidth()) * target.GetHeight());
}
BENCHMARK(BM_Rotate30)->Unit(benchmark::kMillisecond);

void BM_DitherToOneBit(benchmark::State& state) {
  PLAnyBmp& picture = Picture();
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
