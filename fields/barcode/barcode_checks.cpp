#include "fields/barcode/barcode_checks.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "barcode/kalvo.h"
#include "fields/barcode/structured_parts.h"
#include "fields/services/label_setup.h"
#include "fields/services/ui_messages.h"

namespace {

using kalvo::Symbology;

struct ValidLengths {
  std::vector<int> lengths;
  bool range = false;
  std::string text;
};

ValidLengths LengthsOf(int symbology, int subType) {
  ValidLengths v;
  unsigned short lengths[64] = {};
  int isMaximum = 0;
  char text[512] = {};
  const int n = GetBCodeValidLens(symbology, subType, lengths, &isMaximum, text);
  for (int i = 0; i < std::clamp(n, 0, 64); ++i) v.lengths.push_back(lengths[i]);
  v.range = isMaximum != 0;
  text[sizeof text - 1] = 0;
  v.text = text;
  return v;
}

std::string ValidChars(int symbology, int subType) {
  std::vector<char> chars(1100, 0);
  GetBCodeValidStr(symbology, subType, chars.data(), 1);
  chars[1024] = 0;
  return chars.data();
}

bool AlwaysValid(int symbology) {
  return kalvo::IsOneOf(symbology, {Symbology::UccEan128Ais, Symbology::MaxiCode, Symbology::DataMatrix,
                                    Symbology::QrCode});
}

}  // namespace

int IsDataCharsetValid(const CBarcodeField& f) {
  if (kalvo::IsOneOf(f.symbology, {Symbology::Pdf417, Symbology::MicroPdf417})) return 0;
  const std::string data(f.data.GetData(), static_cast<size_t>(f.data.GetLength()));
  if (f.symbology == kalvo::CodeOf(Symbology::Code39FullAscii)) {
    for (size_t i = 1; i < data.size(); ++i)
      if (static_cast<unsigned char>(data[i]) >= 0x80) return static_cast<unsigned char>(data[i]);
    return 0;
  }
  const std::string valid = ValidChars(f.symbology, f.subType);
  for (size_t i = 0; i < data.size(); ++i) {
    const char c = data[i];
    if (!valid.empty() && valid.find(c) == std::string::npos) return static_cast<unsigned char>(c);
    const bool inner = i > 0 && i + 1 < data.size();
    if (f.symbology == kalvo::CodeOf(Symbology::Codabar) && inner && std::strchr("ABCDabcd", c) && c != 0)
      return static_cast<unsigned char>(c);
  }
  return 0;
}

int IsDataLengthValid(const CBarcodeField& f) {
  const int n = f.data.GetLength();
  if (f.symbology == kalvo::CodeOf(Symbology::Pdf417)) return n >= 1 && n <= 929;
  if (f.symbology == kalvo::CodeOf(Symbology::MicroPdf417)) return n >= 1 && n <= 366;
  const ValidLengths v = LengthsOf(f.symbology, f.subType);
  if (v.lengths.empty()) return 1;
  if (v.range) return n >= 1 && n <= v.lengths.back();
  return std::find(v.lengths.begin(), v.lengths.end(), n) != v.lengths.end();
}

int ValidateBarcodeData(HWND owner, const CBarcodeField& f, int showMessages) {
  if (AlwaysValid(f.symbology)) return 1;
  if (f.data.IsEmpty()) {
    if (showMessages) UiMessageBox(owner, kMsgDataEmpty, 0, {"Data"});
    return 0;
  }
  if (const int bad = IsDataCharsetValid(f)) {
    if (showMessages) UiMessageBox(owner, kMsgInvalidCharacter, 0, {std::string(1, static_cast<char>(bad))});
    return 0;
  }
  if (!IsDataLengthValid(f)) {
    if (showMessages)
      UiMessageBox(owner, kMsgInvalidLength, 0,
                   {std::to_string(f.data.GetLength()), LengthsOf(f.symbology, f.subType).text});
    return 0;
  }
  return 1;
}

int GetBarcodeMaxDataLength(const CBarcodeField& f) {
  const bool micro = f.symbology == kalvo::CodeOf(Symbology::MicroPdf417);
  const ValidLengths v = LengthsOf(f.symbology, micro ? f.microPdfMode : f.subType);
  if (v.lengths.empty()) return -1;
  if (micro) return v.lengths.back() * 2 / 3;
  if (Is2DBCode(f.symbology, f.subType)) return -1;
  if (f.symbology == kalvo::CodeOf(Symbology::Postnet)) return 11;
  return v.lengths.back();
}

int FitBarcodeData(CBarcodeField& f) {
  AString data = f.data;
  const std::string valid = ValidChars(f.symbology, f.subType);
  if (!valid.empty())
    for (int i = 0; i < data.GetLength(); ++i)
      if (valid.find(data.GetData()[i]) == std::string::npos) data.SetAt(i, '0');
  int change = 0;
  const ValidLengths v = LengthsOf(f.symbology, f.subType);
  if (!v.lengths.empty() && !v.range) {
    const int n = data.GetLength();
    const bool listed = std::find(v.lengths.begin(), v.lengths.end(), n) != v.lengths.end();
    const auto above = std::find_if(v.lengths.begin(), v.lengths.end(), [n](int l) { return l > n; });
    if (!listed && above != v.lengths.end()) {
      change = *above - n;
      data = AString('0', change) + data;
    } else if (n > v.lengths.back()) {
      change = v.lengths.back() - n;
      data = data.Left(v.lengths.back());
    }
  }
  f.data = data;
  return change;
}

int NormalizeBarcodeData(CBarcodeField& f) {
  if (f.data.IsEmpty()) return 0;
  const int s = f.symbology;
  if (s == 1 || s == 3 || (s == 4 && f.subType == 1)) f.data.MakeUpper();
  if (s == 4 && f.subType == 3 && f.data.GetLength() % 2 != 0) f.data.Insert(0, '0');
  return 1;
}

void SetNewBarcodeDefaults(CBarcodeField& f, const CLabelSetup& setup) {
  f.narrowBar = static_cast<int16_t>(std::max(1, setup.dpiX / 100));
  f.showHr = 1;
  if (setup.driverFlag) {
    f.designerDrawsText = 1;
    f.hrFontSet = 1;
    f.hrSeparate = 0;
    f.hrFontFace = "Arial";
    std::strncpy(f.hrLogFont.lfFaceName, "Arial", LF_FACESIZE - 1);
    f.hrLogFont.lfHeight = 9;
    f.hrLogFont.lfWidth = 0;
  }
}

int TestBarcodeHrForPrinter(const CBarcodeField& f) {
  if (f.hrSeparate != 0) return 0;
  const int s = f.symbology;
  if (Is39Group(s) || IsI25Group(s)) return f.designerDrawsText && f.subType == 1;
  if (IsUPCEANGroup(s)) return f.designerDrawsText ? 1 : 0;
  if (IsCD128Group(s, f.subType)) {
    if (s == 4 || s == 7 || s == 19 || s == 9) return s == 4 && f.subType == 4;
    return 1;
  }
  return s == 0;
}

int IsDateFormatValidForSymbology(int symbology, int subType, const char* format) {
  const std::string fmt = format ? format : "";
  const bool named = fmt.find("mmm") != std::string::npos || fmt.find("www") != std::string::npos ||
                     fmt.find("12") != std::string::npos;
  auto hasAny = [&](const char* set) { return fmt.find_first_of(set) != std::string::npos; };
  if (IsUPCEANGroup(symbology) || IsI25Group(symbology) || (symbology == 4 && subType == 3) ||
      kalvo::IsOneOf(symbology, {Symbology::Plessey, Symbology::UpcShipping, Symbology::Postnet, Symbology::Msi}))
    return !named && !hasAny("/:-,.; ");
  if (symbology == 1 || symbology == 3) return !hasAny(":,;");
  if (symbology == 0) return !named && !hasAny(",; ");
  return 1;
}

int ValidateUpsFields(HWND owner, const CBarcodeField& f, int* failedIndex, int useBackup) {
  for (size_t i = 0; i < kUpsParts.size(); ++i) {
    const uint8_t source = useBackup ? f.upsSourceBackup[i] : f.upsSource[i];
    if (source != 0) continue;
    const PartRule& part = kUpsParts[i];
    const AString& text = f.upsField[i];
    const int n = text.GetLength();
    bool ok = true;
    std::vector<std::string> args{part.name};
    UINT message = 0;
    if (i == 0) {
      if (f.maxiMode == 2) {
        ok = n >= 9;
        for (int k = 0; ok && k < 9; ++k) ok = text.GetData()[k] >= '0' && text.GetData()[k] <= '9';
        ok = ok && (n == 9 || text.GetData()[9] < '0' || text.GetData()[9] > '9');
      } else if (f.maxiMode == 3) {
        ok = n == 6;
      }
      message = kMsgPostalCodeLength;
      args.push_back(f.maxiMode == 2 ? "9" : "6");
    } else if (i == 9) {
      ok = n == 1 && (text.GetData()[0] == 'Y' || text.GetData()[0] == 'N');
      message = kMsgAddressValidation;
    } else if (part.minimum == part.maximum) {
      ok = n == part.minimum;
      message = kMsgPartLength;
      args.push_back(std::to_string(part.minimum));
    } else {
      ok = n >= part.minimum && n <= part.maximum;
      message = kMsgPartLengthRange;
      args.push_back(std::to_string(part.minimum));
      args.push_back(std::to_string(part.maximum));
    }
    if (!ok) {
      UiMessageBox(owner, message, 0, args);
      if (failedIndex) *failedIndex = static_cast<int>(i);
      return 0;
    }
  }
  return 1;
}

void FitDigits(AString& s, int mode, int padTo, int cutTo) {
  if (mode)
    for (int i = 0; i < s.GetLength(); ++i)
      if (s.GetData()[i] < '0' || s.GetData()[i] > '9') s.SetAt(i, mode == 1 ? '0' : 'X');
  if (s.GetLength() < padTo) s = AString('0', padTo - s.GetLength()) + s;
  if (cutTo >= 0 && s.GetLength() > cutTo) s = s.Left(cutTo);
}
