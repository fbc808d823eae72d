// The frame every linear encoder follows: module widths from the request, the
// text row, and the shared drawing operations that turn the encoder's bars and
// texts into a bitmap compatible with the screen.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "barcode/draw/module_matrix.h"
#include "barcode/request/cbcode.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_owners.h"

namespace kalvo {

// Adds 0.5 and cuts the fraction (values here are never negative).
inline int RoundDots(double value) { return static_cast<int>(value + 0.5); }

// A rectangle in symbol dots scaled by `factor` to the bitmap's resolution,
// each edge rounded; unchanged at the same scale.
RECT ScaleRect(const RECT& r, bool sameScale, double factor);

// Module (narrow element) width in dots.
int ModuleWidth(const CBCode& code);
// Wide element width in dots for a ratio in percent.
inline int WideWidth(int module, int ratioPercent) {
  return RoundDots(static_cast<double>(static_cast<long long>(module) * ratioPercent) / 100.0);
}

// The text row is shown when it has a position and the request allows text.
inline bool TextRowShown(const CBCode& code) { return code.textPosition != 0 && code.noText == 0; }

// Clears textGap/textHeight when the row is hidden and sets height accordingly.
void ApplyTextRow(CBCode& code, bool shown);
// y where the bars start: below the text row when the text stands above them.
inline int BarsTop(const CBCode& code) { return code.textPosition == 2 ? code.textGap + code.textHeight : 0; }

// The bars an encoder paints, in symbol coordinates (dots at `resolution`).
class BarList {
 public:
  void Add(int left, int top, int width, int height);
  // `pattern` holds '1' for a dark module and '0' for a light one; each run of
  // dark modules becomes one bar. Returns the x after the pattern.
  int Modules(std::string_view pattern, int x, int top, int module, int height);
  // The same for a row of a module matrix: non-zero bytes are dark.
  int Modules(std::span<const uint8_t> dark, int x, int top, int module, int height);
  // Alternating bar and space widths in dots, starting with a bar. Returns the
  // x after the last element.
  int Elements(std::span<const int> widths, int x, int top, int height);
  // Room for `count` bars in all, when the encoder knows it beforehand.
  void Reserve(size_t count) { rects_.reserve(count); }
  const std::vector<RECT>& Rects() const { return rects_; }

 private:
  std::vector<RECT> rects_;
};

// A text placed in a rectangle with DrawText format flags (symbol coordinates),
// in the request's font at `fontHeight` dots (0: the text row's height).
struct PlacedText {
  std::string text;
  RECT rect;
  UINT format;
  int fontHeight = 0;
};

class HeightFonts;

// What the bitmap is filled with before painting: the request's background
// colour (linear symbols) or white (the two-dimensional symbols).
enum class Ground { RequestColour, White };

// Everything an encoder hands to the frame for painting.
struct Artwork {
  Ground ground = Ground::RequestColour;
  BarList bars;
  // Shapes other than bars, painted after them straight in bitmap pixels
  // (at the output resolution) with the bar brush, over the ground colour.
  std::function<void(HDC dc, HBRUSH barBrush, COLORREF ground)> shapes;
  // The shapes paint every pixel, the ground included, so a symbol without
  // bars is not painted with the ground first.
  bool shapesPaintGround = false;
  // A two-dimensional symbol given as its modules, `moduleSize` dots wide and
  // `moduleHeight` high each (0: square), instead of as bars: painted a
  // module row at a time.
  const ModuleMatrix* modules = nullptr;
  int moduleSize = 0;
  int moduleHeight = 0;
  bool drawTextRow = false;        // DrawTextRow with the request's hrText
  std::vector<PlacedText> texts;   // EAN/UPC digits, drawn with the row's font
  HeightFonts* fonts = nullptr;    // the fonts the texts were measured in, if kept
};

using DcOwner = UniqueDc;
using FontOwner = UniqueFont;

// The request's font at a row height of `height` dots, its width scaled in the
// same proportion (a height of 0 leaves the width as it is).
LOGFONTA FontForHeight(const LOGFONTA& font, int height);

// Width of `text` as DrawFramedText lays it out (bytes below 32 count as "M").
int FramedTextWidth(HDC dc, std::string_view text);

// Measures the text row: rewrites font height and width into the request,
// widens the symbol when the text is wider than the bars (textLeft, textRight,
// width) and returns the memory device context for the drawing.
DcOwner MeasureTextRow(CBCode& code);

// The text row of a symbol that shows the request's hrText: its room is
// reserved (or cleared when the row is hidden) and, when shown, the row is
// measured on the device context the symbol is then drawn on.
struct TextRow {
  bool shown = false;
  DcOwner dc;
};
TextRow LayOutTextRow(CBCode& code);

// Steps 4 to 9 of the frame: nothing more with measureOnly, otherwise the
// bitmap with background, bars and text, left in code.bitmap. Returns 0.
int FinishSymbol(CBCode& code, int measureOnly, DcOwner dc, const Artwork& art);
// The same for a symbol under or over its text row: the row is drawn when shown.
int FinishSymbol(CBCode& code, int measureOnly, TextRow row, Artwork& art);

}  // namespace kalvo
