// A small drawing surface for the GDI pixel tests: a memory device context
// holding a top-down DIB section, with pixel access and a picture of it as text.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/gdi_owners.h"
#include "platform/win.h"

namespace gditest {

// BITMAPINFO with room for a full colour table.
struct DibInfo {
  BITMAPINFOHEADER header{};
  RGBQUAD colours[256]{};
  BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

inline DibInfo MakeInfo(int width, int height, int bpp, std::vector<COLORREF> palette = {}) {
  DibInfo info;
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bpp);
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = static_cast<DWORD>(palette.size());
  for (size_t i = 0; i < palette.size(); ++i)
    info.colours[i] = RGBQUAD{GetBValue(palette[i]), GetGValue(palette[i]), GetRValue(palette[i]), 0};
  return info;
}

class Canvas {
 public:
  Canvas(int width, int height, int bpp = 32, std::vector<COLORREF> palette = {}, COLORREF background = RGB(255, 255, 255))
      : width_(width), height_(height), bpp_(bpp) {
    DibInfo info = MakeInfo(width, -height, bpp, std::move(palette));
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, info.get(), DIB_RGB_COLORS, &bits_, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  BYTE* bits() const { return static_cast<BYTE*>(bits_); }
  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  // Straight from a 32-bit canvas's memory, whatever the clip.
  COLORREF Raw(int x, int y) const {
    const BYTE* p = bits() + (static_cast<size_t>(y) * width_ + x) * 4;
    return RGB(p[2], p[1], p[0]);
  }

  // A device pixel, whatever the mapping mode (32-bit canvases read memory).
  COLORREF Device(int x, int y) const { return bpp_ == 32 ? Raw(x, y) : At(x, y); }

  // One character per pixel: '#' where the pixel has `ink`, '.' elsewhere.
  std::string Picture(COLORREF ink, RECT area) const {
    std::string out;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) out += Device(x, y) == ink ? '#' : '.';
      out += '\n';
    }
    return out;
  }
  std::string Picture(COLORREF ink) const { return Picture(ink, RECT{0, 0, width_, height_}); }
  int Count(COLORREF colour) const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) n += Device(x, y) == colour;
    return n;
  }
  // The bounding box of every pixel of that colour (right and bottom excluded).
  RECT Bounds(COLORREF colour) const {
    RECT r{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (Device(x, y) == colour) {
          r.left = std::min<LONG>(r.left, x), r.top = std::min<LONG>(r.top, y);
          r.right = std::max<LONG>(r.right, x + 1), r.bottom = std::max<LONG>(r.bottom, y + 1);
        }
    return r;
  }

  // The helpers below read and write 32-bit canvases' memory directly.
  // Every byte of every pixel set to 0xFF (white), whatever the mapping or clip.
  void Clear() { std::memset(bits_, 0xFF, static_cast<size_t>(width_) * height_ * 4); }
  std::vector<BYTE> Snapshot() const { return std::vector<BYTE>(bits(), bits() + static_cast<size_t>(width_) * height_ * 4); }
  // The bounding box of the pixels that are not white; (0,0,0,0) when all are.
  RECT InkBox() const {
    RECT box{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (Raw(x, y) != RGB(255, 255, 255)) {
          box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
          box.right = std::max<LONG>(box.right, x + 1), box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    return box.right == 0 ? RECT{0, 0, 0, 0} : box;
  }
  int Inked() const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) n += Raw(x, y) != RGB(255, 255, 255);
    return n;
  }

 private:
  int width_, height_, bpp_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
};

// Selects an object for a scope and deletes it afterwards: deselected first,
// then deleted (members go in reverse order).
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : owner_(object), scope_(dc, object) {}

 private:
  UniqueGdi<HGDIOBJ> owner_;
  SelectScope scope_;
};

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

inline bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace gditest
