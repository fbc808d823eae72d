// Valid lengths, valid characters and check characters of each symbology.
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "barcode/ean/ean_upc.h"
#include "barcode/frame/check_digits.h"
#include "barcode/frame/validation.h"
#include "barcode/kalvo.h"

namespace kalvo {

namespace {

struct LengthRule {
  std::vector<unsigned short> lengths;
  bool maximum = false;
};

LengthRule LengthsOf(int type, int subType) {
  const int pick = subType == 1 || subType == 2 ? subType : 0;
  auto upcEan = [pick](unsigned short base, unsigned short plus2, unsigned short plus5) {
    return LengthRule{{pick == 1 ? plus2 : pick == 2 ? plus5 : base}};
  };
  switch (SymbologyOf(type)) {
    case Symbology::Ean8: return upcEan(7, 9, 12);
    case Symbology::Ean13: return upcEan(12, 14, 17);
    case Symbology::UpcA: return upcEan(11, 13, 16);
    case Symbology::UpcE: return upcEan(6, 8, 11);
    case Symbology::EanUcc13: return {{12, 13}};
    case Symbology::EanUcc14:
    case Symbology::Itf14: return {{13}};
    case Symbology::Ucc12: return {{11, 13}};
    case Symbology::Postnet: return {{5, 6, 9, 11}};
    case Symbology::Pdf417: return {{929}, true};
    case Symbology::MicroPdf417: return {{366}, true};
    default: return {};
  }
}

std::string ValidCharacters(int type, int subType, bool withLower) {
  std::string set = "0123456789";
  set.reserve(128);  // the largest set, with room for its terminator
  // Every byte value upwards and downwards: a range of either is one append.
  static constexpr auto kUp = [] {
    std::array<char, 256> bytes{};
    for (int c = 0; c < 256; ++c) bytes[static_cast<size_t>(c)] = static_cast<char>(c);
    return bytes;
  }();
  static constexpr auto kDown = [] {
    std::array<char, 256> bytes{};
    for (int c = 0; c < 256; ++c) bytes[static_cast<size_t>(c)] = static_cast<char>(255 - c);
    return bytes;
  }();
  static_assert(kUp[65] == 'A' && kDown[255 - 65] == 'A');
  auto range = [&set](int from, int to) {
    if (from <= to) {
      set.append(kUp.data() + from, static_cast<size_t>(to - from + 1));
    } else {
      set.append(kDown.data() + (255 - from), static_cast<size_t>(from - to + 1));
    }
  };
  const Symbology s = SymbologyOf(type);
  if (s == Symbology::Codabar) {
    set += "-$:/.+ABCD";
  } else if (s == Symbology::Code39) {
    set += "ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
    if (withLower) set += "abcdefghijklmnopqrstuvwxyz";
  } else if (s == Symbology::Code39FullAscii) {
    set.clear();
    range(1, 127);
    set += '\0';
  } else if (s == Symbology::Code93) {
    set += "ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
  } else if (Is128Auto(type, subType) != 0) {
    set.clear();
    range(127, 0);
  } else if (s == Symbology::Code128 && subType == 1) {
    set.clear();
    range(32, 95);
    range(31, 0);
  } else if ((s == Symbology::Code128 && subType == 2) || s == Symbology::Pdf417) {
    set.clear();
    range(32, 126);
  }
  return set;
}

}  // namespace

int ValidateData(int type, int subType, const char* data, int length) {
  const Symbology s = SymbologyOf(type);
  if (IsOneOf(type, {Symbology::Pdf417, Symbology::DataMatrix, Symbology::MicroPdf417})) {
    const int maximum = s == Symbology::Pdf417 ? 2709 : s == Symbology::DataMatrix ? 3000 : 366;
    return length >= 1 && length <= maximum ? kDone : kLengthNotAllowed;
  }
  const LengthRule rule = LengthsOf(type, subType);
  if (!rule.lengths.empty()) {
    bool ok = false;
    if (rule.maximum) {
      ok = length >= 1 && length <= rule.lengths.front();
    } else {
      for (unsigned short l : rule.lengths) ok = ok || length == l;
    }
    if (!ok) return kLengthNotAllowed;
  }
  if (data == nullptr) return kDone;
  // The encoders read the data up to its terminator, so that is what is checked.
  length = static_cast<int>(std::strlen(data));
  if (s == Symbology::Code39FullAscii) {
    for (int i = 0; i < length; ++i) {
      if (static_cast<unsigned char>(data[i]) >= 0x80) return kInvalidCharacter;
    }
    return kDone;
  }
  // The set as a table: one look-up a byte however long the set is.
  std::array<bool, 256> valid{};
  for (char c : ValidCharacters(type, subType, false)) valid[static_cast<unsigned char>(c)] = true;
  for (int i = 0; i < length; ++i) {
    if (!valid[static_cast<unsigned char>(data[i])]) return kInvalidCharacter;
  }
  return kDone;
}

}  // namespace kalvo

int GetBCodeValidLens(int type, int subType, unsigned short* lengths, int* isMaximum, char* text) {
  const kalvo::LengthRule rule = kalvo::LengthsOf(type, subType);
  const int count = static_cast<int>(rule.lengths.size());
  std::string joined;
  for (int i = 0; i < count; ++i) {
    if (lengths != nullptr) lengths[i] = rule.lengths[i];
    if (i > 0) joined += ',';
    joined += std::to_string(rule.lengths[i]);
  }
  if (isMaximum != nullptr && count != 0) *isMaximum = rule.maximum ? 1 : 0;
  if (text != nullptr) std::memcpy(text, joined.c_str(), joined.size() + 1);
  return count;
}

int GetBCodeValidStr(int type, int subType, char* chars, int withLower) {
  const std::string set = kalvo::ValidCharacters(type, subType, withLower != 0);
  if (chars != nullptr) {
    std::memcpy(chars, set.data(), set.size());
    chars[set.size()] = 0;
  }
  return static_cast<int>(set.size());
}

int GetChkdgtCd(int type, int subType, char* out, AString data) {
  // The caller owns `data`'s block; only read it, never change it here.
  const std::string text(data.GetData() != nullptr ? data.GetData() : "",
                         data.GetData() != nullptr ? static_cast<size_t>(data.GetLength()) : 0);
  std::string check;
  using kalvo::Symbology;
  if (Is39Group(type) != 0 && subType == 1) {
    check = kalvo::Code39Mod43(text);
  } else if (type == kalvo::CodeOf(Symbology::Itf14) ||
             (type == kalvo::CodeOf(Symbology::Interleaved2of5) && subType != 0)) {
    check = kalvo::Gs1Mod10(text);
  } else if (IsUPCEANGroup(type)) {
    check = kalvo::Gs1Mod10(kalvo::UpcEanMainDigits(type, subType, text));
  } else if (IsCD128Group(type, subType) && Is128CF1Mod10(type, subType)) {
    check = kalvo::Gs1Mod10(text);
  }
  if (out != nullptr) std::memcpy(out, check.c_str(), check.size() + 1);
  return static_cast<int>(check.size());
}
