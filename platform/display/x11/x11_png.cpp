// Pictures between the process's clipboard (a packed DIB) and the desktop's
// (image/png), through libpng. Pictures of 24 and 32 bits a pixel go out;
// any PNG libpng reads comes in as a 32-bit top-down DIB with alpha.
#include <png.h>

#include <cstring>

#include "platform/display/x11/x11_display.h"
#include "platform/kernel/png_limits.h"

namespace display::x11 {
namespace {

constexpr uint32_t kRgb = 0, kBitFields = 3;
constexpr int64_t kMostPixels = 64LL * 1024 * 1024;  // a bound on what either side may claim

void WriteLe32(std::vector<BYTE>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<BYTE>(v >> (8 * i));
}
void WriteLe16(std::vector<BYTE>& out, size_t at, uint16_t v) {
  out[at] = static_cast<BYTE>(v);
  out[at + 1] = static_cast<BYTE>(v >> 8);
}

void OnPngWrite(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

struct PngSource {
  const std::vector<unsigned char>* bytes;
  size_t at;
};
void OnPngRead(png_structp png, png_bytep data, png_size_t size) {
  auto* src = static_cast<PngSource*>(png_get_io_ptr(png));
  if (src->bytes->size() - src->at < size) png_error(png, "truncated");
  std::memcpy(data, src->bytes->data() + src->at, size);
  src->at += size;
}

// A checked 24- or 32-bit DIB's pixels, rows by their place in the picture.
struct DibRows {
  const uint8_t* bits;
  uint64_t stride;
  int32_t width;
  int64_t rows;
  int step;
  bool topDown;
  const uint8_t* Row(int64_t y) const { return bits + static_cast<uint64_t>(topDown ? y : rows - 1 - y) * stride; }
};

// The libpng part on its own: nothing of the caller's lives across setjmp.
bool WritePng(const DibRows& dib, std::vector<unsigned char>& png) {
  png_structp p = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!p) return false;
  png_infop info = png_create_info_struct(p);
  std::vector<unsigned char> out;
  std::vector<png_byte> row(static_cast<size_t>(dib.width) * 3);
  if (!info || setjmp(png_jmpbuf(p))) {
    png_destroy_write_struct(&p, &info);
    return false;
  }
  png_set_write_fn(p, &out, OnPngWrite, nullptr);
  png_set_IHDR(p, info, static_cast<png_uint_32>(dib.width), static_cast<png_uint_32>(dib.rows), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(p, info);
  for (int64_t y = 0; y < dib.rows; ++y) {
    const uint8_t* src = dib.Row(y);
    for (int x = 0; x < dib.width; ++x) {
      row[x * 3] = src[x * dib.step + 2];
      row[x * 3 + 1] = src[x * dib.step + 1];
      row[x * 3 + 2] = src[x * dib.step];
    }
    png_write_row(p, row.data());
  }
  png_write_end(p, info);
  png_destroy_write_struct(&p, &info);
  png = std::move(out);
  return true;
}

}  // namespace

bool DibToPng(const std::vector<BYTE>& dib, std::vector<unsigned char>& png) {
  ByteReader r(dib.data(), dib.size());
  const uint32_t headerSize = r.U32At(0);
  const int32_t width = r.I32At(4), height = r.I32At(8);
  const uint16_t bits = r.U16At(14);
  const uint32_t compression = r.U32At(16);
  if (headerSize < 40 || width <= 0 || height == 0 || (bits != 24 && bits != 32)) return false;
  if (compression != kRgb && !(compression == kBitFields && bits == 32)) return false;
  const int64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
  if (static_cast<int64_t>(width) * rows > kMostPixels) return false;
  uint64_t offset = headerSize + (compression == kBitFields && headerSize == 40 ? 12 : 0);
  offset += static_cast<uint64_t>(r.U32At(32)) * 4;  // colours listed though not needed
  const uint64_t stride = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
  if (!r.Has(offset, stride * static_cast<uint64_t>(rows))) return false;
  // Bottom-up unless the height is negative.
  return WritePng(DibRows{r.data() + offset, stride, width, rows, bits / 8, height < 0}, png);
}

bool PngToDib(const std::vector<unsigned char>& bytes, std::vector<BYTE>& dib) {
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) return false;
  png_structp p = CreateLimitedPngReader(nullptr, nullptr, nullptr);
  if (!p) return false;
  png_infop info = png_create_info_struct(p);
  PngSource source{&bytes, 0};
  std::vector<BYTE> out;
  std::vector<png_bytep> rows;
  if (!info || setjmp(png_jmpbuf(p))) {
    png_destroy_read_struct(&p, &info, nullptr);
    return false;
  }
  png_set_read_fn(p, &source, OnPngRead);
  png_read_info(p, info);
  const png_uint_32 width = png_get_image_width(p, info), height = png_get_image_height(p, info);
  if (static_cast<int64_t>(width) * height > kMostPixels) png_error(p, "too large");
  // Any PNG becomes 8-bit blue-green-red-alpha.
  png_set_expand(p);
  png_set_strip_16(p);
  png_set_gray_to_rgb(p);
  png_set_add_alpha(p, 0xFF, PNG_FILLER_AFTER);
  png_set_bgr(p);
  png_set_interlace_handling(p);
  png_read_update_info(p, info);
  if (png_get_rowbytes(p, info) != static_cast<size_t>(width) * 4) png_error(p, "unexpected layout");
  const size_t stride = static_cast<size_t>(width) * 4;
  out.assign(40 + stride * height, 0);
  WriteLe32(out, 0, 40);
  WriteLe32(out, 4, width);
  WriteLe32(out, 8, static_cast<uint32_t>(-static_cast<int32_t>(height)));  // top-down
  WriteLe16(out, 12, 1);
  WriteLe16(out, 14, 32);
  WriteLe32(out, 16, kRgb);
  WriteLe32(out, 20, static_cast<uint32_t>(stride * height));
  rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = out.data() + 40 + y * stride;
  png_read_image(p, rows.data());
  png_read_end(p, nullptr);
  png_destroy_read_struct(&p, &info, nullptr);
  dib = std::move(out);
  return true;
}

}  // namespace display::x11
