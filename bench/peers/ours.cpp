#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "barcode/kalvo.h"
#include "bench/peers/drawers.h"
#include "platform/gdi/gdi.h"

namespace peers {
namespace {

void FillRequest(CBCode& code, const Case& c) {
  const OurRequest& r = c.ours;
  code.type = static_cast<uint16_t>(r.type);
  code.subType = static_cast<uint16_t>(r.subType);
  code.resolution = 300;
  if (r.narrowWidth > 0) code.narrowWidth = static_cast<uint16_t>(r.narrowWidth);
  if (r.barHeight > 0) code.barHeight = r.barHeight;
  code.textPosition = r.textRow ? 1 : 0;
  code.noText = r.textRow ? 0 : 1;
  if (r.textGap >= 0) code.textGap = r.textGap;
  if (r.textHeight >= 0) code.textHeight = r.textHeight;
  code.moduleSize2D = static_cast<uint16_t>(r.moduleSize2D);
  code.qrLevel = static_cast<uint16_t>(r.qrLevel);
  code.symbolRows = static_cast<int16_t>(r.rows);
  code.symbolColumns = static_cast<int16_t>(r.columns);
  code.pdfSecurity = static_cast<uint8_t>(r.pdfLevel);
  code.maxiMode = static_cast<uint8_t>(r.maxiMode);
  const size_t n = c.data.size();
  code.dataLength = static_cast<int32_t>(n);
  code.data = static_cast<char*>(std::calloc(n + 64, 1));
  std::memcpy(code.data, c.data.data(), n);
  code.hrLength = static_cast<int32_t>(n * 3 / 2);
  code.hrText = static_cast<char*>(std::calloc(code.hrLength + 64, 1));
  code.ResetErrors();
}

// The bitmap GetDIBits reads: 800 x 200 at 32 bits, made once.
struct DibCase {
  HBITMAP bitmap = CreateBitmap(800, 200, 1, 32, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  std::vector<uint32_t> out = std::vector<uint32_t>(800 * 200);
  BITMAPINFO info{};
  DibCase() {
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 800;
    info.bmiHeader.biHeight = 200;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
  }
};

DibCase& Dib() {
  static DibCase dib;
  return dib;
}

}  // namespace

bool DrawOurs(const Case& c) {
  if (c.getDIBits) {
    DibCase& d = Dib();
    const int lines = GetDIBits(d.dc, d.bitmap, 0, 200, d.out.data(), &d.info, DIB_RGB_COLORS);
    benchmark::DoNotOptimize(d.out.data());
    return lines == 200;
  }
  CBCode code;
  FillRequest(code, c);
  benchmark::DoNotOptimize(kvoBCode(0, &code, 0));
  if (code.bitmap == nullptr) return false;
  DeleteObject(code.bitmap);
  return true;
}

PictureSize OurPictureSize(const Case& c) {
  if (c.getDIBits) return {800, 200};
  CBCode code;
  FillRequest(code, c);
  kvoBCode(0, &code, 0);
  if (code.bitmap == nullptr) return {};
  BITMAP bm{};
  GetObjectA(code.bitmap, sizeof bm, &bm);
  DeleteObject(code.bitmap);
  return {static_cast<int>(bm.bmWidth), static_cast<int>(bm.bmHeight)};
}

void Fill::Once() {
  std::fill(pixels_.begin(), pixels_.end(), ++value_);
  benchmark::DoNotOptimize(pixels_.data());
  benchmark::ClobberMemory();
}

}  // namespace peers
