#include "barcode/maxicode/maxicode_charset.h"

#include <memory>

namespace kalvo::maxicode {
namespace {

using SetTable = std::array<int16_t, 64>;
constexpr int16_t F = -1;  // function value (latch, shift, pad, numeric shift, ECI)

// Values 0-26 of sets C, D and E run through consecutive bytes; the rest is
// listed value by value.
constexpr SetTable MakeSet(int first, int16_t firstByte, std::array<int16_t, 64 - 27> rest) {
  SetTable table{};
  table[0] = first;
  for (int i = 1; i < 27; ++i) table[i] = static_cast<int16_t>(firstByte + i);
  for (int i = 27; i < 64; ++i) table[i] = rest[i - 27];
  return table;
}

// Set A: CR, capitals, separators, space, punctuation, digits.
constexpr SetTable kSetATable = MakeSet(
    13, 'A' - 1,
    {F, 28, 29, 30, F, ' ', F, '"', '#', '$', '%', '&', '\'', '(', ')', '*', '+', ',', '-', '.', '/',
     '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', ':', F, F, F, F, F});
// Set B: lower case and the remaining ASCII punctuation.
constexpr SetTable kSetBTable = MakeSet(
    '`', 'a' - 1,
    {F, 28, 29, 30, F, '{', F, '}', '~', 127, ';', '<', '=', '>', '?', '[', '\\', ']', '^', '_', ' ',
     ',', '.', '/', ':', '@', '!', '|', F, F, F, F, F, F, F, F, F});
// Set C: upper-case accented letters and Latin-1 symbols, then 128-137.
constexpr SetTable kSetCTable = MakeSet(
    192, 192,
    {F, 28, 29, 30, F, 219, 220, 221, 222, 223, 170, 172, 177, 178, 179, 181, 185, 186, 188, 189,
     190, 128, 129, 130, 131, 132, 133, 134, 135, 136, 137, F, ' ', F, F, F, F});
// Set D: lower-case accented letters and Latin-1 symbols, then 138-148.
constexpr SetTable kSetDTable = MakeSet(
    224, 224,
    {F, 28, 29, 30, F, 251, 252, 253, 254, 255, 161, 168, 171, 175, 176, 180, 183, 184, 187, 191,
     138, 139, 140, 141, 142, 143, 144, 145, 146, 147, 148, F, ' ', F, F, F, F});
// Set E: control characters, the remaining Latin-1 symbols, then 149-158.
constexpr SetTable kSetETable = MakeSet(
    0, 0,
    {F, F, F, 27, F, 28, 29, 30, 31, 159, 160, 162, 163, 164, 165, 166, 167, 169, 173, 174, 182,
     149, 150, 151, 152, 153, 154, 155, 156, 157, 158, F, ' ', F, F, F, F});

constexpr std::array<const SetTable*, kCodeSetCount> kSets = {&kSetATable, &kSetBTable, &kSetCTable,
                                                              &kSetDTable, &kSetETable};

// The map, owned by the start-up and exit steps alone. A plain pointer, so
// static destruction (which for a library loaded at run time and never
// unloaded runs before the exit step) never frees it a second time.
MaxiCodeCharMapTable* charMap = nullptr;

}  // namespace

const std::array<int16_t, 64>& CodeSetEntries(int set) { return *kSets[set]; }

void BuildMaxiCodeCharMap() {
  auto map = std::make_unique<MaxiCodeCharMapTable>();
  for (CharEntry& entry : *map) {
    entry.value.fill(-1);
    entry.sets = 0;
  }
  for (int set = 0; set < kCodeSetCount; ++set) {
    const SetTable& table = *kSets[set];
    for (int value = 0; value < 64; ++value) {
      if (table[value] < 0) continue;
      CharEntry& entry = (*map)[table[value]];
      if (entry.value[set] >= 0) continue;  // a byte sits at most once per set
      entry.value[set] = static_cast<int8_t>(value);
      entry.sets = static_cast<uint8_t>(entry.sets | (1u << set));
    }
  }
  FreeMaxiCodeCharMap();
  charMap = map.release();
}

void FreeMaxiCodeCharMap() {
  delete charMap;
  charMap = nullptr;
}

const MaxiCodeCharMapTable& MaxiCodeCharMap() {
  if (charMap == nullptr) BuildMaxiCodeCharMap();
  return *charMap;
}

}  // namespace kalvo::maxicode
