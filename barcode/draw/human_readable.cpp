#include "barcode/draw/human_readable.h"

#include <cstdlib>
#include <cstring>

#include "barcode/code128/code128.h"
#include "barcode/code39/code39.h"
#include "barcode/frame/check_digits.h"
#include "barcode/kalvo.h"

namespace kalvo {

namespace {

constexpr std::string_view kCodabarStartStop = "ABCDabcd";

bool IsCodabarStartStop(char c) { return c != 0 && kCodabarStartStop.find(c) != std::string_view::npos; }

std::string ApplyMask(std::string_view mask, std::string_view text) {
  std::string out;
  size_t next = 0;
  for (char m : mask) {
    if (m == '?') {
      if (next >= text.size()) break;
      out += text[next++];
    } else {
      out += m;
    }
  }
  return out;
}

std::string MaskOf(const CBCode& code) {
  if (code.textMask.GetData() == nullptr) return {};
  return std::string(code.textMask.GetData(), code.textMask.GetLength());
}

void CodabarStartStop(const CBCode& code, std::string& text) {
  const char base = code.codabarUpper != 0 ? 'A' : 'a';
  const char start = static_cast<char>(base + (code.codabarStart & 3));
  const char stop = static_cast<char>(base + (code.codabarStop & 3));
  if (text.empty()) {
    text = std::string{start, stop};
    return;
  }
  if (text.front() != start) {
    if (IsCodabarStartStop(text.front())) text.erase(0, 1);
    text.insert(text.begin(), start);
  }
  if (text.back() != stop) {
    if (text.size() > 1 && IsCodabarStartStop(text.back())) text.pop_back();
    text += stop;
  }
}

}  // namespace

bool CopyToBuffer(char* buffer, int capacity, std::string_view text) {
  if (buffer == nullptr || static_cast<int>(text.size()) + 1 > capacity) return false;
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = 0;
  return true;
}

std::string DataOf(const CBCode& code) { return code.data != nullptr ? std::string(code.data) : std::string(); }

int MakeHumanReadable(CBCode& code, bool fromText) {
  std::string text = fromText ? (code.hrText != nullptr ? std::string(code.hrText) : std::string()) : DataOf(code);
  const int type = code.type;
  const Symbology symbology = SymbologyOf(type);
  switch (symbology) {
    case Symbology::Codabar:
      if (code.textShowsStartStop == 0) {
        if (!text.empty() && IsCodabarStartStop(text.front())) text.erase(0, 1);
        if (!text.empty() && IsCodabarStartStop(text.back())) text.pop_back();
      }
      break;
    case Symbology::Code39:
      text = UpperCased(text);
      UpperCaseInPlace(code.data);
      if (code.subType == 1 && code.textShowsCheck != 0) text += Code39Mod43(text);
      break;
    case Symbology::Code39FullAscii:
      text = DataOf(code);
      if (code.subType == 1 && code.textShowsCheck != 0) text += Code39Mod43(FullAsciiOf(text, false));
      if (code.textShowsStars != 0) text = "*" + text + "*";
      break;
    case Symbology::Code93:
      text = UpperCased(text);
      UpperCaseInPlace(code.data);
      break;
    case Symbology::Code128:
    case Symbology::Ean128:
    case Symbology::Ucc128:
    case Symbology::UccEan128:
      if (Is128CF1Mod10(type, code.subType)) ApplyMod10Step(text, code.addMod10 != 0, code.mod10Start);
      for (char& c : text) {
        if (c == '\r') c = ' ';
      }
      break;
    case Symbology::Interleaved2of5:
    case Symbology::Itf14: {
      const size_t n = text.size();
      if (symbology == Symbology::Itf14 || code.subType != 0) {
        if (code.textShowsCheck != 0) text += Gs1Mod10(text);
        if (n % 2 == 0) text.insert(text.begin(), '0');
      } else if (n % 2 == 1) {
        text.insert(text.begin(), '0');
      }
      break;
    }
    case Symbology::UccEan128Ais: {
      const MultiAiSymbol multi = BuildMultiAiSymbol(code);
      if (!CopyToBuffer(code.data, RequestCapacity(code.dataLength), multi.data)) return kDataTooLong;
      text = multi.text;
      break;
    }
    default:
      break;
  }
  if (code.useTextMask != 0) {
    const std::string mask = MaskOf(code);
    if (!mask.empty()) text = ApplyMask(mask, text);
  }
  if (symbology == Symbology::Code39) {
    if (code.textShowsStars == 0) {
      std::erase(text, '*');
    } else if (text.empty() || text.front() != '*') {
      text = "*" + text + "*";
    }
  }
  if (symbology == Symbology::Codabar && code.textShowsStartStop != 0) CodabarStartStop(code, text);

  if (code.hrText == nullptr) {
    code.hrText = static_cast<char*>(std::malloc(text.size() + 1));
    if (code.hrText == nullptr) return kDataTooLong;
    std::memcpy(code.hrText, text.c_str(), text.size() + 1);
  } else if (!CopyToBuffer(code.hrText, RequestCapacity(code.hrLength), text)) {
    return kDataTooLong;
  }
  code.hrLength = static_cast<int32_t>(text.size());
  return kDone;
}

}  // namespace kalvo

int GetHr(CBCode* code, int fromText) {
  if (code == nullptr) return 0;
  return kalvo::MakeHumanReadable(*code, fromText != 0) == kalvo::kDone ? 1 : 0;
}
