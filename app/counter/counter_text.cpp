#include "app/counter/counter_text.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Base of a character in a kind, and its value; base 0 when it does not count.
struct Digit {
  int base = 0;
  int value = 0;
  char first = '0';  // the character of value 0 in its class
};

Digit ClassOf(unsigned char c, int kind) {
  if (c >= 128) return {};
  if (kind == kCounterHexadecimal) {
    const char* at = std::strchr(kHexDigits, std::toupper(c));
    if (c != 0 && at) return {16, static_cast<int>(at - kHexDigits), '0'};
    return {};
  }
  if (c >= '0' && c <= '9') return {10, c - '0', '0'};
  if (kind == kCounterDecimalAlpha) {
    if (c >= 'a' && c <= 'z') return {26, c - 'a', 'a'};
    if (c >= 'A' && c <= 'Z') return {26, c - 'A', 'A'};
  }
  return {};
}

long long FloorDiv(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

bool RolledOver(const AString& r, int step, int kind, const AString& limit) {
  const int direction = step > 0 ? 1 : -1;
  if (kind == kCounterHexadecimal) {
    return std::strtoll(r.GetData(), nullptr, 16) > std::atoll(limit.GetData()) * direction;
  }
  if (kind == kCounterDecimal) {
    return std::atoll(r.GetData()) > std::atoll(limit.GetData()) * direction;
  }
  const int rl = r.GetLength(), ll = limit.GetLength();
  if (rl < ll) return CompareAlignedText(r.GetData(), rl, limit.GetData(), ll) * direction > 0;
  if (rl > ll) return CompareAlignedText(limit.GetData(), ll, r.GetData(), rl) * direction < 0;
  const int c = strcasecmp(r.GetData(), limit.GetData());
  return (c > 0 ? 1 : c < 0 ? -1 : 0) * direction > 0;
}

// Whether the counter writes its hexadecimal letters in lower case: it holds
// a letter a-f and none of A-F.
bool HasLowerHexLetter(const AString& text) {
  bool lower = false;
  for (int i = 0; i < text.GetLength(); ++i) {
    const char c = text.GetData()[i];
    if (c >= 'A' && c <= 'F') return false;
    if (c >= 'a' && c <= 'f') lower = true;
  }
  return lower;
}

}  // namespace

int StepCounterChar(char* c, int kind, int amount, bool* touched) {
  const int stepKind = kind == kCounterHexadecimal || kind == kCounterDecimalAlpha ? kind : kCounterDecimal;
  const Digit d = ClassOf(static_cast<unsigned char>(*c), stepKind);
  if (d.base == 0) return amount;
  if (touched) *touched = true;
  if (amount == 0) return 0;
  const int n = d.base;
  // In 64 bits: v + amount cannot overflow for any int amount.
  const long long s = static_cast<long long>(d.value) + amount;
  int value, carry;
  if (s >= 0) {
    value = static_cast<int>(s % n);
    carry = static_cast<int>(s / n);
  } else {
    carry = static_cast<int>(FloorDiv(s, n));
    value = static_cast<int>(((s % n) + n) % n);
  }
  if (stepKind == kCounterHexadecimal) {
    char digit = kHexDigits[value];
    if (std::islower(static_cast<unsigned char>(*c)) && value >= 10) digit = static_cast<char>(std::tolower(digit));
    *c = digit;
  } else {
    *c = static_cast<char>(d.first + value);
  }
  return carry;
}

int CompareAlignedText(const char* shorter, int shorterLength, const char* longer, int longerLength) {
  const int extra = longerLength - shorterLength;
  for (int i = 0; i < extra; ++i) {
    if (longer[i] != '0') return -1;
  }
  const int c = std::memcmp(shorter, longer + extra, static_cast<size_t>(shorterLength));
  return c > 0 ? 1 : c < 0 ? -1 : 0;
}

AString StepCounterText(const AString& text, int step, int kind, bool checkLimit, const AString& limit,
                        const AString& reset, int* rolledOver) {
  if (step == 0) return text;
  AString r = text;
  r.CopyBeforeWrite();
  char* data = r.GetData();
  int carry = step;
  int leftmost = -1;
  for (int i = r.GetLength() - 1; i >= 0 && carry != 0; --i) {
    bool touched = false;
    carry = StepCounterChar(&data[i], kind, carry, &touched);
    if (touched) leftmost = i;
  }
  if (carry > 0) {
    // A hexadecimal counter keeps counting in hexadecimal: its carry is
    // written as hexadecimal digits, lower-case when the counter's letters are.
    char number[16];
    if (kind != kCounterHexadecimal) {
      std::snprintf(number, sizeof number, "%d", carry);
    } else if (HasLowerHexLetter(r)) {
      std::snprintf(number, sizeof number, "%x", static_cast<unsigned>(carry));
    } else {
      std::snprintf(number, sizeof number, "%X", static_cast<unsigned>(carry));
    }
    r.Insert(leftmost >= 0 ? leftmost : 0, number);
  }
  if (checkLimit && RolledOver(r, step, kind, limit)) {
    if (rolledOver) *rolledOver = 1;
    return reset;
  }
  return r;
}
