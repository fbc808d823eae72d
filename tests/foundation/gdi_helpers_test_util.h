// A white 32-bit top-down bitmap selected into a memory device context, for
// drawing tests, and a writer that saves its pixels as a PNG under the build
// folder.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/gdi/gdi.h"
#include "tests/sheet_png.h"

class TestCanvas {
 public:
  TestCanvas(int width, int height) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    Clear(RGB(255, 255, 255));
  }
  ~TestCanvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  TestCanvas(const TestCanvas&) = delete;
  TestCanvas& operator=(const TestCanvas&) = delete;

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }

  void Clear(COLORREF c) {
    for (int i = 0; i < width_ * height_; ++i) bits_[i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }
  COLORREF At(int x, int y) const {
    const uint32_t v = bits_[y * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  bool IsWhite(int x, int y) const { return At(x, y) == RGB(255, 255, 255); }
  int CountNot(COLORREF c) const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) n += At(x, y) != c;
    return n;
  }
  // Bounding box of the pixels that differ from c (right/bottom excluded);
  // an empty rectangle when there are none.
  RECT BoundsNot(COLORREF c) const {
    RECT r{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (At(x, y) != c) {
          r.left = std::min<LONG>(r.left, x);
          r.top = std::min<LONG>(r.top, y);
          r.right = std::max<LONG>(r.right, x + 1);
          r.bottom = std::max<LONG>(r.bottom, y + 1);
        }
    return r.right > r.left ? r : RECT{0, 0, 0, 0};
  }

  // Writes the pixels as <name>.png under the build folder; returns its path or "".
  std::string SavePng(const std::string& name) const {
    const char* env = std::getenv("TAV_BUILD_DIR");
    const std::string dir = env && *env ? env : TAV_BUILD_DIR;
    const std::string png = dir + "/" + name + ".png";
    return PngWriter::Write(png, width_, height_, reinterpret_cast<const uint8_t*>(bits_)) ? png : "";
  }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};
