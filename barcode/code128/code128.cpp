// The Code 128 encoder (types 4, 7, 18, 19 and 20).
#include "barcode/code128/code128.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "barcode/draw/human_readable.h"
#include "barcode/draw/symbol_frame.h"
#include "barcode/frame/check_digits.h"
#include "barcode/frame/encoders.h"
#include "barcode/frame/tables.h"
#include "barcode/kalvo.h"

namespace kalvo {

const char* const kCode128Patterns[107] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",
    "114131", "311141", "411131", "211412", "211214", "211232", "233111",
};

namespace {

constexpr std::string_view kStopPattern = "2331112";

void Mod10Pad(std::string& text, bool addMod10, int mod10Start) {
  const int n = static_cast<int>(text.size());
  const int at = std::clamp(mod10Start, 0, n);
  if ((addMod10 && n % 2 == 0) || (!addMod10 && n % 2 == 1)) text.insert(text.begin() + at, '0');
}

// Values of a set-C-only symbol (types 18 and 4/4): digit pairs, FNC1 and the
// set characters; a last lone digit gives its own value.
std::vector<int> SetCValues(std::string_view data) {
  std::vector<int> values;
  values.reserve(data.size() + 2);  // start, at most one a byte, and the check value
  values.push_back(105);
  for (size_t i = 0; i < data.size(); ++i) {
    const auto b = static_cast<uint8_t>(data[i]);
    if (b >= '0' && b <= '9') {
      if (i + 1 < data.size()) {
        values.push_back((b - '0') * 10 + (data[i + 1] - '0'));
        ++i;
      } else {
        values.push_back(b - '0');
      }
    } else if (b >= kToB && b <= kFnc1) {
      values.push_back(100 + (b - kToB));
    }
  }
  return values;
}

std::vector<int> SingleSetValues(std::string_view data, bool setA) {
  std::vector<int> values;
  values.reserve(data.size() + 2);  // start, at most one a byte, and the check value
  values.push_back(setA ? 103 : 104);
  for (char c : data) {
    const auto b = static_cast<uint8_t>(c);
    int value = -1;
    if (b == kFnc1) {
      value = 102;
    } else if (setA) {
      value = b < 32 ? b + 64 : b <= 95 ? b - 32 : -1;
    } else {
      value = b >= 32 && b <= 127 ? b - 32 : -1;
    }
    if (value >= 0) values.push_back(value);
  }
  return values;
}

std::vector<int> AutomaticValues(std::string_view data, int codeSet) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
  const std::vector<uint8_t> chosen = ChooseCodeSets(std::span<const uint8_t>(bytes, data.size()), codeSet);
  return ValuesOfChosenSets(chosen);
}

std::string AsString(const AString& s) {
  return s.GetData() != nullptr ? std::string(s.GetData(), s.GetLength()) : std::string();
}

}  // namespace

void ApplyMod10Step(std::string& text, bool addMod10, int mod10Start) {
  Mod10Pad(text, addMod10, mod10Start);
  if (addMod10) {
    const size_t from = std::clamp<size_t>(static_cast<size_t>(std::max(mod10Start, 0)), 0, text.size());
    text += Gs1Mod10(std::string_view(text).substr(from));
  }
}

MultiAiSymbol BuildMultiAi(std::span<const std::string_view> identifiers, std::span<const std::string_view> values,
                           bool withBrackets) {
  MultiAiSymbol s;
  s.data += static_cast<char>(kFnc1);
  const size_t pairs = std::min(identifiers.size(), values.size());
  for (size_t i = 0; i < pairs; ++i) {
    if (identifiers[i].empty()) continue;
    const typAIdef* def = FindApplicationIdentifier(identifiers[i]);
    if (def == nullptr) continue;
    s.data.append(identifiers[i]).append(values[i]);
    s.text += withBrackets ? "(" + std::string(identifiers[i]) + ")" : std::string(identifiers[i]);
    s.text.append(values[i]);
    // A value of a fixed-length identifier that already has every digit
    // ends in its check digit: only a value one digit short gets one
    // appended, else the element string would be a digit too long.
    const bool complete =
        def->minLength == def->maxLength && values[i].size() >= static_cast<size_t>(std::max(def->minLength, 0));
    if (def->checkFlag != 0 && !complete) {
      const char check = Gs1Mod10(values[i]);
      s.data += check;
      s.text += check;
    }
    if (def->minLength != def->maxLength) s.data += static_cast<char>(kFnc1);
  }
  if (s.data.size() > 1 && static_cast<uint8_t>(s.data.back()) == kFnc1) s.data.pop_back();
  return s;
}

MultiAiSymbol BuildMultiAiSymbol(const CBCode& code) {
  std::array<std::string, 6> names;
  std::array<std::string, 6> values;
  std::array<std::string_view, 6> nameViews;
  std::array<std::string_view, 6> valueViews;
  for (size_t i = 0; i < 6; ++i) {
    names[i] = AsString(code.aiNames[i]);
    values[i] = AsString(code.aiValues[i]);
    nameViews[i] = names[i];
    valueViews[i] = values[i];
  }
  return BuildMultiAi(nameViews, valueViews, code.aiParentheses != 0 && code.useTextMask == 0);
}

int EncodeCode128(int, CBCode& code, int measureOnly) {
  const int type = code.type;
  code.textLeft = 0;
  code.textRight = 0;
  std::string data = DataOf(code);
  if (Is128CF1Mod10(type, code.subType)) ApplyMod10Step(data, code.addMod10 != 0, code.mod10Start);
  if (type == CodeOf(Symbology::UccEan128Ais)) {
    if (code.hrText == nullptr) return 0;
    const MultiAiSymbol multi = BuildMultiAiSymbol(code);
    if (!CopyToBuffer(code.data, RequestCapacity(code.dataLength), multi.data)) return kDataTooLong;
    if (!CopyToBuffer(code.hrText, RequestCapacity(code.hrLength), multi.text)) return kDataTooLong;
    data = multi.data;
    code.dataLength = static_cast<int32_t>(data.size());
    if (code.useTextMask != 0 && !code.textMask.IsEmpty()) {
      if (MakeHumanReadable(code, true) != kDone) return kDataTooLong;
    }
    code.hrLength = static_cast<int32_t>(std::strlen(code.hrText));
  } else if (MakeHumanReadable(code, false) != kDone) {
    return kDataTooLong;
  }

  if (IsOneOf(type, {Symbology::Ucc128, Symbology::UccEan128, Symbology::Ean128}) ||
      (type == CodeOf(Symbology::Code128) && code.subType == 4)) {
    data.insert(data.begin(), static_cast<char>(kFnc1));
  }
  std::vector<int> values;
  if (type == CodeOf(Symbology::Code128) && code.subType == 1) {
    values = SingleSetValues(data, true);
  } else if (type == CodeOf(Symbology::Code128) && code.subType == 2) {
    values = SingleSetValues(data, false);
  } else if (Is128CF1Mod10(type, code.subType)) {
    values = SetCValues(data);
  } else if (type == CodeOf(Symbology::UccEan128Ais)) {
    values = AutomaticValues(data, code.subType);
  } else {
    values = AutomaticValues(data, 0);
  }
  int check = values.front();
  for (size_t i = 1; i < values.size(); ++i) check = (check + values[i] * static_cast<int>(i)) % 103;
  values.push_back(check);

  const int module = ModuleWidth(code);
  code.quietZone = 0;
  code.width = (11 * static_cast<int>(values.size()) + 13) * module;
  TextRow row = LayOutTextRow(code);
  if (measureOnly != 0) return 0;

  Artwork art;
  const int top = BarsTop(code);
  // Three bars a symbol character, four in the stop.
  art.bars.Reserve(values.size() * 3 + 4);
  int x = code.textLeft;
  for (int v : values) {
    std::array<int, 6> widths;
    for (size_t k = 0; k < widths.size(); ++k) widths[k] = (kCode128Patterns[v][k] - '0') * module;
    x = art.bars.Elements(widths, x, top, code.barHeight);
  }
  std::array<int, kStopPattern.size()> stop;
  for (size_t k = 0; k < stop.size(); ++k) stop[k] = (kStopPattern[k] - '0') * module;
  art.bars.Elements(stop, x, top, code.barHeight);
  return FinishSymbol(code, measureOnly, std::move(row), art);
}

}  // namespace kalvo

int GetCd128MultiCodeAndHr(const char* const* ais, const char* const* values, int withBrackets, char* outData,
                           char* outText) {
  std::array<std::string_view, 6> names{};
  std::array<std::string_view, 6> data{};
  for (size_t i = 0; i < 6; ++i) {
    names[i] = ais != nullptr && ais[i] != nullptr ? ais[i] : "";
    data[i] = values != nullptr && values[i] != nullptr ? values[i] : "";
  }
  const kalvo::MultiAiSymbol s = kalvo::BuildMultiAi(names, data, withBrackets != 0);
  // The designer's buffers for this symbology hold 256 + 64 bytes each.
  constexpr int kCapacity = 256 + 64;
  if (static_cast<int>(s.data.size()) >= kCapacity || static_cast<int>(s.text.size()) >= kCapacity) return 0;
  kalvo::CopyToBuffer(outData, kCapacity, s.data);
  kalvo::CopyToBuffer(outText, kCapacity, s.text);
  return 1;
}

int LoadCd128MultiTable(typAIdef* table, LONG* count, LONG capacity) {
  if (table == nullptr) return 0;
  return kalvo::ReadApplicationIdentifiers(kalvo::Tables().folder, table, std::max<LONG>(capacity, 0), count) ? 1 : 0;
}
