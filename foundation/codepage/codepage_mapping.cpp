// Mappings between language kinds, code pages and GDI character sets.
#include "foundation/codepage/codepage.h"

FOUNDATION_BEGIN

using namespace codepage;

int CodePageFromLanguage(int value, bool isLanguage) {
  if (isLanguage) {
    switch (value) {
      case kSimplifiedChinese: return kGbk;
      case kTraditionalChinese: return kBig5;
      case kJapanese: return kShiftJis;
      case kKorean: return kUhc;
      default: return kWestern;
    }
  }
  switch (value) {
    case kShiftJisCharset: return kShiftJis;
    case kHangulCharset: return kUhc;
    case kGb2312Charset: return kGbk;
    case kChineseBig5Charset: return kBig5;
    default: return kWestern;
  }
}

int LanguageFromCharset(int charset) {
  switch (charset) {
    case kShiftJisCharset: return kJapanese;
    case kHangulCharset: return kKorean;
    case kGb2312Charset: return kSimplifiedChinese;
    case kChineseBig5Charset: return kTraditionalChinese;
    default: return kEnglish;
  }
}

int CharsetFromLanguage(int value, bool isLanguage) {
  if (isLanguage) {
    switch (value) {
      case kSimplifiedChinese:
      case 6: return kGb2312Charset;
      case kTraditionalChinese: return kChineseBig5Charset;
      case kJapanese: return kShiftJisCharset;
      case kKorean: return kHangulCharset;
      default: return kAnsiCharset;
    }
  }
  switch (value) {
    case kShiftJis: return kShiftJisCharset;
    case kGbk: return kGb2312Charset;
    case kUhc: return kHangulCharset;
    case kBig5: return kChineseBig5Charset;
    default: return kAnsiCharset;
  }
}

int IsCjkLanguage(int kind) {
  return kind == kSimplifiedChinese || kind == kTraditionalChinese || kind == kJapanese || kind == kKorean;
}

int IsSingleByteLanguage(int kind) { return !IsCjkLanguage(kind); }

int IsCjkCodePage(int codePage) {
  return codePage == kShiftJis || codePage == kGbk || codePage == kUhc || codePage == kBig5;
}

bool IsWesternCodePage(int codePage) { return codePage <= 0 || codePage == kWestern; }

int PreferCodePage(int a, int b) {
  if (!IsCjkCodePage(a) && (IsCjkCodePage(b) || a <= 0 || (b > 0 && a == kWestern))) return b;
  return a;
}

FOUNDATION_END
