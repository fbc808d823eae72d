// JPEG files through libjpeg, from 4-byte blue, green, red rows.
#pragma once

#include <memory>

#include "image/encode/plpicencoder.h"

struct jpeg_compress_struct;
struct PLJpegErrorManager;

class PLJPEGEncoder : public PLPicEncoder {
 public:
  PLJPEGEncoder();
  ~PLJPEGEncoder() override;

  // 0: libjpeg's default quality (75).
  void SetQuality(int quality) { m_Quality = quality; }
  void SetOptimizeCoding(bool optimize) { m_bOptimizeCoding = optimize; }
  void SetSmoothingFactor(int factor) { m_SmoothingFactor = factor; }
  // Dots per inch written instead of the bitmap's resolution (0: take it).
  void SetDensity(int x, int y) { m_DensityX = x; m_DensityY = y; }

 protected:
  int DoEncode(PLBmp* bmp, PLDataSink* sink) override;

 private:
  // The libjpeg part; keeps no object with a destructor, since libjpeg
  // errors return here by longjmp.
  int Compress(PLBmp* bmp, PLDataSink* sink);

  std::unique_ptr<jpeg_compress_struct> m_pCInfo;
  std::unique_ptr<PLJpegErrorManager> m_pErrorManager;
  bool m_bCreated = false;
  int m_Quality = 0;
  bool m_bOptimizeCoding = false;
  int m_SmoothingFactor = 0;
  int m_DensityX = 0;
  int m_DensityY = 0;
};
