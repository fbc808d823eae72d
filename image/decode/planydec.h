// Picks the decoder of a picture by its file name (metafiles) or its first
// bytes (everything else) and hands the work to it.
#pragma once

#include <memory>

#include "image/decode/plpicdec.h"

class PLBmpDecoder;
class PLPictDecoder;
class PLTGADecoder;
class PLTIFFDecoder;
class PLJPEGDecoder;
class PLPNGDecoder;
class PLWEMFDecoder;
class PLPCXDecoder;
class PLPGMDecoder;
class PLGIFDecoder;
class PLPPMDecoder;
class PLPSDDecoder;

// The format codes of DetectFileType.
enum PLFileType : int {
  PL_FT_UNKNOWN = 0,
  PL_FT_WINBMP = 1,
  PL_FT_MACPICT = 2,
  PL_FT_TARGA = 3,
  PL_FT_TIFF = 4,
  PL_FT_JPEG = 5,
  PL_FT_PNG = 6,
  PL_FT_EPSTIFF = 7,
  PL_FT_WMF = 8,
  PL_FT_EMF = 9,
  PL_FT_PCX = 10,
  PL_FT_PGM = 11,
  PL_FT_GIF = 12,
  PL_FT_PPM = 13,
  PL_FT_PSD = 14,
};

class PLAnyPicDecoder : public PLPicDecoder {
 public:
  PLAnyPicDecoder();
  ~PLAnyPicDecoder() override;

  void Close() override;
  int Open(PLDataSource* dataSrc) override;
  int GetImage(PLBmp& bmp) override;

  // The format of data by its first bytes (at most the first 1024 are
  // looked at, never past size).
  static int DetectFileType(const PLBYTE* data, int size);
  int GetFileFormat() const { return m_Type; }

 private:
  int m_Type = PL_FT_UNKNOWN;
  PLPicDecoder* m_pCurDec = nullptr;  // one of the twelve below
  std::unique_ptr<PLBmpDecoder> m_pBmpDec;
  std::unique_ptr<PLPictDecoder> m_pPictDec;
  std::unique_ptr<PLTGADecoder> m_pTGADec;
  std::unique_ptr<PLTIFFDecoder> m_pTIFFDec;
  std::unique_ptr<PLJPEGDecoder> m_pJPEGDec;
  std::unique_ptr<PLPNGDecoder> m_pPNGDec;
  std::unique_ptr<PLWEMFDecoder> m_pWEMFDec;
  std::unique_ptr<PLPCXDecoder> m_pPCXDec;
  std::unique_ptr<PLPGMDecoder> m_pPGMDec;
  std::unique_ptr<PLGIFDecoder> m_pGIFDec;
  std::unique_ptr<PLPPMDecoder> m_pPPMDec;
  std::unique_ptr<PLPSDDecoder> m_pPSDDec;
};
