// Reading icon and cursor resources.
#include "platform/resource/icon_resource.h"

#include <cstdlib>

#include "platform/kernel/byte_reader.h"

namespace resource {
namespace {

constexpr int kLargestIcon = 256;
constexpr uint32_t kInfoHeaderSize = 40;

size_t RowBytes(int width, int bits) { return ((static_cast<size_t>(width) * bits + 31) / 32) * 4; }

struct DibHeader {
  int width = 0;
  int height = 0;  // of the picture alone
  int bits = 0;
  uint32_t colours = 0;
};

bool ReadDibHeader(ByteReader& in, DibHeader& h) {
  const uint32_t size = in.U32();
  const int32_t width = static_cast<int32_t>(in.U32());
  const int32_t height = static_cast<int32_t>(in.U32());
  const uint16_t planes = in.U16();
  h.bits = in.U16();
  const uint32_t compression = in.U32();
  in.U32();  // image size
  in.U32();  // resolution
  in.U32();
  h.colours = in.U32();
  in.U32();  // important colours
  if (!in.ok() || size < kInfoHeaderSize || planes != 1 || compression != 0) return false;
  in.Skip(size - kInfoHeaderSize);
  if (width <= 0 || width > kLargestIcon || height <= 0 || height % 2 != 0 || height / 2 > kLargestIcon) return false;
  h.width = width;
  h.height = height / 2;
  if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 24 && h.bits != 32) return false;
  if (h.bits <= 8 && (h.colours == 0 || h.colours > (1u << h.bits))) h.colours = 1u << h.bits;
  if (h.bits > 8) h.colours = 0;
  return in.ok();
}

uint32_t IndexAt(std::span<const uint8_t> row, int x, int bits) {
  const size_t bit = static_cast<size_t>(x) * bits;
  const uint8_t byte = row[bit / 8];
  return (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
}

uint32_t PixelAt(std::span<const uint8_t> row, int x, int bits, const std::vector<uint32_t>& palette) {
  if (bits <= 8) return palette[IndexAt(row, x, bits)] | 0xFF000000u;
  const size_t at = static_cast<size_t>(x) * (bits / 8);
  const uint32_t bgr = row[at] | (row[at + 1] << 8) | (row[at + 2] << 16);
  return bits == 32 ? bgr | (static_cast<uint32_t>(row[at + 3]) << 24) : bgr | 0xFF000000u;
}

}  // namespace

bool ParseIconDirectory(std::span<const uint8_t> data, IconDirectory& out) {
  out = IconDirectory{};
  ByteReader in(data);
  const uint16_t reserved = in.U16();
  const uint16_t type = in.U16();
  const uint16_t count = in.U16();
  if (!in.ok() || reserved != 0 || (type != 1 && type != 2)) return false;
  IconDirectory d;
  d.cursor = type == 2;
  for (uint16_t i = 0; i < count; ++i) {
    IconDirectoryEntry e;
    if (d.cursor) {
      e.width = in.U16();
      e.height = in.U16() / 2;
    } else {
      e.width = in.U8();
      e.height = in.U8();
      in.U8();  // colour count
      in.U8();
      if (e.width == 0) e.width = 256;
      if (e.height == 0) e.height = 256;
    }
    in.U16();  // planes
    e.bitCount = in.U16();
    e.bytes = in.U32();
    e.id = in.U16();
    if (!in.ok()) return false;
    d.entries.push_back(e);
  }
  out = std::move(d);
  return true;
}

int ChooseIconEntry(const IconDirectory& directory, int width, int height) {
  if (width <= 0) width = 32;
  if (height <= 0) height = 32;
  int best = -1;
  long bestDistance = 0;
  for (size_t i = 0; i < directory.entries.size(); ++i) {
    const IconDirectoryEntry& e = directory.entries[i];
    const long distance = std::labs(e.width - width) + std::labs(e.height - height);
    if (best < 0 || distance < bestDistance ||
        (distance == bestDistance && e.bitCount > directory.entries[static_cast<size_t>(best)].bitCount)) {
      best = static_cast<int>(i);
      bestDistance = distance;
    }
  }
  return best;
}

bool ParseIconImage(std::span<const uint8_t> data, bool cursor, IconImage& out) {
  out = IconImage{};
  ByteReader in(data);
  IconImage image;
  if (cursor) {
    image.hotSpot.x = in.U16();
    image.hotSpot.y = in.U16();
  }
  DibHeader h;
  if (!ReadDibHeader(in, h)) return false;
  // A short colour table leaves the indices it does not cover black.
  std::vector<uint32_t> palette(h.bits <= 8 ? (1u << h.bits) : 0u, 0u);
  for (uint32_t i = 0; i < h.colours; ++i) palette[i] = in.U32() & 0xFFFFFFu;
  const size_t colourRow = RowBytes(h.width, h.bits);
  const size_t maskRow = RowBytes(h.width, 1);
  std::span<const uint8_t> colour = in.Bytes(colourRow * static_cast<size_t>(h.height));
  std::span<const uint8_t> mask = in.Bytes(maskRow * static_cast<size_t>(h.height));
  if (!in.ok()) return false;
  image.width = h.width;
  image.height = h.height;
  image.hasAlpha = h.bits == 32;
  const size_t n = static_cast<size_t>(h.width) * static_cast<size_t>(h.height);
  image.pixels.resize(n);
  image.mask.resize(n);
  // Rows are stored bottom-up.
  for (int y = 0; y < h.height; ++y) {
    const size_t source = static_cast<size_t>(h.height - 1 - y);
    std::span<const uint8_t> crow = colour.subspan(source * colourRow, colourRow);
    std::span<const uint8_t> mrow = mask.subspan(source * maskRow, maskRow);
    for (int x = 0; x < h.width; ++x) {
      const size_t at = static_cast<size_t>(y) * static_cast<size_t>(h.width) + static_cast<size_t>(x);
      image.pixels[at] = PixelAt(crow, x, h.bits, palette);
      image.mask[at] = static_cast<uint8_t>(IndexAt(mrow, x, 1));
    }
  }
  out = std::move(image);
  return true;
}

}  // namespace resource
