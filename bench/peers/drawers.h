// One call of each contender, repeated by the timing loop: our library
// (encode, bitmap, DeleteObject), zint (encode into its own pixel buffer and
// free it) and the reference fill of a 32-bit buffer of our bitmap's size.
#pragma once

#include <cstdint>
#include <vector>

#include "bench/peers/cases.h"

namespace peers {

// Draws the case once with our library; false when nothing was drawn.
bool DrawOurs(const Case& c);
// Our bitmap's size for the case, in pixels.
struct PictureSize {
  int width = 0;
  int height = 0;
};
PictureSize OurPictureSize(const Case& c);

// Draws the case once with zint; false on an error.
bool DrawPeer(const Case& c);
PictureSize PeerPictureSize(const Case& c);

// A 32-bit fill of a buffer of the given size.
class Fill {
 public:
  explicit Fill(PictureSize size) : pixels_(static_cast<size_t>(size.width) * size.height) {}
  void Once();

 private:
  std::vector<uint32_t> pixels_;
  uint32_t value_ = 0;
};

}  // namespace peers
