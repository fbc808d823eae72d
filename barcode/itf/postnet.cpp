// POSTNET (type 24): sizes from the resolution alone, no human-readable text.
#include "barcode/draw/human_readable.h"
#include "barcode/draw/symbol_frame.h"
#include "barcode/frame/check_digits.h"
#include "barcode/frame/encoders.h"

namespace kalvo {

namespace {
// Five bars per digit: '1' full height, '0' half height.
constexpr const char* kDigitBars[10] = {"11000", "00011", "00101", "00110", "01001",
                                        "01010", "01100", "10001", "10010", "10100"};
}  // namespace

int EncodePostnet(int, CBCode& code, int measureOnly) {
  if (code.resolution <= 0) return 0;
  std::string digits = DataOf(code);
  digits += PostnetCheck(digits);
  code.textLeft = 0;
  code.textRight = 0;

  const double dpi = code.resolution;
  const int barWidth = RoundDots(0.02 * dpi);
  const int pitch = RoundDots(0.0475 * dpi);
  const int full = RoundDots(0.125 * dpi);
  const int half = RoundDots(0.05 * dpi);
  const int length = static_cast<int>(digits.size());
  code.barHeight = full;
  code.height = full;
  code.textGap = 0;
  code.textHeight = 0;
  code.quietZone = 0;
  code.width = (5 * length + 1) * pitch + barWidth;
  if (measureOnly != 0) return 0;

  std::string bars = "1";
  for (char c : digits) bars += kDigitBars[c - '0'];
  bars += "1";
  Artwork art;
  for (size_t i = 0; i < bars.size(); ++i) {
    const int x = static_cast<int>(i) * pitch;
    if (bars[i] == '1') {
      art.bars.Add(x, 0, barWidth, full);
    } else {
      art.bars.Add(x, full - half, barWidth, half);
    }
  }
  return FinishSymbol(code, measureOnly, DcOwner(), art);
}

}  // namespace kalvo
