// Drawing and measuring a 40-character string, per call.

#include <cstring>

#include <benchmark/benchmark.h>

#include "platform/win.h"

namespace {

constexpr char kText[] = "Lot 4711 / Best before 2027-03-31 (500g)";
static_assert(sizeof kText - 1 == 40);

class Surface {
 public:
  explicit Surface(BYTE quality) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 640;
    info.bmiHeader.biHeight = -48;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::memset(bits, 0xFF, 640 * 48 * 4);
    oldBitmap_ = SelectObject(dc_, bitmap_);
    font_ = CreateFontA(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, quality, 0, "Arial");
    oldFont_ = SelectObject(dc_, font_);
    SetBkMode(dc_, TRANSPARENT);
  }
  ~Surface() {
    SelectObject(dc_, oldFont_);
    SelectObject(dc_, oldBitmap_);
    DeleteObject(font_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HFONT font_;
  HGDIOBJ oldBitmap_;
  HGDIOBJ oldFont_;
};

void BM_TextOutMonochrome(benchmark::State& state) {
  Surface s(NONANTIALIASED_QUALITY);
  for (auto _ : state) benchmark::DoNotOptimize(TextOutA(s.dc(), 4, 8, kText, 40));
}
BENCHMARK(BM_TextOutMonochrome);

void BM_TextOutAntialiased(benchmark::State& state) {
  Surface s(ANTIALIASED_QUALITY);
  for (auto _ : state) benchmark::DoNotOptimize(TextOutA(s.dc(), 4, 8, kText, 40));
}
BENCHMARK(BM_TextOutAntialiased);

void BM_TextOutOpaqueTurned(benchmark::State& state) {
  Surface s(NONANTIALIASED_QUALITY);
  HFONT turned = CreateFontA(-14, 0, 300, 300, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
  HGDIOBJ old = SelectObject(s.dc(), turned);
  SetBkMode(s.dc(), OPAQUE);
  for (auto _ : state) benchmark::DoNotOptimize(TextOutA(s.dc(), 4, 44, kText, 40));
  SelectObject(s.dc(), old);
  DeleteObject(turned);
}
BENCHMARK(BM_TextOutOpaqueTurned);

void BM_GetTextExtent(benchmark::State& state) {
  Surface s(NONANTIALIASED_QUALITY);
  SIZE size{};
  for (auto _ : state) benchmark::DoNotOptimize(GetTextExtentPoint32A(s.dc(), kText, 40, &size));
}
BENCHMARK(BM_GetTextExtent);

void BM_DrawTextWordBreak(benchmark::State& state) {
  Surface s(NONANTIALIASED_QUALITY);
  for (auto _ : state) {
    RECT r{0, 0, 160, 48};
    benchmark::DoNotOptimize(DrawTextA(s.dc(), kText, 40, &r, DT_WORDBREAK | DT_CENTER));
  }
}
BENCHMARK(BM_DrawTextWordBreak);

}  // namespace
