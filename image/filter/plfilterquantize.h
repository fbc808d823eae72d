// Reduces a 32-bit bitmap to 8 bits per pixel with a 256-entry palette.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "image/filter/plfilter.h"

enum PLQuantizeMethod : int {
  PLDTHPAL_MEDIAN = 0,
  PLDTHPAL_POPULARITY = 1,
  PLDTHPAL_DEFAULT = 2,  // the fixed palette
  PLDTHPAL_USERDEFINED = 3,
};
enum PLDitherMethod : int {
  PLDTH_NONE = 0,
  PLDTH_ORDERED = 1,
  PLDTH_FS = 2,  // serpentine Floyd-Steinberg
};

class PLFilterQuantize : public PLFilter {
 public:
  PLFilterQuantize(int method, int dither);
  ~PLFilterQuantize() override;

  void Apply(PLBmp* source, PLBmp* target) override;

  // The palette used by the user-palette method (256 entries, copied).
  void SetUserPalette(const PLPixel32* palette);
  // The fixed palette of method 2.
  static const PLPixel32* GetDefaultPalette();

  // One histogram cell of the 5-bit colour cube.
  struct Cell {
    int index = -1;  // palette index, -1 until computed
    int count = 0;   // pixels, stops at 65535
  };
  // A box of the median-cut method: corners and mean in 5-bit units.
  struct Box {
    PLPixel32 min, max, mean;
    int count = 0;
  };

 private:
  static int CellOf(int r, int g, int b) { return (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3); }
  Cell& CellAt(int cell);
  void BuildHistogram(PLBmp* source);
  void MedianCutPalette(PLPixel32* pal);
  void PopularityPalette(PLPixel32* pal);
  void ShrinkBox(Box& box);
  int NearestIndex(const PLPixel32* pal, int r, int g, int b);
  void MapPixels(PLBmp* source, PLBmp* target, const PLPixel32* pal);

  int m_Method;
  int m_Dither;
  std::unique_ptr<PLPixel32[]> m_pUserPal;
  std::vector<std::unique_ptr<Cell>> m_Histogram;  // 32768 cells, made on demand
  std::unique_ptr<Box[]> m_Boxes;                   // 256 boxes
};
