// Appending numbers to hand-built picture files: little-endian for the
// Windows formats, big-endian for the Apple and Adobe ones.
#pragma once

#include <cstdint>
#include <vector>

namespace imgtest {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, int v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
inline void Put32(Bytes& b, int64_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}
inline void Be16(Bytes& b, int v) {
  b.push_back(uint8_t(v >> 8));
  b.push_back(uint8_t(v));
}
inline void Be32(Bytes& b, int64_t v) {
  for (int i = 3; i >= 0; --i) b.push_back(uint8_t(v >> (8 * i)));
}

}  // namespace imgtest
