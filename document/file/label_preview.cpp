#include "document/file/label_preview.h"

#include <array>
#include <vector>

#include "document/file/file_calls.h"
#include "document/file/gzip_bytes.h"

namespace {

LabelPreviewWriter g_writer = nullptr;

void PutLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A blank label of the preview's size: a white 1-bit BMP (palette black,
// white; rows padded to 4 bytes).
std::vector<uint8_t> BlankPreviewBmp(const CLabelSetup& setup) {
  const int64_t w = int64_t{setup.labelWidth} * kPreviewResolution / 1000;
  const int64_t h = int64_t{setup.labelHeight} * kPreviewResolution / 1000;
  if (w <= 0 || h <= 0 || w * h > 100'000'000) return {};
  const uint32_t stride = static_cast<uint32_t>((w + 31) / 32 * 4);
  const uint32_t pixels = stride * static_cast<uint32_t>(h);
  std::vector<uint8_t> bmp;
  bmp.reserve(62 + pixels);
  bmp.push_back('B');
  bmp.push_back('M');
  PutLe(bmp, 62 + pixels, 4);
  PutLe(bmp, 0, 4);
  PutLe(bmp, 62, 4);
  PutLe(bmp, 40, 4);
  PutLe(bmp, static_cast<uint32_t>(w), 4);
  PutLe(bmp, static_cast<uint32_t>(h), 4);
  PutLe(bmp, 1, 2);
  PutLe(bmp, 1, 2);
  PutLe(bmp, 0, 4);
  PutLe(bmp, pixels, 4);
  const uint32_t ppm = kPreviewResolution * 10000 / 254;
  PutLe(bmp, ppm, 4);
  PutLe(bmp, ppm, 4);
  PutLe(bmp, 2, 4);
  PutLe(bmp, 2, 4);
  PutLe(bmp, 0x000000, 4);
  PutLe(bmp, 0xFFFFFF, 4);
  bmp.insert(bmp.end(), pixels, 0xFF);
  return bmp;
}

int WriteBlankPreview(const char* path, CLabelSetup& setup, const CFieldList&) {
  const std::vector<uint8_t> gz = GzipBytes(BlankPreviewBmp(setup), 9);
  if (gz.empty()) return 0;
  if (WriteWholeFile(path, gz)) return 1;
  RemoveFile(path);
  return 0;
}

}  // namespace

void SetLabelPreviewWriter(LabelPreviewWriter writer) { g_writer = writer; }

int WriteLabelPreview(const char* path, const CLabelSetup& setup, const CFieldList& fieldList) {
  // The renderer notes the label's corner size in the setup it draws: it
  // draws a copy, so saving leaves the document's setup as it was.
  CLabelSetup copy;
  copy.CopyFrom(setup, 0);
  return (g_writer ? g_writer : WriteBlankPreview)(path, copy, fieldList);
}
