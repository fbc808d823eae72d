#include "platform/comctl/mapped_bitmap.h"

#include <cstring>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/kernel/byte_reader.h"
#include "platform/resource/resource.h"

namespace {

struct Mapping {
  std::vector<COLORMAP> map;
  // The colour a pixel of `colour` becomes.
  bool Apply(BYTE& r, BYTE& g, BYTE& b) const {
    for (const COLORMAP& m : map) {
      if (RGB(r, g, b) == m.from) {
        r = GetRValue(m.to);
        g = GetGValue(m.to);
        b = GetBValue(m.to);
        return true;
      }
    }
    return false;
  }
};

Mapping MakeMapping(LPCOLORMAP colourMap, int mapCount) {
  Mapping m;
  if (colourMap && mapCount > 0) {
    m.map.assign(colourMap, colourMap + mapCount);
  } else {
    m.map = {{RGB(0, 0, 0), GetSysColor(COLOR_BTNTEXT)},
             {RGB(128, 128, 128), GetSysColor(COLOR_BTNSHADOW)},
             {RGB(192, 192, 192), GetSysColor(COLOR_BTNFACE)},
             {RGB(255, 255, 255), GetSysColor(COLOR_BTNHIGHLIGHT)}};
  }
  return m;
}

}  // namespace

HBITMAP CreateMappedBitmap(HINSTANCE instance, INT_PTR bitmapId, UINT, LPCOLORMAP colourMap, int mapCount) {
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(bitmapId), RT_BITMAP);
  if (!found) return nullptr;
  const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(instance, found)));
  const DWORD size = SizeofResource(instance, found);
  if (!data) return nullptr;
  ByteReader in(data, size);
  const uint32_t headerSize = in.U32();
  const int32_t width = in.I32();
  const int32_t height = in.I32();
  in.U16();
  const uint16_t bits = in.U16();
  const uint32_t compression = in.U32();
  in.Skip(12);
  const uint32_t used = in.U32();
  if (!in.ok() || headerSize < 40 || width <= 0 || height <= 0 || width > 32768 || height > 32768) return nullptr;
  if ((bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) || compression != 0)
    return nullptr;
  const uint32_t colours = bits <= 8 ? (used ? used : (1u << bits)) : 0;
  if (bits <= 8 && colours > (1u << bits)) return nullptr;
  const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  const uint64_t pixelsAt = headerSize + uint64_t{colours} * 4;
  if (!in.Has(pixelsAt, stride * static_cast<uint64_t>(height))) return nullptr;

  // A header of 40 bytes with a full colour table, mapped.
  std::vector<uint8_t> info(40 + 256 * 4, 0);
  std::memcpy(info.data(), data, 40);
  reinterpret_cast<BITMAPINFOHEADER*>(info.data())->biSize = 40;
  std::memcpy(info.data() + 40, data + headerSize, size_t{colours} * 4);
  const Mapping mapping = MakeMapping(colourMap, mapCount);
  for (uint32_t i = 0; i < colours; ++i) {
    uint8_t* quad = info.data() + 40 + i * 4;  // blue, green, red, unused
    mapping.Apply(quad[2], quad[1], quad[0]);
  }
  // Surfaces have no 16-bit form: such a strip becomes 24-bit.
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
  const int outBits = bits == 16 ? 24 : bits;
  header->biBitCount = static_cast<WORD>(outBits);
  header->biSizeImage = 0;
  const uint64_t outStride = (static_cast<uint64_t>(width) * static_cast<unsigned>(outBits) + 31) / 32 * 4;
  void* pixels = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &pixels,
                                    nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (!bitmap || !pixels) return bitmap;
  auto* out = static_cast<uint8_t*>(pixels);
  if (bits == 16) {
    for (int32_t y = 0; y < height; ++y) {
      const uint8_t* in16 = data + pixelsAt + stride * static_cast<uint64_t>(y);
      uint8_t* row = out + outStride * static_cast<uint64_t>(y);
      for (int32_t x = 0; x < width; ++x) {
        const unsigned v = in16[2 * x] | (in16[2 * x + 1] << 8);  // 5-5-5
        const auto expand = [](unsigned five) { return static_cast<uint8_t>((five << 3) | (five >> 2)); };
        row[3 * x] = expand(v & 31);
        row[3 * x + 1] = expand((v >> 5) & 31);
        row[3 * x + 2] = expand((v >> 10) & 31);
      }
    }
  } else {
    std::memcpy(out, data + pixelsAt, static_cast<size_t>(stride * static_cast<uint64_t>(height)));
  }
  if (outBits == 24 || outBits == 32) {
    const int step = outBits / 8;
    for (int32_t y = 0; y < height; ++y) {
      uint8_t* row = out + outStride * static_cast<uint64_t>(y);
      for (int32_t x = 0; x < width; ++x) mapping.Apply(row[x * step + 2], row[x * step + 1], row[x * step]);
    }
  }
  return bitmap;
}
