// Decoding throughput on a 2400 x 1500 picture in PNG, JPEG, TIFF and BMP.
// The inputs are written once by the library's own encoders; each
// iteration decodes from memory through the any-format decoder.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/image_picture.h"
#include "image/bitmap/planybmp.h"
#include "image/decode/planydec.h"
#include "image/encode/plbmpencoder.h"
#include "image/encode/pljpegencoder.h"
#include "image/encode/plpngencoder.h"
#include "image/encode/pltiffencoder.h"
#include "image/io/plmemsink.h"

namespace {

using imagebench::kHeight;
using imagebench::kWidth;
using imagebench::Picture;

template <class Encoder>
const std::vector<PLBYTE>& Encoded() {
  static const std::vector<PLBYTE> bytes = [] {
    Encoder encoder;
    PLMemSink sink;
    sink.Open("bench", 1 << 20);
    encoder.SaveBmp(&Picture(), &sink);
    std::vector<PLBYTE> data = sink.TakeData();
    sink.Close();
    return data;
  }();
  return bytes;
}

template <class Encoder>
void BM_Decode(benchmark::State& state) {
  const std::vector<PLBYTE>& bytes = Encoded<Encoder>();
  if (bytes.empty()) {
    state.SkipWithError("the encoder wrote nothing");
    return;
  }
  PLAnyPicDecoder decoder;
  for (auto _ : state) {
    PLAnyBmp bmp;
    if (!decoder.MakeBmpFromMemory(bytes.data(), int(bytes.size()), &bmp, 32)) {
      state.SkipWithError("decoding failed");
      break;
    }
    benchmark::DoNotOptimize(bmp.GetLineArray());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 4);
  state.counters["file_bytes"] = double(bytes.size());
}

BENCHMARK(BM_Decode<PLPNGEncoder>)->Name("Decode/PNG")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decode<PLJPEGEncoder>)->Name("Decode/JPEG")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decode<PLTIFFEncoder>)->Name("Decode/TIFF")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decode<PLBmpEncoder>)->Name("Decode/BMP")->Unit(benchmark::kMillisecond);

}  // namespace
