// LoadBitmap: an RT_BITMAP resource is a packed device-independent bitmap
// (header, colour table, pixels) without the file header.
#include <cstring>

#include "platform/gdi/gdi.h"
#include "platform/kernel/byte_reader.h"
#include "platform/kernel/kernel_internal.h"
#include "platform/resource/resource.h"
#include "platform/resource/resource_internal.h"

namespace {

constexpr WORD kBitmapType = 2;  // RT_BITMAP

HBITMAP FromPackedDib(std::span<const uint8_t> data) {
  ByteReader in(data);
  const uint32_t headerSize = in.U32();
  const int32_t width = in.I32();
  const int32_t height = in.I32();
  in.U16();
  const uint16_t bits = in.U16();
  const uint32_t compression = in.U32();
  in.Skip(12);
  const uint32_t used = in.U32();
  if (!in.ok() || headerSize < 40 || width <= 0 || height == 0 || width > 32768 || height > 32768 || height < -32768)
    return nullptr;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return nullptr;
  if (compression != 0 && compression != 3) return nullptr;  // BI_RGB, BI_BITFIELDS
  uint64_t colours = bits <= 8 ? (used ? used : (1u << bits)) : 0;
  if (bits <= 8 && colours > (1u << bits)) return nullptr;
  const uint64_t masks = compression == 3 ? 12 : 0;
  const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  const uint64_t rows = static_cast<uint64_t>(height < 0 ? -static_cast<int64_t>(height) : height);
  const uint64_t pixelsAt = headerSize + masks + colours * 4;
  if (!in.Has(pixelsAt, stride * rows)) return nullptr;
  // The header and colour table are copied so they are suitably aligned.
  std::vector<uint8_t> info(static_cast<size_t>(pixelsAt));
  std::memcpy(info.data(), data.data(), info.size());
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(info.data());
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBitmap(screen, header, CBM_INIT, data.data() + pixelsAt,
                                  reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

HBITMAP Load(HINSTANCE instance, const std::optional<resource::ResName>& name) {
  if (!name) {
    kernel::Fail(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const auto data = resource::FindResourceData(instance, resource::ResName{kBitmapType, {}}, *name);
  if (!data) return nullptr;
  HBITMAP bitmap = FromPackedDib(*data);
  if (!bitmap) kernel::Fail(ERROR_INVALID_DATA);
  return bitmap;
}

}  // namespace

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name) { return Load(instance, resource::KeyFromA(name)); }
HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name) { return Load(instance, resource::KeyFromW(name)); }
