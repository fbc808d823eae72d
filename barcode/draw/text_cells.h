// The cells a framed text is laid out in: one per byte, a byte below 32 in an
// "M"-wide cell (drawn as a box outline), every other byte in a cell as wide
// as its advance.
#pragma once

#include <array>
#include <string_view>

#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_owners.h"

namespace kalvo {

// What the caller knows of the pixels under a text before it is drawn: every
// row outside [inkTop, inkBottom) holds `colour` and nothing else, or will
// once `unpainted` (a part left for the text to fill) is filled with it.
struct PlainGround {
  COLORREF colour;
  int inkTop;
  int inkBottom;
  RECT unpainted{};
};

struct Cell {
  int width = 0;
  bool boxKnown = false;
  // The glyph's black box from the pen on the baseline, y down; empty when
  // the glyph has no pixels.
  RECT ink{};
};

// Each byte value measured once on a device context with its font selected.
class CellWidths {
 public:
  // With `boxes`, the glyphs' black boxes are measured too where the context
  // draws logical units as pixels; the font must then be upright.
  explicit CellWidths(HDC dc, bool boxes = false);
  // The "M" cell: width and height.
  const SIZE& m() const { return m_; }
  const Cell& Of(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 32) return cells_[0];
    if (!known_[b]) {
      cells_[b] = Measure(b);
      known_[b] = true;
    }
    return cells_[b];
  }
  int operator()(char c) { return Of(c).width; }
  int Total(std::string_view text) {
    Prepare(text);
    int width = 0;
    for (char c : text) width += (*this)(c);
    return width;
  }
  // Measures the bytes of `text` not measured yet. Without boxes, where a
  // logical unit is a pixel, the bytes below 128 are measured in one call.
  void Prepare(std::string_view text);

 private:
  Cell Measure(unsigned char b) const;

  HDC dc_;
  SIZE m_;
  bool pixelUnits_;
  bool boxes_;
  std::array<bool, 256> known_{};
  std::array<Cell, 256> cells_{};
};

// Draws control bytes' cells as box outlines in the text colour, inset by a
// quarter of the "M" cell; the brush is made on first use.
class ControlFrames {
 public:
  explicit ControlFrames(HDC dc) : dc_(dc) {}
  void Frame(int x, int y, const SIZE& m);

 private:
  HDC dc_;
  UniqueBrush brush_;
};

}  // namespace kalvo
