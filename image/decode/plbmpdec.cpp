#include "image/decode/plbmpdec.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "image/decode/plreader.h"
#include "image/io/pltrace.h"

using namespace pl_read;

namespace {

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiAlphaBitfields = 6;
constexpr int kMaxHeaderSize = 4096;

bool IsBitmapType(const PLBYTE* t) {
  static constexpr const char* kTypes[] = {"BA", "BM", "IC", "CP", "CI"};
  for (const char* k : kTypes)
    if (t[0] == PLBYTE(k[0]) && t[1] == PLBYTE(k[1])) return true;
  return false;
}

// A channel of a bit-field pixel scaled to 8 bits the way 5-5-5 and 5-6-5
// pixels always were: narrow fields move to the top bits, wide ones drop
// their low bits.
uint8_t Channel(uint32_t value, uint32_t mask) {
  if (!mask) return 0;
  int shift = std::countr_zero(mask);
  int width = std::popcount(mask >> shift);
  uint32_t v = (value & mask) >> shift;
  if (width >= 8) return uint8_t(v >> (width - 8));
  return uint8_t(v << (8 - width));
}

}  // namespace

PLBmpDecoder::PLBmpDecoder() = default;
PLBmpDecoder::~PLBmpDecoder() = default;

void PLBmpDecoder::Close() {
  m_pBmih.reset();
  PLPicDecoder::Close();
}

void PLBmpDecoder::ReadMasks(const PLBYTE* p, bool withAlpha) {
  m_Masks.red = LE32At(p);
  m_Masks.green = LE32At(p + 4);
  m_Masks.blue = LE32At(p + 8);
  m_Masks.alpha = withAlpha ? LE32At(p + 12) : 0;
  m_bHasMasks = true;
}

int PLBmpDecoder::Open(PLDataSource* dataSrc) {
  PLDataSource& s = *dataSrc;
  m_pBmih = std::make_unique<PLBmpInfoHeader>();
  m_bHasMasks = false;
  m_Masks = Masks{};
  try {
    const int start = s.GetBytesRead();
    const PLBYTE* type = s.ReadBytes(2);
    while (type[0] == 'B' && type[1] == 'A') {
      Skip(s, 12);
      type = s.ReadBytes(2);
    }
    if (!IsBitmapType(type)) RaiseError(1, "Bitmap decoder: This isn't a bitmap.");
    else Trace(2, "Bitmap file signature found\n");
    LE32(s);  // file size
    Skip(s, 4);
    const uint32_t dataOffset = LE32(s);

    PLBmpInfoHeader& h = *m_pBmih;
    h.size = LE32(s);
    if (h.size == 12) {
      h.width = LE16(s);
      h.height = LE16(s);
      h.planes = LE16(s);
      h.bitCount = LE16(s);
    } else if (h.size >= 16 && h.size <= kMaxHeaderSize) {
      // OS/2 2.x headers may stop after any field; what is missing is 0.
      const PLBYTE* p = s.ReadBytes(int(h.size) - 4);
      PLBYTE full[kMaxHeaderSize] = {};
      std::memcpy(full, p, h.size - 4);
      h.width = int32_t(LE32At(full));
      h.height = int32_t(LE32At(full + 4));
      h.planes = LE16At(full + 8);
      h.bitCount = LE16At(full + 10);
      h.compression = LE32At(full + 12);
      h.imageSize = LE32At(full + 16);
      h.xPelsPerMeter = int32_t(LE32At(full + 20));
      h.yPelsPerMeter = int32_t(LE32At(full + 24));
      h.colorsUsed = LE32At(full + 28);
      h.colorsImportant = LE32At(full + 32);
      const bool fields = h.compression == kBiBitfields || h.compression == kBiAlphaBitfields;
      if (h.size >= 52) {
        // Version 2 and later headers carry the masks at offset 40.
        if (fields) ReadMasks(full + 36, h.size >= 56);
      } else if (fields && h.size == 40) {
        const bool withAlpha = h.compression == kBiAlphaBitfields;
        ReadMasks(s.ReadBytes(withAlpha ? 16 : 12), withAlpha);
      }
    } else {
      RaiseError(2, "Bitmap decoder: Unsupported header size.");
      m_pBmih.reset();
      return 0;
    }
    Trace(2, "Bitmap header is ok.\n");

    if (h.width <= 0 || h.height == 0 || h.height == INT32_MIN) {
      RaiseError(2, "Bitmap decoder: Illegal size.");
      m_pBmih.reset();
      return 0;
    }
    m_bTopDown = h.height < 0;
    const int height = m_bTopDown ? -h.height : h.height;
    const int bitCount = h.bitCount;
    const bool rle = (h.compression == kBiRle8 && bitCount == 8) || (h.compression == kBiRle4 && bitCount == 4);
    const bool supported =
        (bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32) &&
        (h.compression == kBiRgb || rle ||
         ((h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) && (bitCount == 16 || bitCount == 32) &&
          m_bHasMasks));
    if (!supported || (rle && m_bTopDown)) {
      RaiseError(2, "Decoding bmp: Illegal bpp value.");
      m_pBmih.reset();
      return 0;
    }

    // Palette.
    for (auto& e : m_Pal) e = PLPixel32(0, 0, 0, 255);
    if (bitCount <= 8) {
      Trace(3, "Reading palette.\n");
      uint32_t count = h.colorsUsed ? h.colorsUsed : (1u << bitCount);
      const int entrySize = h.size == 12 ? 3 : 4;
      // A palette never reaches into the pixels the file header points at.
      int64_t room = s.GetBytesLeft();
      const int64_t pixelsAt = int64_t(start) + dataOffset;
      if (dataOffset != 0 && pixelsAt >= s.GetBytesRead() && pixelsAt - s.GetBytesRead() < room)
        room = pixelsAt - s.GetBytesRead();
      if (count > uint64_t(room / entrySize)) count = uint32_t(room / entrySize);
      for (uint32_t i = 0; i < count; ++i) {
        const PLBYTE* e = s.ReadBytes(entrySize);
        if (i < 256) m_Pal[i] = PLPixel32(e[2], e[1], e[0], 255);
      }
    }
    // The pixels start at the file header's offset; an offset that points
    // back into what was read is taken as "right here".
    const int64_t target = int64_t(start) + dataOffset;
    if (dataOffset != 0 && target > s.GetBytesRead()) Skip(s, target - s.GetBytesRead());

    int bpp = 8;
    bool alpha = false;
    if (bitCount == 32) {
      bpp = 32;
      alpha = m_bHasMasks ? m_Masks.alpha != 0 : true;
    } else if (bitCount > 8) {
      bpp = 32;
      alpha = m_bHasMasks && m_Masks.alpha != 0;
    }
    if (!PLBmp::IsValidGeometry(h.width, height, bpp)) {
      RaiseError(2, "Bitmap decoder: Picture too large.");
      m_pBmih.reset();
      return 0;
    }
    // The pixel data must be able to hold the picture, so that a small
    // file cannot make the decoder allocate for sizes it does not have.
    // Uncompressed: every row is in the file. Run-length: one two-byte run
    // gives at most 255 pixels, and rows of w pixels need ceil(w / 255)
    // runs, which every encoder writes; data that ends early is filled.
    if (!rle) {
      const uint64_t stride = (uint64_t(h.width) * uint64_t(bitCount) + 31) / 32 * 4;
      RequireBytes(s, stride * uint64_t(height - 1) + (uint64_t(h.width) * uint64_t(bitCount) + 7) / 8);
    } else {
      RequireBytes(s, 2 * ((uint64_t(h.width) + 254) / 255) * uint64_t(height));
    }
    SetDescription(h.width, height, bpp, bitCount, s.GetFileSize(), alpha, false,
                   PLPoint{DpiFromPixelsPerMetre(h.xPelsPerMeter), DpiFromPixelsPerMetre(h.yPelsPerMeter)});
    return 1;
  } catch (...) {
    m_pBmih.reset();
    throw;
  }
}

PLBYTE** PLBmpDecoder::RowFor(PLBmp& bmp, int fileRow) {
  const int height = bmp.GetHeight();
  if (fileRow < 0 || fileRow >= height) return nullptr;
  return &bmp.GetLineArray()[m_bTopDown ? fileRow : height - 1 - fileRow];
}

int PLBmpDecoder::GetImage(PLBmp& bmp) {
  if (!m_pBmih || !m_pDataSrc) return 0;
  if (bmp.GetBitsPerPixel() == 8) bmp.SetPalette(m_Pal);
  PLBmpLock lock(bmp, false, true);
  const PLBmpInfoHeader& h = *m_pBmih;
  if (h.compression == kBiRle8 || h.compression == kBiRle4) {
    DecodeRle(bmp, h.compression == kBiRle4);
  } else {
    DecodeUncompressed(bmp);
  }
  return 1;
}

void PLBmpDecoder::DecodeUncompressed(PLBmp& bmp) {
  PLDataSource& s = *m_pDataSrc;
  const PLBmpInfoHeader& h = *m_pBmih;
  const int width = bmp.GetWidth();
  const int bitCount = h.bitCount;
  const size_t stride = (size_t(width) * size_t(bitCount) + 31) / 32 * 4;
  switch (bitCount) {
    case 1: Trace(2, "Decoding 1 bit per pixel bitmap.\n"); break;
    case 4: Trace(2, "Decoding uncompressed 4 bit per pixel bitmap.\n"); break;
    case 8: Trace(2, "Decoding uncompressed 8 bit per pixel bitmap.\n"); break;
    default: Trace(2, "Decoding true-color bitmap.\n"); break;
  }
  const Masks masks = m_bHasMasks ? m_Masks
                                  : (bitCount == 16 ? Masks{0x7C00, 0x03E0, 0x001F, 0} : Masks{});
  for (int k = 0; k < bmp.GetHeight(); ++k) {
    const PLBYTE* src = s.ReadBytes(int(stride));
    PLBYTE* row = *RowFor(bmp, k);
    auto* row32 = reinterpret_cast<PLPixel32*>(row);
    switch (bitCount) {
      case 1:
        for (int x = 0; x < width; ++x) row[x] = (src[x / 8] >> (7 - x % 8)) & 1;
        break;
      case 4:
        for (int x = 0; x < width; ++x) row[x] = x % 2 ? src[x / 2] & 0x0F : src[x / 2] >> 4;
        break;
      case 8:
        std::memcpy(row, src, size_t(width));
        break;
      case 16:
        for (int x = 0; x < width; ++x) {
          uint32_t v = LE16At(src + 2 * x);
          row32[x] = PLPixel32(Channel(v, masks.red), Channel(v, masks.green), Channel(v, masks.blue),
                               masks.alpha ? Channel(v, masks.alpha) : 255);
        }
        break;
      case 24:
        for (int x = 0; x < width; ++x) row32[x] = PLPixel32(src[3 * x + 2], src[3 * x + 1], src[3 * x], 255);
        break;
      case 32:
        if (!m_bHasMasks) {
          std::memcpy(row, src, size_t(width) * 4);
        } else {
          for (int x = 0; x < width; ++x) {
            uint32_t v = LE32At(src + 4 * x);
            row32[x] = PLPixel32(Channel(v, masks.red), Channel(v, masks.green), Channel(v, masks.blue),
                                 masks.alpha ? Channel(v, masks.alpha) : 255);
          }
        }
        break;
      default:
        break;
    }
  }
}

// RLE8 and RLE4, bottom row first. Runs and literals that reach past the
// row end are dropped at the edge; deltas move the position forwards. Data
// that ends before the end-of-bitmap code ends the picture there: the rest
// keeps index 0, as do pixels that deltas and line ends pass over.
void PLBmpDecoder::DecodeRle(PLBmp& bmp, bool fourBit) {
  PLDataSource& s = *m_pDataSrc;
  Trace(2, fourBit ? "Decoding RLE4-compressed bitmap.\n" : "Decoding RLE8-compressed bitmap.\n");
  const int width = bmp.GetWidth();
  const int height = bmp.GetHeight();
  int x = 0, y = 0;
  auto put = [&](int index) {
    if (y < height && x < width) (*RowFor(bmp, y))[x] = PLBYTE(index);
    ++x;
  };
  auto has = [&](int bytes) { return s.GetBytesLeft() >= bytes; };
  while (y < height && has(2)) {
    const int count = U8(s);
    const int value = U8(s);
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(fourBit ? (i % 2 ? value & 0x0F : value >> 4) : value);
      continue;
    }
    if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (!has(2)) break;
      x += U8(s);
      y += U8(s);
    } else {
      const int bytes = fourBit ? (value + 1) / 2 : value;
      if (!has(bytes)) break;
      const PLBYTE* lit = s.ReadBytes(bytes);
      for (int i = 0; i < value; ++i) put(fourBit ? (i % 2 ? lit[i / 2] & 0x0F : lit[i / 2] >> 4) : lit[i]);
      if (bytes % 2 && has(1)) Skip(s, 1);
    }
  }
}
