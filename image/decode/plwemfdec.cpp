#include "image/decode/plwemfdec.h"

#include <cctype>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "image/decode/plreader.h"
#include "image/io/pltrace.h"

using namespace pl_read;

PLWEMFDecoder::PLWEMFDecoder() = default;

PLWEMFDecoder::~PLWEMFDecoder() { Release(); }

bool PLWEMFDecoder::HasExtension(const char* name, const char* upperExtension) {
  if (!name) return false;
  std::string base(name);
  const size_t slash = base.find_last_of("/\\");
  if (slash != std::string::npos) base.erase(0, slash + 1);
  const size_t dot = base.find_last_of('.');
  if (dot == std::string::npos) return false;
  std::string ext = base.substr(dot);
  for (char& c : ext) c = char(std::toupper(static_cast<unsigned char>(c)));
  return ext == upperExtension;
}

void PLWEMFDecoder::Release() {
  if (m_dc) ReleaseDC(nullptr, m_dc);
  m_dc = nullptr;
  if (m_hemf) DeleteEnhMetaFile(m_hemf);
  m_hemf = nullptr;
  if (m_hdc) {
    if (m_holdpal) SelectPalette(m_hdc, m_holdpal, FALSE);
    if (m_hOldBitmap) SelectObject(m_hdc, m_hOldBitmap);
  }
  m_holdpal = nullptr;
  m_hOldBitmap = nullptr;
  if (m_hpal) DeleteObject(m_hpal);
  m_hpal = nullptr;
  if (m_bm) DeleteObject(m_bm);
  m_bm = nullptr;
  m_pHeader.reset();
  if (m_hdc) DeleteDC(m_hdc);
  m_hdc = nullptr;
}

void PLWEMFDecoder::Close() {
  Release();
  PLPicDecoder::Close();
}

int PLWEMFDecoder::Open(PLDataSource* dataSrc) {
  Release();
  const bool enhanced = HasExtension(dataSrc->GetName(), ".EMF");
  m_dc = GetDC(nullptr);
  if (!m_dc) {
    RaiseError(10, "Cannot allocate device context.");
    return 0;
  }
  const PLBYTE* data = dataSrc->GetCurrentData();
  const int size = dataSrc->GetBytesLeft();
  bool placeable = false;
  int16_t box[4] = {};
  int unitsPerInch = 0;
  if (enhanced) {
    m_hemf = SetEnhMetaFileBits(UINT(size), data);
  } else if (size >= 22 && LE32At(data) == kPlaceableKey) {
    placeable = true;
    for (int i = 0; i < 4; ++i) box[i] = int16_t(LE16At(data + 6 + 2 * i));
    unitsPerInch = LE16At(data + 14);
    m_hemf = SetWinMetaFileBits(UINT(size - 22), data + 22, m_dc, nullptr);
  } else {
    m_hemf = SetWinMetaFileBits(UINT(size), data, m_dc, nullptr);
  }
  if (!m_hemf) {
    RaiseError(6, "Windows Metafile functions failed to load this image.");
    Release();
    return 0;
  }
  if (GetEnhMetaFileHeader(m_hemf, 0, nullptr) == 0) {
    RaiseError(2, "No header information in metafile");
    Release();
    return 0;
  }
  m_pHeader = std::make_unique<ENHMETAHEADER>();
  m_pHeader->iType = EMR_HEADER;
  m_pHeader->nSize = sizeof(ENHMETAHEADER);
  GetEnhMetaFileHeader(m_hemf, sizeof(ENHMETAHEADER), m_pHeader.get());

  // A zero divisor means the picture does not say how large it is.
  int64_t width, height;
  if (placeable) {
    if (unitsPerInch == 0) {
      RaiseError(2, "Placeable metafile without units per inch.");
      Release();
      return 0;
    }
    width = int64_t(box[2] - box[0]) * GetDeviceCaps(m_dc, LOGPIXELSX) / unitsPerInch;
    height = int64_t(box[3] - box[1]) * GetDeviceCaps(m_dc, LOGPIXELSY) / unitsPerInch;
  } else {
    const ENHMETAHEADER& h = *m_pHeader;
    if (h.szlMillimeters.cx == 0 || h.szlMillimeters.cy == 0) {
      RaiseError(2, "Metafile without the size of its reference device.");
      Release();
      return 0;
    }
    // In doubles: any 32-bit frame times any device size stays in range.
    const double w = (double(h.rclFrame.right) - h.rclFrame.left) * h.szlDevice.cx / (double(h.szlMillimeters.cx) * 100);
    const double hgt = (double(h.rclFrame.bottom) - h.rclFrame.top) * h.szlDevice.cy / (double(h.szlMillimeters.cy) * 100);
    width = w > kMaxSide ? kMaxSide + 1 : w < 0 ? 0 : int64_t(w);
    height = hgt > kMaxSide ? kMaxSide + 1 : hgt < 0 ? 0 : int64_t(hgt);
  }
  if (width < 1) width = 320;
  if (height < 1) height = 200;
  if (width > kMaxSide || height > kMaxSide) {
    RaiseError(2, "Metafile picture too large.");
    Release();
    return 0;
  }
  m_hdc = CreateCompatibleDC(m_dc);
  if (!m_hdc) {
    RaiseError(10, "Cannot allocate device context.");
    Release();
    return 0;
  }
  m_bm = CreateCompatibleBitmap(m_dc, int(width), int(height));
  if (!m_bm) {
    RaiseError(10, "Cannot allocate memory bitmap.");
    Release();
    return 0;
  }
  m_hOldBitmap = SelectObject(m_hdc, m_bm);
  const UINT entries = GetEnhMetaFilePaletteEntries(m_hemf, 0, nullptr);
  const bool paletted = entries > 0 && entries < 256;
  // A played picture has no transparent parts: its pixels are opaque.
  SetDescription(int(width), int(height), paletted ? 8 : 32, 0, dataSrc->GetFileSize(), false, false);
  return 1;
}

int PLWEMFDecoder::GetImage(PLBmp& bmp) {
  if (!m_hemf || !m_hdc) return 0;
  const int width = GetWidth();
  const int height = GetHeight();
  if (bmp.GetWidth() != width || bmp.GetHeight() != height) return 0;
  const bool paletted = bmp.GetBitsPerPixel() == 8;
  std::vector<PLPixel32> palette(256, PLPixel32(0, 0, 0, 255));
  if (paletted) {
    std::vector<BYTE> block(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY), 0);
    auto* logPalette = reinterpret_cast<LOGPALETTE*>(block.data());
    logPalette->palVersion = 0x300;
    logPalette->palNumEntries = 256;
    GetEnhMetaFilePaletteEntries(m_hemf, 256, logPalette->palPalEntry);
    for (int i = 0; i < 256; ++i) {
      const PALETTEENTRY& e = logPalette->palPalEntry[i];
      palette[size_t(i)] = PLPixel32(e.peRed, e.peGreen, e.peBlue, 255);
    }
    m_hpal = CreatePalette(logPalette);
    if (m_hpal) {
      m_holdpal = SelectPalette(m_hdc, m_hpal, FALSE);
      RealizePalette(m_hdc);
    }
    bmp.SetPalette(palette.data());
  }
  RECT rect{0, 0, width, height};
  FillRect(m_hdc, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  PlayEnhMetaFile(m_hdc, m_hemf, &rect);

  // The memory bitmap's pixels, top-down, 32 bits.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<PLPixel32> pixels(size_t(width) * size_t(height));
  // The bitmap cannot be read while selected into a context.
  SelectObject(m_hdc, m_hOldBitmap);
  const int lines = GetDIBits(m_dc, m_bm, 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS);
  m_hOldBitmap = SelectObject(m_hdc, m_bm);
  if (lines != height) {
    RaiseError(10, "Cannot read the memory bitmap.");
    return 0;
  }
  std::unordered_map<uint32_t, PLBYTE> nearest;
  PLBmpLock lock(bmp, false, true);
  for (int y = 0; y < height; ++y) {
    const PLPixel32* src = pixels.data() + size_t(y) * size_t(width);
    if (!paletted) {
      PLPixel32* row = bmp.GetLineArray32()[y];
      for (int x = 0; x < width; ++x) row[x] = PLPixel32(src[x].r, src[x].g, src[x].b, 255);
      continue;
    }
    PLBYTE* row = bmp.GetLineArray()[y];
    for (int x = 0; x < width; ++x) {
      const uint32_t key = src[x].Value() & 0xFFFFFF;
      auto it = nearest.find(key);
      if (it == nearest.end()) {
        int best = 0, bestDistance = 1 << 30;
        for (int i = 0; i < 256; ++i) {
          const int dr = palette[size_t(i)].r - src[x].r, dg = palette[size_t(i)].g - src[x].g,
                    db = palette[size_t(i)].b - src[x].b;
          const int d = dr * dr + dg * dg + db * db;
          if (d < bestDistance) bestDistance = d, best = i;
        }
        it = nearest.emplace(key, PLBYTE(best)).first;
      }
      row[x] = it->second;
    }
  }
  return 1;
}
