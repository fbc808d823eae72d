// Symbology predicates and small exports.
#include <cstring>

#include "barcode/frame/text_helpers.h"
#include "barcode/kalvo.h"

namespace {
bool IsMainUpcEan(int type) { return type == 5 || type == 6 || type == 21 || type == 22; }
}  // namespace

int IsPlus2(int type, int subType) { return IsMainUpcEan(type) && subType == 1 ? 2 : 0; }
int IsPlus5(int type, int subType) { return IsMainUpcEan(type) && subType == 2 ? 5 : 0; }
int IsUPCA(int type) { return type == 21; }
int IsUPCE(int type) { return type == 22; }
int IsEAN8(int type) { return type == 5; }
int IsEAN13(int type) { return type == 6; }
int Is128CF1Mod10(int type, int subType) { return type == 18 || (type == 4 && subType == 4); }
int Is128Auto(int type, int subType) { return (type == 4 && subType == 0) || type == 7 || type == 19 || type == 20; }
int IsCD128Group(int type, int subType) {
  return type == 4 || type == 7 || type == 9 || type == 18 || type == 19 || type == 20 || (type == 16 && subType == 1);
}
int IsUPCEANGroup(int type) {
  return type == 5 || type == 6 || type == 8 || type == 9 || type == 17 || type == 21 || type == 22;
}
int IsUPCEANGroup_nonSunrise(int type) { return IsMainUpcEan(type); }
int IsUPCEANSunriseGroup(int type) { return type == 8 || type == 9 || type == 17; }
int IsUPCGroup(int type) { return type == 21 || type == 22; }
int IsEANGroup(int type) { return type == 5 || type == 6 || type == 8 || type == 9 || type == 17; }
int IsI25Group(int type) { return type == 10 || type == 11; }
int Is39Group(int type) { return type == 1 || type == 2; }
int IsPlesseyGroup(int type) { return type == 12 || type == 26; }
int Is2DBCode(int type, int) {
  return type == 27 || type == 28 || type == 29 || type == 30 || type == 31 || type == 33;
}
int IsSpecialDsControlsBCode(int type) { return type == 20 || type == 28; }

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
