#include "image/decode/planydec.h"

#include <cstring>

#include "image/decode/plbmpdec.h"
#include "image/decode/plgifdec.h"
#include "image/decode/pljpegdec.h"
#include "image/decode/plpcxdec.h"
#include "image/decode/plpgmdec.h"
#include "image/decode/plpictdec.h"
#include "image/decode/plpngdec.h"
#include "image/decode/plppmdec.h"
#include "image/decode/plpsddec.h"
#include "image/decode/plreader.h"
#include "image/decode/pltgadec.h"
#include "image/decode/pltiffdec.h"
#include "image/decode/plwemfdec.h"
#include "image/io/pltrace.h"

namespace {

// The PICT signature sits behind a 512-byte header, so a little more than
// 512 bytes are looked at.
constexpr int kDetectBytes = 1024;

const char* RecognitionText(int type) {
  switch (type) {
    case PL_FT_WINBMP: return "Windows bitmap recognized.\n";
    case PL_FT_MACPICT: return "Mac PICT recognized.\n";
    case PL_FT_TARGA: return "TGA file recognized.\n";
    case PL_FT_TIFF: return "TIFF file recognized.\n";
    case PL_FT_JPEG: return "JPEG file recognized.\n";
    case PL_FT_PNG: return "PNG file recognized.\n";
    case PL_FT_EPSTIFF: return "TIFF preview in EPS file recognized.\n";
    case PL_FT_WMF: return "WMF file recognized.\n";
    case PL_FT_EMF: return "EMF file recognized.\n";
    case PL_FT_PCX: return "PCX file recognized.\n";
    case PL_FT_PGM: return "PGM file recognized.\n";
    case PL_FT_GIF: return "GIF file recognized.\n";
    case PL_FT_PPM: return "PPM file recognized.\n";
    case PL_FT_PSD: return "PSD file recognized.\n";
    default: return "";
  }
}

}  // namespace

PLAnyPicDecoder::PLAnyPicDecoder()
    : m_pBmpDec(std::make_unique<PLBmpDecoder>()),
      m_pTGADec(std::make_unique<PLTGADecoder>()),
      m_pTIFFDec(std::make_unique<PLTIFFDecoder>()),
      m_pJPEGDec(std::make_unique<PLJPEGDecoder>()),
      m_pPNGDec(std::make_unique<PLPNGDecoder>()),
      m_pWEMFDec(std::make_unique<PLWEMFDecoder>()),
      m_pPCXDec(std::make_unique<PLPCXDecoder>()),
      m_pPGMDec(std::make_unique<PLPGMDecoder>()),
      m_pGIFDec(std::make_unique<PLGIFDecoder>()),
      m_pPPMDec(std::make_unique<PLPPMDecoder>()),
      m_pPSDDec(std::make_unique<PLPSDDecoder>()) {
  m_pPictDec = std::make_unique<PLPictDecoder>(m_pJPEGDec.get());
}

PLAnyPicDecoder::~PLAnyPicDecoder() { Close(); }

void PLAnyPicDecoder::Close() {
  if (!m_pDataSrc) return;
  if (m_pCurDec) {
    // The delegate owns the source from its Open on.
    m_pCurDec->Close();
    m_pDataSrc = nullptr;
  } else {
    PLPicDecoder::Close();
  }
  m_pCurDec = nullptr;
}

int PLAnyPicDecoder::DetectFileType(const PLBYTE* data, int size) {
  if (!data || size <= 0) return PL_FT_UNKNOWN;
  const int n = size < kDetectBytes ? size : kDetectBytes;
  auto at = [&](int i) { return i < n ? int(data[i]) : -1; };
  auto starts = [&](int offset, std::initializer_list<int> bytes) {
    int i = offset;
    for (int b : bytes)
      if (at(i++) != b) return false;
    return true;
  };
  static constexpr const char* kBmpTypes[] = {"BA", "BM", "IC", "CI", "CP"};
  for (const char* t : kBmpTypes)
    if (starts(0, {t[0], t[1]})) return PL_FT_WINBMP;
  if (n >= 18) {
    const int b1 = at(1), b2 = at(2), b7 = at(7), b16 = at(16);
    const bool cmapOk = b1 == 0 || b1 == 1;
    const bool typeOk = (b2 >= 0 && b2 <= 3) || (b2 >= 9 && b2 <= 11);
    const bool entryOk = b7 == 0 || b7 == 8 || b7 == 15 || b7 == 16 || b7 == 24 || b7 == 32;
    const bool depthOk = b16 == 8 || b16 == 15 || b16 == 16 || b16 == 24 || b16 == 32;
    if (cmapOk && typeOk && entryOk && depthOk) return PL_FT_TARGA;
  }
  if (starts(0, {'G', 'I', 'F', '8'})) return PL_FT_GIF;
  if (starts(0, {0x49, 0x49, 0x2A, 0x00}) || starts(0, {0x4D, 0x4D, 0x00, 0x2A})) return PL_FT_TIFF;
  if (size > 540 &&
      (starts(522, {0x00, 0x11, 0x02, 0xFF}) || starts(522, {0x00, 0x11, 0x01}) || starts(522, {0x11, 0x01, 0x01, 0x00})))
    return PL_FT_MACPICT;
  if (starts(0, {0xFF, 0xD8, 0xFF})) return PL_FT_JPEG;
  if (starts(0, {0x89, 0x50, 0x4E, 0x47})) return PL_FT_PNG;
  if ((starts(0, {0xC5, 0xD0, 0xD3, 0xC6}) || starts(0, {0xC6, 0xD3, 0xD0, 0xC5})) && n >= 28 &&
      pl_read::LE32At(data + 20) != 0 && pl_read::LE32At(data + 24) != 0)
    return PL_FT_EPSTIFF;
  if (at(0) == 0x0A && at(2) == 0x01) return PL_FT_PCX;
  if (starts(0, {'P', '2'}) || starts(0, {'P', '5'})) return PL_FT_PGM;
  if (starts(0, {'P', '3'}) || starts(0, {'P', '6'})) return PL_FT_PPM;
  if (starts(0, {'8', 'B', 'P', 'S'})) return PL_FT_PSD;
  return PL_FT_UNKNOWN;
}

int PLAnyPicDecoder::Open(PLDataSource* dataSrc) {
  m_Type = PL_FT_UNKNOWN;
  m_pCurDec = nullptr;
  // Metafiles are told by their extension alone.
  if (PLWEMFDecoder::HasExtension(dataSrc->GetName(), ".WMF")) m_Type = PL_FT_WMF;
  else if (PLWEMFDecoder::HasExtension(dataSrc->GetName(), ".EMF")) m_Type = PL_FT_EMF;
  if (m_Type == PL_FT_UNKNOWN) {
    const int left = dataSrc->GetBytesLeft();
    m_Type = DetectFileType(dataSrc->PeekBytes(left < kDetectBytes ? left : kDetectBytes), left);
  }
  PLPicDecoder* delegate = nullptr;
  switch (m_Type) {
    case PL_FT_WINBMP: delegate = m_pBmpDec.get(); break;
    case PL_FT_MACPICT: delegate = m_pPictDec.get(); break;
    case PL_FT_TARGA: delegate = m_pTGADec.get(); break;
    case PL_FT_TIFF:
    case PL_FT_EPSTIFF: delegate = m_pTIFFDec.get(); break;
    case PL_FT_JPEG: delegate = m_pJPEGDec.get(); break;
    case PL_FT_PNG: delegate = m_pPNGDec.get(); break;
    case PL_FT_WMF:
    case PL_FT_EMF: delegate = m_pWEMFDec.get(); break;
    case PL_FT_PCX: delegate = m_pPCXDec.get(); break;
    case PL_FT_PGM: delegate = m_pPGMDec.get(); break;
    case PL_FT_GIF: delegate = m_pGIFDec.get(); break;
    case PL_FT_PPM: delegate = m_pPPMDec.get(); break;
    case PL_FT_PSD: delegate = m_pPSDDec.get(); break;
    default: return 0;
  }
  Trace(2, RecognitionText(m_Type));
  m_pCurDec = delegate;
  delegate->SetDataSource(dataSrc);
  if (m_Type == PL_FT_EPSTIFF) {
    // The preview starts where the EPS header's word at byte 20 says.
    const PLBYTE* header = dataSrc->PeekBytes(30);
    if (dataSrc->GetBytesLeft() < 30) pl_read::Skip(*dataSrc, 30);
    pl_read::Skip(*dataSrc, pl_read::LE32At(header + 20));
  }
  SetFileSize(dataSrc->GetFileSize());
  const int result = delegate->Open(dataSrc);
  const PLBmpInfo& info = *delegate;
  SetInfo(info.GetSize(), info.GetBitsPerPixel(), info.GetFileBitsPerPixel(), info.GetFileSize(),
          info.GetResolution(), info.HasAlpha(), info.IsGreyscale());
  return result;
}

int PLAnyPicDecoder::GetImage(PLBmp& bmp) {
  if (!m_pCurDec) return 0;
  if (!m_pCurDec->GetImage(bmp)) return 0;
  const PLBmpInfo& info = *m_pCurDec;
  SetInfo(info.GetSize(), info.GetBitsPerPixel(), info.GetFileBitsPerPixel(), info.GetFileSize(),
          info.GetResolution(), info.HasAlpha(), info.IsGreyscale());
  return 1;
}
