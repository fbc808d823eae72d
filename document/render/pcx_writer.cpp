#include "document/render/pcx_writer.h"

#include <algorithm>

namespace {

constexpr size_t kHeaderBytes = 128;
constexpr int kRunMax = 63;
constexpr uint8_t kRunMark = 192;
constexpr uint8_t kPaletteMark = 12;
constexpr int kDefaultDpi = 96;

void PutWord(std::vector<uint8_t>& bytes, size_t offset, int value) {
  bytes[offset] = static_cast<uint8_t>(value & 0xFF);
  bytes[offset + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

int Brightness(const PLPixel32& p) { return p.GetR() * 299 + p.GetG() * 587 + p.GetB() * 114; }

// A 1-bit bitmap whose first colour is the brighter one is written inverted,
// so that index 0 is the darker colour.
bool InvertsBits(const PLBmp& bitmap) {
  const PLPixel32* pal = bitmap.GetPalette();
  return bitmap.GetBitsPerPixel() == 1 && pal && Brightness(pal[0]) > Brightness(pal[1]);
}

bool Writable(const PLBmp& bitmap) {
  const int bpp = bitmap.GetBitsPerPixel();
  return (bpp == 1 || bpp == 8 || bpp == 24 || bpp == 32) && bitmap.GetWidth() > 0 && bitmap.GetHeight() > 0 &&
         bitmap.GetWidth() <= 65535 && bitmap.GetHeight() <= 65535 && bitmap.GetLineArray() &&
         (bpp > 8 || bitmap.GetPalette());
}

// The bytes of one row's single plane (1 and 8 bits), padded to the line size.
std::vector<uint8_t> IndexPlane(const PLBmp& bitmap, int y, int lineBytes) {
  const int width = bitmap.GetWidth();
  std::vector<uint8_t> indices(static_cast<size_t>(width));
  for (int x = 0; x < width; ++x) indices[static_cast<size_t>(x)] = static_cast<uint8_t>(GetPixelIndex(bitmap, x, y));
  std::vector<uint8_t> line;
  if (bitmap.GetBitsPerPixel() == 1) {
    if (InvertsBits(bitmap))
      for (uint8_t& i : indices) i ^= 1;
    line = PcxPackBits(indices, 0);
  } else {
    line = std::move(indices);
  }
  line.resize(static_cast<size_t>(lineBytes), 0);
  return line;
}

// One colour plane of a 24- or 32-bit row (0 red, 1 green, 2 blue), padded.
std::vector<uint8_t> ColourPlane(const PLBmp& bitmap, int y, int plane, int lineBytes) {
  const int width = bitmap.GetWidth();
  const int step = bitmap.GetBitsPerPixel() / 8;
  const PLBYTE* row = bitmap.GetLineArray()[y];
  std::vector<uint8_t> line(static_cast<size_t>(lineBytes), 0);
  // Pixels are blue, green, red (and unused) in memory.
  const int channel = 2 - plane;
  for (int x = 0; x < width; ++x) line[static_cast<size_t>(x)] = row[x * step + channel];
  return line;
}

}  // namespace

int GetPixelIndex(const PLBmp& bitmap, int x, int y) {
  if (!bitmap.GetPalette() || !bitmap.GetLineArray()) return -1;
  if (x < 0 || y < 0 || x >= bitmap.GetWidth() || y >= bitmap.GetHeight()) return -1;
  const PLBYTE* row = bitmap.GetLineArray()[y];
  switch (bitmap.GetBitsPerPixel()) {
    case 8: return row[x];
    case 4: return x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    default: return -1;
  }
}

int PcxBytesPerLine(int width, int bpp) {
  const int bytes = bpp >= 8 ? width : (width + 7) / 8;
  return bytes + bytes % 2;
}

std::vector<uint8_t> PcxPackBits(std::span<const uint8_t> indices, int plane) {
  std::vector<uint8_t> packed((indices.size() + 7) / 8, 0);
  for (size_t i = 0; i < indices.size(); ++i)
    if ((indices[i] >> plane) & 1) packed[i / 8] |= static_cast<uint8_t>(0x80 >> (i % 8));
  return packed;
}

void PcxEncodeLine(std::span<const uint8_t> line, std::vector<uint8_t>& out) {
  for (size_t i = 0; i < line.size();) {
    const uint8_t value = line[i];
    size_t run = 1;
    while (i + run < line.size() && line[i + run] == value && run < kRunMax) ++run;
    if (run > 1 || value >= kRunMark) out.push_back(static_cast<uint8_t>(kRunMark + run));
    out.push_back(value);
    i += run;
  }
}

std::vector<uint8_t> PcxHeader(const PLBmp& bitmap) {
  std::vector<uint8_t> h(kHeaderBytes, 0);
  const int bpp = bitmap.GetBitsPerPixel();
  h[0] = 10;  // manufacturer
  h[1] = 5;   // version
  h[2] = 1;   // run-length encoding
  h[3] = static_cast<uint8_t>(bpp >= 8 ? 8 : 1);
  PutWord(h, 8, bitmap.GetWidth() - 1);
  PutWord(h, 10, bitmap.GetHeight() - 1);
  const PLPoint dpi = bitmap.GetResolution();
  PutWord(h, 12, dpi.x > 0 ? dpi.x : kDefaultDpi);
  PutWord(h, 14, dpi.y > 0 ? dpi.y : kDefaultDpi);
  if (bpp == 1 && bitmap.GetPalette()) {
    const bool invert = InvertsBits(bitmap);
    for (int i = 0; i < 2; ++i) {
      const PLPixel32& c = bitmap.GetPalette()[invert ? 1 - i : i];
      h[16 + i * 3] = c.GetR();
      h[17 + i * 3] = c.GetG();
      h[18 + i * 3] = c.GetB();
    }
  }
  h[65] = static_cast<uint8_t>(bpp >= 24 ? 3 : 1);
  PutWord(h, 66, PcxBytesPerLine(bitmap.GetWidth(), bpp));
  PutWord(h, 68, bitmap.IsGreyscale() ? 2 : 1);
  return h;
}

long WritePcxFile(std::FILE* file, PLBmp& bitmap) {
  if (!file || !Writable(bitmap)) return -1;
  const int bpp = bitmap.GetBitsPerPixel();
  const int lineBytes = PcxBytesPerLine(bitmap.GetWidth(), bpp);
  std::vector<uint8_t> out = PcxHeader(bitmap);
  for (int y = 0; y < bitmap.GetHeight(); ++y) {
    if (bpp <= 8) {
      PcxEncodeLine(IndexPlane(bitmap, y, lineBytes), out);
    } else {
      for (int plane = 0; plane < 3; ++plane) PcxEncodeLine(ColourPlane(bitmap, y, plane, lineBytes), out);
    }
  }
  if (bpp == 8) {
    out.push_back(kPaletteMark);
    const PLPixel32* pal = bitmap.GetPalette();
    for (int i = 0; i < 256; ++i) {
      out.push_back(pal[i].GetR());
      out.push_back(pal[i].GetG());
      out.push_back(pal[i].GetB());
    }
  }
  if (std::fwrite(out.data(), 1, out.size(), file) != out.size() || std::fflush(file) != 0) return -1;
  return static_cast<long>(out.size());
}
