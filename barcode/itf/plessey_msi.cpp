// Plessey (type 12) and MSI (type 26): one encoder, MSI modulo 10 check digit.
#include "barcode/draw/human_readable.h"
#include "barcode/draw/symbol_frame.h"
#include "barcode/frame/check_digits.h"
#include "barcode/frame/encoders.h"

namespace kalvo {

int EncodePlesseyMsi(int, CBCode& code, int measureOnly) {
  code.textLeft = 0;
  code.textRight = 0;
  std::string digits = DataOf(code);
  digits += MsiMod10(digits);
  if (MakeHumanReadable(code, false) != kDone) return kDataTooLong;

  const int module = ModuleWidth(code);
  const int wide = (code.type == CodeOf(Symbology::Plessey) ? 3 : 2) * module;
  const int length = static_cast<int>(digits.size());
  code.width = 3 * module + 2 * wide + 4 * length * (wide + module);
  code.quietZone = 0;
  TextRow row = LayOutTextRow(code);
  if (measureOnly != 0) return 0;

  // Start "wn", each bit 0 "nw" and 1 "wn" (most significant first), stop "n" "wn".
  std::vector<int> widths{wide, module};
  for (char c : digits) {
    const int d = c - '0';
    for (int bit = 3; bit >= 0; --bit) {
      const bool one = ((d >> bit) & 1) != 0;
      widths.push_back(one ? wide : module);
      widths.push_back(one ? module : wide);
    }
  }
  widths.insert(widths.end(), {module, wide, module});
  Artwork art;
  art.bars.Elements(widths, 0, BarsTop(code), code.barHeight);
  return FinishSymbol(code, measureOnly, std::move(row), art);
}

}  // namespace kalvo
