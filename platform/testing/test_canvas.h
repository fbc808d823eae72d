// The drawing tests' canvas: a DIB section of 1, 4, 8, 24 or 32 bits selected
// into a memory device context, filled with a background colour, with the
// readers drawing tests compare against (pixels, ASCII pictures, counts,
// bounding boxes) and a PNG of it for a person to look at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/gdi_owners.h"
#include "platform/win.h"

namespace tavtest {

// BITMAPINFO with room for a full colour table.
struct DibInfo {
  BITMAPINFOHEADER header{};
  RGBQUAD colours[256]{};
  BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }
};
// A top-down DIB header for a negative height, bottom-up for a positive one.
DibInfo MakeDibInfo(int width, int height, int bpp, const std::vector<COLORREF>& palette = {});

class TestCanvas {
 public:
  TestCanvas(int width, int height, int bpp = 32, const std::vector<COLORREF>& palette = {},
             COLORREF background = RGB(255, 255, 255));
  TestCanvas(const TestCanvas&) = delete;
  TestCanvas& operator=(const TestCanvas&) = delete;

  HDC dc() const { return dc_.get(); }
  HBITMAP bitmap() const { return bitmap_.get(); }
  BYTE* bits() const { return static_cast<BYTE*>(bits_); }
  int width() const { return width_; }
  int height() const { return height_; }
  int bpp() const { return bpp_; }

  // A pixel through GetPixel: logical coordinates, the clip applies.
  COLORREF At(int x, int y) const { return GetPixel(dc(), x, y); }
  // Straight from a 32-bit canvas's memory, whatever the mapping or clip.
  COLORREF Raw(int x, int y) const;
  // A device pixel, whatever the mapping mode (32-bit canvases read memory).
  COLORREF Device(int x, int y) const { return bpp_ == 32 ? Raw(x, y) : At(x, y); }

  // One character per pixel: '#' where the pixel has `ink`, '.' elsewhere.
  std::string Picture(COLORREF ink, RECT area) const;
  std::string Picture(COLORREF ink) const { return Picture(ink, RECT{0, 0, width_, height_}); }
  int Count(COLORREF colour) const;
  int CountNot(COLORREF colour) const { return width_ * height_ - Count(colour); }
  bool IsWhite(int x, int y) const { return Device(x, y) == RGB(255, 255, 255); }
  // The bounding box of every pixel of that colour (right and bottom excluded).
  RECT Bounds(COLORREF colour) const;
  // The bounding box of the pixels that differ from a colour; all zeros when none do.
  RECT BoundsNot(COLORREF colour) const;

  // The helpers below read and write 32-bit canvases' memory directly.
  // Every byte of every pixel set to 0xFF (white), whatever the mapping or clip.
  void Clear();
  void Clear(COLORREF colour);
  std::vector<BYTE> Snapshot() const;
  // The bounding box of the pixels that are not white; (0,0,0,0) when all are.
  RECT InkBox() const { return BoundsNot(RGB(255, 255, 255)); }
  int Inked() const { return CountNot(RGB(255, 255, 255)); }

  // Writes a 32-bit canvas as a PNG; false when it cannot.
  bool SavePng(const std::string& path) const;

 private:
  int width_, height_, bpp_;
  void* bits_ = nullptr;  // before bitmap_: the section's constructor fills it
  UniqueDc dc_;
  UniqueBitmap bitmap_;
  SelectScope select_;
};

}  // namespace tavtest
