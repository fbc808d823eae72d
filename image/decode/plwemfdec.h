// Windows metafiles (with or without the placeable header) and enhanced
// metafiles, played by the platform into a memory bitmap on white.
#pragma once

#include <memory>

#include "image/decode/plpicdec.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/metafile.h"

class PLWEMFDecoder : public PLPicDecoder {
 public:
  PLWEMFDecoder();
  ~PLWEMFDecoder() override;

  void Close() override;
  int Open(PLDataSource* dataSrc) override;
  int GetImage(PLBmp& bmp) override;

  // Whether a name's extension (after its last '/' and last '.') is
  // ".EMF" or ".WMF", in any case.
  static bool HasExtension(const char* name, const char* upperExtension);

  // The key that starts a placeable Windows metafile.
  static constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
  // Pictures larger than this many pixels a side are refused.
  static constexpr int kMaxSide = 8192;

 private:
  void Release();

  HENHMETAFILE m_hemf = nullptr;
  HDC m_hdc = nullptr;  // memory context holding m_bm
  HDC m_dc = nullptr;   // screen context
  HBITMAP m_bm = nullptr;
  HPALETTE m_holdpal = nullptr;
  HGDIOBJ m_hOldBitmap = nullptr;
  HPALETTE m_hpal = nullptr;
  std::unique_ptr<ENHMETAHEADER> m_pHeader;
};
