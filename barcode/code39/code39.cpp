// Code 39 and Code 39 full ASCII (types 1 and 2).
#include "barcode/code39/code39.h"

#include <cstring>

#include "barcode/draw/human_readable.h"
#include "barcode/draw/symbol_frame.h"
#include "barcode/frame/check_digits.h"
#include "barcode/frame/encoders.h"
#include "barcode/frame/messages.h"
#include "barcode/frame/tables.h"
#include "barcode/kalvo.h"

namespace kalvo {

namespace {

// Nine elements per character (bar, space, ..., bar): 'w' wide, 'n' narrow.
constexpr const char* kCode39Patterns[44] = {
    "nnnwwnwnn", "wnnwnnnnw", "nnwwnnnnw", "wnwwnnnnn", "nnnwwnnnw", "wnnwwnnnn", "nnwwwnnnn", "nnnwnnwnw",
    "wnnwnnwnn", "nnwwnnwnn", "wnnnnwnnw", "nnwnnwnnw", "wnwnnwnnn", "nnnnwwnnw", "wnnnwwnnn", "nnwnwwnnn",
    "nnnnnwwnw", "wnnnnwwnn", "nnwnnwwnn", "nnnnwwwnn", "wnnnnnnww", "nnwnnnnww", "wnwnnnnwn", "nnnnwnnww",
    "wnnnwnnwn", "nnwnwnnwn", "nnnnnnwww", "wnnnnnwwn", "nnwnnnwwn", "nnnnwnwwn", "wwnnnnnnw", "nwwnnnnnw",
    "wwwnnnnnn", "nwnnwnnnw", "wwnnwnnnn", "nwwnwnnnn", "nwnnnnwnw", "wwnnnnwnn", "nwwnnnwnn", "nwnwnwnnn",
    "nwnwnnnwn", "nwnnnwnwn", "nnnwnwnwn", "nwnnwnwnn",
};

void AppendFullAscii(std::string& out, unsigned char b, bool keepLower) {
  if (b == 0) {
    out += "%U";
  } else if (b <= 26) {
    out += '$';
    out += static_cast<char>(b + 64);
  } else if (b <= 31) {
    out += '%';
    out += static_cast<char>(b + 38);
  } else if (b == ' ' || b == '-' || b == '.' || (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z')) {
    out += static_cast<char>(b);
  } else if (b >= 33 && b <= 44) {
    out += '/';
    out += static_cast<char>(b + 32);
  } else if (b == '/') {
    out += "/O";
  } else if (b == ':') {
    out += "/Z";
  } else if (b >= 59 && b <= 63) {
    out += '%';
    out += static_cast<char>(b + 11);
  } else if (b == '@') {
    out += "%V";
  } else if (b >= 91 && b <= 95) {
    out += '%';
    out += static_cast<char>(b - 16);
  } else if (b == '`') {
    out += "%W";
  } else if (b >= 'a' && b <= 'z') {
    if (keepLower) {
      out += static_cast<char>(b);
    } else {
      out += '+';
      out += static_cast<char>(b - 32);
    }
  } else if (b >= 123 && b <= 126) {
    out += '%';
    out += static_cast<char>(b - 43);
  } else if (b == 127) {
    out += "%T";
  }
}

}  // namespace

std::string FullAsciiOf(std::string_view text, bool keepLower) {
  std::string out;
  for (char c : text) AppendFullAscii(out, static_cast<unsigned char>(c), keepLower);
  return out;
}

int EncodeCode39(int, CBCode& code, int measureOnly) {
  code.textLeft = 0;
  code.textRight = 0;
  std::string symbol;
  if (code.type == CodeOf(Symbology::Code39)) {
    symbol = UpperCased(DataOf(code));
  } else {
    symbol = FullAsciiOf(DataOf(code), false);
  }
  if (code.subType == 1) symbol += Code39Mod43(symbol);

  const int module = ModuleWidth(code);
  const int wide = WideWidth(module, code.ratio);
  const int characterWidth = 3 * wide + 7 * module;
  code.width = (static_cast<int>(symbol.size()) + 2) * characterWidth;
  if (code.quietZone != 0) {
    code.width += 20 * module;
    code.quietZone = 10 * module;
  } else {
    code.quietZone = 0;
  }
  if (MakeHumanReadable(code, false) != kDone) return kDataTooLong;
  TextRow row = LayOutTextRow(code);
  if (measureOnly != 0) return 0;

  Artwork art;
  const int top = BarsTop(code);
  int x = code.textLeft + code.quietZone;
  for (char c : "*" + symbol + "*") {
    const int value = Code39Value(c);
    if (value < 0) continue;
    std::vector<int> widths;
    for (const char* p = kCode39Patterns[value]; *p != 0; ++p) widths.push_back(*p == 'w' ? wide : module);
    widths.push_back(module);
    x = art.bars.Elements(widths, x, top, code.barHeight);
  }
  return FinishSymbol(code, measureOnly, std::move(row), art);
}

}  // namespace kalvo

LONG CD39Tranform2FullAscii(const char* src, char* dst, int dstSize, ULONG flags) {
  if (src == nullptr || dst == nullptr || dstSize <= 0) return 0;
  const std::string converted = kalvo::FullAsciiOf(src, (flags & 1) != 0);
  if (static_cast<int>(converted.size()) > dstSize - 1) {
    kalvo::ShowLibraryMessage("Buffer too small");
    return 0;
  }
  std::memcpy(dst, converted.c_str(), converted.size() + 1);
  return static_cast<LONG>(converted.size());
}
