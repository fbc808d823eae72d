#include "image/decode/plpgmdec.h"

#include "image/decode/plreader.h"
#include "image/io/pltrace.h"

PLPGMDecoder::PLPGMDecoder() = default;
PLPGMDecoder::~PLPGMDecoder() = default;

int PLPGMDecoder::Open(PLDataSource* dataSrc) {
  Trace(2, "Decoding PGM.\n");
  if (!pl_pnm::ReadHeader(*dataSrc, '2', '5', "PGM decoder: Is not the correct identifier P5 or P2.", m_PGMHead))
    return 0;
  if (!PLBmp::IsValidGeometry(m_PGMHead.width, m_PGMHead.height, 8)) {
    RaiseError(2, "PGM picture too large.");
    return 0;
  }
  const uint64_t samples = uint64_t(m_PGMHead.width) * uint64_t(m_PGMHead.height);
  pl_read::RequireBytes(*dataSrc, m_PGMHead.type == 1 && m_PGMHead.maxValue > 255 ? samples * 2 : samples);
  SetDescription(m_PGMHead.width, m_PGMHead.height, 8, 0, dataSrc->GetFileSize(), false, true);
  return 1;
}

int PLPGMDecoder::GetImage(PLBmp& bmp) {
  if (m_PGMHead.type < 0) {
    RaiseError(2, "Unknown PGM image type.");
    return 0;
  }
  PLDataSource& s = *m_pDataSrc;
  const int maxValue = m_PGMHead.maxValue;
  const bool binary = m_PGMHead.type == 1;
  bmp.SetGreyPalette();
  PLBmpLock lock(bmp, false, true);
  for (int y = 0; y < bmp.GetHeight(); ++y) {
    PLBYTE* row = bmp.GetLineArray()[y];
    for (int x = 0; x < bmp.GetWidth(); ++x)
      row[x] = PLBYTE(binary ? pl_pnm::ReadBinarySample(s, maxValue) : pl_pnm::ReadTextSample(s, maxValue));
  }
  return 1;
}
