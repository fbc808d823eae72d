// EAN-13, EAN-8 and UPC-A (one encoder) and UPC-E, with their supplements.
#include "barcode/ean/ean_upc.h"

#include <algorithm>
#include <cstring>

#include "barcode/draw/height_fonts.h"
#include "barcode/draw/human_readable.h"
#include "barcode/draw/symbol_frame.h"
#include "barcode/frame/check_digits.h"
#include "barcode/frame/encoders.h"
#include "barcode/kalvo.h"

namespace kalvo {

namespace {

// Number sets A, B and C: seven modules per digit.
constexpr const char* kSetA[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                   "0110001", "0101111", "0111011", "0110111", "0001011"};
constexpr const char* kSetB[10] = {"0100111", "0110011", "0011011", "0100001", "0011101",
                                   "0111001", "0000101", "0010001", "0001001", "0010111"};
constexpr const char* kSetC[10] = {"1110010", "1100110", "1101100", "1000010", "1011100",
                                   "1001110", "1010000", "1000100", "1001000", "1110100"};
// EAN-13: sets of the left half by the leading digit ('A' or 'B').
constexpr const char* kLeadingParity[10] = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                                            "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
// UPC-E (number system 0): sets of the six digits by the check digit.
constexpr const char* kUpcEParity[10] = {"BBBAAA", "BBABAA", "BBAABA", "BBAAAB", "BABBAA",
                                         "BAABBA", "BAAABB", "BABABA", "BABAAB", "BAABAB"};
// Five-digit supplement: sets by the parity value.
constexpr const char* kPlus5Parity[10] = {"BBAAA", "BABAA", "BAABA", "BAAAB", "ABBAA",
                                          "AABBA", "AAABB", "ABABA", "ABAAB", "AABAB"};
constexpr const char* kPlus2Parity[4] = {"AA", "AB", "BA", "BB"};

constexpr double kDefaultOuterScale = 0.74;

int Digit(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

const char* DigitPattern(char set, char digit) {
  const int d = Digit(digit);
  return set == 'A' ? kSetA[d] : set == 'B' ? kSetB[d] : kSetC[d];
}

std::string SupplementParity(std::string_view digits) {
  if (digits.size() == 2) return kPlus2Parity[(Digit(digits[0]) * 10 + Digit(digits[1])) % 4];
  int sum = 0;
  int weight = 3;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    sum += Digit(*it) * weight;
    weight = weight == 3 ? 9 : 3;
  }
  return kPlus5Parity[sum % 10];
}

struct Split {
  std::string main;
  std::string supplement;
};

Split SplitSupplement(int type, int subType, std::string_view data) {
  int n = IsPlus2(type, subType);
  if (n == 0) n = IsPlus5(type, subType);
  if (n == 0 || static_cast<int>(data.size()) < n) return {std::string(data), {}};
  return {std::string(data.substr(0, data.size() - n)), std::string(data.substr(data.size() - n))};
}

// The text row and guard lengths shared by both encoders.
struct RowLayout {
  bool reserved = false;
  bool longer = false;
};

// Sizes of the main symbol without its outer digits: width, text row, guard
// extension, three modules; no quiet zone.
RowLayout LayOutRow(CBCode& code, int module, int mainWidth) {
  code.width = mainWidth;
  code.threeModules = static_cast<uint16_t>(3 * module);
  code.quietZone = 0;
  RowLayout row;
  if (code.textPosition != 0) {
    if (code.noText == 0) {
      row.reserved = true;
      row.longer = code.longGuards != 0;
    } else if (code.longGuards != 0 && code.textPosition == 1) {
      row.reserved = true;
      row.longer = true;
    }
  }
  ApplyTextRow(code, row.reserved);
  code.guardExtra = row.longer ? (code.textGap + code.textHeight) / 2 : 0;
  return row;
}

double OuterScale(double scale) { return scale == 0.0 ? kDefaultOuterScale : scale; }

int OuterDigitWidth(const CBCode& code, HeightFonts& fonts, char digit, double scale) {
  return static_cast<int>(fonts.Width(std::string_view(&digit, 1), code.textHeight) * OuterScale(scale));
}

// The digits printed left and right of the bars (0 for none) widen the symbol
// when there is a text row.
void AddOuterDigits(CBCode& code, HeightFonts& fonts, char left, char right) {
  if (code.textPosition == 0) return;
  if (left != 0) code.textLeft = static_cast<uint16_t>(OuterDigitWidth(code, fonts, left, code.outerDigitScaleLeft));
  if (right != 0)
    code.textRight = static_cast<uint16_t>(OuterDigitWidth(code, fonts, right, code.outerDigitScaleRight));
  code.width += code.textLeft + code.textRight;
}

// Tops and heights of the data bars and of the longer guard bars.
struct BarRows {
  int top;
  int guardTop;
  int guardHeight;
};

BarRows BarRowsOf(const CBCode& code) {
  const int top = BarsTop(code);
  return BarRows{top, code.textPosition == 2 ? top - code.guardExtra : top, code.barHeight + code.guardExtra};
}

// Places the supplement after the main symbol: geometry, bars and digits.
class SupplementPainter {
 public:
  SupplementPainter(CBCode& code, std::string digits, int module, int mainEnd)
      : code_(code), digits_(std::move(digits)), module_(module) {
    if (digits_.empty()) return;
    code.suppGap = 7 * module;
    code.suppX = mainEnd + 7 * module;
    code.suppWidth = (9 * static_cast<int>(digits_.size()) + 2) * module;
    // The digits stand over the supplement in a band as tall as the text row,
    // and its bars take the rest of the main bars' height. A text row as tall
    // as the bars would leave them nothing (or put them below the main bars,
    // where no scan line crosses both): the bars keep at least half the main
    // bars' height, and the digits' band shrinks to what is left above them.
    const int row = code.textPosition != 0 ? code.textGap + code.textHeight : 0;
    const int half = code.barHeight - code.barHeight / 2;
    code.suppBarHeight = std::max({code.barHeight - row, half, 2});
    band_ = std::min(row, std::max(code.barHeight - code.suppBarHeight, 0));
    code.width = code.suppX + code.suppWidth;
  }

  void Paint(Artwork& art, HeightFonts& fonts, int top, bool drawDigits) const {
    if (digits_.empty()) return;
    const std::string parity = SupplementParity(digits_);
    const int barsTop = code_.textPosition == 1 ? top + band_ : top;
    std::string modules = "1011";
    for (size_t i = 0; i < digits_.size(); ++i) {
      if (i > 0) modules += "01";
      modules += DigitPattern(parity[i], digits_[i]);
    }
    art.bars.Modules(modules, code_.suppX, barsTop, module_, code_.suppBarHeight);
    if (!drawDigits) return;
    const int x = code_.suppX + code_.textOffsetX;
    const int textTop = code_.textPosition == 1 ? top : code_.textTopY;
    const int textBottom = code_.textPosition == 1 ? top + band_ : code_.textTopY + code_.textHeight;
    // Over the bars, the font shrinks with the band (the row's gap with it).
    const int row = code_.textGap + code_.textHeight;
    const int textHeight = code_.textPosition == 1 && band_ < row ? code_.textHeight * band_ / row : code_.textHeight;
    // Clipped to the supplement's width, in a font small enough to fit it.
    art.texts.push_back(PlacedText{digits_, RECT{x, textTop, x + code_.suppWidth, textBottom},
                                   DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                                   fonts.FittingHeight(digits_, textHeight, code_.suppWidth)});
  }

 private:
  CBCode& code_;
  std::string digits_;
  int module_;
  int band_ = 0;  // height of the digits' band over the bars when the text is below them
};

// A digit text in the row: the rectangle reaches down by twice the row height.
// The font is the row's (times `scale` for an outer digit), made smaller when
// the digits would be wider than their rectangle, and the text is clipped to
// it: the rectangles lie between the guard bars and never overlap, so no
// digit paints over a bar or over another digit.
void PlaceDigits(Artwork& art, HeightFonts& fonts, const CBCode& code, std::string text, int left, int right,
                 UINT align, double scale = 1.0) {
  const int top = code.textPosition == 2 ? code.textTopY : code.barHeight + code.textGap;
  const int dx = code.textOffsetX;
  const int height = fonts.FittingHeight(text, static_cast<int>(code.textHeight * scale), right - left);
  art.texts.push_back(PlacedText{std::move(text), RECT{left + dx, top, right + dx, top + 2 * code.textHeight},
                                 align | DT_TOP | DT_SINGLELINE, height});
}

}  // namespace

std::string ExpandUpcE(std::string_view e) {
  if (e.size() < 6) return {};
  const char d5 = e[5];
  std::string a = "0";
  if (d5 <= '2') {
    a += std::string{e[0], e[1], d5} + "0000" + std::string{e[2], e[3], e[4]};
  } else if (d5 == '3') {
    a += std::string{e[0], e[1], e[2]} + "00000" + std::string{e[3], e[4]};
  } else if (d5 == '4') {
    a += std::string{e[0], e[1], e[2], e[3]} + "00000" + std::string{e[4]};
  } else {
    a += std::string{e[0], e[1], e[2], e[3], e[4]} + "0000" + std::string{d5};
  }
  return a;
}

std::string UpcEanMainDigits(int type, int subType, std::string_view data) {
  std::string main = SplitSupplement(type, subType, data).main;
  return type == CodeOf(Symbology::UpcE) ? ExpandUpcE(main) : main;
}

int EncodeEanUpc(int, CBCode& code, int measureOnly) {
  const Symbology type = SymbologyOf(code.type);
  code.textLeft = 0;
  code.textRight = 0;
  const Split split = SplitSupplement(code.type, code.subType, DataOf(code));
  const size_t expected = type == Symbology::Ean8 ? 7 : type == Symbology::Ean13 ? 12 : 11;
  if (split.main.size() != expected) return 0;
  const std::string digits = split.main + Gs1Mod10(split.main);
  const int n = static_cast<int>(digits.size()) - (type == Symbology::Ean13 ? 1 : 0);
  if (MakeHumanReadable(code, false) != kDone) return kDataTooLong;

  const int module = ModuleWidth(code);
  const int mainWidth = (7 * n + 11) * module;
  const RowLayout row = LayOutRow(code, module, mainWidth);
  // Every text is measured, and then drawn, in these fonts.
  HeightFonts fonts(code.font);
  if (type != Symbology::Ean8)
    AddOuterDigits(code, fonts, digits.front(), type == Symbology::UpcA ? digits.back() : 0);
  const SupplementPainter supplement(code, split.supplement, module, code.textLeft + mainWidth);
  if (measureOnly != 0) return 0;

  Artwork art;
  art.fonts = &fonts;
  const auto [top, guardTop, guardHeight] = BarRowsOf(code);
  const std::string_view body = type == Symbology::Ean13 ? std::string_view(digits).substr(1) : std::string_view(digits);
  const size_t half = body.size() / 2;
  const char* parity = type == Symbology::Ean13 ? kLeadingParity[Digit(digits.front())] : "AAAAAA";
  int x = art.bars.Modules("101", code.textLeft, guardTop, module, guardHeight);
  const int leftStart = x;
  for (size_t i = 0; i < half; ++i) x = art.bars.Modules(DigitPattern(parity[i], body[i]), x, top, module, code.barHeight);
  const int centre = x;
  x = art.bars.Modules("01010", x, guardTop, module, guardHeight);
  const int rightStart = x;
  for (size_t i = half; i < body.size(); ++i) x = art.bars.Modules(DigitPattern('C', body[i]), x, top, module, code.barHeight);
  const int end = x;
  x = art.bars.Modules("101", x, guardTop, module, guardHeight);

  const bool drawDigits = row.reserved && code.noText == 0 && code.textSpaceOnly == 0;
  if (drawDigits) {
    const size_t inner = type == Symbology::UpcA ? 1 : 0;  // UPC-A prints its first and last digit outside
    if (type != Symbology::Ean8)
      PlaceDigits(art, fonts, code, std::string(1, digits.front()), 0, code.textLeft, DT_LEFT, OuterScale(code.outerDigitScaleLeft));
    PlaceDigits(art, fonts, code, std::string(body.substr(inner, half - inner)), leftStart, centre, DT_CENTER);
    PlaceDigits(art, fonts, code, std::string(body.substr(half, body.size() - half - inner)), rightStart, end, DT_CENTER);
    if (type == Symbology::UpcA)
      PlaceDigits(art, fonts, code, std::string(1, digits.back()), x, x + code.textRight, DT_RIGHT,
                  OuterScale(code.outerDigitScaleRight));
  }
  supplement.Paint(art, fonts, top, drawDigits);
  return FinishSymbol(code, measureOnly, fonts.TakeDc(), art);
}

int EncodeUpcE(int, CBCode& code, int measureOnly) {
  code.textLeft = 0;
  code.textRight = 0;
  const Split split = SplitSupplement(CodeOf(Symbology::UpcE), code.subType, DataOf(code));
  if (split.main.size() != 6) return 0;
  const char check = Gs1Mod10(ExpandUpcE(split.main));
  if (MakeHumanReadable(code, false) != kDone) return kDataTooLong;

  const int module = ModuleWidth(code);
  const int mainWidth = (7 * 6 + 9) * module;
  const RowLayout row = LayOutRow(code, module, mainWidth);
  HeightFonts fonts(code.font);
  AddOuterDigits(code, fonts, '0', check);
  const SupplementPainter supplement(code, split.supplement, module, code.textLeft + mainWidth);
  if (measureOnly != 0) return 0;

  Artwork art;
  art.fonts = &fonts;
  const auto [top, guardTop, guardHeight] = BarRowsOf(code);
  const char* parity = kUpcEParity[Digit(check)];
  int x = art.bars.Modules("101", code.textLeft, guardTop, module, guardHeight);
  const int digitsStart = x;
  for (int i = 0; i < 6; ++i) x = art.bars.Modules(DigitPattern(parity[i], split.main[i]), x, top, module, code.barHeight);
  const int digitsEnd = x;
  x = art.bars.Modules("010101", x, guardTop, module, guardHeight);

  const bool drawDigits = row.reserved && code.noText == 0 && code.textSpaceOnly == 0;
  if (drawDigits) {
    PlaceDigits(art, fonts, code, "0", 0, code.textLeft, DT_LEFT, OuterScale(code.outerDigitScaleLeft));
    PlaceDigits(art, fonts, code, split.main, digitsStart, digitsEnd, DT_CENTER);
    PlaceDigits(art, fonts, code, std::string(1, check), x, x + code.textRight, DT_RIGHT, OuterScale(code.outerDigitScaleRight));
  }
  supplement.Paint(art, fonts, top, drawDigits);
  return FinishSymbol(code, measureOnly, fonts.TakeDc(), art);
}

}  // namespace kalvo

int DecompressUPC(char* upcE, char* upcA) {
  if (upcE == nullptr || upcA == nullptr || std::strlen(upcE) < 6) return 0;
  const std::string a = kalvo::ExpandUpcE(upcE);
  std::memcpy(upcA, a.c_str(), a.size() + 1);
  return static_cast<int>(a.size());
}
