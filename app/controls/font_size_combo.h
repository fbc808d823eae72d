// The point-size combo: the sizes of a chosen font (its own sizes for a
// raster font, a standard list for scalable ones), read and set in
// twentieths of a point (twips).
#pragma once

#include <iterator>

#include "app/controls/font_combo_base.h"

class CFontSizeCombo : public CFontComboBase {
 public:
  int m_logPixelsY = 96;
  int m_twips = -1;  // the size last set
  int m_onPrinter = 0;

  void FillSizes(const char* face, const char* printerDevice);
  // The current text as twips: -1 empty, -2 not a number alone, else the
  // number times 20 (0 for a negative number).
  int GetTwipSize() const;
  void SetTwipSize(int twips);

  // Steps of the enumeration (public for its callback and for tests).
  void FillStandardSizes();
  void AddRasterSize(int twips);
};

// "10" or "10.5": the size of `twips` to the nearest half point; empty for
// a negative size.
AString FontSizeText(int twips);
// The standard point sizes of scalable fonts.
inline constexpr int kStandardPointSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
static_assert(std::size(kStandardPointSizes) == 16);
