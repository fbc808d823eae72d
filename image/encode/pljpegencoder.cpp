#include "image/encode/pljpegencoder.h"

#include <algorithm>

#include "image/bitmap/planybmp.h"
#include "image/io/jpeg_adapters.h"

PLJPEGEncoder::PLJPEGEncoder()
    : m_pCInfo(std::make_unique<jpeg_compress_struct>()), m_pErrorManager(std::make_unique<PLJpegErrorManager>()) {
  m_pCInfo->err = InitJpegErrorManager(m_pErrorManager.get());
  if (setjmp(m_pErrorManager->jumpBuffer)) return;  // m_bCreated stays false
  jpeg_create_compress(m_pCInfo.get());
  m_bCreated = true;
}

PLJPEGEncoder::~PLJPEGEncoder() {
  if (m_bCreated) jpeg_destroy_compress(m_pCInfo.get());
}

int PLJPEGEncoder::DoEncode(PLBmp* bmp, PLDataSink* sink) {
  if (!m_bCreated) return 0;
  // libjpeg takes the 4-byte rows of a 32-bit bitmap; other depths go
  // through a 32-bit copy.
  PLAnyBmp wide;
  PLBmp* src = WidenedTo32(bmp, {1, 8, 24}, wide);
  if (!src) return 0;
  PLBmpLock lock(*src, true, false);
  return Compress(src, sink);
}

int PLJPEGEncoder::Compress(PLBmp* bmp, PLDataSink* sink) {
  jpeg_compress_struct* cinfo = m_pCInfo.get();
  if (setjmp(m_pErrorManager->jumpBuffer)) {
    jpeg_abort_compress(cinfo);
    return 0;
  }
  InstallJpegSinkDestination(cinfo, sink);
  cinfo->image_width = JDIMENSION(bmp->GetWidth());
  cinfo->image_height = JDIMENSION(bmp->GetHeight());
  cinfo->input_components = 4;
  cinfo->in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(cinfo);
  // A stated resolution is written in dots per inch.
  PLPoint res = bmp->GetResolution();
  int dx = m_DensityX ? m_DensityX : res.x, dy = m_DensityY ? m_DensityY : res.y;
  if (dx > 0 && dy > 0 && dx <= 65535 && dy <= 65535) {
    cinfo->density_unit = 1;
    cinfo->X_density = UINT16(dx);
    cinfo->Y_density = UINT16(dy);
  }
  cinfo->dct_method = JDCT_FLOAT;
  if (m_Quality != 0) jpeg_set_quality(cinfo, m_Quality, TRUE);
  cinfo->optimize_coding = m_bOptimizeCoding ? TRUE : FALSE;
  cinfo->smoothing_factor = m_SmoothingFactor;
  jpeg_start_compress(cinfo, TRUE);
  PLBYTE** rows = bmp->GetLineArray();
  while (cinfo->next_scanline < cinfo->image_height) {
    JDIMENSION count = std::min<JDIMENSION>(32, cinfo->image_height - cinfo->next_scanline);
    if (jpeg_write_scanlines(cinfo, rows + cinfo->next_scanline, count) == 0) break;
  }
  bool complete = cinfo->next_scanline == cinfo->image_height;
  if (!complete) {
    jpeg_abort_compress(cinfo);
    return 0;
  }
  jpeg_finish_compress(cinfo);
  return 1;
}
