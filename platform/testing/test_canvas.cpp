#include "platform/testing/test_canvas.h"

#include <algorithm>
#include <cstring>

#include "platform/testing/png_writer.h"

namespace tavtest {

DibInfo MakeDibInfo(int width, int height, int bpp, const std::vector<COLORREF>& palette) {
  DibInfo info;
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bpp);
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = static_cast<DWORD>(std::min<size_t>(palette.size(), 256));
  for (size_t i = 0; i < palette.size() && i < 256; ++i)
    info.colours[i] = RGBQUAD{GetBValue(palette[i]), GetGValue(palette[i]), GetRValue(palette[i]), 0};
  return info;
}

namespace {

HBITMAP MakeSection(HDC dc, int width, int height, int bpp, const std::vector<COLORREF>& palette, void** bits) {
  DibInfo info = MakeDibInfo(width, -height, bpp, palette);
  return CreateDIBSection(dc, info.get(), DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace

TestCanvas::TestCanvas(int width, int height, int bpp, const std::vector<COLORREF>& palette, COLORREF background)
    : width_(width),
      height_(height),
      bpp_(bpp),
      dc_(CreateCompatibleDC(nullptr)),
      bitmap_(MakeSection(dc_.get(), width, height, bpp, palette, &bits_)),
      select_(dc_.get(), bitmap_.get()) {
  const UniqueBrush brush(CreateSolidBrush(background));
  const RECT all{0, 0, width, height};
  FillRect(dc(), &all, brush.get());
}

COLORREF TestCanvas::Raw(int x, int y) const {
  const BYTE* p = bits() + (static_cast<size_t>(y) * width_ + x) * 4;
  return RGB(p[2], p[1], p[0]);
}

std::string TestCanvas::Picture(COLORREF ink, RECT area) const {
  std::string out;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) out += Device(x, y) == ink ? '#' : '.';
    out += '\n';
  }
  return out;
}

int TestCanvas::Count(COLORREF colour) const {
  int n = 0;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) n += Device(x, y) == colour;
  return n;
}

RECT TestCanvas::Bounds(COLORREF colour) const {
  RECT r{width_, height_, 0, 0};
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (Device(x, y) == colour) {
        r.left = std::min<LONG>(r.left, x), r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1), r.bottom = std::max<LONG>(r.bottom, y + 1);
      }
  return r;
}

RECT TestCanvas::BoundsNot(COLORREF colour) const {
  RECT r{width_, height_, 0, 0};
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (Device(x, y) != colour) {
        r.left = std::min<LONG>(r.left, x), r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1), r.bottom = std::max<LONG>(r.bottom, y + 1);
      }
  return r.right > r.left ? r : RECT{0, 0, 0, 0};
}

void TestCanvas::Clear() { std::memset(bits_, 0xFF, static_cast<size_t>(width_) * height_ * 4); }

void TestCanvas::Clear(COLORREF c) {
  auto* pixels = static_cast<uint32_t*>(bits_);
  const uint32_t value = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  std::fill(pixels, pixels + static_cast<size_t>(width_) * height_, value);
}

std::vector<BYTE> TestCanvas::Snapshot() const {
  return std::vector<BYTE>(bits(), bits() + static_cast<size_t>(width_) * height_ * 4);
}

bool TestCanvas::SavePng(const std::string& path) const {
  return bpp_ == 32 && WritePng(path, width_, height_, bits());
}

}  // namespace tavtest
