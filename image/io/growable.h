// Growth rule shared by the sinks that own their buffer.
#pragma once

#include <cstddef>
#include <exception>
#include <limits>
#include <new>
#include <vector>

#include "image/bitmap/plbmp.h"

// Grows the vector to hold at least total bytes (doubling, capped at the
// largest int); false when that is too much or memory cannot be had.
inline bool GrowSinkBuffer(std::vector<PLBYTE>& buffer, size_t total) {
  constexpr size_t kLimit = size_t(std::numeric_limits<int>::max());
  if (total > kLimit) return false;
  if (total <= buffer.size()) return true;
  size_t wanted = buffer.size() < 4096 ? 4096 : buffer.size();
  while (wanted < total) wanted = wanted > kLimit / 2 ? kLimit : wanted * 2;
  try {
    buffer.resize(wanted);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}
