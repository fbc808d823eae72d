// Symbology predicates and small exports.
#include <cstring>

#include "barcode/frame/text_helpers.h"
#include "barcode/kalvo.h"

using kalvo::IsOneOf;
using kalvo::Symbology;

namespace {
bool IsMainUpcEan(int type) {
  return IsOneOf(type, {Symbology::Ean8, Symbology::Ean13, Symbology::UpcA, Symbology::UpcE});
}
}  // namespace

int IsPlus2(int type, int subType) { return IsMainUpcEan(type) && subType == 1 ? 2 : 0; }
int IsPlus5(int type, int subType) { return IsMainUpcEan(type) && subType == 2 ? 5 : 0; }
int IsUPCA(int type) { return IsOneOf(type, {Symbology::UpcA}); }
int IsUPCE(int type) { return IsOneOf(type, {Symbology::UpcE}); }
int IsEAN8(int type) { return IsOneOf(type, {Symbology::Ean8}); }
int IsEAN13(int type) { return IsOneOf(type, {Symbology::Ean13}); }
int Is128CF1Mod10(int type, int subType) {
  return IsOneOf(type, {Symbology::Ucc128}) || (IsOneOf(type, {Symbology::Code128}) && subType == 4);
}
int Is128Auto(int type, int subType) {
  return (IsOneOf(type, {Symbology::Code128}) && subType == 0) ||
         IsOneOf(type, {Symbology::Ean128, Symbology::UccEan128, Symbology::UccEan128Ais});
}
int IsCD128Group(int type, int subType) {
  return IsOneOf(type, {Symbology::Code128, Symbology::Ean128, Symbology::EanUcc14, Symbology::Ucc128,
                        Symbology::UccEan128, Symbology::UccEan128Ais}) ||
         (IsOneOf(type, {Symbology::Sscc14}) && subType == 1);
}
int IsUPCEANGroup(int type) { return IsUPCEANGroup_nonSunrise(type) || IsUPCEANSunriseGroup(type); }
int IsUPCEANGroup_nonSunrise(int type) { return IsMainUpcEan(type); }
int IsUPCEANSunriseGroup(int type) {
  return IsOneOf(type, {Symbology::EanUcc13, Symbology::EanUcc14, Symbology::Ucc12});
}
int IsUPCGroup(int type) { return IsOneOf(type, {Symbology::UpcA, Symbology::UpcE}); }
int IsEANGroup(int type) {
  return IsOneOf(type, {Symbology::Ean8, Symbology::Ean13}) || IsUPCEANSunriseGroup(type);
}
int IsI25Group(int type) { return IsOneOf(type, {Symbology::Interleaved2of5, Symbology::Itf14}); }
int Is39Group(int type) { return IsOneOf(type, {Symbology::Code39, Symbology::Code39FullAscii}); }
int IsPlesseyGroup(int type) { return IsOneOf(type, {Symbology::Plessey, Symbology::Msi}); }
int Is2DBCode(int type, int) {
  return IsOneOf(type, {Symbology::Pdf417, Symbology::MaxiCode, Symbology::DataMatrix, Symbology::Code49,
                        Symbology::MicroPdf417, Symbology::QrCode});
}
int IsSpecialDsControlsBCode(int type) { return IsOneOf(type, {Symbology::UccEan128Ais, Symbology::MaxiCode}); }

int GetBcSupplmnt(int type, int subType, char* data, char* main, char* supplement) {
  int n = IsPlus2(type, subType);
  if (n == 0) n = IsPlus5(type, subType);
  if (n == 0 || data == nullptr) return n;
  const int length = static_cast<int>(std::strlen(data));
  const int split = length > n ? length - n : 0;
  if (main != nullptr) {
    std::memmove(main, data, split);
    main[split] = 0;
  }
  if (supplement != nullptr) {
    std::memmove(supplement, data + split, length - split);
    supplement[length - split] = 0;
  }
  return n;
}

int GetITF14BoxWidth(int narrow, int, int factor) { return narrow * factor; }

namespace kalvo {

int CountLeadingDigits(const char* text, int length) {
  if (length == 0) length = static_cast<int>(std::strlen(text));
  for (int i = 0; i < length; ++i) {
    if (text[i] < '0' || text[i] > '9') return i;
  }
  return length;
}

int IsAllDigits(const char* text, int length) {
  if (length == 0) length = static_cast<int>(std::strlen(text));
  return CountLeadingDigits(text, length) == length ? 1 : 0;
}

int ParseNumberPrefix(const char* text, int n) {
  int value = 0;
  for (int i = 0; i < n && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

}  // namespace kalvo
