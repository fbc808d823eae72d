#include "image/decode/plpictdec.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "image/decode/pixel555.h"
#include "image/decode/pljpegdec.h"
#include "image/decode/plreader.h"
#include "image/io/pltrace.h"

using namespace pl_read;

namespace {

// Data lengths of opcodes 0x00 to 0xA1 that carry a fixed amount of data;
// kWord means a 16-bit length comes first, kSpecial that the opcode is
// handled on its own.
constexpr int kWord = -1;
constexpr int kSpecial = -2;

constexpr int OpcodeLength(int op) {
  if (op == 0x01 || (op >= 0x12 && op <= 0x14) || (op >= 0x28 && op <= 0x2B) || (op >= 0x70 && op <= 0x77) ||
      (op >= 0x80 && op <= 0x87) || op == 0x90 || op == 0x91 || op == 0x98 || op == 0x99 || op == 0x9A ||
      op == 0xA1)
    return kSpecial;
  if ((op >= 0x24 && op <= 0x27) || (op >= 0x2C && op <= 0x2F) || (op >= 0x92 && op <= 0x97) ||
      (op >= 0x9B && op <= 0x9F))
    return kWord;
  constexpr int kLow[0x24] = {0, 0, 8, 2, 1, 2, 4, 4, 2, 8, 8, 4, 4, 2, 4, 4, 8, 1,
                              0, 0, 0, 2, 2, 0, 0, 0, 6, 6, 0, 6, 0, 6, 8, 4, 6, 2};
  if (op < 0x24) return kLow[op];
  if (op >= 0x30 && op <= 0x6F) {
    const int group = (op - 0x30) / 8;  // rect, same rect, rrect, same rrect, oval, same oval, arc, same arc
    constexpr int kGroup[8] = {8, 0, 8, 0, 8, 0, 12, 4};
    return kGroup[group];
  }
  if (op == 0xA0) return 2;
  return 0;
}

// PackBits over units of unitBytes bytes; never writes past out + outSize.
void UnpackUnits(const PLBYTE* packed, size_t packedSize, PLBYTE* out, size_t outSize, size_t unitBytes) {
  size_t in = 0, pos = 0;
  while (in < packedSize && pos < outSize) {
    const unsigned h = packed[in++];
    if (h < 128) {
      size_t bytes = (h + 1) * unitBytes;
      if (bytes > packedSize - in) bytes = packedSize - in;
      const size_t fit = bytes < outSize - pos ? bytes : outSize - pos;
      std::memcpy(out + pos, packed + in, fit);
      in += bytes;
      pos += fit;
    } else if (h > 128) {
      if (unitBytes > packedSize - in) break;
      for (unsigned i = 0; i < 257 - h && pos < outSize; ++i)
        for (size_t b = 0; b < unitBytes && pos < outSize; ++b) out[pos++] = packed[in + b];
      in += unitBytes;
    }
  }
}

// Indexes of 1, 2, 4 or 8 bits per pixel; at most count pixels.
void ExpandBuf8(PLBYTE* dst, const PLBYTE* src, size_t srcBytes, int count, int bits) {
  const int perByte = 8 / bits;
  const int mask = (1 << bits) - 1;
  for (int x = 0; x < count && size_t(x / perByte) < srcBytes; ++x)
    dst[x] = PLBYTE((src[x / perByte] >> (8 - bits * (x % perByte + 1))) & mask);
}

// The fewest bytes a packed row of rowBytes bytes can take: its length,
// then PackBits runs that repeat one unit 128 times at best.
uint64_t LeastPackedRow(uint64_t rowBytes, uint64_t unit) {
  const uint64_t perRun = 128 * unit;
  return (rowBytes > 250 ? 2 : 1) + (rowBytes + perRun - 1) / perRun * (1 + unit);
}

PLPixel32 Pixel555(PLBYTE m, PLBYTE o) {
  return PixelFrom555(unsigned(m) << 8 | o, 255);
}

}  // namespace

PLPictDecoder::PLPictDecoder(PLJPEGDecoder* jpegDecoder) : m_pJPEGDecoder(jpegDecoder) {}
PLPictDecoder::~PLPictDecoder() = default;

PLPictRect PLPictDecoder::ReadRect(PLDataSource& s) {
  PLPictRect r;
  r.top = int16_t(BE16(s));
  r.left = int16_t(BE16(s));
  r.bottom = int16_t(BE16(s));
  r.right = int16_t(BE16(s));
  return r;
}

void PLPictDecoder::SkipRegion(PLDataSource& s) {
  Trace(3, "Skipping polygon or region.\n");
  const int size = BE16(s);
  Skip(s, size - 2);
}

void PLPictDecoder::ReadPixMap(PLDataSource& s) {
  PLPictPixMap& pm = m_PixMap;
  pm.version = BE16(s);
  pm.packType = BE16(s);
  pm.packSize = BE32(s);
  pm.hRes = BE16(s);
  Skip(s, 2);
  pm.vRes = BE16(s);
  Skip(s, 2);
  pm.pixelType = BE16(s);
  pm.pixelSize = BE16(s);
  pm.cmpCount = BE16(s);
  pm.cmpSize = BE16(s);
  pm.planeBytes = BE32(s);
  pm.pmTable = BE32(s);
  pm.pmReserved = BE32(s);
  char line[128];
  Trace(2, "PixMap header info:\n");
  std::snprintf(line, sizeof line, "%s (%d,%d) (%d,%d).\n", "  Bounds:", pm.bounds.left, pm.bounds.top,
                pm.bounds.right, pm.bounds.bottom);
  Trace(2, line);
  std::snprintf(line, sizeof line, "  pixelSize: %d\n", pm.pixelSize);
  Trace(2, line);
  std::snprintf(line, sizeof line, "  cmpCount: %d\n", pm.cmpCount);
  Trace(2, line);
}

bool PLPictDecoder::SetDescriptionFromPixMap() {
  const PLPictPixMap& pm = m_PixMap;
  const int width = pm.bounds.right - pm.bounds.left;
  const int height = pm.bounds.bottom - pm.bounds.top;
  const int size = pm.pixelSize;
  if (size != 1 && size != 2 && size != 4 && size != 8 && size != 16 && size != 32) {
    RaiseError(2, "Illegal pixel size in PICT PixMap.");
    return false;
  }
  const int bpp = size > 8 ? 32 : 8;
  if (!PLBmp::IsValidGeometry(width, height, bpp)) {
    RaiseError(2, "Illegal size in PICT PixMap.");
    return false;
  }
  SetDescription(width, height, bpp, size, 0, size > 8 && pm.cmpCount == 4, false, PLPoint{pm.hRes, pm.vRes});
  return true;
}

bool PLPictDecoder::ReadBitmapOpcode(PLDataSource& s) {
  m_rowBytes = BE16(s);
  if (m_rowBytes & 0x8000) {
    m_PixMap.bounds = ReadRect(s);
    ReadPixMap(s);
    if (!SetDescriptionFromPixMap()) return false;
    m_PictType = Kind::PixMapBits;
    return DataCanFillRows(s);
  }
  Trace(2, "Reading version 1 bitmap.\n");
  m_Bounds = ReadRect(s);
  char line[128];
  std::snprintf(line, sizeof line, "%s (%d,%d) (%d,%d).\n", "  Bounds", m_Bounds.left, m_Bounds.top, m_Bounds.right,
                m_Bounds.bottom);
  Trace(2, line);
  ReadRect(s);
  ReadRect(s);
  const int width = m_Bounds.right - m_Bounds.left;
  const int height = m_Bounds.bottom - m_Bounds.top;
  if (!PLBmp::IsValidGeometry(width, height, 8)) {
    RaiseError(2, "Illegal size in PICT bitmap.");
    return false;
  }
  SetDescription(width, height, 8, 1, 0, false, false);
  m_PictType = Kind::Version1Bitmap;
  return DataCanFillRows(s);
}

bool PLPictDecoder::ReadJpegOpcode(PLDataSource& s) {
  Trace(2, "Opcode: JPEG.\n");
  int64_t length = BE32(s);
  if (length > s.GetBytesLeft()) length = s.GetBytesLeft();
  for (int64_t i = 0; i < length; ++i) {
    if (s.GetBytesLeft() >= 3) {
      const PLBYTE* p = s.PeekBytes(3);
      if (p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF) {
        if (!m_pJPEGDecoder || !m_pJPEGDecoder->Open(&s)) return false;
        SetInfo(m_pJPEGDecoder->GetSize(), m_pJPEGDecoder->GetBitsPerPixel(), m_pJPEGDecoder->GetFileBitsPerPixel(),
                m_pJPEGDecoder->GetFileSize(), m_pJPEGDecoder->GetResolution(), m_pJPEGDecoder->HasAlpha(),
                m_pJPEGDecoder->IsGreyscale());
        m_PictType = Kind::Jpeg;
        return true;
      }
    }
    Skip(s, 1);
  }
  RaiseError(6, "PICT file contains unrecognized quicktime data.\n");
  return false;
}

void PLPictDecoder::SkipPixPat(PLDataSource& s) {
  const int type = BE16(s);
  if (type == 1) {
    Skip(s, 8);
    int rowBytes = BE16(s);
    PLPictRect bounds = ReadRect(s);
    const PLPictPixMap kept = m_PixMap;
    ReadPixMap(s);
    const int pixelSize = m_PixMap.pixelSize;
    m_PixMap = kept;
    PLPixel32 dropped[256];
    ReadColourTable(s, dropped);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (pixelSize <= 8) rowBytes &= 0x7FFF;
    if (rowBytes == 0) rowBytes = pixelSize == 16 ? width * 2 : width;
    if (height < 0 || rowBytes < 0) throw PLTextException(PL_ERREND_OF_DATA, "End of file reached while decoding.\n");
    if (rowBytes < 8) {
      Skip(s, int64_t(height) * rowBytes);
    } else {
      for (int y = 0; y < height; ++y) Skip(s, rowBytes < 251 ? U8(s) : BE16(s));
    }
  } else if (type == 2) {
    Skip(s, 13);
  } else if (type == 0) {
    Skip(s, 8);
  } else {
    RaiseError(2, "Unknown pattern type in pixPat.");
  }
}

uint64_t PLPictDecoder::LeastRowBytes() const {
  // The row sizes the decoding below uses, zero standing for the natural one.
  const uint64_t width = uint64_t(GetWidth());
  const int pixelSize = m_PictType == Kind::Version1Bitmap ? 1 : m_PixMap.pixelSize;
  uint64_t rowBytes = uint64_t(m_rowBytes & 0x7FFF);
  uint64_t unit = pixelSize == 16 ? 2 : 1;
  if (pixelSize == 32) {
    if (rowBytes == 0) rowBytes = width * 4;
    const int packType = m_PixMap.packType;
    if (packType == 1 || packType == 2 || !m_bPacked || rowBytes < 8) return packType == 2 ? width * 3 : rowBytes;
    const uint64_t planes = width * (m_PixMap.cmpCount == 4 ? 4 : 3);
    // Pack type 4: the row's length, then its component planes packed.
    return (rowBytes > 250 ? 2 : 1) + (planes + 127) / 128 * 2;
  }
  if (rowBytes == 0) rowBytes = pixelSize == 8 ? width : pixelSize == 16 ? width * 2 : (width * pixelSize + 7) / 8;
  return !m_bPacked || rowBytes < 8 ? rowBytes : LeastPackedRow(rowBytes, unit);
}

bool PLPictDecoder::DataCanFillRows(PLDataSource& s) {
  if (LeastRowBytes() * uint64_t(GetHeight()) <= uint64_t(std::max(s.GetBytesLeft(), 0))) return true;
  RaiseError(2, "PICT data cannot fill the picture it declares.");
  return false;
}

int PLPictDecoder::Open(PLDataSource* dataSrc) {
  PLDataSource& s = *dataSrc;
  m_PictType = Kind::None;
  m_bIsRegion = false;
  m_bPacked = true;
  Trace(2, "Decoding mac pict.\n");
  const int start = s.GetBytesRead();
  Skip(s, 512 + 10);
  PLBYTE b = 0;
  while ((b = U8(s)) == 0) {
  }
  if (b != 0x11) {
    RaiseError(1, "Error decoding pict: Version number missing.");
    return 0;
  }
  m_Version = U8(s);
  if (m_Version == 2) {
    if (U8(s) != 0xFF) {
      RaiseError(1, "Illegal version number.");
      return 0;
    }
  } else if (m_Version != 1) {
    RaiseError(1, "Illegal version number.");
    return 0;
  }
  char line[64];
  std::snprintf(line, sizeof line, "PICT version %d found.\n", m_Version);
  Trace(2, line);

  for (;;) {
    int op;
    if (m_Version == 1) {
      op = U8(s);
    } else {
      if ((s.GetBytesRead() - start) % 2) Skip(s, 1);
      op = BE16(s);
    }
    if (op == 0x00FF || op == 0xFFFF) {
      Trace(2, "Opcode: End of pict.\n");
      RaiseError(6, "PICT contained only vector data!\n");
      return 0;
    }
    if (op <= 0xA1) {
      std::snprintf(line, sizeof line, "Opcode: 0x%x\n", op);
      Trace(3, line);
      switch (op) {
        case 0x01: {
          const int size = BE16(s);
          if (size == 10) ReadRect(s);
          else Skip(s, size - 2);
          continue;
        }
        case 0x12:
        case 0x13:
        case 0x14:
          SkipPixPat(s);
          continue;
        case 0x28: {  // LongText: point and a counted text
          Skip(s, 4);
          Skip(s, U8(s));
          continue;
        }
        case 0x29:
        case 0x2A:
          Skip(s, 1);
          Skip(s, U8(s));
          continue;
        case 0x2B:
          Skip(s, 2);
          Skip(s, U8(s));
          continue;
        case 0x90:
        case 0x91:
        case 0x98:
        case 0x99:
          m_bIsRegion = op == 0x91 || op == 0x99;
          m_bPacked = op >= 0x98;
          return ReadBitmapOpcode(s) ? 1 : 0;
        case 0x9A: {
          Skip(s, 4);
          m_rowBytes = BE16(s);
          m_PixMap.bounds = ReadRect(s);
          ReadPixMap(s);
          ReadRect(s);
          ReadRect(s);
          BE16(s);
          if (!SetDescriptionFromPixMap()) return 0;
          m_PictType = Kind::DirectBits;
          return DataCanFillRows(s) ? 1 : 0;
        }
        case 0xA1:
          Skip(s, 2);
          Skip(s, BE16(s));
          continue;
        default:
          break;
      }
      if ((op >= 0x70 && op <= 0x77) || (op >= 0x80 && op <= 0x87)) {
        SkipRegion(s);
        continue;
      }
      const int length = OpcodeLength(op);
      Skip(s, length == kWord ? BE16(s) : length);
      continue;
    }
    std::snprintf(line, sizeof line, "Opcode: reserved 0x%x.\n", op);
    if (op == 0x0C00) {
      // 24 bytes: version and a reserved word, resolutions, the source
      // rectangle and four reserved bytes. The description comes from the
      // bitmap itself later.
      Trace(2, "Opcode: Header.\n");
      Skip(s, 4);
      BE32(s);
      BE32(s);
      ReadRect(s);
      Skip(s, 4);
    } else if (op == 0x8200) {
      return ReadJpegOpcode(s) ? 1 : 0;
    } else if (op <= 0xAF) {
      Trace(3, line);
      Skip(s, BE16(s));
    } else if (op <= 0xCF || (op >= 0x8000 && op <= 0x80FF)) {
      Trace(3, line);
    } else if (op <= 0xFE || op > 0x1FA3) {
      Trace(3, line);
      Skip(s, BE32(s));
    } else {
      Trace(3, line);
      Skip(s, (op >> 7) & 0xFF);
    }
  }
}

void PLPictDecoder::ReadColourTable(PLDataSource& s, PLPixel32* palette) {
  Trace(3, "Getting color table info.\n");
  Skip(s, 4);
  const int flags = BE16(s);
  const int size = BE16(s) + 1;
  char line[64];
  std::snprintf(line, sizeof line, "Palette Size:  %d\n", size);
  Trace(3, line);
  Trace(3, "Reading Palette.\n");
  for (int i = 0; i < size; ++i) {
    const PLBYTE* e = s.ReadBytes(8);
    const int index = (flags & 0x8000) ? i : BE16At(e);
    if (index >= size || index >= 256) {
      RaiseError(2, "pixel value greater than colour table size.");
      continue;
    }
    palette[index] = PLPixel32(e[2], e[4], e[6], 255);
  }
}

const PLBYTE* PLPictDecoder::ReadRow(PLDataSource& s, PLBYTE* buffer, int rowBytes, int unit) {
  if (!m_bPacked || rowBytes < 8) return s.ReadBytes(rowBytes);
  const int length = rowBytes > 250 ? BE16(s) : U8(s);
  std::memset(buffer, 0, size_t(rowBytes));
  UnpackUnits(s.ReadBytes(length), size_t(length), buffer, size_t(rowBytes), size_t(unit));
  return buffer;
}

int PLPictDecoder::GetImage(PLBmp& bmp) {
  PLDataSource& s = *m_pDataSrc;
  const Kind kind = m_PictType;
  m_PictType = Kind::None;
  switch (kind) {
    case Kind::Jpeg:
      return m_pJPEGDecoder->GetImage(bmp);
    case Kind::DirectBits:
      return DecodeRows(bmp, m_PixMap.pixelSize, m_rowBytes & 0x7FFF);
    case Kind::PixMapBits: {
      PLPixel32 palette[256];
      for (auto& e : palette) e = PLPixel32(0, 0, 0, 255);
      ReadColourTable(s, palette);
      if (bmp.GetBitsPerPixel() == 8) bmp.SetPalette(palette);
      ReadRect(s);
      ReadRect(s);
      BE16(s);
      if (m_bIsRegion) SkipRegion(s);
      return DecodeRows(bmp, m_PixMap.pixelSize, m_rowBytes);
    }
    case Kind::Version1Bitmap: {
      BE16(s);
      if (m_bIsRegion) SkipRegion(s);
      // QuickDraw paints set bits black.
      bmp.SetPaletteEntry(0, 255, 255, 255, 255);
      bmp.SetPaletteEntry(1, 0, 0, 0, 255);
      PLBmpLock lock(bmp, false, true);
      return UnpackBits(bmp, m_rowBytes, 1);
    }
    default:
      return 0;
  }
}

int PLPictDecoder::DecodeRows(PLBmp& bmp, int pixelSize, int rowBytes) {
  PLBmpLock lock(bmp, false, true);
  switch (pixelSize) {
    case 8: Decode8(bmp, rowBytes); return 1;
    case 32: Decode32(bmp, rowBytes); return 1;
    default: return UnpackBits(bmp, rowBytes, pixelSize);
  }
}

void PLPictDecoder::Decode8(PLBmp& bmp, int rowBytes) {
  PLDataSource& s = *m_pDataSrc;
  const int width = bmp.GetWidth();
  rowBytes &= 0x7FFF;
  if (rowBytes == 0) rowBytes = width;
  std::vector<PLBYTE> buffer(static_cast<size_t>(rowBytes));
  for (int y = 0; y < bmp.GetHeight(); ++y) {
    const PLBYTE* row = ReadRow(s, buffer.data(), rowBytes, 1);
    std::memcpy(bmp.GetLineArray()[y], row, size_t(width < rowBytes ? width : rowBytes));
  }
}

void PLPictDecoder::Decode32(PLBmp& bmp, int rowBytes) {
  PLDataSource& s = *m_pDataSrc;
  const int width = bmp.GetWidth();
  rowBytes &= 0x7FFF;
  if (rowBytes == 0) rowBytes = width * 4;
  const int components = m_PixMap.cmpCount == 4 ? 4 : 3;
  const int packType = m_PixMap.packType;
  if (packType == 1 || packType == 2 || !m_bPacked || rowBytes < 8) {
    // Unpacked chunky pixels: x, red, green, blue (4 bytes) or red, green,
    // blue (pack type 2).
    const int pixelBytes = packType == 2 ? 3 : 4;
    const int bytes = packType == 2 ? width * 3 : rowBytes;
    for (int y = 0; y < bmp.GetHeight(); ++y) {
      const PLBYTE* p = s.ReadBytes(bytes);
      PLPixel32* row = bmp.GetLineArray32()[y];
      for (int x = 0; x < width && (x + 1) * pixelBytes <= bytes; ++x) {
        const PLBYTE* q = p + x * pixelBytes;
        row[x] = pixelBytes == 3 ? PLPixel32(q[0], q[1], q[2], 255)
                                 : PLPixel32(q[1], q[2], q[3], components == 4 ? q[0] : 255);
      }
    }
    return;
  }
  // Pack type 4: each row holds one plane per component, packed together.
  const size_t planeBytes = size_t(width) * size_t(components);
  std::vector<PLBYTE> buffer(planeBytes);
  for (int y = 0; y < bmp.GetHeight(); ++y) {
    const int length = rowBytes > 250 ? BE16(s) : U8(s);
    std::fill(buffer.begin(), buffer.end(), PLBYTE(0));
    UnpackUnits(s.ReadBytes(length), size_t(length), buffer.data(), buffer.size(), 1);
    const PLBYTE* plane = buffer.data();
    PLPixel32* row = bmp.GetLineArray32()[y];
    for (int x = 0; x < width; ++x) {
      if (components == 4)
        row[x] = PLPixel32(plane[width + x], plane[2 * width + x], plane[3 * width + x], plane[x]);
      else
        row[x] = PLPixel32(plane[x], plane[width + x], plane[2 * width + x], 255);
    }
  }
}

int PLPictDecoder::UnpackBits(PLBmp& bmp, int rowBytes, int pixelSize) {
  PLDataSource& s = *m_pDataSrc;
  const int width = bmp.GetWidth();
  if (pixelSize != 1 && pixelSize != 2 && pixelSize != 4 && pixelSize != 16) {
    char line[64];
    std::snprintf(line, sizeof line, "Illegal bpp value in unpackbits: %d\n", pixelSize);
    RaiseError(2, line);
    return 0;
  }
  rowBytes &= 0x7FFF;
  if (rowBytes == 0) rowBytes = pixelSize == 16 ? width * 2 : (width * pixelSize + 7) / 8;
  std::vector<PLBYTE> buffer(static_cast<size_t>(rowBytes));
  for (int y = 0; y < bmp.GetHeight(); ++y) {
    const PLBYTE* row = ReadRow(s, buffer.data(), rowBytes, pixelSize == 16 ? 2 : 1);
    if (pixelSize == 16) {
      PLPixel32* dst = bmp.GetLineArray32()[y];
      for (int x = 0; x < width && 2 * x + 1 < rowBytes; ++x) dst[x] = Pixel555(row[2 * x], row[2 * x + 1]);
    } else {
      ExpandBuf8(bmp.GetLineArray()[y], row, size_t(rowBytes), width, pixelSize);
    }
  }
  return 1;
}
