// MaxiCode code sets A to E: the 64 values of each set and, per byte, its
// value in each set. The per-byte map is built once when the library loads.
#pragma once

#include <array>
#include <cstdint>

namespace kalvo::maxicode {

enum CodeSet : int { kSetA = 0, kSetB = 1, kSetC = 2, kSetD = 3, kSetE = 4 };
constexpr int kCodeSetCount = 5;

// Function values shared by sets A and B.
constexpr uint8_t kNumericShift = 31;
constexpr uint8_t kPad = 33;
constexpr uint8_t kTwoShiftA = 56;    // set B only
constexpr uint8_t kThreeShiftA = 57;  // set B only
constexpr uint8_t kShiftOther = 59;   // A: shift to B; B: shift to A
constexpr uint8_t kShiftC = 60;
constexpr uint8_t kShiftD = 61;
constexpr uint8_t kShiftE = 62;
constexpr uint8_t kLatchOther = 63;   // A: latch to B; B: latch to A

// One byte's value in each set, -1 where the set lacks it, and the five-bit
// mask of the sets holding it (bit 0 = A ... bit 4 = E).
struct CharEntry {
  std::array<int8_t, kCodeSetCount> value;
  uint8_t sets;
};

using MaxiCodeCharMapTable = std::array<CharEntry, 256>;

// The 64 entries of a code set: a byte value, or -1 for a function value.
const std::array<int16_t, 64>& CodeSetEntries(int set);

// Start-up and shutdown steps: the map lives from the first to the second.
void BuildMaxiCodeCharMap();
void FreeMaxiCodeCharMap();
// The map built at start-up (built on demand if start-up did not run).
const MaxiCodeCharMapTable& MaxiCodeCharMap();

}  // namespace kalvo::maxicode
