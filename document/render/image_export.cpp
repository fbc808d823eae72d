#include "document/render/image_export.h"

#include <cstdio>

#include "document/layout_shell.h"
#include "document/render/image_formats.h"
#include "document/render/pcx_writer.h"
#include "foundation/util/file_names.h"
#include "image/bitmap/pltextexception.h"
#include "image/decode/planydec.h"
#include "image/encode/plbmpencoder.h"
#include "image/encode/plpngencoder.h"
#include "image/encode/pltiffencoder.h"
#include "platform/win.h"

namespace {

int WritePcx(const char* path, PLBmp& bitmap) {
  std::FILE* file = std::fopen(path, "w+b");
  if (!file) return 0;
  const long written = WritePcxFile(file, bitmap);
  const bool closed = std::fclose(file) == 0;
  if (written <= 0 || !closed) {
    std::remove(path);
    return 0;
  }
  return 1;
}

}  // namespace

int SaveBitmapAsImageFile(const char* path, PLBmp& bitmap, int code) {
  if (!path) return 0;
  try {
    switch (code) {
      case kImageFormatBmp: return PLBmpEncoder().MakeFileFromBmp(path, &bitmap);
      case kImageFormatPng: {
        PLPNGEncoder png;
        png.SetCompressionLevel(kLabelPngCompression);
        return png.MakeFileFromBmp(path, &bitmap);
      }
      case kImageFormatPcx: return WritePcx(path, bitmap);
      case kImageFormatTiff: return PLTIFFEncoder().MakeFileFromBmp(path, &bitmap);
      default: return 0;
    }
  } catch (const PLTextException&) {
    std::remove(path);
    return 0;
  }
}

AString TempImageFolder() { return LayoutShell()->WorkFolder(); }

std::unique_ptr<PLWinBmp> ConvertToWinBmpViaTempFile(PLBmp& bitmap) {
  const AString path = MakeNumberedFileName("tmpimg", TempImageFolder().GetData(), "bmp", 6);
  if (path.IsEmpty()) return nullptr;
  auto result = std::make_unique<PLWinBmp>();
  int ok = SaveBitmapAsImageFile(path.GetData(), bitmap, kImageFormatBmp);
  if (ok) {
    try {
      PLAnyPicDecoder decoder;
      ok = decoder.MakeBmpFromFile(path.GetData(), result.get());
    } catch (const PLTextException&) {
      ok = 0;
    }
  }
  ForceDeleteFile(path.GetData());
  if (!ok) return nullptr;
  return result;
}
