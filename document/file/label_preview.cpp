#include "document/file/label_preview.h"

#include <array>
#include <vector>

#include "document/file/file_calls.h"
#include "document/file/gzip_bytes.h"
#include "document/render/label_render.h"

namespace {

LabelPreviewWriter g_writer = nullptr;

// The label rendered, dithered to one bit per pixel, compressed and
// written through the file calls (so a failing write is seen).
int WriteRenderedPreview(const char* path, CLabelSetup& setup, const CFieldList& fieldList) {
  const std::vector<uint8_t> bmp = RenderPreviewBmp(setup, fieldList, kPreviewResolution);
  if (bmp.empty()) return 0;
  const std::vector<uint8_t> gz = GzipBytes(bmp, 9);
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
  return (g_writer ? g_writer : WriteRenderedPreview)(path, copy, fieldList);
}
