// Code pages, GDI character sets and the designer's language kinds; lead and
// trail byte tests of the double-byte code pages; script detection of UTF-16
// text; conversions between UTF-16 and multibyte text.
//
// Language kinds: 0 English (and every language without a double-byte code
// page), 1 Simplified Chinese (936, charset 134), 2 Traditional Chinese (950,
// 136), 4 Japanese (932, 128), 5 Korean (949, 129); 3 means nothing here.
#pragma once

#include <string>
#include <string_view>

#include "foundation/build.h"
#include "platform/kernel/types.h"

FOUNDATION_BEGIN

class AString;

// Named values of the three vocabularies.
namespace codepage {
inline constexpr int kEnglish = 0;
inline constexpr int kSimplifiedChinese = 1;
inline constexpr int kTraditionalChinese = 2;
inline constexpr int kJapanese = 4;
inline constexpr int kKorean = 5;

inline constexpr int kWestern = 1252;
inline constexpr int kShiftJis = 932;
inline constexpr int kGbk = 936;
inline constexpr int kUhc = 949;
inline constexpr int kBig5 = 950;

inline constexpr int kAnsiCharset = 0;
inline constexpr int kShiftJisCharset = 128;
inline constexpr int kHangulCharset = 129;
inline constexpr int kGb2312Charset = 134;
inline constexpr int kChineseBig5Charset = 136;
}  // namespace codepage

// --- Mappings -------------------------------------------------------------

// With isLanguage, value is a language kind (1 -> 936, 2 -> 950, 4 -> 932,
// 5 -> 949); without it a GDI character set (128 -> 932, 129 -> 949,
// 134 -> 936, 136 -> 950). Anything else is 1252.
int CodePageFromLanguage(int value, bool isLanguage);
// 128 -> 4, 129 -> 5, 134 -> 1, 136 -> 2, else 0.
int LanguageFromCharset(int charset);
// With isLanguage, value is a language kind (1 and 6 -> 134, 2 -> 136,
// 4 -> 128, 5 -> 129); without it a code page (932 -> 128, 936 -> 134,
// 949 -> 129, 950 -> 136). Anything else 0.
int CharsetFromLanguage(int value, bool isLanguage);
int IsCjkLanguage(int kind);
int IsSingleByteLanguage(int kind);
// 1 for the double-byte code pages 932, 936, 949 and 950.
int IsCjkCodePage(int codePage);
// A code page of 0 or less, or 1252.
bool IsWesternCodePage(int codePage);
// The code page to keep when text of code page b joins text of code page a.
int PreferCodePage(int a, int b);

// --- Byte and character tests ---------------------------------------------

// The GBK (big5 false) or Big5 (big5 true) lead or trail byte test.
int IsDbcsByte(BYTE byte, bool lead, bool big5);
// Whether lead and trail form one character in the code page: 936 and 950 by
// their ranges; 932 by its lead bytes (0x81-0x9F, 0xE0-0xFC: a half-width
// katakana byte is a character of its own, not the start of a pair); any other
// code page by the high bit of the lead byte.
int IsDbcsCodePagePair(BYTE lead, BYTE trail, int codePage);
// By GDI character set: 128 by the Shift-JIS lead bytes (as code page 932),
// 129 by the lead byte's high bit, 134 GBK, 136 Big5, anything else 0.
int IsDbcsPair(BYTE lead, BYTE trail, int charset);
// 1 when two adjacent bytes of the C string form a GBK (Big5) pair.
int ContainsDbcsPair(const char* text, bool big5);
// Characters in len bytes, a pair by IsDbcsPair counting one.
int CountCharsForCharset(const char* text, int len, int charset);
// len <= 0 means the C string's length; 1 when a byte other than the last has
// its high bit set.
int HasHighBitByte(const char* text, int len);
// A valid pair that is a symbol rather than an ideograph.
int IsDbcsSymbolPair(BYTE lead, BYTE trail, bool big5);
// An ideograph position (no validity test).
int IsHanziPair(BYTE lead, BYTE trail, bool big5);
// A valid pair that is a blank or unassigned position.
int IsDbcsBlankCode(BYTE lead, BYTE trail, bool big5);
// A valid pair that is a list or numbering symbol.
int IsDbcsSpecialCode(BYTE lead, BYTE trail, bool big5);
int IsDigitChar(WCHAR ch);
int IsLatinLetter(WCHAR ch);
// 1 for a digit or a Latin letter; stores the digit test in *isDigit when given.
int IsAlnumChar(WCHAR ch, int* isDigit);
// 1 for one of ",.?!-;:=".
int IsPunctuationChar(int ch);
// Occurrences of ch in the C string.
int CountChar(const char* text, char ch);

// --- UTF-16 helpers -------------------------------------------------------

// The language kind of the first unit that falls into a script range; 0 when
// none does.
int DetectScriptLanguage(const WCHAR* units, int count);
// Whether UTF-16 text (units little-endian in bytes) is narrow GBK text widened
// byte by byte.
bool IsWidenedGbkText(const char* bytes, int units);
// 1 when one of the first count - 1 units lies in 128..8191.
int HasNonAsciiUnit(const WCHAR* units, unsigned count);

// --- Conversions (AString) ------------------------------------------------

// Decodes text of the code page into UTF-16 with the system's conversion
// (flags as for MultiByteToWideChar), one code point for every character the
// string class walks: a pair that the double-byte pair test accepts but the
// code page does not hold as one character (932 accepts a lead byte with any
// trail, 949 any byte with the high bit and any trail) becomes one '?'. Empty when the conversion
// yields nothing.
std::u16string DecodeCodePageText(std::string_view bytes, int codePage, DWORD flags);

// Converts the UTF-16 units of wide into out in the code page (below 1 means
// 936); out becomes narrow with that code page. When the conversion yields
// nothing out is left as it was. Returns 1 (0 only for a null out).
int WideToMultiByte(const AString& wide, AString* out, int codePage);
// Converts narrow text of the code page to UTF-16 in out: 2 x units bytes,
// terminated by a zero unit. The caller sets out's wide flag. Returns 0 for
// empty input or when the conversion yields nothing, else 1.
int MultiByteToWide(const AString& narrow, AString* out, int codePage);
// Re-encodes Chinese text from 936 to 950 (toBig5) or from 950 to 936 through
// UTF-16. Returns whether dst is not empty.
bool ConvertGbBig5(const AString& src, AString* dst, bool toBig5);
// "ag" -> "ang", "eg" -> "eng", "ig" -> "ing", "og" -> "ong", "jv" -> "ju",
// "qv" -> "qu", "xv" -> "xu", "yv" -> "yu", in this order.
void ExpandPinyinAbbreviations(AString* text);

// --- Drawing ----------------------------------------------------------------

// A wide string through the UTF-16 text output, a narrow one through the
// single-byte text output. Returns the output call's result.
BOOL TextOutString(HDC dc, int x, int y, AString text);
// On the NT family the single-byte text output; otherwise the text converted
// to UTF-16 in the charset's code page. Returns the output call's result, 0
// when the conversion yields nothing.
BOOL TextOutMultiByte(HDC dc, int x, int y, const char* text, int bytes, int charset);

FOUNDATION_END
