// The high-level encoding of PDF417 and MicroPDF417: text, byte and numeric
// compaction of the data text into data codewords.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "barcode/request/symbology.h"

namespace kalvo::pdf417 {

// The encoder serves kalvo::Symbology::Pdf417 and MicroPdf417.
using kalvo::Symbology;

// Mode latch and shift codewords.
inline constexpr int kTextLatch = 900;
inline constexpr int kByteLatch = 901;
inline constexpr int kNumericLatch = 902;
inline constexpr int kByteShift = 913;
inline constexpr int kByteLatchSix = 924;

std::vector<int> EncodePdf417Data(Symbology symbology, std::span<const uint8_t> text);

}  // namespace kalvo::pdf417
