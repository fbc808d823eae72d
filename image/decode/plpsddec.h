// Photoshop files: the merged image of greyscale, indexed and RGB pictures
// with 8 bits per channel, raw or RLE. Layers are read past.
#pragma once

#include <cstdint>
#include <vector>

#include "image/bitmap/plpixel32.h"
#include "image/decode/plpicdec.h"

struct PLPSDFileHeader {
  char signature[4] = {};
  uint16_t version = 0;
  uint8_t reserved[6] = {};
  uint16_t channels = 0;
  int32_t rows = 0;
  int32_t columns = 0;
  uint16_t depth = 0;
  uint16_t mode = 0;
};

struct PLPSDLayerInfo {
  int32_t top = 0, left = 0, bottom = 0, right = 0;
  uint16_t numChannels = 0;
  std::vector<std::pair<int16_t, uint32_t>> channels;  // id, data length
  char blendSig[4] = {};
  char blendKey[4] = {};
  uint8_t opacity = 0, clipping = 0, flags = 0;
  uint32_t extraDataSize = 0;
};

class PLPSDDecoder : public PLPicDecoder {
 public:
  PLPSDDecoder();
  ~PLPSDDecoder() override;

  int Open(PLDataSource* dataSrc) override;
  int GetImage(PLBmp& bmp) override;

 private:
  void ReadResources(PLDataSource& s);
  void ReadLayers(const PLBYTE* data, uint32_t size);
  void Place(PLBmp& bmp, int channel, int row, const PLBYTE* bytes, bool extraToAlpha);

  PLPSDFileHeader m_PSDHeader;
  PLPixel32 m_pPal[256];
  int m_MiscDataStart = 0;
  uint32_t m_MiscDataSize = 0;
  int m_NumLayers = 0;
  std::vector<PLPSDLayerInfo> m_pLayerInfo;
};
