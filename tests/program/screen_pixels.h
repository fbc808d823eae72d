// The pixels of the X11 program tests' screen (ProgramX11Test's width, one
// 0xRRGGBB value a pixel; the top byte is no colour): a pixel's colour, and
// the tallest run of white down a column, where an edit box stands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "program_x11_fixture.h"

namespace apptest {

inline uint32_t Pixel(const std::vector<uint32_t>& screen, int x, int y) {
  return screen[static_cast<size_t>(y) * ProgramX11Test::kScreenWidth + static_cast<size_t>(x)] & 0xFFFFFF;
}
inline bool White(const std::vector<uint32_t>& screen, int x, int y) { return Pixel(screen, x, y) == 0xFFFFFF; }

struct WhiteRun {
  int top = -1, length = 0;
};
// The tallest white run down column x from fromY up to toY.
inline WhiteRun TallestWhiteRun(const std::vector<uint32_t>& screen, int x, int fromY, int toY) {
  WhiteRun best, current;
  for (int y = fromY; y < toY; ++y) {
    if (White(screen, x, y)) {
      if (current.length++ == 0) current.top = y;
      if (current.length > best.length) best = current;
    } else {
      current = {};
    }
  }
  return best;
}

}  // namespace apptest
