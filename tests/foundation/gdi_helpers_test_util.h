// A white 32-bit top-down bitmap selected into a memory device context, for
// drawing tests, and a writer that saves its pixels as a PNG (through a BMP
// and ImageMagick) under the build folder.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win/gdi.h"

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

  // Writes a 24-bit BMP and converts it to PNG; returns the PNG path or "".
  std::string SavePng(const std::string& name) const {
    const char* env = std::getenv("TAV_BUILD_DIR");
    const std::string dir = env && *env ? env : TAV_BUILD_DIR;
    const std::string bmp = dir + "/" + name + ".bmp";
    const std::string png = dir + "/" + name + ".png";
    FILE* f = std::fopen(bmp.c_str(), "wb");
    if (!f) return "";
    const uint32_t stride = (static_cast<uint32_t>(width_) * 3 + 3) & ~3u;
    const uint32_t imageSize = stride * static_cast<uint32_t>(height_);
    auto put16 = [f](uint16_t v) { std::fputc(v & 0xFF, f), std::fputc(v >> 8, f); };
    auto put32 = [f](uint32_t v) {
      for (int i = 0; i < 4; ++i) std::fputc((v >> (8 * i)) & 0xFF, f);
    };
    put16(0x4D42), put32(54 + imageSize), put32(0), put32(54);
    put32(40), put32(static_cast<uint32_t>(width_)), put32(static_cast<uint32_t>(height_)), put16(1), put16(24);
    put32(0), put32(imageSize), put32(3780), put32(3780), put32(0), put32(0);
    for (int y = height_ - 1; y >= 0; --y) {
      for (int x = 0; x < width_; ++x) {
        const uint32_t v = bits_[y * width_ + x];
        std::fputc(v & 0xFF, f), std::fputc((v >> 8) & 0xFF, f), std::fputc((v >> 16) & 0xFF, f);
      }
      for (uint32_t pad = static_cast<uint32_t>(width_) * 3; pad < stride; ++pad) std::fputc(0, f);
    }
    std::fclose(f);
    const std::string command = "convert '" + bmp + "' '" + png + "'";
    if (std::system(command.c_str()) != 0) return "";
    std::remove(bmp.c_str());
    return png;
  }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};
