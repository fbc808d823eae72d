// Data Matrix encodation search: for every byte of the text, the path with
// the fewest codewords so far that ends in each encodation scheme, kept as a
// small counter per scheme and a back-pointer per scheme and byte, so the
// chosen path can be replayed once.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "barcode/datamatrix/datamatrix_codewords.h"

namespace kalvo::datamatrix {

inline constexpr int kSchemes = 6;

// A path of the search reduced to what its further codewords depend on: the
// codewords so far, the values waiting for theirs and the state of its scheme
// (which is the path's index). It grows as the codewords written in that
// scheme would, counting only; the chosen path is replayed writing once.
struct Counter {
  int32_t count = 0;
  uint32_t boundaryPos = 0;  // input consumed at the last codeword boundary
  int32_t segment = 0;       // Base 256: bytes in the open segment
  uint8_t pending = 0;       // C40/Text/X12 or EDIFACT values waiting
  bool singleDigit = false;  // ASCII: the last codeword is one digit of this run
  bool ok = true;
};

struct SchemeSearch {
  std::array<Counter, kSchemes> ends;             // the path ending in each scheme after the whole text
  std::vector<std::array<int8_t, kSchemes>> from;  // per byte: the path each one grew from, -1 for none
};

// The search over `text` (no path ends anywhere for an empty text).
SchemeSearch SearchSchemes(std::span<const uint8_t> text);

// The schemes of the bytes along the path that ends in scheme `last`.
std::vector<Scheme> SchemesOf(const std::vector<std::array<int8_t, kSchemes>>& from, int last);

}  // namespace kalvo::datamatrix
