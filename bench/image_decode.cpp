// Decoding throughput on a 2400 x 1500 picture in PNG, JPEG, TIFF and BMP.
// The inputs are written once by the library's own encoders; each
// iteration decodes from memory through the any-format decoder.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "image/bitmap/planybmp.h"
#include "image/decode/planydec.h"
#include "image/encode/plbmpencoder.h"
#include "image/encode/pljpegencoder.h"
#include "image/encode/plpngencoder.h"
#include "image/encode/pltiffencoder.h"
#include "image/io/plmemsink.h"

namespace {

constexpr int kWidth = 2400, kHeight = 1500;

// Soft gradients with hard-edged dark bars, like a label with a barcode.
PLAnyBmp& Picture() {
  static const std::unique_ptr<PLAnyBmp> picture = [] {
    auto bmp = std::make_unique<PLAnyBmp>();
    bmp->Create(kWidth, kHeight, 32, 32, 0, false, false, PLPoint{300, 300});
    for (int y = 0; y < kHeight; ++y) {
      PLPixel32* row = bmp->GetLineArray32()[y];
      for (int x = 0; x < kWidth; ++x) {
        const bool bar = (x / 12) % 5 == 0 && y > 200 && y < 900;
        row[x] = bar ? PLPixel32(20, 20, 20, 255)
                     : PLPixel32(uint8_t(x * 255 / kWidth), uint8_t(y * 255 / kHeight), uint8_t((x + y) % 256), 255);
      }
    }
    return bmp;
  }();
  return *picture;
}

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
