// Code 93 (type 3).
#include "barcode/draw/human_readable.h"
#include "barcode/draw/symbol_frame.h"
#include "barcode/frame/check_digits.h"
#include "barcode/frame/encoders.h"
#include "barcode/frame/tables.h"

namespace kalvo {

namespace {

// Nine modules per value 0-47 ('1' dark); 43-46 are the shift characters, 47
// the start/stop character.
constexpr const char* kCode93Patterns[48] = {
    "100010100", "101001000", "101000100", "101000010", "100101000", "100100100", "100100010", "101010000",
    "100010010", "100001010", "110101000", "110100100", "110100010", "110010100", "110010010", "110001010",
    "101101000", "101100100", "101100010", "100110100", "100011010", "101011000", "101001100", "101000110",
    "100101100", "100010110", "110110100", "110110010", "110101100", "110100110", "110010110", "110011010",
    "101101100", "101100110", "100110110", "100111010", "100101110", "111010100", "111010010", "111001010",
    "101101110", "101110110", "110101110", "100100110", "111011010", "111010110", "100110010", "101011110",
};
constexpr std::string_view kStart = "101011110";
constexpr std::string_view kStopAndBar = "1010111101";

// Weighted sum modulo 47 from the right, weights 1..limit repeating.
char Code93Check(std::string_view text, int limit) {
  int sum = 0;
  int weight = 1;
  for (auto it = text.rbegin(); it != text.rend(); ++it) {
    const int value = Code93Value(*it);
    if (value >= 0) sum += value * weight;
    weight = weight == limit ? 1 : weight + 1;
  }
  const int check = sum % 47;
  return check < 43 ? Tables().code93[check] : Tables().code93Shift[check - 43];
}

}  // namespace

int EncodeCode93(int, CBCode& code, int measureOnly) {
  code.textLeft = 0;
  code.textRight = 0;
  std::string symbol = UpperCased(DataOf(code));
  symbol += Code93Check(symbol, 20);
  symbol += Code93Check(symbol, 15);
  if (MakeHumanReadable(code, false) != kDone) return kDataTooLong;

  const int module = ModuleWidth(code);
  const int length = static_cast<int>(symbol.size());
  code.width = (9 * length + 19) * module;
  code.quietZone = 0;
  TextRow row = LayOutTextRow(code);
  if (measureOnly != 0) return 0;

  Artwork art;
  const int top = BarsTop(code);
  art.bars.Modules(kStart, 0, top, module, code.barHeight);
  for (int i = 0; i < length; ++i) {
    const int value = Code93Value(symbol[i]);
    if (value >= 0) art.bars.Modules(kCode93Patterns[value], 9 * module * (i + 1), top, module, code.barHeight);
  }
  art.bars.Modules(kStopAndBar, 9 * module * (length + 1), top, module, code.barHeight);
  return FinishSymbol(code, measureOnly, std::move(row), art);
}

}  // namespace kalvo
