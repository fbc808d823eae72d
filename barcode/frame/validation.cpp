// Valid lengths, valid characters and check characters of each symbology.
#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
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

// A symbology's characters as at most four pieces, in the order they are
// listed: texts, or runs of byte values (upwards or downwards).
class CharacterSet {
 public:
  CharacterSet& Text(std::string_view text) { return Add(Piece{text, 0, 0}); }
  CharacterSet& Run(int from, int to) { return Add(Piece{{}, from, to}); }

  bool Contains(unsigned char c) const {
    for (size_t i = 0; i < count_; ++i) {
      const Piece& p = pieces_[i];
      if (p.text.empty() ? (c >= std::min(p.from, p.to) && c <= std::max(p.from, p.to))
                         : p.text.find(static_cast<char>(c)) != std::string_view::npos)
        return true;
    }
    return false;
  }
  std::string Listed() const {
    std::string set;
    for (size_t i = 0; i < count_; ++i) {
      const Piece& p = pieces_[i];
      set += p.text;
      if (!p.text.empty()) continue;
      const int step = p.from <= p.to ? 1 : -1;
      for (int c = p.from;; c += step) {
        set += static_cast<char>(c);
        if (c == p.to) break;
      }
    }
    return set;
  }

 private:
  struct Piece {
    std::string_view text;
    int from, to;
  };
  CharacterSet& Add(Piece piece) {
    if (count_ < pieces_.size()) pieces_[count_++] = piece;
    return *this;
  }
  std::array<Piece, 4> pieces_{};
  size_t count_ = 0;
};

CharacterSet CharactersOf(int type, int subType, bool withLower) {
  constexpr std::string_view kDigits = "0123456789";
  constexpr std::string_view kCode39 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
  CharacterSet set;
  const Symbology s = SymbologyOf(type);
  if (s == Symbology::Codabar) {
    set.Text(kDigits).Text("-$:/.+ABCD");
  } else if (s == Symbology::Code39) {
    set.Text(kDigits).Text(kCode39);
    if (withLower) set.Text("abcdefghijklmnopqrstuvwxyz");
  } else if (s == Symbology::Code39FullAscii) {
    set.Run(1, 127).Text(std::string_view("\0", 1));
  } else if (s == Symbology::Code93) {
    set.Text(kDigits).Text(kCode39);
  } else if (Is128Auto(type, subType) != 0) {
    set.Run(127, 0);
  } else if (s == Symbology::Code128 && subType == 1) {
    set.Run(32, 95).Run(31, 0);
  } else if ((s == Symbology::Code128 && subType == 2) || s == Symbology::Pdf417) {
    set.Run(32, 126);
  } else {
    set.Text(kDigits);
  }
  return set;
}

std::string ValidCharacters(int type, int subType, bool withLower) {
  return CharactersOf(type, subType, withLower).Listed();
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
  const CharacterSet set = CharactersOf(type, subType, false);
  for (int i = 0; i < length; ++i) {
    if (!set.Contains(static_cast<unsigned char>(data[i]))) return kInvalidCharacter;
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
