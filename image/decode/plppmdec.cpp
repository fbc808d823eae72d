#include "image/decode/plppmdec.h"

#include "image/decode/plreader.h"
#include "image/io/pltrace.h"

PLPPMDecoder::PLPPMDecoder() = default;
PLPPMDecoder::~PLPPMDecoder() = default;

int PLPPMDecoder::Open(PLDataSource* dataSrc) {
  Trace(2, "Decoding PPM.\n");
  if (!pl_pnm::ReadHeader(*dataSrc, '3', '6', "PPM decoder: Is not the correct identifier P3 or P6.", m_PPMHead))
    return 0;
  if (!PLBmp::IsValidGeometry(m_PPMHead.width, m_PPMHead.height, 32)) {
    RaiseError(2, "PPM picture too large.");
    return 0;
  }
  // Every sample takes at least one byte (two when the maximum is above 255).
  const uint64_t samples = uint64_t(m_PPMHead.width) * uint64_t(m_PPMHead.height) * 3;
  pl_read::RequireBytes(*dataSrc, m_PPMHead.type == 1 && m_PPMHead.maxValue > 255 ? samples * 2 : samples);
  SetDescription(m_PPMHead.width, m_PPMHead.height, 32, 0, dataSrc->GetFileSize(), false, false);
  return 1;
}

int PLPPMDecoder::GetImage(PLBmp& bmp) {
  if (m_PPMHead.type < 0) {
    RaiseError(2, "Unknown PPM image type.");
    return 0;
  }
  PLDataSource& s = *m_pDataSrc;
  const int maxValue = m_PPMHead.maxValue;
  const bool binary = m_PPMHead.type == 1;
  // A binary file at full 8-bit range leaves the fourth byte 0; so does
  // every text file.
  const PLBYTE fourth = binary && maxValue != 255 ? 255 : 0;
  PLBmpLock lock(bmp, false, true);
  for (int y = 0; y < bmp.GetHeight(); ++y) {
    PLPixel32* row = bmp.GetLineArray32()[y];
    for (int x = 0; x < bmp.GetWidth(); ++x) {
      int r, g, b;
      if (binary) {
        r = pl_pnm::ReadBinarySample(s, maxValue);
        g = pl_pnm::ReadBinarySample(s, maxValue);
        b = pl_pnm::ReadBinarySample(s, maxValue);
      } else {
        r = pl_pnm::ReadTextSample(s, maxValue);
        g = pl_pnm::ReadTextSample(s, maxValue);
        b = pl_pnm::ReadTextSample(s, maxValue);
      }
      row[x] = PLPixel32(PLBYTE(r), PLBYTE(g), PLBYTE(b), fourth);
    }
  }
  return 1;
}
