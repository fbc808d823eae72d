#include "barcode/frame/check_digits.h"

#include "barcode/frame/tables.h"

namespace kalvo {

namespace {
int DigitValue(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }
}  // namespace

char Gs1Mod10(std::string_view digits) {
  int sum = 0;
  int weight = 3;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    sum += DigitValue(*it) * weight;
    weight = 4 - weight;
  }
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}

char MsiMod10(std::string_view digits) {
  // Digits in odd places from the right, kept in their order, read as one
  // number and doubled; the doubled number's digits are added up.
  std::string odd;
  int evenSum = 0;
  const int n = static_cast<int>(digits.size());
  for (int i = 0; i < n; ++i) {
    const int placeFromRight = n - i;
    if (placeFromRight % 2 == 1) {
      odd += digits[i];
    } else {
      evenSum += DigitValue(digits[i]);
    }
  }
  // Doubling digit by digit from the right keeps numbers of any length exact.
  std::string doubled;
  int carry = 0;
  for (auto it = odd.rbegin(); it != odd.rend(); ++it) {
    int v = DigitValue(*it) * 2 + carry;
    doubled += static_cast<char>('0' + v % 10);
    carry = v / 10;
  }
  if (carry != 0) doubled += static_cast<char>('0' + carry);
  int sum = evenSum;
  for (char c : doubled) sum += DigitValue(c);
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}

char PostnetCheck(std::string_view digits) {
  int sum = 0;
  for (char c : digits) sum += DigitValue(c);
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}

char Code39Mod43(std::string_view text) {
  int sum = 0;
  for (char c : UpperCased(text)) {
    int value = Code39Value(c);
    if (value >= 0 && value < 43) sum += value;
  }
  return kCode39Chars[sum % 43];
}

std::string UpperCased(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

void UpperCaseInPlace(char* text) {
  if (text == nullptr) return;
  for (; *text != 0; ++text) {
    if (*text >= 'a' && *text <= 'z') *text = static_cast<char>(*text - 'a' + 'A');
  }
}

}  // namespace kalvo
