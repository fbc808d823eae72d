// Lead and trail byte tests of the double-byte code pages and small character
// tests.
#include <cstring>

#include "foundation/codepage/codepage.h"

FOUNDATION_BEGIN

namespace {

constexpr bool InRange(unsigned v, unsigned lo, unsigned hi) { return v >= lo && v <= hi; }

constexpr bool IsGbkLead(BYTE b) { return InRange(b, 0x81, 0xFE); }
constexpr bool IsGbkTrail(BYTE b) { return InRange(b, 0x40, 0xFE) && b != 0x7F; }
constexpr bool IsBig5Lead(BYTE b) { return InRange(b, 0xA1, 0xFA); }
constexpr bool IsBig5Trail(BYTE b) { return InRange(b, 0x40, 0xFE); }
// Shift-JIS: 0xA1-0xDF are half-width katakana, whole characters of one byte.
constexpr bool IsShiftJisLead(BYTE b) { return InRange(b, 0x81, 0x9F) || InRange(b, 0xE0, 0xFC); }

bool IsValidPair(BYTE lead, BYTE trail, bool big5) {
  return big5 ? IsBig5Lead(lead) && IsBig5Trail(trail) : IsGbkLead(lead) && IsGbkTrail(trail);
}

}  // namespace

int IsDbcsByte(BYTE byte, bool lead, bool big5) {
  if (big5) return lead ? IsBig5Lead(byte) : IsBig5Trail(byte);
  return lead ? IsGbkLead(byte) : IsGbkTrail(byte);
}

int IsDbcsCodePagePair(BYTE lead, BYTE trail, int codePage) {
  switch (codePage) {
    case codepage::kGbk: return IsGbkLead(lead) && IsGbkTrail(trail);
    case codepage::kBig5: return IsBig5Lead(lead) && IsBig5Trail(trail);
    case codepage::kShiftJis: return IsShiftJisLead(lead);
    default: return (lead & 0x80) != 0;
  }
}

int IsDbcsPair(BYTE lead, BYTE trail, int charset) {
  switch (charset) {
    case codepage::kShiftJisCharset: return IsShiftJisLead(lead);
    case codepage::kHangulCharset: return (lead & 0x80) != 0;
    case codepage::kGb2312Charset: return IsValidPair(lead, trail, false);
    case codepage::kChineseBig5Charset: return IsValidPair(lead, trail, true);
    default: return 0;
  }
}

int ContainsDbcsPair(const char* text, bool big5) {
  if (!text) return 0;
  for (const char* p = text; p[0] && p[1]; ++p) {
    if (IsValidPair(static_cast<BYTE>(p[0]), static_cast<BYTE>(p[1]), big5)) return 1;
  }
  return 0;
}

int CountCharsForCharset(const char* text, int len, int charset) {
  if (!text || len <= 0) return 0;
  int count = 0;
  for (int i = 0; i < len; ++count) {
    const bool pair =
        i + 1 < len && IsDbcsPair(static_cast<BYTE>(text[i]), static_cast<BYTE>(text[i + 1]), charset);
    i += pair ? 2 : 1;
  }
  return count;
}

int HasHighBitByte(const char* text, int len) {
  if (!text) return 0;
  if (len <= 0) len = static_cast<int>(std::strlen(text));
  for (int i = 0; i + 1 < len; ++i) {
    if (static_cast<BYTE>(text[i]) & 0x80) return 1;
  }
  return 0;
}

int IsDbcsSymbolPair(BYTE lead, BYTE trail, bool big5) {
  if (!IsValidPair(lead, trail, big5)) return 0;
  if (big5) return lead < 0xA4 || ((lead == 0xF9 || lead == 0xFA) && InRange(trail, 0xDD, 0xFE));
  return lead < 0xB0 || (lead == 0xB0 && trail <= 0xA0);
}

int IsHanziPair(BYTE lead, BYTE trail, bool big5) {
  if (big5) return lead >= 0xA4 && !((lead == 0xF9 || lead == 0xFA) && InRange(trail, 0xDD, 0xFE));
  return lead > 0xB0 || (lead == 0xB0 && trail > 0xA0);
}

int IsDbcsBlankCode(BYTE lead, BYTE trail, bool big5) {
  if (!IsValidPair(lead, trail, big5)) return 0;
  if (big5) return lead == 0xA1 && trail == 0x40;
  switch (lead) {
    case 0xA1: return trail == 0xA1;
    case 0xA2:
      return InRange(trail, 0xAB, 0xB0) || InRange(trail, 0xE3, 0xE4) || InRange(trail, 0xEF, 0xF0) ||
             InRange(trail, 0xED, 0xFE);
    case 0xA4: return InRange(trail, 0xF4, 0xFE);
    case 0xA5: return InRange(trail, 0xF7, 0xFE);
    case 0xA6: return InRange(trail, 0xB9, 0xC0) || InRange(trail, 0xD9, 0xDF) || InRange(trail, 0xF3, 0xFE);
    case 0xA7: return InRange(trail, 0xC2, 0xD0) || InRange(trail, 0xF2, 0xFE);
    default: return 0;
  }
}

int IsDbcsSpecialCode(BYTE lead, BYTE trail, bool big5) {
  if (!IsValidPair(lead, trail, big5)) return 0;
  if (big5) return lead == 0xA1 && (trail == 0xB1 || InRange(trail, 0xB3, 0xBF));
  switch (lead) {
    case 0xA1: return trail == 0xEC || InRange(trail, 0xEE, 0xF9);
    case 0xA2:
      return InRange(trail, 0xA1, 0xAA) || InRange(trail, 0xB1, 0xE3) || InRange(trail, 0xE5, 0xEE) ||
             InRange(trail, 0xF1, 0xFC);
    case 0xA3: return trail == 0xAA;
    default: return 0;
  }
}

int IsDigitChar(WCHAR ch) { return ch >= u'0' && ch <= u'9'; }

int IsLatinLetter(WCHAR ch) { return (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z'); }

int IsAlnumChar(WCHAR ch, int* isDigit) {
  const int digit = IsDigitChar(ch);
  if (isDigit) *isDigit = digit;
  return digit || IsLatinLetter(ch);
}

int IsPunctuationChar(int ch) {
  // The terminating zero of the set is not a punctuation character.
  return ch != 0 && std::strchr(",.?!-;:=", ch) != nullptr;
}

int CountChar(const char* text, char ch) {
  if (!text) return 0;
  int count = 0;
  for (const char* p = text; *p; ++p) count += *p == ch;
  return count;
}

FOUNDATION_END
