// The request's font at each height a symbol's texts are measured and drawn
// in: every height's font is made once, and the measuring is done on one
// memory device context.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "barcode/draw/symbol_frame.h"

namespace kalvo {

class HeightFonts {
 public:
  // `font` is the request's font; FontForHeight scales it to each height.
  explicit HeightFonts(const LOGFONTA& font) : base_(font) {}
  HeightFonts(const HeightFonts&) = delete;
  HeightFonts& operator=(const HeightFonts&) = delete;

  // Whether these are the fonts of `font` (the request's font may change
  // between measuring and drawing).
  bool Of(const LOGFONTA& font) const;
  // The font at `height` dots, made on first use (null when it cannot be made).
  HFONT At(int height);
  // Width of `text` at `height` dots (0 when nothing can be measured).
  int Width(std::string_view text, int height);
  // The largest font height up to `maxHeight` at which `text` is at most
  // `width` dots wide (at least 1).
  int FittingHeight(std::string_view text, int maxHeight, int width);
  // The measuring context, its own font selected again, for drawing on
  // (null when nothing was measured).
  DcOwner TakeDc();

 private:
  LOGFONTA base_;
  std::vector<std::pair<int, FontOwner>> fonts_;
  // After the fonts: the context goes first, so none of them is left selected.
  DcOwner dc_;
  HFONT selected_ = nullptr;
  HGDIOBJ original_ = nullptr;  // the context's font before ours
};

}  // namespace kalvo
