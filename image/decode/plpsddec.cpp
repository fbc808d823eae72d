#include "image/decode/plpsddec.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "image/decode/plreader.h"
#include "image/io/pltrace.h"

using namespace pl_read;

namespace {

// Photoshop's own limits.
constexpr int32_t kMaxSide = 300000;
constexpr int kMaxChannels = 56;


}  // namespace

PLPSDDecoder::PLPSDDecoder() = default;
PLPSDDecoder::~PLPSDDecoder() = default;

int PLPSDDecoder::Open(PLDataSource* dataSrc) {
  PLDataSource& s = *dataSrc;
  m_pLayerInfo.clear();
  m_NumLayers = 0;
  m_MiscDataSize = 0;
  const PLBYTE* p = s.ReadBytes(26);
  PLPSDFileHeader& h = m_PSDHeader;
  std::memcpy(h.signature, p, 4);
  h.version = BE16At(p + 4);
  std::memcpy(h.reserved, p + 6, 6);
  h.channels = BE16At(p + 12);
  h.rows = int32_t(BE32At(p + 14));
  h.columns = int32_t(BE32At(p + 18));
  h.depth = BE16At(p + 22);
  h.mode = BE16At(p + 24);
  if (std::memcmp(h.signature, "8BPS", 4) != 0 || h.version != 1) {
    RaiseError(2, "PSD decoder: This isn't a photoshop file.");
    return 0;
  }
  if (h.mode != 1 && h.mode != 2 && h.mode != 3) {
    RaiseError(6, "This PSD color mode is not supported.");
    return 0;
  }
  if (h.depth != 8 || h.channels < 1 || h.channels > kMaxChannels || (h.mode == 3 && h.channels < 3) ||
      h.rows <= 0 || h.columns <= 0 || h.rows > kMaxSide || h.columns > kMaxSide) {
    RaiseError(2, "PSD decoder: Unsupported depth, channel count or size.");
    return 0;
  }

  // Colour mode data: the palette of indexed pictures.
  for (int i = 0; i < 256; ++i) m_pPal[i] = PLPixel32(PLBYTE(i), PLBYTE(i), PLBYTE(i), 255);
  const uint32_t modeLength = BE32(s);
  if (modeLength > uint32_t(s.GetBytesLeft())) Skip(s, int64_t(modeLength));
  const PLBYTE* modeData = s.ReadBytes(int(modeLength));
  if (modeLength >= 768 && h.mode == 2) {
    for (int i = 0; i < 256; ++i) m_pPal[i] = PLPixel32(modeData[i], modeData[256 + i], modeData[512 + i], 255);
  }

  SetResolution(PLPoint{});
  ReadResources(s);

  int bpp = 8;
  bool alpha = false;
  if (h.mode == 3) {
    bpp = 32;
    alpha = h.channels > 3;
  }
  if (!PLBmp::IsValidGeometry(h.columns, h.rows, bpp)) {
    RaiseError(2, "PSD picture too large.");
    return 0;
  }
  const PLPoint resolution = GetResolution();
  SetDescription(h.columns, h.rows, bpp, 0, 0, alpha, h.mode == 1, resolution);

  // Layer and mask information, read past by its length.
  m_MiscDataSize = BE32(s);
  m_MiscDataStart = s.GetBytesRead();
  if (m_MiscDataSize > uint32_t(s.GetBytesLeft())) Skip(s, int64_t(m_MiscDataSize));
  if (m_MiscDataSize > 0) ReadLayers(s.PeekBytes(int(m_MiscDataSize)), m_MiscDataSize);
  // The image data after the layers: raw, or at least a count and two
  // bytes for each 128 bytes of every row.
  const uint64_t rows = uint64_t(h.channels) * uint64_t(h.rows);
  const uint64_t leastRle = rows * 2 + rows * ((uint64_t(h.columns) + 127) / 128) * 2;
  RequireBytes(s, m_MiscDataSize + 2 + std::min(rows * uint64_t(h.columns), leastRle));
  return 1;
}

void PLPSDDecoder::ReadResources(PLDataSource& s) {
  const uint32_t length = BE32(s);
  if (length > uint32_t(s.GetBytesLeft())) Skip(s, int64_t(length));
  pl_read::BlockReader r{s.ReadBytes(int(length)), length};
  while (!r.failed() && !r.AtEnd()) {
    const PLBYTE* sig = r.Take(4);
    if (!sig) break;
    if (std::memcmp(sig, "8BIM", 4) != 0) RaiseError(2, "PSD decoder: Wrong signature in resource data block.");
    const uint16_t id = r.U16();
    const uint8_t nameLength = r.U8();
    const PLBYTE* name = r.Take(nameLength);
    r.Take(nameLength % 2 == 0 ? 1 : 0);
    const uint32_t dataSize = r.U32();
    const PLBYTE* data = r.Take(dataSize);
    r.Take(dataSize % 2);
    if (r.failed()) break;
    std::string line = "Reading resource:" + std::string(reinterpret_cast<const char*>(name), nameLength) + "\n";
    Trace(2, line.c_str());
    if (id == 1005 && dataSize >= 16) {
      SetResolution(PLPoint{int(BE32At(data) >> 16), int(BE32At(data + 8) >> 16)});
    }
  }
}

void PLPSDDecoder::ReadLayers(const PLBYTE* data, uint32_t size) {
  pl_read::BlockReader r{data, size};
  const uint32_t infoLength = r.U32();
  if (r.failed() || infoLength == 0) return;
  const int count = std::abs(int(int16_t(r.U16())));
  char line[64];
  std::snprintf(line, sizeof line, "Number of layers: %i\n", count);
  Trace(2, line);
  for (int i = 0; i < count && !r.failed(); ++i) {
    PLPSDLayerInfo layer;
    layer.top = int32_t(r.U32());
    layer.left = int32_t(r.U32());
    layer.bottom = int32_t(r.U32());
    layer.right = int32_t(r.U32());
    layer.numChannels = r.U16();
    if (layer.numChannels > kMaxChannels) break;
    for (int c = 0; c < layer.numChannels && !r.failed(); ++c) {
      const auto id = int16_t(r.U16());
      layer.channels.emplace_back(id, r.U32());
    }
    if (const PLBYTE* sig = r.Take(4)) std::memcpy(layer.blendSig, sig, 4);
    if (const PLBYTE* key = r.Take(4)) std::memcpy(layer.blendKey, key, 4);
    layer.opacity = r.U8();
    layer.clipping = r.U8();
    layer.flags = r.U8();
    r.U8();  // filler
    layer.extraDataSize = r.U32();
    r.Take(layer.extraDataSize);
    if (r.failed()) break;
    m_pLayerInfo.push_back(std::move(layer));
  }
  m_NumLayers = int(m_pLayerInfo.size());
}

// RGB channels above the fourth go to alpha in raw data (the last one wins)
// and are dropped in RLE data.
void PLPSDDecoder::Place(PLBmp& bmp, int channel, int row, const PLBYTE* bytes, bool extraToAlpha) {
  const int width = bmp.GetWidth();
  if (m_PSDHeader.mode != 3) {
    if (channel == 0) std::memcpy(bmp.GetLineArray()[row], bytes, size_t(width));
    return;
  }
  if (channel > 3 && !extraToAlpha) return;
  PLPixel32* dst = bmp.GetLineArray32()[row];
  for (int x = 0; x < width; ++x) {
    switch (channel) {
      case 0: dst[x].r = bytes[x]; break;
      case 1: dst[x].g = bytes[x]; break;
      case 2: dst[x].b = bytes[x]; break;
      default: dst[x].a = bytes[x]; break;
    }
  }
}

int PLPSDDecoder::GetImage(PLBmp& bmp) {
  PLDataSource& s = *m_pDataSrc;
  const int64_t end = int64_t(m_MiscDataStart) + m_MiscDataSize;
  if (end > s.GetBytesRead()) Skip(s, end - s.GetBytesRead());
  if (bmp.GetBitsPerPixel() == 8) bmp.SetPalette(m_pPal);
  const int compression = BE16(s);
  static constexpr const char* kNames[] = {"No compression\n", "RLE compression\n",
                                           "ZIP compression, no prediction\n", "ZIP compression, prediction\n"};
  if (compression >= 0 && compression <= 3) Trace(2, kNames[compression]);
  else RaiseError(2, "PSD decoder: Compression unknown.");
  if (compression != 0 && compression != 1) {
    RaiseError(2, "PSD decoder: Compression type not supported.");
    m_pLayerInfo.clear();
    return 0;
  }
  const int channels = m_PSDHeader.channels;
  const int rows = bmp.GetHeight();
  const int columns = bmp.GetWidth();
  PLBmpLock lock(bmp, false, true);
  if (bmp.GetBitsPerPixel() == 32) {
    for (int y = 0; y < rows; ++y)
      for (int x = 0; x < columns; ++x) bmp.GetLineArray32()[y][x] = PLPixel32(0, 0, 0, 255);
  }
  if (compression == 0) {
    for (int c = 0; c < channels; ++c)
      for (int y = 0; y < rows; ++y) Place(bmp, c, y, s.ReadBytes(columns), true);
  } else {
    const int64_t countBytes = int64_t(channels) * rows * 2;
    if (countBytes > s.GetBytesLeft()) Skip(s, countBytes);
    const PLBYTE* counts = s.ReadBytes(int(countBytes));
    std::vector<PLBYTE> line(static_cast<size_t>(columns));
    for (int c = 0; c < channels; ++c)
      for (int y = 0; y < rows; ++y) {
        const int packed = BE16At(counts + 2 * (size_t(c) * size_t(rows) + size_t(y)));
        std::fill(line.begin(), line.end(), PLBYTE(0));
        UnpackPackBits(s.ReadBytes(packed), size_t(packed), line.data(), line.size());
        Place(bmp, c, y, line.data(), false);
      }
  }
  m_pLayerInfo.clear();
  return 1;
}
