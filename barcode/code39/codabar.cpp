// Codabar (type 0).
#include "barcode/draw/human_readable.h"
#include "barcode/draw/symbol_frame.h"
#include "barcode/frame/encoders.h"
#include "barcode/frame/tables.h"

namespace kalvo {

namespace {

// Seven elements per character, bar first: 1 narrow bar, 0 narrow space,
// 3 wide bar, 2 wide space.
constexpr const char* kCodabarPatterns[20] = {
    "1010123", "1010321", "1012103", "3210101", "1030121", "3010121", "1210103", "1210301", "1230101", "3012101",
    "1012301", "1032101", "3010303", "3030103", "3030301", "1030303", "1032121", "1212103", "1012123", "1012321",
};

bool IsStartStop(char c) { return (c >= 'A' && c <= 'D') || (c >= 'a' && c <= 'd'); }

char UpperStartStop(char c) { return c >= 'a' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

int EncodeCodabar(int, CBCode& code, int measureOnly) {
  code.textLeft = 0;
  code.textRight = 0;
  std::string symbol = DataOf(code);
  // Start and stop come together: both given, or both from the request.
  if (!symbol.empty()) {
    const bool ownStartStop = IsStartStop(symbol.front());
    const size_t last = symbol.size() - 1;
    if (ownStartStop && (last == 0 || !IsStartStop(symbol.back()))) return kInvalidCharacter;
    for (size_t i = ownStartStop ? 1 : 0; i < (ownStartStop ? last : symbol.size()); ++i) {
      if (IsStartStop(symbol[i])) return kInvalidCharacter;
    }
    if (ownStartStop) {
      symbol.front() = UpperStartStop(symbol.front());
      symbol.back() = UpperStartStop(symbol.back());
    } else {
      symbol.insert(symbol.begin(), static_cast<char>('A' + (code.codabarStart & 3)));
      symbol += static_cast<char>('A' + (code.codabarStop & 3));
    }
  }
  if (MakeHumanReadable(code, false) != kDone) return kDataTooLong;

  const int module = ModuleWidth(code);
  const int wide = WideWidth(module, code.ratio);
  code.width = 0;
  for (size_t i = 0; i < symbol.size(); ++i) {
    const int value = CodabarValue(symbol[i]);
    code.width += value > 11 ? 3 * wide + 4 * module : 2 * wide + 5 * module;
    if (i + 1 < symbol.size()) code.width += module;
  }
  code.quietZone = 0;
  TextRow row = LayOutTextRow(code);
  if (measureOnly != 0) return 0;

  Artwork art;
  const int top = BarsTop(code);
  int x = code.textLeft;
  for (char c : symbol) {
    const int value = CodabarValue(c);
    if (value < 0) return 0;
    std::vector<int> widths;
    for (const char* p = kCodabarPatterns[value]; *p != 0; ++p) widths.push_back(*p == '3' || *p == '2' ? wide : module);
    widths.push_back(module);
    x = art.bars.Elements(widths, x, top, code.barHeight);
  }
  return FinishSymbol(code, measureOnly, std::move(row), art);
}

}  // namespace kalvo
