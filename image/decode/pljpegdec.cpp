#include "image/decode/pljpegdec.h"

#include <csetjmp>

#include "image/io/jpeg_adapters.h"
#include "image/io/pltrace.h"

struct PLJpegDecompressState {
  jpeg_decompress_struct cinfo;
  PLJpegErrorManager err;
};

namespace {

void JpegProgress(j_common_ptr cinfo) {
  const jpeg_progress_mgr* p = cinfo->progress;
  if (!p || p->pass_limit <= 0 || p->total_passes <= 0) return;
  double value = (double(p->pass_counter) / double(p->pass_limit) + p->completed_passes) / p->total_passes;
  if (auto* source = static_cast<PLDataSource*>(cinfo->client_data)) source->NotifyProgress(value);
}

}  // namespace

PLJPEGDecoder::PLJPEGDecoder() : m_State(std::make_unique<PLJpegDecompressState>()) {
  m_State->cinfo.err = InitJpegErrorManager(&m_State->err);
  jpeg_create_decompress(&m_State->cinfo);
}

PLJPEGDecoder::~PLJPEGDecoder() { jpeg_destroy_decompress(&m_State->cinfo); }

int PLJPEGDecoder::Open(PLDataSource* dataSrc) {
  jpeg_decompress_struct* cinfo = &m_State->cinfo;
  if (setjmp(m_State->err.jumpBuffer)) {
    jpeg_abort_decompress(cinfo);
    return 0;
  }
  jpeg_abort_decompress(cinfo);
  InstallJpegMemorySource(cinfo, dataSrc->GetCurrentData(), dataSrc->GetBytesLeft(), dataSrc, JpegProgress);
  jpeg_read_header(cinfo, TRUE);
  const bool grey = cinfo->out_color_space == JCS_GRAYSCALE;
  const int bpp = grey ? 8 : 32;
  if (!PLBmp::IsValidGeometry(int(cinfo->image_width), int(cinfo->image_height), bpp)) {
    RaiseError(6, "JPEG picture too large.");
    jpeg_abort_decompress(cinfo);
    return 0;
  }
  PLPoint resolution;
  if (cinfo->X_density != 1 && cinfo->Y_density != 1) {
    if (cinfo->density_unit == 2) resolution = PLPoint{int(cinfo->X_density * 2.54), int(cinfo->Y_density * 2.54)};
    else resolution = PLPoint{cinfo->X_density, cinfo->Y_density};
  }
  SetDescription(int(cinfo->image_width), int(cinfo->image_height), bpp, 0, dataSrc->GetFileSize(), false, grey,
                 resolution);
  return 1;
}

int PLJPEGDecoder::GetImage(PLBmp& bmp) {
  jpeg_decompress_struct* cinfo = &m_State->cinfo;
  volatile bool locked = false;
  if (setjmp(m_State->err.jumpBuffer)) {
    if (locked) bmp.Unlock();
    jpeg_abort_decompress(cinfo);
    return 0;
  }
  const bool grey = GetBitsPerPixel() == 8;
  cinfo->do_fancy_upsampling = FALSE;
  cinfo->dct_method = JDCT_FLOAT;
  cinfo->out_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGRX;
  jpeg_start_decompress(cinfo);
  if (int(cinfo->output_width) != bmp.GetWidth() || int(cinfo->output_height) != bmp.GetHeight() ||
      cinfo->output_components != (grey ? 1 : 4)) {
    RaiseError(6, "JPEG output does not match the picture.\n");
    jpeg_abort_decompress(cinfo);
    return 0;
  }
  bmp.Lock(false, true);
  locked = true;
  PLBYTE** rows = bmp.GetLineArray();
  while (cinfo->output_scanline < cinfo->output_height) {
    JDIMENSION wanted = grey ? 1 : 32;
    if (wanted > cinfo->output_height - cinfo->output_scanline) wanted = cinfo->output_height - cinfo->output_scanline;
    if (jpeg_read_scanlines(cinfo, rows + cinfo->output_scanline, wanted) == 0) break;
  }
  bmp.Unlock();
  locked = false;
  jpeg_finish_decompress(cinfo);
  return 1;
}
