// Interleaved 2 of 5 (type 10) and ITF-14 with its bearer frame (type 11).
#include "barcode/draw/human_readable.h"
#include "barcode/draw/symbol_frame.h"
#include "barcode/frame/check_digits.h"
#include "barcode/frame/encoders.h"
#include "barcode/kalvo.h"

namespace kalvo {

namespace {

constexpr const char* kDigitPatterns[10] = {"nnwwn", "wnnnw", "nwnnw", "wwnnn", "nnwnw",
                                            "wnwnn", "nwwnn", "nnnww", "wnnwn", "nwnwn"};
constexpr std::string_view kStart = "nnnn";
constexpr std::string_view kStop = "wnn";

}  // namespace

int EncodeInterleaved2of5(int, CBCode& code, int measureOnly) {
  const bool itf14 = code.type == CodeOf(Symbology::Itf14);
  code.textLeft = 0;
  code.textRight = 0;
  std::string digits = DataOf(code);
  if (itf14 || code.subType != 0) digits += Gs1Mod10(digits);
  if (digits.size() % 2 == 1) digits.insert(digits.begin(), '0');
  if (MakeHumanReadable(code, false) != kDone) return kDataTooLong;

  const int module = ModuleWidth(code);
  const int wide = WideWidth(module, code.ratio);
  const int length = static_cast<int>(digits.size());
  code.width = wide + (3 * module + 2 * wide) * length + 6 * module;
  int margin = 0;
  if (itf14) {
    // Bearers and margins follow the module in dots, also when sizes are in mils.
    code.bearerWidth = GetITF14BoxWidth(module, code.resolution, code.itfBearerFactor);
    margin = code.itfQuietFactor * module + (code.itfNoSideBearers == 0 ? code.bearerWidth : 0);
    code.textLeft = static_cast<uint16_t>(margin);
    code.textRight = static_cast<uint16_t>(margin);
    code.width += 2 * margin;
    code.barHeight += 2 * code.bearerWidth;
    code.quietZone = margin;
  } else {
    code.bearerWidth = 0;
    code.quietZone = 0;
  }
  const int frameWidth = code.width;
  TextRow row = LayOutTextRow(code);
  if (measureOnly != 0) return 0;

  Artwork art;
  const int top = BarsTop(code);
  std::vector<int> widths;
  auto add = [&](char element) { widths.push_back(element == 'w' ? wide : module); };
  for (char e : kStart) add(e);
  for (int i = 0; i + 1 < length; i += 2) {
    const char* bars = kDigitPatterns[digits[i] - '0'];
    const char* spaces = kDigitPatterns[digits[i + 1] - '0'];
    for (int k = 0; k < 5; ++k) {
      add(bars[k]);
      add(spaces[k]);
    }
  }
  for (char e : kStop) add(e);
  const int x = itf14 ? margin : code.textLeft;
  const int bearer = itf14 ? code.bearerWidth : 0;
  art.bars.Elements(widths, x, top + bearer, code.barHeight - 2 * bearer);
  if (itf14 && bearer > 0) {
    const int frameLeft = 0;
    art.bars.Add(frameLeft, top, frameWidth, bearer);
    art.bars.Add(frameLeft, top + code.barHeight - bearer, frameWidth, bearer);
    if (code.itfNoSideBearers == 0) {
      art.bars.Add(frameLeft, top, bearer, code.barHeight);
      art.bars.Add(frameLeft + frameWidth - bearer, top, bearer, code.barHeight);
    }
  }
  return FinishSymbol(code, measureOnly, std::move(row), art);
}

}  // namespace kalvo
