#include "image/decode/pljpegdec.h"

#include <csetjmp>
#include <vector>

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

bool IsCmyk(const jpeg_decompress_struct& cinfo) {
  return cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
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
  const bool cmyk = IsCmyk(*cinfo);
  cinfo->do_fancy_upsampling = FALSE;
  cinfo->dct_method = JDCT_FLOAT;
  // libjpeg turns YCCK into CMYK but not CMYK into RGB: that is done here.
  cinfo->out_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_EXT_BGRX;
  jpeg_start_decompress(cinfo);
  if (int(cinfo->output_width) != bmp.GetWidth() || int(cinfo->output_height) != bmp.GetHeight() ||
      cinfo->output_components != (grey ? 1 : 4)) {
    RaiseError(6, "JPEG output does not match the picture.\n");
    jpeg_abort_decompress(cinfo);
    return 0;
  }
  bmp.Lock(false, true);
  locked = true;
  if (cmyk) {
    ReadCmykRows(bmp);
    bmp.Unlock();
    locked = false;
    jpeg_finish_decompress(cinfo);
    return 1;
  }
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

// CMYK rows through a row buffer into RGB. Files with Adobe's marker (all
// that Adobe's programs and libjpeg's own CMYK writer make) store the
// components inverted, 255 meaning no ink; other files store ink amounts.
int PLJPEGDecoder::ReadCmykRows(PLBmp& bmp) {
  jpeg_decompress_struct* cinfo = &m_State->cinfo;
  const bool inverted = cinfo->saw_Adobe_marker;
  std::vector<JSAMPLE> line(size_t(cinfo->output_width) * 4);
  JSAMPROW rows[1] = {line.data()};
  PLPixel32** out = bmp.GetLineArray32();
  while (cinfo->output_scanline < cinfo->output_height) {
    const JDIMENSION y = cinfo->output_scanline;
    if (jpeg_read_scanlines(cinfo, rows, 1) == 0) break;
    PLPixel32* row = out[y];
    for (JDIMENSION x = 0; x < cinfo->output_width; ++x) {
      const JSAMPLE* p = line.data() + 4 * size_t(x);
      // What is left of white after the ink: (1 - c)(1 - k) for each colour.
      auto channel = [&](JSAMPLE ink, JSAMPLE black) {
        const unsigned c = inverted ? ink : 255u - ink, k = inverted ? black : 255u - black;
        return PLBYTE((c * k + 127) / 255);
      };
      row[x] = PLPixel32(channel(p[0], p[3]), channel(p[1], p[3]), channel(p[2], p[3]), 255);
    }
  }
  return 1;
}
