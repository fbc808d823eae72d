// libFuzzer target: one picture through the any-format decoder, or, when
// built with TAV_FUZZ_DECODER naming a format decoder, through that one.
// The first byte of the input picks the name the data source carries, so
// the metafile decoders (chosen by extension) are reached as well.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "image/bitmap/planybmp.h"
#include "image/bitmap/pltextexception.h"
#include "image/decode/planydec.h"
#include "image/decode/plbmpdec.h"
#include "image/decode/plpcxdec.h"
#include "image/decode/plpictdec.h"
#include "image/decode/pljpegdec.h"
#include "image/decode/plpsddec.h"
#include "image/decode/pltgadec.h"
#include "image/decode/plwemfdec.h"
#include "image/io/plmemsource.h"

namespace {

// A memory source with the name of a file.
class NamedMemSource : public PLMemSource {
 public:
  int OpenNamed(const PLBYTE* data, int size, const char* name) {
    int result = Open(data, size);
    if (result == PL_OPEN_OK) {
      const PLBYTE* start = GetCurrentData();
      InitSource(name, size);
      m_pReadPos = start;
    }
    return result;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > (1u << 22)) return 0;
  static constexpr const char* kNames[] = {"picture.bin", "picture.wmf", "picture.emf"};
  const char* name = kNames[data[0] % 3];
#if defined(TAV_FUZZ_DECODER)
  // The metafile decoder tells the two kinds apart by the name alone.
  if (std::string(TAV_FUZZ_DECODER) == "wemf") name = kNames[1 + data[0] % 2];
#elif defined(TAV_FUZZ_BYTES_ONLY)
  // Recognised by the bytes alone: the library formats (PNG, JPEG, TIFF,
  // GIF) and the others, without the slower metafile playback.
  name = kNames[0];
#endif
  ++data;
  --size;
  PLAnyBmp bmp;
#if defined(TAV_FUZZ_DECODER)
  PLJPEGDecoder jpeg;
  std::unique_ptr<PLPicDecoder> decoder;
  const std::string which = TAV_FUZZ_DECODER;
  if (which == "bmp") decoder = std::make_unique<PLBmpDecoder>();
  else if (which == "tga") decoder = std::make_unique<PLTGADecoder>();
  else if (which == "pcx") decoder = std::make_unique<PLPCXDecoder>();
  else if (which == "psd") decoder = std::make_unique<PLPSDDecoder>();
  else if (which == "wemf") decoder = std::make_unique<PLWEMFDecoder>();
  else decoder = std::make_unique<PLPictDecoder>(&jpeg);
#else
  auto decoder = std::make_unique<PLAnyPicDecoder>();
#endif
  auto source = std::make_unique<NamedMemSource>();
  if (source->OpenNamed(data, int(size), name) != PL_OPEN_OK) return 0;
  try {
    decoder->SetDataSource(source.release());
    if (decoder->Open(decoder->GetDataSource())) decoder->MakeBmp(&bmp, 0);
  } catch (const PLTextException&) {
  }
  decoder->Close();
  return 0;
}
