// Code 128 family: code-set choice, FNC1 and modulo 10 handling, several
// application identifiers.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "barcode/request/cbcode.h"

namespace kalvo {

// Bytes 128-138 stand for function and set characters inside the library.
enum Code128Byte : uint8_t {
  kFnc3 = 128,
  kFnc2 = 129,
  kShift = 130,
  kToC = 131,
  kToB = 132,
  kToA = 133,
  kFnc1 = 134,
  kFnc4 = 135,
  kStartA = 136,
  kStartB = 137,
  kStartC = 138,
};

// Chooses code sets for `data`: the start byte, then the characters (set-C
// values as two digits). codeSet 0 automatic, 1 start in C, 2 in B, 3 in A.
// Runs in time linear in the data's length.
std::vector<uint8_t> ChooseCodeSets(std::span<const uint8_t> data, int codeSet);

// Turns the output of ChooseCodeSets into symbol values, start first.
std::vector<int> ValuesOfChosenSets(std::span<const uint8_t> chosen);

// The modulo 10 step of Code 128 C with FNC1: padding "0" at mod10Start so the
// digits come out even, then the GS1 check digit when addMod10 is set.
void ApplyMod10Step(std::string& text, bool addMod10, int mod10Start);

// Data and text of a symbol built from identifier/value pairs.
struct MultiAiSymbol {
  std::string data;
  std::string text;
};
MultiAiSymbol BuildMultiAi(std::span<const std::string_view> identifiers, std::span<const std::string_view> values,
                           bool withBrackets);
// The same from the request's aiNames/aiValues (brackets as the request says).
MultiAiSymbol BuildMultiAiSymbol(const CBCode& code);

// Six element widths in modules of each value 0-106 (106: the stop's first six).
extern const char* const kCode128Patterns[107];

}  // namespace kalvo
